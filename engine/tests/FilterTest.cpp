// What each load, move and search asks of the view, word for word: the
// filter and direction of every browse, the values put before it, and the
// key numbers set; a search turns a field, a condition and a text into a
// LIKE filter.
#include <QRegularExpression>

#include "FinderRig.h"

namespace enginetest {
namespace {

struct FilterCase {
    const char* name;
    const char* prepare;      // FinderPrepare
    const char* seedPrepare;  // FinderSeedPrepare
    Act setup, act;           // after the first load; the operation looked at
    QStringList browses;      // each as "asc"/"desc", the filter and [the values put]
    int orders = 0;           // loads set the key number; moves keep the one the load set
};

class BrowseFilters : public ::testing::TestWithParam<FilterCase> {};

TEST_P(BrowseFilters, AreHandedToTheViewExactly) {
    const FilterCase& c = GetParam();
    FinderRig rig;
    rig.finder.FinderPrepare = c.prepare;
    rig.finder.FinderSeedPrepare = c.seedPrepare;
    rig.prepare();
    if (c.setup) c.setup(rig);
    rig.log->clear();
    c.act(rig);
    QStringList browses;
    for (const testsupport::ViewCall& b : rig.log->of(ViewOp::Browse))
        browses << (b.flag ? "asc " : "desc ") + b.text + (b.puts.isEmpty() ? "" : " [" + b.puts.join(", ") + "]");
    EXPECT_EQ(browses, c.browses);
    for (const testsupport::ViewCall& order : rig.log->of(ViewOp::Order)) EXPECT_EQ(order.text, "0");
    EXPECT_EQ(rig.log->count(ViewOp::Order), c.orders);
    // Every browse follows ClearRecord and ResetBrowse(False), with at most
    // the key number set in between.
    QString calls;
    for (const testsupport::ViewCall& call : rig.log->calls()) calls += testsupport::opName(call.op)[0];
    EXPECT_EQ(calls.count(QRegularExpression("CRO?B")), calls.count('B')) << rig.log->describe().toStdString();
    for (const testsupport::ViewCall& reset : rig.log->of(ViewOp::ResetBrowse)) EXPECT_FALSE(reset.flag);
}

Act find(const char* field, std::int16_t condition, const char* text) {
    return [=](FinderRig& r) { EXPECT_EQ(r.find(field, condition, text), field); };
}
Act run(int lines, Move move = nullptr) {
    return [=](FinderRig& r) {
        r.lines(lines);
        if (move) (r.finder.*move)();
    };
}
Act start(const char* text) {
    return [=](FinderRig& r) { r.prepare(text); };
}
const QString Max = QStringLiteral(" [EMPLOYEE=ZZZZZZZZZZZZ]");

// The key goes between double quotes, after the current filter and " AND "
// only when there is one; a load at a start value puts a blank before its
// first key condition and brackets the filter after it. A preset value goes
// with the forward moves only. A search reloads under the standing filter
// alone (the seed's filter served the first load only), and paging then
// stays inside the search's result. Outside the item view a field named
// FMTITEMNO is searched under its own name (and the view refuses it).
// clang-format off
INSTANTIATE_TEST_SUITE_P(Operations, BrowseFilters, ::testing::Values(
    FilterCase{"NextBatchThenFillUp", "", "", run(12), run(0, &F::NEXTBATCH),
               {R"(asc EMPLOYEE >= "24")", R"(desc EMPLOYEE < "24")" + Max}},
    FilterCase{"NextBatchUnderAFilter", "STATUS=1", "", nullptr, run(0, &F::NEXTBATCH),
               {R"(asc STATUS=1 AND EMPLOYEE >= "14")"}},
    FilterCase{"PrevBatchThenFillUp", "", "", run(4), run(0, &F::PREVBATCH),
               {R"(desc EMPLOYEE <= "05")" + Max, R"(asc EMPLOYEE > "05")"}},
    FilterCase{"NextLine", "", "", nullptr, run(0, &F::NEXTLINE), {R"(asc EMPLOYEE > "12")"}},
    FilterCase{"PrevLineUnderAFilter", "STATUS = 1", "", run(1), run(0, &F::PREVLINE),
               {R"(desc STATUS = 1 AND EMPLOYEE < "02")" + Max}},
    FilterCase{"GotoBottom", "", "", nullptr, run(0, &F::GOTOBOT), {"desc " + Max}},
    FilterCase{"GotoTopUnderAFilter", "STATUS=1", "", run(0, &F::GOTOBOT), run(0, &F::GOTOTOP), {"asc STATUS=1"}},
    FilterCase{"PresetGoesWithForwardMovesOnly", "", "",
               [](FinderRig& r) { r.finder.SetFieldValue("FULLNAME", QStringLiteral("Someone")); r.lines(13); },
               [](FinderRig& r) {
                   for (Move m : {&F::NEXTLINE, &F::PREVLINE, &F::GOTOTOP, &F::NEXTBATCH, &F::PREVBATCH, &F::GOTOBOT})
                       (r.finder.*m)();
               },
               {R"(asc EMPLOYEE > "25" [FULLNAME=Someone])", R"(desc EMPLOYEE < "15")" + Max, "asc  [FULLNAME=Someone]",
                R"(asc EMPLOYEE >= "12" [FULLNAME=Someone])", R"(desc EMPLOYEE <= "12")" + Max, "desc " + Max}},
    FilterCase{"FirstLoadUnderStandingAndSeedFilters", "STATUS=1", "EMPLOYEE LIKE 1%", nullptr, start(""),
               {"asc STATUS=1 AND EMPLOYEE LIKE 1%"}, 1},
    FilterCase{"FirstLoadUnderABlankStandingFilter", "   ", "EMPLOYEE LIKE 1%", nullptr, start(""),
               {"asc EMPLOYEE LIKE 1%"}, 1},
    FilterCase{"StartValueUnderAFilter", "STATUS=1", "", nullptr, start("28"),
               {"asc STATUS=1", R"(asc  EMPLOYEE >= "28" AND (STATUS=1))",
                R"(desc EMPLOYEE < "28" AND (STATUS=1))" + Max}, 3},
    FilterCase{"StartValue", "", "", nullptr, start("AB"),
               {"asc ", R"(asc  EMPLOYEE >= "AB")", R"(desc EMPLOYEE < "AB")" + Max}, 3},
    FilterCase{"SearchThenPageUnderTheStandingFilterAlone", "STATUS=1", "EMPLOYEE LIKE 1%", nullptr,
               [](FinderRig& r) { find("FULLNAME", 0, "Employee")(r); r.finder.NEXTLINE(); },
               {R"(asc STATUS=1 AND FULLNAME LIKE "Employee%")",
                R"(asc STATUS=1 AND FULLNAME LIKE "Employee%" AND EMPLOYEE > "14")"}, 1},
    FilterCase{"SearchStartsWith", "", "", nullptr, find("FULLNAME", 0, "Employee 1"),
               {R"(asc FULLNAME LIKE "Employee 1%")"}, 1},
    FilterCase{"SearchContains", "", "", nullptr, find("FULLNAME", 1, "ee 2"), {R"(asc FULLNAME LIKE "%ee 2%")"}, 1},
    FilterCase{"AnyOtherConditionContains", "", "", nullptr, find("FULLNAME", 7, "x"),
               {R"(asc FULLNAME LIKE "%x%")"}, 1},
    FilterCase{"SearchTextTrimmedOfBlanksOnly", "", "", nullptr, find("FULLNAME", 0, "  ee\t "),
               {"asc FULLNAME LIKE \"ee\t%\""}, 1},
    FilterCase{"PercentPassesThrough", "", "", nullptr, find("EMPLOYEE", 0, "1%0"), {R"(asc EMPLOYEE LIKE "1%0%")"}, 1},
    FilterCase{"FormattedItemNumberElsewhereKeepsItsName", "", "", nullptr,
               [](FinderRig& r) { testsupport::MessageCapture refusal; find("FMTITEMNO", 0, "A")(r); },
               {R"(asc FMTITEMNO LIKE "A%")"}, 1},
    FilterCase{"BlanksOnlyReloadTheWholeList", "", "", nullptr, find("FULLNAME", 0, "   "), {"asc "}, 1}),
    ByName);
// clang-format on

// In the item view a search on the formatted item number runs on the stored one.
TEST(Search, RunsOnTheStoredItemNumberInTheItemView) {
    FinderRig items{QStringLiteral("IC0310"), {{"ITEMNO", 1500}, {"FMTITEMNO", 1500}, {"DESC", 3000}}};
    items.prepare();
    EXPECT_EQ(items.find(" FMTITEMNO ", 0, "A"), "ITEMNO");
    EXPECT_EQ(items.finder.currentFilter(), R"(ITEMNO LIKE "A%")");
}

}  // namespace
}  // namespace enginetest
