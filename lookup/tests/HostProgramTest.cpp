// The host program trovex as a host or a person runs it: bad command lines
// and scripts refused before anything is shown, results printed after every
// call on one instance, message boxes on stderr, scripts that fail.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "LookupRig.h"

namespace lookup::tests {
namespace {

struct Outcome {
    int exitCode = -1;
    QString out, err;
};

// Runs trovex with `args`; `script` (when given) is written to a file whose
// path replaces the word "{script}", or is fed on stdin for "-".
Outcome runHost(const QStringList& args, const QString& script = QString(),
                const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QTemporaryDir dir;
    const QString scriptFile = dir.filePath(QStringLiteral("script.txt"));
    QFile file(scriptFile);
    if (file.open(QIODevice::WriteOnly)) file.write(script.toUtf8());
    file.close();
    QStringList words = args;
    words.replaceInStrings(QStringLiteral("{script}"), scriptFile);

    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TROVEX_APP), words);
    if (words.contains(QStringLiteral("-"))) p.write(script.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(120'000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// The lines "name=value" of a dump, by name (the first dump's only).
QString dumped(const QString& out, const QString& name) {
    for (const QString& line : out.split(u'\n'))
        if (line.startsWith(name + u'=')) return line.mid(name.size() + 1);
    return QString();
}

struct Refusal {
    const char* name;
    QStringList args;
    const char* script;
    int exitCode;
    const char* message;  // part of stderr
};

void PrintTo(const Refusal& c, std::ostream* os) { *os << c.name; }

const Refusal Refusals[] = {
    {"UnknownMethod", {"FindAP_Nothing"}, "", 2, "unknown method \"FindAP_Nothing\"; the methods are FindAP_Employee"},
    {"BadInteger",
     {"FindAP_Documents", "1200", "x"},
     "",
     2,
     "FindAP_Documents: argument pIndex: \"x\" is not a whole number from -32768 to 32767"},
    {"IntegerOutOfRange", {"FindAP_OrderByInfo", "40000", "1200"}, "", 2, "\"40000\" is not a whole number"},
    {"BadBoolean", {"FindAP_TaxClass", "GST", "maybe"}, "", 2, "argument pDocTax: \"maybe\" is not true, false"},
    {"MissingArgument", {"FindAP_DocNum"}, "", 2, "FindAP_DocNum: missing argument pCustID"},
    {"TooManyArguments", {"FindAP_Accounts", "1"}, "", 2, "FindAP_Accounts takes (no arguments), but was given 1"},
    {"EmptyCall", {"FindAP_Accounts", ";", ";", "FindAP_Accounts"}, "", 2, "an empty call"},
    {"TrailingSeparator", {"FindAP_Accounts", ";"}, "", 2, "an empty call"},
    {"SecondCallChecked", {"FindAP_Accounts", ";", "FindAP_Nope"}, "", 2, "unknown method \"FindAP_Nope\""},
    {"UnknownOption", {"--colour", "FindAP_Accounts"}, "", 2, "unknown option --colour"},
    {"OptionWithoutValue", {"--company"}, "", 2, "--company needs a value"},
    {"NoCall", {}, "", 2, "no call given"},
    {"BadScriptLine",
     {"--script", "{script}", "FindAP_Accounts"},
     "dump\nfly away\n",
     2,
     "line 2: unknown action \"fly\""},
    {"MissingScript", {"--script", "/nonexistent/script.txt", "FindAP_Accounts"}, "", 2, "cannot read the script"},
    {"MissingCompany",
     {"--company", "/nonexistent/company.trovex", "FindAP_Accounts"},
     "",
     1,
     "cannot open the company"},
};

class Refused : public ::testing::TestWithParam<Refusal> {};

TEST_P(Refused, WithAMessageAndNoLookup) {
    const Refusal& c = GetParam();
    const Outcome o = runHost(c.args, QString::fromUtf8(c.script));
    EXPECT_EQ(o.exitCode, c.exitCode) << o.err.toStdString();
    EXPECT_TRUE(o.err.contains(QString::fromUtf8(c.message))) << o.err.toStdString();
    EXPECT_EQ(o.out, QString()) << "no call ran";
}

INSTANTIATE_TEST_SUITE_P(HostProgram, Refused, ::testing::ValuesIn(Refusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HostProgram, OneInstanceServesEveryCallAndKeepsResultsAcrossACancel) {
    // Row 2 selected in the first lookup, the second cancelled: the same
    // results print twice. The third call's window never opens (pIndex 6).
    const Outcome o = runHost({"--script", "{script}", "FindAP_Accounts", ";", "FindAP_DistributionCodes", ";",
                               "FindAP_OrderByInfo", "6", "1200"},
                              QStringLiteral("dump\nclick cell 2 0\nkey Enter\nclick pbxCancel\n"));
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    const QStringList row2 = dumped(o.out, QStringLiteral("row2")).split(u'\t');
    ASSERT_GE(row2.size(), 2);
    const QString results = QStringLiteral("Result1=%1\nResult2=%2\nResult3=\n").arg(row2[0], row2[1]);
    EXPECT_TRUE(o.out.endsWith(results + results + results)) << o.out.toStdString();
}

TEST(HostProgram, MessageBoxesGoToStderrAsOneLineAndTheScriptAnswersThem) {
    // A customer number that breaks the standing filter: the engine reports
    // it; then two rows selected at once: the selection warning.
    const Outcome o = runHost({"--script", "-", "FindAP_Documents", "1200 OR", "0", ";", "FindAP_Accounts"},
                              QStringLiteral("click pbxCancel\nclick cell 1 0\nkey Shift+Down\nclick pbxSelect\n"
                                             "answer OK \"Please make only one selection.\"\n"));
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_TRUE(o.err.contains(QStringLiteral("[Sage Accpac Finder Error] ")));
    EXPECT_TRUE(o.err.contains(QStringLiteral("\\r\\n\\nIn Procedure: clsFinder.FillFinderGrid.\\r\\n\\n")))
        << o.err.toStdString();
    EXPECT_TRUE(o.err.contains(QStringLiteral("\n[Invalid Selection] Please make only one selection.\n")))
        << o.err.toStdString();
    EXPECT_EQ(o.out, QStringLiteral("Result1=\nResult2=\nResult3=\nResult1=\nResult2=\nResult3=\n"));
}

struct ScriptFailure {
    const char* name;
    QStringList args;
    const char* script;
    const char* message;
};

void PrintTo(const ScriptFailure& c, std::ostream* os) { *os << c.name; }

const ScriptFailure ScriptFailures[] = {
    {"CellOutsideTheGrid",
     {"FindAP_TaxClass", "GST"},
     "click cell 99 0\ndump\n",
     "line 1 (click cell 99 0): the grid has no cell 99, 0"},
    {"EntryNotInTheList",
     {"FindAP_Accounts"},
     "choose cboFindDesc Colour\n",
     "line 1 (choose cboFindDesc Colour): cboFindDesc has no entry \"Colour\" (its entries: Account Number | "
     "Description"},
    {"NoWindowForTheRest",
     {"FindAP_OrderByInfo", "-1", "1200"},
     "dump\n",
     "line 1 (dump): no lookup window was open for it"},
    {"AnswerWithoutABox",
     {"FindAP_Accounts"},
     "answer OK\n",
     "line 1 (answer OK): no message box is waiting to be answered"},
    {"BoxSaysSomethingElse",
     {"FindAP_Accounts"},
     "click cell 1 0\nkey Shift+Down\nclick pbxSelect\nanswer OK \"Everything is fine\"\n",
     "line 4 (answer OK \"Everything is fine\"): the message box says \"Please make only one selection.\", not "
     "\"Everything is fine\""},
};

class ScriptFails : public ::testing::TestWithParam<ScriptFailure> {};

TEST_P(ScriptFails, ReportsTheLineCancelsAndEndsWithStatus3) {
    const ScriptFailure& c = GetParam();
    const Outcome o = runHost(QStringList{"--script", "{script}"} + c.args, QString::fromUtf8(c.script));
    EXPECT_EQ(o.exitCode, 3);
    EXPECT_TRUE(o.err.contains(QStringLiteral("trovex: script ") + QString::fromUtf8(c.message)))
        << o.err.toStdString();
    EXPECT_TRUE(o.out.endsWith(QStringLiteral("Result3=\n"))) << "the call returned: " << o.out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(HostProgram, ScriptFails, ::testing::ValuesIn(ScriptFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HostProgram, MakesTheDemoCompanyOnFirstUseInTheUsersDataFolder) {
    QTemporaryDir data;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    const QString company = data.filePath(QStringLiteral("trovex/demo-company.sqlite"));
    ASSERT_FALSE(QFile::exists(company));

    const Outcome o =
        runHost({"--script", "{script}", "FindAP_Employee"}, QStringLiteral("dump\nclick pbxCancel\n"), env);
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_TRUE(QFile::exists(company));
    EXPECT_EQ(dumped(o.out, QStringLiteral("caption")), QStringLiteral("Sample Company Inc. - Sage Accpac Employees"));
    EXPECT_EQ(QDir(data.filePath(QStringLiteral("trovex"))).entryList(QDir::Files), QStringList{"demo-company.sqlite"})
        << "no half-built copy is left behind";
}

TEST(HostProgram, AScriptRunsWithoutADisplay) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(QString::fromLatin1(name));
    const Outcome o = runHost({"--script", "{script}", "FindAP_Accounts"}, QStringLiteral("dblclick row 1\n"), env);
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_TRUE(o.out.startsWith(QStringLiteral("Result1=1000\n"))) << o.out.toStdString();
}

}  // namespace
}  // namespace lookup::tests
