// Settings are kept per application name, section and key, with a default
// for a missing key, in the test's own configuration folder.
#include "errors/Settings.h"

#include <QStandardPaths>
#include <gtest/gtest.h>

TEST(Settings, MissingKeyGivesTheDefaultAndSavedTextsComeBackPerApplication) {
    ASSERT_TRUE(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")) << "tests must not touch the user's settings";
    using errors::GetSetting;
    using errors::SaveSetting;
    EXPECT_EQ(GetSetting("SettingsTestApp", "AutoFind", "CheckBox", "0"), "0");
    SaveSetting("SettingsTestApp", "AutoFind", "CheckBox", "1");
    SaveSetting("OtherApp", "AutoFind", "CheckBox", "0");
    EXPECT_EQ(GetSetting("SettingsTestApp", "AutoFind", "CheckBox", "0"), "1");
    EXPECT_EQ(GetSetting("OtherApp", "AutoFind", "CheckBox", "1"), "0");
    EXPECT_EQ(GetSetting("SettingsTestApp", "ConnectInfo", "FinderMax", "False"), "False");
}
