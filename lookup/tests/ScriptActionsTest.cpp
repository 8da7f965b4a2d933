// The script's actions reach the window as a person's would: each test
// drives a real lookup window and checks what the action changed there.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "LookupRig.h"
#include "TestSession.h"
#include "lookup/Trovex.h"

namespace lookup::tests {
namespace {

const QString Registry = QStringLiteral("LookupActions");

LookupRun documents(const QString& script) {
    Trovex trovex;
    return runLookup([&] { trovex.FindAP_Documents(testSession(), Registry, 0, QStringLiteral("1200"), 0); }, script);
}

QString dumpedValue(const LookupRun& run, int dump, const QString& name) {
    for (const QString& line : run.dumps.value(dump).split(u'\n'))
        if (line.startsWith(name + u'=')) return line.mid(name.size() + 1);
    return QString();
}

TEST(ScriptActions, PageDownInTheTrackShowsTheNextBatchOverlappingByOneRow) {
    const LookupRun run = documents(QStringLiteral("click ScrollBar1 pagedown\nsnapshot\nclick pbxCancel"));
    ASSERT_EQ(run.failure, QString());
    ASSERT_EQ(run.windows.size(), 2u);
    const QStringList first = run.windows[0].column(0), second = run.windows[1].column(0);
    EXPECT_EQ(second.first(), first.last()) << "the batch begins with the old last row";
    EXPECT_EQ(run.windows[1].scrollValue, 50) << "a batch in the middle of the view";
}

TEST(ScriptActions, AutoSearchSearchesOnEveryTypedLetter) {
    // Auto search on, then typing into the search box: the grid reloads under
    // "starts with" on the document number. Unchecked again before closing,
    // as the option is remembered.
    const LookupRun run = documents(
        QStringLiteral("check chkAuto\nclick txtSearch\ntype DN\nsnapshot\nuncheck chkAuto\nclick pbxCancel"));
    ASSERT_EQ(run.failure, QString());
    ASSERT_EQ(run.windows.size(), 2u);
    EXPECT_EQ(run.windows[1].searchText, QStringLiteral("DN"));
    EXPECT_EQ(run.windows[1].currentFilter, QStringLiteral("IDCUST=1200 AND SWPAID=0 AND IDINVC LIKE \"DN%\""));
    for (const QString& key : run.windows[1].column(0)) EXPECT_TRUE(key.startsWith(u"DN")) << key.toStdString();
}

TEST(ScriptActions, AccessKeyPressesFindWithTheChosenColumnAndCondition) {
    const LookupRun run = documents(
        QStringLiteral("choose cboFindDesc \"PO Number\"\nchoose cboCondition #1\nclick txtSearch\ntype 5\nkey Alt+F\n"
                       "snapshot\nclick pbxCancel"));
    ASSERT_EQ(run.failure, QString());
    ASSERT_EQ(run.windows.size(), 2u);
    EXPECT_EQ(run.windows[1].currentFilter, QStringLiteral("IDCUST=1200 AND SWPAID=0 AND IDCUSTPO LIKE \"%5%\""));
}

TEST(ScriptActions, ResizeLaysOutAndHeaderDoubleClickSizesOneColumn) {
    const LookupRun run = documents(QStringLiteral("resize 900 600\ndblclick header 2\ndump\nclick pbxCancel"));
    ASSERT_EQ(run.failure, QString());
    EXPECT_EQ(dumpedValue(run, 0, QStringLiteral("size")), QStringLiteral("900x600"));
    const QStringList widths = dumpedValue(run, 0, QStringLiteral("widths")).split(u',');
    ASSERT_EQ(widths.size(), 13);
    EXPECT_NE(widths[2], QStringLiteral("1700")) << "column 2 was sized to its longest text";
    EXPECT_EQ(widths[3], QStringLiteral("1500")) << "the others keep their declared widths";
    EXPECT_GT(dumpedValue(run, 0, QStringLiteral("rows")).toInt(), 13) << "a taller grid holds a larger batch";
}

TEST(ScriptActions, ScreenshotSavesThePictureOfTheWindow) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("shots/documents.png"));
    const LookupRun run = documents(QStringLiteral("screenshot \"%1\"\nclick pbxCancel").arg(file));
    ASSERT_EQ(run.failure, QString());
    const QImage picture(file);
    ASSERT_FALSE(picture.isNull());
    EXPECT_GT(picture.width(), 300);
}

}  // namespace
}  // namespace lookup::tests
