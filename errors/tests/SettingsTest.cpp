// Settings are kept per application name, section and key, with a default
// for a missing key, in the test's own configuration folder.
#include <QCoreApplication>
#include <gtest/gtest.h>

#include "errors/Settings.h"

TEST(Settings, MissingKeyGivesTheDefaultAndSavedTextsComeBackPerApplication) {
    ASSERT_TRUE(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")) << "tests must not touch the user's settings";
    using errors::GetSetting;
    using errors::SaveSetting;
    // Names of this run only: the folder outlives a run.
    const QString app = QStringLiteral("SettingsTest%1").arg(QCoreApplication::applicationPid());
    const QString other = app + QStringLiteral("Other");
    EXPECT_EQ(GetSetting(app, "AutoFind", "CheckBox", "0"), "0");
    SaveSetting(app, "AutoFind", "CheckBox", "1");
    SaveSetting(other, "AutoFind", "CheckBox", "0");
    EXPECT_EQ(GetSetting(app, "AutoFind", "CheckBox", "0"), "1");
    EXPECT_EQ(GetSetting(other, "AutoFind", "CheckBox", "1"), "0");
    EXPECT_EQ(GetSetting(app, "ConnectInfo", "FinderMax", "False"), "False");
}
