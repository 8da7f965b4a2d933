// Paging through whole views, checked against a naive reference: all the
// keys under the filter, sorted, and the batch as a slice of them. The views
// are the 80 earning/deduction codes under random standing filters (so their
// sizes vary from none to all), shown in grids of random heights. Every move
// must also read no more than a batch and its end tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "FinderRig.h"
#include "tests/support/CallLog.h"
#include "window/frmTrovex.h"

using enginetest::FinderRig;
using testsupport::ViewOp;

namespace {

const std::vector<enginetest::Column> CodeColumns{{"EARNDED", 1500, 1}, {"LONGDESC", 2000, 1}, {"INACTIVE", 1000, 1}};

QString codeKey(int i) { return QStringLiteral("E%1").arg(i, 3, 10, QLatin1Char('0')); }

// One random view: the codes up to a bound, all of them or only the active ones.
struct Scenario {
    int bound = 0;  // codes E001..bound
    bool activeOnly = false;
    int batchRows = 1;

    QString filter() const {
        QString f = QStringLiteral("EARNDED <= \"%1\"").arg(codeKey(bound));
        if (activeOnly) f += QStringLiteral(" AND INACTIVE = 0");
        return f;
    }
    // The reference: every key the filter lets through, in key order.
    QStringList keys() const {
        QStringList all;
        for (int i = 1; i <= std::min(bound, enginetest::CodeCount); ++i)
            if (!activeOnly || i % 3 != 0) all << codeKey(i);
        return all;
    }
    std::string describe() const {
        return QStringLiteral("filter %1, %2 rows a batch").arg(filter()).arg(batchRows).toStdString();
    }
};
void PrintTo(const Scenario& s, std::ostream* os) {
    *os << "codes to " << s.bound << (s.activeOnly ? " active only" : "") << ", " << s.batchRows << " rows";
}

std::vector<Scenario> scenarios() {
    std::mt19937 random(20261205);
    std::vector<Scenario> list;
    // The sizes around a batch are where paging turns; cover them on purpose.
    for (int bound : {0, 1, 2, 11, 12, 13, 24, 25}) list.push_back({bound, false, 12});
    for (int i = 0; i < 24; ++i) {
        Scenario s;
        s.bound = std::uniform_int_distribution<int>(0, enginetest::CodeCount + 5)(random);
        s.activeOnly = std::uniform_int_distribution<int>(0, 1)(random) == 1;
        // A one-row batch cannot page by batches: each begins with the row before.
        s.batchRows = std::uniform_int_distribution<int>(2, 15)(random);
        list.push_back(s);
    }
    return list;
}

class Paging : public ::testing::TestWithParam<Scenario> {
protected:
    void SetUp() override {
        rig.finder.FinderPrepare = GetParam().filter();
        rig.prepare();
        all = GetParam().keys();
        b = GetParam().batchRows;
    }

    // The reference batch that starts at `first`.
    QStringList slice(qsizetype first) const { return all.mid(first, b); }
    qsizetype lastStart() const { return std::max<qsizetype>(0, all.size() - b); }
    QStringList shown() { return all.isEmpty() ? QStringList{""} : slice(0); }

    // Runs one move and checks that it read no more than `maxFetches` records.
    void move(void (engine::Finder::*op)(), int maxFetches) {
        rig.log->clear();
        (rig.finder.*op)();
        EXPECT_LE(rig.log->count(ViewOp::Fetch), maxFetches) << rig.log->describe().toStdString();
        EXPECT_LE(rig.log->count(ViewOp::Browse), 2);
    }

    FinderRig rig{QStringLiteral("CP0007"), CodeColumns, GetParam().batchRows};
    QStringList all;
    int b = 0;
};

TEST_P(Paging, NextBatchThenPrevBatchVisitEveryRecord) {
    SCOPED_TRACE(GetParam().describe());
    ASSERT_EQ(rig.keys(), shown());
    if (all.isEmpty()) return;

    // Forward: each batch begins with the last row of the one before, and
    // the last one ends with the view's last record.
    QStringList seen = rig.keys();
    qsizetype start = 0;
    for (int guard = 0; !rig.finder.atBot() && guard < 200; ++guard) {
        move(&engine::Finder::NEXTBATCH, b + 2);
        start = std::min(start + b - 1, lastStart());
        ASSERT_EQ(rig.keys(), slice(start)) << "forward from " << start;
        ASSERT_EQ(rig.row(), rig.keys().size());
        for (const QString& k : rig.keys())
            if (!seen.contains(k)) seen << k;
    }
    EXPECT_TRUE(rig.finder.atBot());
    EXPECT_EQ(rig.keys().last(), all.last());
    EXPECT_EQ(seen, all);

    // Back: each batch ends with the first row of the one before.
    for (int guard = 0; !rig.finder.atTop() && guard < 200; ++guard) {
        move(&engine::Finder::PREVBATCH, b + 2);
        start = std::max<qsizetype>(0, start - (b - 1));
        ASSERT_EQ(rig.keys(), slice(start)) << "back to " << start;
    }
    EXPECT_TRUE(rig.finder.atTop());
    EXPECT_EQ(rig.keys(), slice(0));
}

TEST_P(Paging, NextLineThenPrevLineStepOneRecordAtATime) {
    SCOPED_TRACE(GetParam().describe());
    if (all.isEmpty()) return;
    qsizetype start = 0;
    while (start + b < all.size()) {
        move(&engine::Finder::NEXTLINE, 2);  // one record and the end test
        ++start;
        ASSERT_EQ(rig.keys(), slice(start));
    }
    // A first batch that held exactly the whole view never read past its end.
    EXPECT_EQ(rig.finder.atBot(), all.size() != b);
    while (start > 0) {
        move(&engine::Finder::PREVLINE, 1);
        --start;
        ASSERT_EQ(rig.keys(), slice(start));
    }
    EXPECT_TRUE(rig.finder.atTop());
}

TEST_P(Paging, BottomAndTopAreOneMoveAway) {
    SCOPED_TRACE(GetParam().describe());
    if (all.isEmpty()) return;
    move(&engine::Finder::GOTOBOT, b + 1);
    EXPECT_EQ(rig.keys(), slice(lastStart()));
    EXPECT_TRUE(rig.finder.atBot());
    move(&engine::Finder::GOTOTOP, b + 1);
    EXPECT_EQ(rig.keys(), slice(0));
    EXPECT_TRUE(rig.finder.atTop());
    EXPECT_EQ(rig.finder.atBot(), all.size() <= b);
}

INSTANTIATE_TEST_SUITE_P(RandomViews, Paging, ::testing::ValuesIn(scenarios()), [](const auto& info) {
    const Scenario& s = info.param;
    return "Case" + std::to_string(info.index) + "_" + std::to_string(s.keys().size()) + "Records_" +
           std::to_string(s.batchRows) + "Rows";
});

}  // namespace
