// What each load and move asks of the view, word for word: the filter of
// every browse, its direction, the key put before it, the key number, and
// the reset that precedes it.
#include <gtest/gtest.h>

#include <functional>

#include "FinderRig.h"
#include "tests/support/CallLog.h"

using enginetest::FinderRig;
using testsupport::ViewCall;
using testsupport::ViewOp;

namespace {

const QString Max = QStringLiteral("EMPLOYEE=ZZZZZZZZZZZZ");

struct ExpectedBrowse {
    QString filter;
    bool ascending;
    QStringList puts;
};

struct FilterCase {
    const char* name;
    QString prepare;                        // FinderPrepare
    QString seedPrepare;                    // FinderSeedPrepare
    std::function<void(FinderRig&)> setup;  // after the first load
    std::function<void(FinderRig&)> act;    // the operation whose browses are checked
    std::vector<ExpectedBrowse> browses;
    bool setsOrder;  // loads set the key number; moves browse in the order the load set
};
void PrintTo(const FilterCase& c, std::ostream* os) { *os << c.name; }

void lines(FinderRig& rig, int count) {
    for (int i = 0; i < count; ++i) rig.finder.NEXTLINE();
}

class BrowseFilters : public ::testing::TestWithParam<FilterCase> {};

TEST_P(BrowseFilters, AreHandedToTheViewExactly) {
    const FilterCase& c = GetParam();
    FinderRig rig{QStringLiteral("CP0014"), enginetest::employeeColumns(), 12};
    rig.finder.FinderPrepare = c.prepare;
    rig.finder.FinderSeedPrepare = c.seedPrepare;
    rig.prepare();
    if (c.setup) c.setup(rig);
    rig.log->clear();
    c.act(rig);

    const std::vector<ViewCall> browses = rig.log->of(ViewOp::Browse);
    ASSERT_EQ(browses.size(), c.browses.size()) << rig.log->describe().toStdString();
    for (std::size_t i = 0; i < browses.size(); ++i) {
        EXPECT_EQ(browses[i].text, c.browses[i].filter) << "browse " << i;
        EXPECT_EQ(browses[i].flag, c.browses[i].ascending) << "browse " << i;
        EXPECT_EQ(browses[i].puts, c.browses[i].puts) << "browse " << i;
    }

    // Every browse follows a reset of the view (ClearRecord, then
    // ResetBrowse(False)), with at most the key number set in between.
    const auto& calls = rig.log->calls();
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].op != ViewOp::Browse) continue;
        std::size_t j = i;
        if (j > 0 && calls[j - 1].op == ViewOp::Order) --j;
        ASSERT_GE(j, 2u);
        EXPECT_EQ(calls[j - 2].op, ViewOp::ClearRecord) << rig.log->describe().toStdString();
        EXPECT_EQ(calls[j - 1].op, ViewOp::ResetBrowse) << rig.log->describe().toStdString();
        EXPECT_FALSE(calls[j - 1].flag);
    }
    if (c.setsOrder) {
        for (const ViewCall& order : rig.log->of(ViewOp::Order)) EXPECT_EQ(order.text, "0");
        EXPECT_EQ(rig.log->count(ViewOp::Order), rig.log->count(ViewOp::Browse));
    } else {
        EXPECT_EQ(rig.log->count(ViewOp::Order), 0);
    }
}

void startAt(FinderRig& rig, const char* text) { rig.prepare(QLatin1String(text)); }

