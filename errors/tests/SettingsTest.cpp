// Settings are kept per application name, section and key, with a default
// for a missing key, in the test's own configuration folder.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>

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

// Application names that look like paths keep their settings in the settings
// folder, each its own, and come back as saved.
TEST(Settings, NamesThatLookLikePathsStayInTheSettingsFolder) {
    const QDir folder(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Trovex"));
    const QString run = QString::number(QCoreApplication::applicationPid());
    const QStringList names{"../../escaped" + run, "..",          ".",      "/tmp/abs" + run,    "a/b" + run,
                            "a\\b" + run,          "a%2Fb" + run, "%2E%2E", "..\\..\\win" + run, ".hidden" + run};
    for (const QString& name : names) errors::SaveSetting(name, "AutoFind", "CheckBox", name);
    for (const QString& name : names) EXPECT_EQ(errors::GetSetting(name, "AutoFind", "CheckBox"), name);

    QDirIterator everything(folder.absolutePath(), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                            QDirIterator::Subdirectories);
    while (everything.hasNext()) {
        const QFileInfo file(everything.next());
        EXPECT_EQ(file.absolutePath(), folder.absolutePath()) << file.absoluteFilePath().toStdString();
    }
    for (const QString& outside : {"/tmp/abs" + run + ".conf", folder.absoluteFilePath("../../escaped" + run + ".conf"),
                                   folder.absoluteFilePath("../../../escaped" + run + ".conf")})
        EXPECT_FALSE(QFile::exists(outside)) << outside.toStdString();
}
