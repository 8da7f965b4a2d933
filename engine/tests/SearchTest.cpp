// Search: the lists PrepareFinder offers (text columns only), the presets of
// the search controls, the silent end on a list position that does not
// exist, and the LIKE filters FindNow builds from a field, a condition and
// a search text.
#include <gtest/gtest.h>

#include "FinderRig.h"
#include "tests/support/CallLog.h"
#include "tests/support/MessageCapture.h"
#include "window/frmTrovex.h"

using enginetest::employeeKeys;
using enginetest::FinderRig;
using testsupport::ViewOp;

namespace {

QStringList listOf(const window::ComboList& list) {
    QStringList items;
    for (int i = 0; i < list.ListCount(); ++i) items << list.List(i);
    return items;
}

TEST(PrepareFinder, OffersTheTextColumnsOnlyAndSetsTheControlsToTheirDefaults) {
    FinderRig rig{QStringLiteral("CP0014"), enginetest::employeeColumns(), 12};
    window::frmTrovex& f = rig.finder.form();
    f.txtSearch.setText(QStringLiteral("left over"));
    f.pbxFind.setEnabled(false);
    f.scrollbarFocus = -1;
    f.scrollkey = -1;
    rig.prepare();
    EXPECT_EQ(listOf(f.cboFindby), (QStringList{"EMPLOYEE", "FULLNAME"}));
    EXPECT_EQ(listOf(f.cboFindDesc), (QStringList{"Employee Number", "Full Name"}));
    EXPECT_EQ(f.cboFindby.ListIndex(), 0);
    EXPECT_EQ(f.cboFindDesc.ListIndex(), 0);
    EXPECT_EQ(listOf(f.cboCondition), (QStringList{"Starts with", "Contains"}));
    EXPECT_EQ(f.cboCondition.ListIndex(), 0);
    EXPECT_EQ(f.txtSearch.Text(), "");
    EXPECT_TRUE(f.pbxFind.Enabled());
    EXPECT_EQ(f.scrollbarFocus, 0);
    EXPECT_EQ(f.scrollkey, 0);
    EXPECT_EQ(f.FinderGrid.Cols(), int(enginetest::employeeColumns().size()));

    // A second layout builds the lists afresh, not on top of the first.
    rig.prepare();
    EXPECT_EQ(listOf(f.cboFindby), (QStringList{"EMPLOYEE", "FULLNAME"}));
}

TEST(PrepareFinder, SkipFirstLeavesTheKeyColumnOutOfTheSearch) {
    FinderRig rig{QStringLiteral("CP0014"), enginetest::employeeColumns(), 12};
    rig.finder.SkipFirst = -1;
    rig.prepare();
    EXPECT_EQ(listOf(rig.finder.form().cboFindby), QStringList{"FULLNAME"});
}

TEST(PrepareFinder, SeedPresetOnePutsTheSeedInTheSearchBox) {
    FinderRig rig{QStringLiteral("CP0014"), enginetest::employeeColumns(), 12};
    rig.finder.FinderDefault = 1;
    rig.finder.FinderSeed = QStringLiteral(" 1");
    rig.prepare();
    EXPECT_EQ(rig.finder.form().txtSearch.Text(), " 1");
    EXPECT_EQ(rig.finder.form().cboFindDesc.ListIndex(), 0);
    EXPECT_EQ(rig.keys(), employeeKeys(1, 12));  // the first layout's search box was empty
}

// The fourth text column with "Contains", when there is one; without it the
// preparation ends silently before the first load.
struct SeedTwo {
    const char* name;
    std::vector<enginetest::Column> columns;
    bool loads;
};
void PrintTo(const SeedTwo& c, std::ostream* os) { *os << c.name; }

class SeedPresetTwo : public ::testing::TestWithParam<SeedTwo> {};

TEST_P(SeedPresetTwo, ChoosesTheFourthFieldAndContainsOrEndsSilently) {
    FinderRig rig{QStringLiteral("CP0014"), GetParam().columns, 12};
    rig.finder.FinderDefault = 2;
    rig.finder.FinderSeed = QStringLiteral("First");
    testsupport::MessageCapture boxes;
    rig.log->clear();
    rig.prepare();
    window::frmTrovex& f = rig.finder.form();
    EXPECT_TRUE(boxes.texts().isEmpty());
    EXPECT_EQ(rig.log->count(ViewOp::Browse), GetParam().loads ? 1 : 0);
    if (GetParam().loads) {
        EXPECT_EQ(f.cboFindDesc.ListIndex(), 3);
        EXPECT_EQ(f.cboFindby.List(f.cboFindby.ListIndex()), "FIRSTNAME");  // the window keeps the two lists together
        EXPECT_EQ(f.cboCondition.ListIndex(), 1);
        EXPECT_EQ(f.txtSearch.Text(), "First");
        EXPECT_EQ(rig.finder.startFilter(), "");
    } else {
        EXPECT_EQ(f.cboCondition.ListIndex(), 0);
        EXPECT_EQ(f.txtSearch.Text(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Columns, SeedPresetTwo,
    ::testing::Values(SeedTwo{"FourTextColumns",
                              {{"EMPLOYEE", 1500, 1},
                               {"FULLNAME", 2000, 1},
                               {"LASTNAME", 1500, 1},
                               {"FIRSTNAME", 1500, 1},
                               {"HIREDATE", 1000, 1}},
                              true},
                      SeedTwo{
                          "ThreeTextColumns",
                          {{"EMPLOYEE", 1500, 1}, {"FULLNAME", 2000, 1}, {"LASTNAME", 1500, 1}, {"HIREDATE", 1000, 1}},
                          false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrepareFinder, WithoutATextColumnEndsSilentlyBeforeTheFirstLoad) {
    FinderRig rig{QStringLiteral("CP0014"), {{"HIREDATE", 1000, 1}, {"PAYFREQ", 1000, 1}, {"STATUS", 1000, 1}}, 12};
    rig.finder.FinderPrepare = QStringLiteral("STATUS=1");
    testsupport::MessageCapture boxes;
    rig.log->clear();
    rig.prepare();
    EXPECT_TRUE(boxes.texts().isEmpty());
    EXPECT_TRUE(rig.log->calls().empty());
    EXPECT_EQ(rig.finder.form().cboFindby.ListCount(), 0);
    EXPECT_EQ(rig.finder.startFilter(), "STATUS=1");  // the last step was not reached
}

TEST(PrepareFinder, ATextInTheSearchBoxStartsTheBatchThere) {
    FinderRig rig{QStringLiteral("CP0014"), enginetest::employeeColumns(), 12};
    rig.prepare(QStringLiteral("10"));
    EXPECT_EQ(rig.keys(), employeeKeys(10, 21));
    EXPECT_EQ(rig.finder.FinderResult1, "10");
    EXPECT_EQ(rig.finder.form().txtSearch.Text(), "");
}

// Search filters built from the field, the condition and the search text.
struct SearchCase {
    const char* name;
    const char* viewId;
    const char* field;
    std::int16_t condition;
    const char* text;
    const char* filter;    // the filter the grid is reloaded with
    const char* searched;  // the field name FindNow hands back
    bool refused = false;  // the view cannot browse with the filter
};
void PrintTo(const SearchCase& c, std::ostream* os) { *os << c.name; }

class FindNow : public ::testing::TestWithParam<SearchCase> {};

TEST_P(FindNow, ReloadsTheGridUnderALikeFilter) {
    const SearchCase& c = GetParam();
    const std::vector<enginetest::Column> itemColumns{{"ITEMNO", 1500, 1}, {"FMTITEMNO", 1500, 1}, {"DESC", 3000, 1}};
    const bool items = QLatin1String(c.viewId) == QLatin1String("IC0310");
    FinderRig rig{QLatin1String(c.viewId), items ? itemColumns : enginetest::employeeColumns(), 12};
    rig.prepare();
    rig.log->clear();
    testsupport::MessageCapture boxes;
    QString field = QLatin1String(c.field);
    std::int16_t condition = c.condition;
    rig.finder.FindNow(field, condition, QLatin1String(c.text));
    // A field the view does not have is the view's to refuse, in its own words.
    EXPECT_EQ(boxes.texts().size(), c.refused ? 1 : 0);
    EXPECT_EQ(rig.log->filters(), QStringList{QLatin1String(c.filter)});
    EXPECT_EQ(rig.finder.currentFilter(), QLatin1String(c.filter));
    EXPECT_EQ(field, QLatin1String(c.searched));
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FindNow,
    ::testing::Values(
        SearchCase{"StartsWith", "CP0014", "FULLNAME", 0, "Employee 1", R"(FULLNAME LIKE "Employee 1%")", "FULLNAME"},
        SearchCase{"Contains", "CP0014", "FULLNAME", 1, "ee 2", R"(FULLNAME LIKE "%ee 2%")", "FULLNAME"},
        SearchCase{"AnyOtherConditionContains", "CP0014", "FULLNAME", 7, "x", R"(FULLNAME LIKE "%x%")", "FULLNAME"},
        SearchCase{"TextTrimmedOfBlanksOnly", "CP0014", "FULLNAME", 0, "  ee\t ", "FULLNAME LIKE \"ee\t%\"",
                   "FULLNAME"},
        SearchCase{"PercentPassesThrough", "CP0014", "EMPLOYEE", 0, "1%0", R"(EMPLOYEE LIKE "1%0%")", "EMPLOYEE"},
        SearchCase{"BlanksOnlyReloadTheWholeList", "CP0014", "FULLNAME", 0, "   ", "", "FULLNAME"},
        SearchCase{"FormattedItemNumberIsSearchedStored", "IC0310", " FMTITEMNO ", 0, "A", R"(ITEMNO LIKE "A%")",
                   "ITEMNO"},
        SearchCase{"FormattedItemNumberElsewhereKeepsItsName", "CP0014", "FMTITEMNO", 0, "A", R"(FMTITEMNO LIKE "A%")",
                   "FMTITEMNO", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FindNowResult, PagingStaysInsideTheSearch) {
    FinderRig rig{QStringLiteral("CP0014"), enginetest::employeeColumns(), 4};
    rig.prepare();
    QString field = QStringLiteral("FULLNAME");
    std::int16_t condition = 0;
    rig.finder.FindNow(field, condition, QStringLiteral("employee 1"));  // letter case does not matter to LIKE
    EXPECT_EQ(rig.keys(), employeeKeys(10, 13));
    EXPECT_EQ(rig.finder.topKey(), "10");
    rig.finder.GOTOBOT();
    EXPECT_EQ(rig.keys(), employeeKeys(16, 19));
    EXPECT_EQ(rig.finder.bottomKey(), "19");
}

TEST(FindNowResult, AFailureToReadTheViewStillLeadsToAReload) {
    enginetest::ReportingSession reporting;
    engine::Finder finder;  // bound to no view
    finder.AddFinderCol(QStringLiteral("EMPLOYEE"), 0, 1500, 1);
    testsupport::MessageCapture boxes;
    QString field = QStringLiteral("EMPLOYEE");
    std::int16_t condition = 0;
    finder.FindNow(field, condition, QStringLiteral("1"));
    ASSERT_GE(boxes.texts().size(), 2);
    EXPECT_TRUE(boxes.texts()[0].contains("In Procedure: clsFinder.FindNow.")) << boxes.texts()[0].toStdString();
    EXPECT_TRUE(boxes.texts()[1].contains("In Procedure: clsFinder.FillFinderGrid.")) << boxes.texts()[1].toStdString();
    EXPECT_EQ(finder.currentFilter(), R"(EMPLOYEE LIKE "1%")");
}

}  // namespace
