// The per-user settings store: text values by application name, section and
// key, kept by QSettings in the platform's native form (the registry on
// Windows, a configuration file under $XDG_CONFIG_HOME elsewhere).
#pragma once

#include <QString>

namespace errors {

// Every application name keeps its settings inside the settings folder:
// "/", "\\", "%" and a leading "." are written as %2F, %5C, %25 and %2E in
// the store's name, so no name reaches another folder, and two names never
// share their settings. Other names are used as they are.

// The stored text, or `defaultValue` when the key is missing.
QString GetSetting(const QString& appName, const QString& section, const QString& key,
                   const QString& defaultValue = QString());
void SaveSetting(const QString& appName, const QString& section, const QString& key, const QString& value);

}  // namespace errors
