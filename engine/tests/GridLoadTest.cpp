// What a load writes into the grid besides the records' order: the header
// texts, widths and alignments, the batch size for the grid's height (one
// row less when columns wider than the grid bring a horizontal scroll bar),
// and the display text of each kind of field.
#include <gtest/gtest.h>

#include "FinderRig.h"
#include "tests/support/MessageCapture.h"
#include "window/frmTrovex.h"

using enginetest::FinderRig;

namespace {

TEST(GridHeader, ShowsEachFieldsDescriptionWidthAndAlignment) {
    std::vector<enginetest::Column> columns = enginetest::employeeColumns();
    columns[2].alignment = 7;
    FinderRig rig{QStringLiteral("CP0014"), columns, 12};
    rig.prepare();
    window::FlexGrid& g = rig.grid();
    const QStringList headers{"Employee Number", "Full Name", "Status", "Employment", "Pay Frequency", "Hire Date"};
    for (int c = 0; c < int(columns.size()); ++c) {
        EXPECT_EQ(g.TextMatrix(0, c), headers[c]);
        EXPECT_EQ(g.ColWidth(c), columns[c].width);
        EXPECT_EQ(g.ColAlignment(c), columns[c].alignment);
    }
}

struct Height {
    const char* name;
    std::vector<int> widths;
    double gridWidth;
    int batchRows;
    double scrollBarHeight;
};
void PrintTo(const Height& c, std::ostream* os) { *os << c.name; }

class BatchSize : public ::testing::TestWithParam<Height> {};

TEST_P(BatchSize, FollowsTheGridHeightAndTheExpectedHorizontalScrollBar) {
    const Height& h = GetParam();
    static const char* const fields[] = {"EMPLOYEE", "FULLNAME", "LASTNAME"};
    std::vector<enginetest::Column> columns;
    for (std::size_t i = 0; i < h.widths.size(); ++i) columns.push_back({fields[i], h.widths[i], 1});
    FinderRig rig{QStringLiteral("CP0014"), columns, 0};
    rig.grid().setWidth(h.gridWidth);
    rig.grid().setHeight(3000);
    rig.prepare();
    EXPECT_EQ(rig.finder.visibleRows(), 11);
    EXPECT_EQ(rig.finder.batchRows(), h.batchRows);
    EXPECT_EQ(rig.finder.form().ScrollBar1.Height(), h.scrollBarHeight);
    EXPECT_EQ(rig.keys().size(), h.batchRows);
}

INSTANTIATE_TEST_SUITE_P(Grids, BatchSize,
                         ::testing::Values(Height{"ColumnsNarrowerThanTheGrid", {1500, 2000}, 9255, 11, 3000},
                                           Height{"ColumnsWiderThanTheGrid", {6000, 6000}, 9255, 10, 2760},
                                           Height{"ColumnsExactlyAsWideAsTheGrid", {4500, 4755}, 9255, 10, 2760},
                                           Height{"OneColumnWiderThanTheGrid", {12000}, 9255, 11, 3000}),
                         [](const auto& info) { return std::string(info.param.name); });

// Display texts of the first employee rows: codes through their lists, flags
// by position, dates in the system's form.
TEST(CellText, CodedFieldsShowTheirListTexts) {
    FinderRig rig{QStringLiteral("CP0014"), enginetest::employeeColumns(), 12};
    rig.prepare();
    window::FlexGrid& g = rig.grid();
    auto row = [&](int r) {
        QStringList cells;
        for (int c = 0; c < g.Cols(); ++c) cells << g.TextMatrix(r, c);
        return cells;
    };
    EXPECT_EQ(row(1), (QStringList{"01", "Employee 01", "Active", "Part-time", "Daily", "2020-01-01"}));
    EXPECT_EQ(row(2), (QStringList{"02", "Employee 02", "Active", "Full-time", "Weekly", "2020-01-02"}));
    EXPECT_EQ(row(5), (QStringList{"05", "Employee 05", "Inactive", "Part-time", "Monthly", "2020-01-05"}));
    // A stored code that is in no entry of its list shows nothing.
    EXPECT_EQ(row(7), (QStringList{"07", "Employee 07", "Active", "Part-time", "", "2020-01-07"}));
}

TEST(CellText, OneCharacterCodesAndTextsTrimmedOfBlanksOnly) {
    FinderRig rig{QStringLiteral("GL0001"),
                  {{"ACCTFMTTD", 1500, 1}, {"ACCTDESC", 2700, 1}, {"ACTIVESW", 900, 1}, {"ACCTTYPE", 1300, 1}},
                  12};
    rig.prepare();
    window::FlexGrid& g = rig.grid();
    ASSERT_EQ(rig.keys(), (QStringList{"1000", "2000", "3000"}));
    EXPECT_EQ(g.TextMatrix(1, 1), "Cash\tat bank");  // the TAB stays inside its cell
    EXPECT_EQ(g.TextMatrix(1, 2), "Active");
    EXPECT_EQ(g.TextMatrix(2, 2), "Inactive");
    EXPECT_EQ(g.TextMatrix(1, 3), "Balance Sheet");
    EXPECT_EQ(g.TextMatrix(2, 3), "Income Statement");
    EXPECT_EQ(g.TextMatrix(3, 3), "Retained Earnings");
}

TEST(CellText, ARowBuiltAsOneLineKeepsEveryColumn) {
    // Paging back inserts whole rows at once; they must match the rows the
    // first load wrote cell by cell.
    FinderRig rig{QStringLiteral("CP0014"), enginetest::employeeColumns(), 12};
    rig.prepare();
    window::FlexGrid& g = rig.grid();
    QStringList first;
    for (int c = 0; c < g.Cols(); ++c) first << g.TextMatrix(1, c);
    rig.finder.NEXTLINE();
    rig.finder.PREVLINE();
    for (int c = 0; c < g.Cols(); ++c) EXPECT_EQ(g.TextMatrix(1, c), first[c]) << c;
}

}  // namespace
