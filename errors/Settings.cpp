#include "errors/Settings.h"

#include <QSettings>

namespace errors {

namespace {
// All hosts' settings live under one organisation; the host's application
// name separates them, as the system's settings store does.
const QString Organisation = QStringLiteral("Trovex");

QString keyPath(const QString& section, const QString& key) { return section + QLatin1Char('/') + key; }
}  // namespace

QString GetSetting(const QString& appName, const QString& section, const QString& key, const QString& defaultValue) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, Organisation, appName);
    const QVariant v = settings.value(keyPath(section, key));
    return v.isValid() ? v.toString() : defaultValue;
}

void SaveSetting(const QString& appName, const QString& section, const QString& key, const QString& value) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, Organisation, appName);
    settings.setValue(keyPath(section, key), value);
    settings.sync();
}

}  // namespace errors