INSTANTIATE_TEST_SUITE_P(
    Operations, BrowseFilters,
    ::testing::Values(
        FilterCase{"NextBatchForwardThenFillUp",
                   "",
                   "",
                   [](FinderRig& r) { lines(r, 12); },
                   [](FinderRig& r) { r.finder.NEXTBATCH(); },
                   {{R"(EMPLOYEE >= "24")", true, {}}, {R"(EMPLOYEE < "24")", false, {Max}}},
                   false},
        FilterCase{"NextBatchInsideTheStandingFilter",
                   "STATUS=1",
                   "",
                   nullptr,
                   [](FinderRig& r) { r.finder.NEXTBATCH(); },
                   {{R"(STATUS=1 AND EMPLOYEE >= "14")", true, {}}},
                   false},
        FilterCase{"PrevBatchBackThenFillUp",
                   "",
                   "",
                   [](FinderRig& r) { lines(r, 4); },
                   [](FinderRig& r) { r.finder.PREVBATCH(); },
                   {{R"(EMPLOYEE <= "05")", false, {Max}}, {R"(EMPLOYEE > "05")", true, {}}},
                   false},
        FilterCase{"NextLine",
                   "",
                   "",
                   nullptr,
                   [](FinderRig& r) { r.finder.NEXTLINE(); },
                   {{R"(EMPLOYEE > "12")", true, {}}},
                   false},
        FilterCase{"PrevLineInsideTheStandingFilter",
                   "STATUS = 1",
                   "",
                   [](FinderRig& r) { lines(r, 1); },
                   [](FinderRig& r) { r.finder.PREVLINE(); },
                   {{R"(STATUS = 1 AND EMPLOYEE < "02")", false, {Max}}},
                   false},
        FilterCase{
            "GotoBottom", "", "", nullptr, [](FinderRig& r) { r.finder.GOTOBOT(); }, {{"", false, {Max}}}, false},
        FilterCase{"GotoTopInsideTheStandingFilter",
                   "STATUS=1",
                   "",
                   [](FinderRig& r) { r.finder.GOTOBOT(); },
                   [](FinderRig& r) { r.finder.GOTOTOP(); },
                   {{"STATUS=1", true, {}}},
                   false},
        FilterCase{"FirstFillWithStandingAndSeedFilters",
                   "STATUS=1",
                   "EMPLOYEE LIKE 1%",
                   nullptr,
                   [](FinderRig& r) { r.prepare(); },
                   {{"STATUS=1 AND EMPLOYEE LIKE 1%", true, {}}},
                   true},
        FilterCase{"FirstFillWithBlankStandingFilter",
                   "   ",
                   "EMPLOYEE LIKE 1%",
                   nullptr,
                   [](FinderRig& r) { r.prepare(); },
                   {{"EMPLOYEE LIKE 1%", true, {}}},
                   true},
        FilterCase{"StartValueUnderTheStandingFilter",
                   "STATUS=1",
                   "",
                   nullptr,
                   [](FinderRig& r) { startAt(r, "28"); },
                   {{"STATUS=1", true, {}},
                    {R"( EMPLOYEE >= "28" AND (STATUS=1))", true, {}},
                    {R"(EMPLOYEE < "28" AND (STATUS=1))", false, {Max}}},
                   true},
        FilterCase{"StartValueWithoutFilter",
                   "",
                   "",
                   nullptr,
                   [](FinderRig& r) { startAt(r, "AB"); },
                   {{"", true, {}}, {R"( EMPLOYEE >= "AB")", true, {}}, {R"(EMPLOYEE < "AB")", false, {Max}}},
                   true},
        FilterCase{"PresetValueGoesWithForwardMovesOnly",
                   "",
                   "",
                   [](FinderRig& r) {
                       r.finder.SetFieldValue(QStringLiteral("FULLNAME"), accpac::Variant(QStringLiteral("Someone")));
                       lines(r, 13);
                   },
                   [](FinderRig& r) {
                       r.finder.NEXTLINE();
                       r.finder.PREVLINE();
                       r.finder.GOTOTOP();
                   },
                   {{R"(EMPLOYEE > "25")", true, {"FULLNAME=Someone"}},
                    {R"(EMPLOYEE < "15")", false, {Max}},
                    {"", true, {"FULLNAME=Someone"}}},
                   false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SearchFilters, ReloadUnderTheStandingFilterAloneAfterTheFirstFill) {
    FinderRig rig{QStringLiteral("CP0014"), enginetest::employeeColumns(), 12};
    rig.finder.FinderPrepare = QStringLiteral("STATUS=1");
    rig.finder.FinderSeedPrepare = QStringLiteral("EMPLOYEE LIKE 1%");
    rig.prepare();
    EXPECT_EQ(rig.finder.startFilter(), "STATUS=1");  // the seed served the first fill only
    rig.log->clear();
    QString field = QStringLiteral("FULLNAME");
    std::int16_t condition = 1;
    rig.finder.FindNow(field, condition, QStringLiteral("ee 2"));
    EXPECT_EQ(rig.log->filters(), QStringList{R"(STATUS=1 AND FULLNAME LIKE "%ee 2%")"});
    EXPECT_EQ(rig.finder.currentFilter(), R"(STATUS=1 AND FULLNAME LIKE "%ee 2%")");
    EXPECT_EQ(rig.keys(), enginetest::employeeKeys(21, 24) + enginetest::employeeKeys(26, 29));

    // Paging stays inside the search result.
    rig.log->clear();
    rig.finder.NEXTLINE();  // the batch holds the whole result: nothing to read
    EXPECT_TRUE(rig.log->calls().empty());
}

}  // namespace
