// Batch navigation over the 30 employees: worked examples of each move and of
// loads at a start value (the grid afterwards, where the selection goes, how
// many records are read), small views, and paging through whole views of
// random sizes in grids of random heights against a naive reference.
#include <algorithm>
#include <random>

#include "FinderRig.h"

namespace enginetest {
namespace {

// Moves that cannot go further return before they ask the view anything.
void expectStill(FinderRig& rig, std::vector<Move> moves) {
    const QStringList before = rig.keys();
    const int row = rig.row();
    rig.log->clear();
    for (Move m : moves) (rig.finder.*m)();
    EXPECT_TRUE(rig.log->calls().empty()) << rig.log->describe().toStdString();
    EXPECT_EQ(rig.keys(), before);
    EXPECT_EQ(rig.row(), row);
}

// NEXTBATCH near the end reads 24..30 and the end test, then 23..19 and one
// more downwards; PREVBATCH near the start 05..01 and the end test, then
// 06..12 and one more. A load at a start value reads the top record, then
// forward a batch and one more, back what is missing and one more, and a
// last record. Above every key the forward pass finds nothing and leaves
// the bottom row's key as empty as the cleared bottom key: the grid counts
// as the bottom. Three after the start, the last fetch went downwards and
// found a record, so the bottom stays unknown. (A first load of exactly one
// batch, which does not know the bottom, is among the views paged below.)
TEST(Navigation, WorkedExamples) {
    struct {
        const char* name;
        int batchRows;
        const char* start;     // the start value of the load looked at
        int lines, select;     // before a move: NEXTLINE so many times, then a click on that row
        Move move;             // the move looked at, after a first load; nullptr: a load at `start`
        int first, last, row;  // the employees shown afterwards and the row selected
        int fetches;           // the records read, end tests included
        bool atTop, atBot;
    } const examples[] = {
        // clang-format off
        {"NextBatchNearTheEnd", 12, "", 12, 1, &F::NEXTBATCH, 19, 30, 12, 8 + 6, false, true},
        {"PrevBatchNearTheStart", 12, "", 4, 1, &F::PREVBATCH, 1, 12, 1, 6 + 8, true, false},
        {"NextLineKeepsTheSelectionOnItsRecord", 12, "", 0, 5, &F::NEXTLINE, 2, 13, 4, 2, false, false},
        {"NextLineFromTheFirstRowSelectsNothing", 12, "", 0, 1, &F::NEXTLINE, 2, 13, 1, 2, false, false},
        {"PrevLineMovesTheSelectionWithItsRecord", 12, "", 12, 5, &F::PREVLINE, 12, 23, 6, 1, false, false},
        {"PrevLineOnTheLastRowStaysThere", 12, "", 12, 12, &F::PREVLINE, 12, 23, 12, 1, false, false},
        {"StartAboveEveryKey", 12, "99", 0, 0, nullptr, 19, 30, 12, 1 + 1 + 13 + 1, false, true},
        {"StartWithThreeAfterIt", 10, "28", 0, 0, nullptr, 21, 30, 8, 1 + 4 + 8 + 1, false, false},
        {"StartWithPlentyAfterIt", 12, "05", 0, 0, nullptr, 5, 16, 1, 1 + 13 + 1, false, false},
        {"StartBetweenTwoKeys", 12, "05A", 0, 0, nullptr, 6, 17, 1, 1 + 13 + 1, false, false},
        {"StartBelowEveryKey", 12, "0", 0, 0, nullptr, 1, 12, 1, 1 + 13 + 1, true, false},
        // clang-format on
    };
    for (const auto& e : examples) {
        SCOPED_TRACE(e.name);
        FinderRig rig{QStringLiteral("CP0014"), EmployeeColumns, e.batchRows};
        if (e.move) {
            rig.prepare();
            rig.lines(e.lines);
            rig.grid().setRow(e.select);
            rig.grid().setRowSel(e.select);
        }
        rig.log->clear();
        e.move ? (rig.finder.*e.move)() : rig.prepare(e.start);
        EXPECT_EQ(rig.keys(), keys(e.first, e.last));
        EXPECT_EQ(rig.row(), e.row);
        EXPECT_EQ(rig.grid().RowSel(), e.row);
        EXPECT_EQ(rig.log->count(ViewOp::Fetch), e.fetches) << rig.log->describe().toStdString();
        EXPECT_EQ(rig.finder.atTop(), e.atTop);
        EXPECT_EQ(rig.finder.atBot(), e.atBot);
        EXPECT_EQ(rig.finder.FinderResult1 + "|" + rig.finder.FinderResult2, e.start + QString("|"));
    }
}

// One view checked against the reference: the employees up to a bound, all
// or only those of STATUS 1 (none at all: an empty view), in a grid of
// `rows` rows (at least two: with one, each batch would begin with the row
// before). Every move that cannot go further reads nothing.
struct Scenario {
    int bound, rows;
    bool activeOnly = false;
};
void PrintTo(const Scenario& s, std::ostream* os) { *os << s.bound << (s.activeOnly ? " active, " : ", ") << s.rows; }

std::vector<Scenario> scenarios() {
    // The sizes around a batch are where paging turns; cover them on purpose.
    std::vector<Scenario> list{{0, 6}, {1, 6}, {5, 6}, {6, 6}, {7, 6}, {12, 6}, {13, 6}};
    std::mt19937 random(20261205);
    for (int i = 0; i < 20; ++i) list.push_back({int(random() % 33), int(2 + random() % 9), random() % 2 == 1});
    return list;
}

class Paging : public ::testing::TestWithParam<Scenario> {
protected:
    void SetUp() override {
        for (int i = 1; i <= std::min(GetParam().bound, 30); ++i)
            if (!GetParam().activeOnly || i % 5) all << keys(i, i);
        rig.finder.FinderPrepare = QStringLiteral("EMPLOYEE <= \"%1\"").arg(GetParam().bound, 2, 10, QChar('0')) +
                                   (GetParam().activeOnly ? " AND STATUS = 1" : "");
        rig.prepare();
        ASSERT_EQ(rig.keys(), slice(0));
        // An empty view shows one empty row, current, and leaves the thumb nowhere to go.
        EXPECT_TRUE(!all.isEmpty() || (rig.row() == 1 && rig.finder.form().ScrollBar1.Max() == 0));
    }
    // The reference batch that starts at `first`; an empty view shows one empty row.
    QStringList slice(qsizetype first) const { return all.isEmpty() ? QStringList{""} : all.mid(first, b); }
    // Runs one move, which reads at most `maxFetches` records with at most two browses.
    void move(Move op, int maxFetches) {
        rig.log->clear();
        (rig.finder.*op)();
        EXPECT_LE(rig.log->count(ViewOp::Fetch), maxFetches) << rig.log->describe().toStdString();
        EXPECT_LE(rig.log->count(ViewOp::Browse), 2);
    }

