#include "errors/Settings.h"

#include <QSettings>

namespace errors {

namespace {
// All hosts' settings live under one organisation; the host's application
// name separates them, as the system's settings store does.
const QString Organisation = QStringLiteral("Trovex");

QString keyPath(const QString& section, const QString& key) { return section + QLatin1Char('/') + key; }

// The store's name for an application name: one that cannot name a path
// outside the settings folder (see Settings.h).
QString storeName(const QString& appName) {
    QString name;
    for (qsizetype i = 0; i < appName.size(); ++i) {
        const QChar c = appName[i];
        if (c == u'%' || c == u'/' || c == u'\\' || (i == 0 && c == u'.'))
            name += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        else
            name += c;
    }
    return name;
}

QSettings store(const QString& appName) {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, Organisation, storeName(appName));
}
}  // namespace

QString GetSetting(const QString& appName, const QString& section, const QString& key, const QString& defaultValue) {
    const QVariant v = store(appName).value(keyPath(section, key));
    return v.isValid() ? v.toString() : defaultValue;
}

void SaveSetting(const QString& appName, const QString& section, const QString& key, const QString& value) {
    QSettings settings = store(appName);
    settings.setValue(keyPath(section, key), value);
    settings.sync();
}

}  // namespace errors
