// Batch navigation over 30 employees "01".."30" with 12 rows a batch: the
// grid after each move, where the selection goes, the edge keys, and how
// many records each move reads.
#include <gtest/gtest.h>

#include <functional>

#include "FinderRig.h"
#include "tests/support/CallLog.h"
#include "window/frmTrovex.h"

using enginetest::employeeKeys;
using enginetest::FinderRig;
using testsupport::ViewOp;

namespace {

class Navigation : public ::testing::Test {
protected:
    void SetUp() override {
        rig.prepare();
        rig.log->clear();
    }

    // Moves the batch forward one record at a time until it starts at `first`.
    void lineDownTo(int first) {
        while (rig.keys().first().toInt() < first) rig.finder.NEXTLINE();
        ASSERT_EQ(rig.keys(), employeeKeys(first, first + 11));
        rig.log->clear();
    }

    FinderRig rig{QStringLiteral("CP0014"), enginetest::employeeColumns(), 12};
};

TEST_F(Navigation, FirstFillShowsTheFirstBatchWithItsEdgeKeys) {
    EXPECT_EQ(rig.keys(), employeeKeys(1, 12));
    EXPECT_EQ(rig.row(), 1);
    EXPECT_EQ(rig.finder.topKey(), "01");
    EXPECT_EQ(rig.finder.batchTopKey(), "01");
    EXPECT_EQ(rig.finder.batchBottomKey(), "12");
    EXPECT_EQ(rig.finder.bottomKey(), "");  // the batch was full: the end is not known yet
    EXPECT_TRUE(rig.finder.atTop());
    EXPECT_FALSE(rig.finder.atBot());
}

TEST_F(Navigation, NextBatchNearTheEndFillsUpFromBeforeAndSelectsTheLastRow) {
    lineDownTo(13);
    rig.finder.NEXTBATCH();
    EXPECT_EQ(rig.keys(), employeeKeys(19, 30));
    EXPECT_EQ(rig.row(), 12);
    EXPECT_EQ(rig.grid().RowSel(), 12);
    EXPECT_EQ(rig.finder.bottomKey(), "30");
    EXPECT_EQ(rig.finder.batchTopKey(), "19");
    EXPECT_TRUE(rig.finder.atBot());
    // 24..30 and the end test forward, then 23..19 and one more downwards.
    EXPECT_EQ(rig.log->count(ViewOp::Fetch), 8 + 6) << rig.log->describe().toStdString();
    EXPECT_EQ(rig.log->count(ViewOp::Browse), 2);
}

TEST_F(Navigation, PrevBatchNearTheStartFillsUpFromBehind) {
    lineDownTo(5);
    rig.finder.PREVBATCH();
    EXPECT_EQ(rig.keys(), employeeKeys(1, 12));
    EXPECT_TRUE(rig.finder.atTop());
    EXPECT_EQ(rig.finder.batchBottomKey(), "12");
    // 05..01 and the end test downwards, then 06..12 and one more upwards.
    EXPECT_EQ(rig.log->count(ViewOp::Fetch), 6 + 8) << rig.log->describe().toStdString();
}

TEST_F(Navigation, NextLineKeepsTheSelectionOnItsRecord) {
    rig.selectRow(5);
    rig.finder.NEXTLINE();
    EXPECT_EQ(rig.keys(), employeeKeys(2, 13));
    EXPECT_EQ(rig.row(), 4);
    EXPECT_EQ(rig.grid().TextMatrix(rig.row(), 0), "05");
    EXPECT_EQ(rig.finder.batchTopKey(), "02");
    EXPECT_EQ(rig.finder.batchBottomKey(), "13");
    EXPECT_EQ(rig.log->count(ViewOp::Fetch), 2);  // the record and the end test
}

TEST_F(Navigation, NextLineFromTheFirstRowDoesNotSelect) {
    rig.selectRow(1);
    rig.log->clear();
    int entered = 0;
    rig.grid().EnterCell = [&] { ++entered; };
    rig.finder.NEXTLINE();
    EXPECT_EQ(rig.keys(), employeeKeys(2, 13));
    EXPECT_EQ(entered, 0);
}

TEST_F(Navigation, PrevLineMovesTheSelectionDownWithItsRecord) {
    lineDownTo(13);
    rig.selectRow(5);
    rig.finder.PREVLINE();
    EXPECT_EQ(rig.keys(), employeeKeys(12, 23));
    EXPECT_EQ(rig.row(), 6);
    EXPECT_EQ(rig.grid().TextMatrix(6, 0), "17");
    EXPECT_EQ(rig.finder.batchTopKey(), "12");
    EXPECT_EQ(rig.finder.batchBottomKey(), "23");
    EXPECT_EQ(rig.log->count(ViewOp::Fetch), 1);
}

TEST_F(Navigation, PrevLineOnTheLastRowStaysOnTheLastRow) {
    lineDownTo(13);
    rig.selectRow(12);
    rig.finder.PREVLINE();
    EXPECT_EQ(rig.keys(), employeeKeys(12, 23));
    EXPECT_EQ(rig.row(), 12);
}

TEST_F(Navigation, GotoBottomAndBackToTop) {
    rig.finder.GOTOBOT();
    EXPECT_EQ(rig.keys(), employeeKeys(19, 30));
    EXPECT_EQ(rig.row(), 12);
    EXPECT_EQ(rig.finder.bottomKey(), "30");
    EXPECT_TRUE(rig.finder.atBot());
    EXPECT_EQ(rig.log->count(ViewOp::Fetch), 13);

    rig.log->clear();
    rig.finder.GOTOTOP();
    EXPECT_EQ(rig.keys(), employeeKeys(1, 12));
    EXPECT_TRUE(rig.finder.atTop());
    EXPECT_EQ(rig.finder.bottomKey(), "30");  // once known, the bottom stays known
    EXPECT_EQ(rig.log->count(ViewOp::Fetch), 13);
}

// A move that cannot go further does not touch the view or the grid.
struct StandStill {
    const char* name;
    bool atBottom;  // first go to the bottom of the view
    void (engine::Finder::*move)();
};
void PrintTo(const StandStill& c, std::ostream* os) { *os << c.name; }

class MovesAtAnEdge : public ::testing::TestWithParam<StandStill> {};

TEST_P(MovesAtAnEdge, DoNothing) {
    FinderRig rig{QStringLiteral("CP0014"), enginetest::employeeColumns(), 12};
    rig.prepare();
    if (GetParam().atBottom) rig.finder.GOTOBOT();
    const QStringList before = rig.keys();
    const int row = rig.row();
    rig.log->clear();
    (rig.finder.*GetParam().move)();
    EXPECT_TRUE(rig.log->calls().empty()) << rig.log->describe().toStdString();
    EXPECT_EQ(rig.keys(), before);
    EXPECT_EQ(rig.row(), row);
}

INSTANTIATE_TEST_SUITE_P(Edges, MovesAtAnEdge,
                         ::testing::Values(StandStill{"GotoTopAtTop", false, &engine::Finder::GOTOTOP},
                                           StandStill{"PrevBatchAtTop", false, &engine::Finder::PREVBATCH},
                                           StandStill{"PrevLineAtTop", false, &engine::Finder::PREVLINE},
                                           StandStill{"GotoBottomAtBottom", true, &engine::Finder::GOTOBOT},
                                           StandStill{"NextBatchAtBottom", true, &engine::Finder::NEXTBATCH},
                                           StandStill{"NextLineAtBottom", true, &engine::Finder::NEXTLINE}),
                         [](const auto& info) { return std::string(info.param.name); });

// With the whole view in the grid, every move returns before it asks the view anything.
void expectNoMoveReadsTheView(FinderRig& rig) {
    rig.log->clear();
    for (auto move : {&engine::Finder::GOTOTOP, &engine::Finder::GOTOBOT, &engine::Finder::NEXTBATCH,
                      &engine::Finder::PREVBATCH, &engine::Finder::NEXTLINE, &engine::Finder::PREVLINE})
        (rig.finder.*move)();
    EXPECT_TRUE(rig.log->calls().empty()) << rig.log->describe().toStdString();
}

TEST(SmallViews, ExactlyOneBatchLeavesTheBottomUnknownUntilAMoveFindsIt) {
    FinderRig rig{QStringLiteral("CP0014"), enginetest::employeeColumns(), enginetest::EmployeeCount};
    rig.prepare();
    EXPECT_EQ(rig.keys(), employeeKeys(1, 30));
    EXPECT_EQ(rig.finder.bottomKey(), "");

    rig.log->clear();
    rig.finder.NEXTLINE();  // nothing after the last row: nothing changes
    EXPECT_EQ(rig.keys(), employeeKeys(1, 30));
    EXPECT_EQ(rig.finder.bottomKey(), "");
    EXPECT_EQ(rig.log->count(ViewOp::Fetch), 1);

    rig.finder.NEXTBATCH();  // reads the last row alone, learns the bottom, fills up from before
    EXPECT_EQ(rig.keys(), employeeKeys(1, 30));
    EXPECT_EQ(rig.finder.bottomKey(), "30");
    EXPECT_TRUE(rig.finder.atBot());
}

TEST(SmallViews, FewerRecordsThanABatchFitAndNoMoveReadsTheView) {
    FinderRig rig{QStringLiteral("CP0014"), enginetest::employeeColumns(), 40};
    rig.prepare();
    EXPECT_EQ(rig.keys(), employeeKeys(1, 30));
    EXPECT_EQ(rig.finder.topKey(), rig.finder.batchTopKey());
    EXPECT_EQ(rig.finder.bottomKey(), "30");
    EXPECT_TRUE(rig.finder.atTop() && rig.finder.atBot());
    expectNoMoveReadsTheView(rig);
}

// An empty view, and a standing filter that matches nothing, look the same.
struct EmptyCase {
    const char* name;
    const char* viewId;
    const char* prepare;  // the standing filter
};
void PrintTo(const EmptyCase& c, std::ostream* os) { *os << c.name; }

class EmptyResult : public ::testing::TestWithParam<EmptyCase> {};

TEST_P(EmptyResult, ShowsOneEmptyRowAndNoMoveReadsTheView) {
    const auto [name, viewId, prepare] = GetParam();
    const std::vector<enginetest::Column> segmentColumns{{"SEGVAL", 1500, 1}, {"SEGVALDESC", 3000, 1}};
    FinderRig rig{QLatin1String(viewId),
                  QLatin1String(viewId) == QLatin1String("GL0021") ? segmentColumns : enginetest::employeeColumns(),
                  12};
    rig.finder.FinderPrepare = QLatin1String(prepare);
    rig.prepare();
    EXPECT_EQ(rig.keys(), QStringList{""});
    EXPECT_EQ(rig.row(), 1);
    EXPECT_EQ(rig.finder.topKey(), "");
    EXPECT_EQ(rig.finder.bottomKey(), "");
    EXPECT_EQ(rig.finder.batchTopKey(), "");
    EXPECT_EQ(rig.finder.batchBottomKey(), "");
    EXPECT_TRUE(rig.finder.atTop() && rig.finder.atBot());
    EXPECT_EQ(rig.finder.form().ScrollBar1.Max(), 0);  // the load ended with updateScroll
    expectNoMoveReadsTheView(rig);
}

INSTANTIATE_TEST_SUITE_P(Views, EmptyResult,
                         ::testing::Values(EmptyCase{"EmptyView", "GL0021", ""},
                                           EmptyCase{"FilterMatchingNothing", "CP0014", "EMPLOYEE > \"99\""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SmallViews, GridLowerThanARowShowsNoRecord) {
    FinderRig rig{QStringLiteral("CP0014"), enginetest::employeeColumns(), 0};
    rig.finder.form().FinderGrid.setHeight(200);
    rig.prepare();
    EXPECT_EQ(rig.finder.visibleRows(), 0);
    EXPECT_EQ(rig.finder.batchRows(), 0);
    EXPECT_EQ(rig.keys(), QStringList{""});
    EXPECT_EQ(rig.finder.bottomKey(), "");
}

// Loads placed at a start value typed in the search box.
struct StartCase {
    const char* name;
    const char* start;
    int batchRows;
    int first, last;  // the employees the grid shows
    int selected;     // the row selected
};
void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }

class StartWith : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartWith, PlacesTheBatchAndSelectsTheFirstRecordAtOrAfterTheStart) {
    const StartCase& c = GetParam();
    FinderRig rig{QStringLiteral("CP0014"), enginetest::employeeColumns(), c.batchRows};
    rig.prepare(QLatin1String(c.start));
    EXPECT_EQ(rig.keys(), employeeKeys(c.first, c.last));
    EXPECT_EQ(rig.row(), c.selected);
    EXPECT_EQ(rig.grid().RowSel(), c.selected);
    EXPECT_EQ(rig.finder.topKey(), "01");  // the view's first record, whatever the start
    EXPECT_EQ(rig.finder.batchTopKey(), employeeKeys(c.first, c.first).first());
    EXPECT_EQ(rig.finder.FinderResult1, QLatin1String(c.start));
    EXPECT_EQ(rig.finder.FinderResult2, "");
    // Forward: a batch and one more at the most; back: the rest of a batch
    // and one more; and the end test.
    EXPECT_LE(rig.log->count(ViewOp::Fetch), 1 + (c.batchRows + 1) + (c.batchRows + 1) + 1);
}

INSTANTIATE_TEST_SUITE_P(Starts, StartWith,
                         ::testing::Values(StartCase{"AboveEveryKey", "99", 12, 19, 30, 12},
                                           StartCase{"ThreeAfterIt", "28", 10, 21, 30, 8},
                                           StartCase{"PlentyAfterIt", "05", 12, 5, 16, 1},
                                           StartCase{"BetweenTwoKeys", "05A", 12, 6, 17, 1},
                                           StartCase{"BelowEveryKey", "0", 12, 1, 12, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StartWithEdges, AboveEveryKeyReachesTheBottom) {
    FinderRig rig{QStringLiteral("CP0014"), enginetest::employeeColumns(), 12};
    rig.prepare(QStringLiteral("99"));
    // Nothing at or after the start value: the forward pass left the bottom
    // row's key empty, as the cleared bottom key is, so the grid is at the bottom.
    EXPECT_TRUE(rig.finder.atBot());
    EXPECT_FALSE(rig.finder.atTop());
    rig.log->clear();
    rig.finder.PREVBATCH();
    EXPECT_EQ(rig.keys(), employeeKeys(8, 19));
}

}  // namespace
