// The host program trovex as a host or a person runs it: bad command lines
// refused before anything is shown, results printed after every call on one
// instance, message boxes on stderr, failing scripts, the demo company.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Outcome {
    int exitCode = -1;
    std::string out, err;
};

// Runs trovex with `args`; `script` is written to a file whose path replaces
// the word "{script}", or is fed on stdin for "-".
Outcome runHost(QStringList args, const QString& script = QString(),
                const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QTemporaryDir dir;
    QFile file(dir.filePath("script.txt"));
    if (file.open(QIODevice::WriteOnly)) file.write(script.toUtf8());
    file.close();
    args.replaceInStrings("{script}", file.fileName());
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(TROVEX_APP, args);
    if (args.contains("-")) p.write(script.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(120'000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput().toStdString(),
            p.readAllStandardError().toStdString()};
}

// The value of the line "name=value" in the first dump of `out`.
QString dumped(const std::string& out, const QString& name) {
    for (const QString& line : QString::fromStdString(out).split(u'\n'))
        if (line.startsWith(name + u'=')) return line.mid(name.size() + 1);
    return QString();
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Bad command lines and scripts are refused before any call runs (status 2,
// or 1 without a company); a script that fails on the way is reported with
// its line, cancels the rest and ends with status 3 after the calls returned.
TEST(HostProgram, RefusesBadCallsAndReportsFailingScripts) {
    const struct {
        QStringList args;
        int exitCode;
        const char* message;  // part of stderr
        const char* script = "dump\nfly away\n";
    } cases[] = {
        {{"FindAP_Nothing"}, 2, "unknown method \"FindAP_Nothing\"; the methods are FindAP_Employee"},
        {{"FindAP_Documents", "1200", "x"}, 2, "argument pIndex: \"x\" is not a whole number from -32768 to 32767"},
        {{"FindAP_TaxClass", "GST", "maybe"}, 2, "argument pDocTax: \"maybe\" is not true, false"},
        {{"FindAP_DocNum"}, 2, "FindAP_DocNum: missing argument pCustID"},
        {{"FindAP_Accounts", ";"}, 2, "an empty call"},
        {{"FindAP_Accounts", ";", "FindAP_Nope"}, 2, "unknown method \"FindAP_Nope\""},
        {{"--colour", "FindAP_Accounts"}, 2, "unknown option --colour"},
        {{"--script", "{script}", "FindAP_Accounts"}, 2, "line 2: unknown action \"fly\""},
        {{"--company", "/nonexistent/company.trovex", "FindAP_Accounts"}, 1, "cannot open the company"},
        {{"--script", "{script}", "FindAP_TaxClass", "GST"},
         3,
         "trovex: script line 1 (click cell 99 0): the grid has no cell 99, 0",
         "click cell 99 0\ndump\n"},
        {{"--script", "{script}", "FindAP_OrderByInfo", "-1", "1200"},
         3,
         "trovex: script line 1 (dump): no lookup window was open for it",
         "dump\n"},
        {{"--script", "{script}", "FindAP_Accounts"},
         3,
         "trovex: script line 4 (answer OK \"Everything is fine\"): the message box says \"Please make only one "
         "selection.\", not \"Everything is fine\"",
         "click cell 1 0\nkey Shift+Down\nclick pbxSelect\nanswer OK \"Everything is fine\"\n"},
    };
    for (const auto& c : cases) {
        const Outcome o = runHost(c.args, c.script);
        EXPECT_EQ(o.exitCode, c.exitCode) << o.err;
        EXPECT_TRUE(has(o.err, c.message)) << o.err;
        EXPECT_EQ(o.out, c.exitCode == 3 ? "Result1=\nResult2=\nResult3=\n" : "") << "the calls that ran";
    }
}

TEST(HostProgram, OneInstanceServesEveryCallAndKeepsResultsAcrossACancel) {
    // Row 2 selected in the first lookup, the second cancelled: the same
    // results print twice. The third call's window never opens (pIndex 6).
    const Outcome o = runHost({"--script", "{script}", "FindAP_Accounts", ";", "FindAP_DistributionCodes", ";",
                               "FindAP_OrderByInfo", "6", "1200"},
                              "dump\nclick cell 2 0\nkey Enter\nclick pbxCancel\n");
    ASSERT_EQ(o.exitCode, 0) << o.err;
    const QStringList row2 = dumped(o.out, "row2").split(u'\t');
    ASSERT_GE(row2.size(), 2);
    const std::string results =
        QStringLiteral("Result1=%1\nResult2=%2\nResult3=\n").arg(row2[0], row2[1]).toStdString();
    EXPECT_EQ(o.out.substr(o.out.find("Result1=")), results + results + results);
}

TEST(HostProgram, MessageBoxesGoToStderrAsOneLineAndTheScriptAnswersThem) {
    // A customer number that breaks the standing filter: the engine reports
    // it; then two rows selected at once: the selection warning.
    const Outcome o = runHost({"--script", "-", "FindAP_Documents", "1200 OR", "0", ";", "FindAP_Accounts"},
                              "click pbxCancel\nclick cell 1 0\nkey Shift+Down\nclick pbxSelect\n"
                              "answer OK \"Please make only one selection.\"\n");
    ASSERT_EQ(o.exitCode, 0) << o.err;
    EXPECT_TRUE(has(o.err, "[Sage Accpac Finder Error] ")) << o.err;
    EXPECT_TRUE(has(o.err, "\\r\\n\\nIn Procedure: clsFinder.FillFinderGrid.\\r\\n\\n")) << o.err;
    EXPECT_TRUE(has(o.err, "\n[Invalid Selection] Please make only one selection.\n")) << o.err;
    EXPECT_EQ(o.out, "Result1=\nResult2=\nResult3=\nResult1=\nResult2=\nResult3=\n");
}

// Names outside ASCII reach the search box whole, as from a keyboard:
// accented letters, a currency sign and an emoji (two UTF-16 halves in one key).
TEST(HostProgram, TypesAnyTextIntoTheSearchBox) {
    const QString typed = QStringLiteral("Zürich élan € ü é 😀");
    const Outcome o = runHost({"--script", "{script}", "FindAP_Accounts"},
                              QStringLiteral("click txtSearch\ntype \"%1\"\ndump\nclick pbxCancel\n").arg(typed));
    ASSERT_EQ(o.exitCode, 0) << o.err;
    EXPECT_EQ(dumped(o.out, "txtSearch"), typed);
}

// No display, and the program's data (the demo company) in `data`.
QProcessEnvironment withoutDisplay(const QTemporaryDir& data) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(name);
    env.insert("XDG_DATA_HOME", data.path());
    return env;
}

// Without a display: help and bad calls as anywhere, and a lookup without a
// script refused with the reason, before any company is opened or made.
TEST(HostProgram, WithoutADisplayHelpsAndRefusesAWindowItCannotShow) {
    QTemporaryDir data;
    const QProcessEnvironment env = withoutDisplay(data);
    const Outcome help = runHost({"--help"}, QString(), env);
    EXPECT_EQ(help.exitCode, 0) << help.err;
    EXPECT_TRUE(has(help.out, "usage: trovex ")) << help.out;
    EXPECT_TRUE(has(help.out, "\n  FindAP_Documents ")) << help.out;

    const Outcome bad = runHost({"FindAP_Nothing"}, QString(), env);
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(has(bad.err, "unknown method \"FindAP_Nothing\"")) << bad.err;

    const Outcome window = runHost({"FindAP_Accounts"}, QString(), env);
    EXPECT_EQ(window.exitCode, 2);
    EXPECT_TRUE(has(window.err, "trovex: no display to show the lookup window on")) << window.err;
    EXPECT_EQ(window.out, "");
    EXPECT_FALSE(QDir(data.filePath("trovex")).exists()) << "no demo company made for a window never shown";
}

TEST(HostProgram, MakesTheDemoCompanyOnFirstUseAndRunsWithoutADisplay) {
    QTemporaryDir data;
    const QProcessEnvironment env = withoutDisplay(data);
    const Outcome o = runHost({"--script", "{script}", "FindAP_Employee"}, "dump\ndblclick row 1\n", env);
    ASSERT_EQ(o.exitCode, 0) << o.err;
    EXPECT_EQ(dumped(o.out, "caption"), "Sample Company Inc. - Sage Accpac Employees");
    EXPECT_TRUE(has(o.out, "\nResult1=" + dumped(o.out, "row1").section(u'\t', 0, 0).toStdString() + "\n")) << o.out;
    // Beside the company only its write-ahead log's companions may remain.
    QStringList files = QDir(data.filePath("trovex")).entryList(QDir::Files);
    files.removeAll("demo-company-3.sqlite-wal");
    files.removeAll("demo-company-3.sqlite-shm");
    EXPECT_EQ(files, QStringList{"demo-company-3.sqlite"})
        << "the company is made, and no half-built copy is left behind";
}

}  // namespace
