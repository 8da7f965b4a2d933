// Lookup scripts: bad lines refused with their number, and the actions
// reaching a real lookup window.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "LookupRig.h"
#include "lookup/Trovex.h"
#include "lookup/script/ScriptParser.h"

namespace lookup::script {
namespace {

// Each bad line and part of what is said about it; comments and blank lines count in the numbering.
TEST(ScriptParser, RefusesBadLinesWithTheirNumber) {
    const char* bad[][2] = {
        {"fly away", "unknown action \"fly\""},
        {"key Hyper+X", "unknown key \"Hyper+X\""},
        {"click pbxNothing", "control \"pbxNothing\" is not one of"},
        {"click cell 1", "usage: click cell ROW COLUMN"},
        {"dblclick row 0", "the row must be a whole number from 1"},
        {"choose cboFindby ACCTID", "list \"cboFindby\" is not one of"},
        {"drag ScrollBar1 101", "from 0 to 100"},
        {"answer Cancel", "can only be answered OK"},
        {"type \"half", "no closing \""},
        {"screenshot out/a b.png", "usage: screenshot FILE.png"},
    };
    for (const auto& [line, message] : bad) {
        try {
            parseScript(QStringLiteral("dump\n\n# a comment\n%1\ndump\n").arg(line));
            ADD_FAILURE() << "accepted: " << line;
        } catch (const ScriptError& e) {
            EXPECT_EQ(e.line(), 4) << line;
            EXPECT_TRUE(QString(e.what()).startsWith("line 4: ")) << e.what();
            EXPECT_TRUE(QString(e.what()).contains(message)) << e.what();
        }
    }
}

TEST(ScriptActions, ReachTheWindowAsAPersonsWould) {
    QTemporaryDir dir;
    const QString shot = dir.filePath("shots/documents.png");
    Trovex trovex;
    const tests::LookupRun run = tests::runLookup(
        [&] { trovex.FindAP_Documents(tests::testSession(), "LookupActions", 0, "1200", 0); },
        QStringLiteral(
            "resize 900 600\ndblclick header 2\nsnapshot\nscreenshot \"%1\"\nchoose cboFindDesc \"PO Number\"\n"
            "choose cboCondition #1\nclick txtSearch\ntype 5\nkey Alt+F\nsnapshot\nclick pbxCancel")
            .arg(shot));
    ASSERT_EQ(run.failure, QString());
    ASSERT_EQ(run.windows.size(), 3u);
    const tests::WindowSnapshot &before = run.windows[0], &resized = run.windows[1];
    EXPECT_EQ(resized.size, QSize(900, 600));
    EXPECT_GT(resized.rows.size(), before.rows.size()) << "a taller grid holds a larger batch";
    EXPECT_NE(resized.widths[2], before.widths[2]) << "column 2 was sized to its longest text";
    EXPECT_EQ(resized.widths[3], before.widths[3]) << "the others keep their declared widths";
    EXPECT_GT(QImage(shot).width(), 300);
    // The access key pressed Find with the chosen column and condition.
    EXPECT_EQ(run.windows[2].currentFilter, "IDCUST=1200 AND SWPAID=0 AND IDCUSTPO LIKE \"%5%\"");
}

}  // namespace
}  // namespace lookup::script
