// What the result properties hold across calls on one instance: empty on a
// fresh instance, kept through a cancelled lookup, written only with
// non-empty cells and then without their outer blanks, Result2 and Result3
// left alone by FindAP_DocNum.
#include <gtest/gtest.h>

#include "LookupRig.h"
#include "TestSession.h"
#include "lookup/Trovex.h"
#include "window/frmTrovex.h"

namespace lookup::tests {
namespace {

const QString Registry = QStringLiteral("LookupResults");

QStringList results(const Trovex& t) { return {t.Result1(), t.Result2(), t.Result3()}; }

TEST(Results, FreshInstanceCancelledStaysEmpty) {
    Trovex trovex;
    const LookupRun run =
        runLookup([&] { trovex.FindAP_Accounts(testSession(), Registry, 0); }, QStringLiteral("click pbxCancel"));
    ASSERT_EQ(run.failure, QString());
    EXPECT_EQ(run.windowsSeen, 1);
    EXPECT_EQ(results(trovex), QStringList({"", "", ""}));
}

TEST(Results, CancelledLookupKeepsTheEarlierChoice) {
    Trovex trovex;
    LookupRun run = runLookup([&] { trovex.FindAP_DistributionCodes(testSession(), Registry, 0); },
                              QStringLiteral("click cell 2 0\nkey Enter"));
    ASSERT_EQ(run.failure, QString());
    const QStringList& row = run.windows.at(0).rows.at(1);
    const QStringList chosen{row[0], row[1], row[3]};
    ASSERT_EQ(results(trovex), chosen);

    // The same instance, another lookup, cancelled: the earlier values stay.
    run = runLookup([&] { trovex.FindAP_Accounts(testSession(), Registry, 0); }, QStringLiteral("click pbxCancel"));
    ASSERT_EQ(run.failure, QString());
    EXPECT_EQ(results(trovex), chosen);
}

TEST(Results, DocNumHandsBackTheDocumentNumberOnly) {
    Trovex trovex;
    trovex.setResult2(QStringLiteral("kept 2"));
    trovex.setResult3(QStringLiteral("kept 3"));
    const LookupRun run = runLookup([&] { trovex.FindAP_DocNum(testSession(), Registry, 0, QStringLiteral("1200")); },
                                    QStringLiteral("dblclick row 2"));
    ASSERT_EQ(run.failure, QString());
    const QStringList& row = run.windows.at(0).rows.at(1);
    ASSERT_FALSE(row[1].isEmpty()) << "the payment number is shown, and still not handed back";
    EXPECT_EQ(results(trovex), QStringList({row[0], "kept 2", "kept 3"}));
}

// Grid cells come trimmed from the engine; the copy-back rule still stands
// on its own: the cells here are rewritten with blanks before the selection.
TEST(Results, BlanksAreTrimmedOnlyAfterTheEmptinessTest) {
    Trovex trovex;
    trovex.setResult3(QStringLiteral("earlier 3"));
    const LookupRun run = runLookup([&] { trovex.FindAP_DistributionCodes(testSession(), Registry, 0); },
                                    QStringLiteral("dblclick row 1"),
                                    [](window::frmTrovex& w) {
                                        w.FinderGrid.setTextMatrix(1, 0, QStringLiteral("  A1  "));
                                        w.FinderGrid.setTextMatrix(1, 1, QStringLiteral("   "));
                                        w.FinderGrid.setTextMatrix(1, 3, QString());
                                    });
    ASSERT_EQ(run.failure, QString());
    // Outer blanks go; a cell of blanks is not empty and sets ""; an empty
    // cell leaves the property as it was.
    EXPECT_EQ(results(trovex), QStringList({"A1", "", "earlier 3"}));
}

}  // namespace
}  // namespace lookup::tests