    QStringList all;
    const int b = GetParam().rows;
    FinderRig rig{QStringLiteral("CP0014"), EmployeeColumns, b};
};

TEST_P(Paging, BatchByBatchThereAndBack) {
    // Forward each batch begins with the last row of the one before; back
    // each ends with the first row of the one before.
    qsizetype start = 0;
    for (int guard = 0; !rig.finder.atBot() && guard < 40; ++guard) {
        move(&F::NEXTBATCH, b + 2);
        start = std::min(start + b - 1, std::max<qsizetype>(0, all.size() - b));
        ASSERT_EQ(rig.keys(), slice(start)) << "forward from " << start;
        ASSERT_EQ(rig.row(), rig.keys().size());
    }
    EXPECT_EQ(rig.keys().last(), all.value(all.size() - 1));
    expectStill(rig, {&F::GOTOBOT, &F::NEXTBATCH, &F::NEXTLINE});
    for (int guard = 0; !rig.finder.atTop() && guard < 40; ++guard) {
        move(&F::PREVBATCH, b + 2);
        start = std::max<qsizetype>(0, start - (b - 1));
        ASSERT_EQ(rig.keys(), slice(start)) << "back to " << start;
    }
    EXPECT_EQ(start, 0);
    expectStill(rig, {&F::GOTOTOP, &F::PREVBATCH, &F::PREVLINE});
}

TEST_P(Paging, LineByLineThereAndBackAndEachEndInOneMove) {
    qsizetype start = 0;
    for (; start + b < all.size(); ++start) {
        move(&F::NEXTLINE, 2);  // one record and the end test
        ASSERT_EQ(rig.keys(), slice(start + 1));
    }
    EXPECT_EQ(rig.finder.atBot(), all.size() != b);  // a full first batch never read past its end
    for (; start > 0; --start) {
        move(&F::PREVLINE, 1);
        ASSERT_EQ(rig.keys(), slice(start - 1));
    }
    EXPECT_TRUE(rig.finder.atTop());
    move(&F::NEXTLINE, 2);  // from the edge keys the moves back left
    EXPECT_EQ(rig.keys(), slice(all.size() > b ? 1 : 0));
    move(&F::GOTOBOT, b + 1);
    EXPECT_EQ(rig.keys(), slice(std::max<qsizetype>(0, all.size() - b)));
    EXPECT_TRUE(rig.log->calls().empty() || rig.row() == rig.keys().size());  // a move selects the last row
    EXPECT_TRUE(rig.finder.atBot());
    move(&F::GOTOTOP, b + 1);
    EXPECT_EQ(rig.keys(), slice(0));
    EXPECT_TRUE(rig.finder.atTop());
}

INSTANTIATE_TEST_SUITE_P(RandomViews, Paging, ::testing::ValuesIn(scenarios()));

}  // namespace
}  // namespace enginetest
