// Fault injection across whole lookups: for every preset (every index, with
// and without a starting text), the N-th call into the accounting interface
// fails, for N = 1, 2, ... until a lookup gets through untouched. The lookup
// pages, searches and pages again, then the user selects the first row.
//
// Every run must end as the component promises: the failure is reported
// first, in the component's words and with the label of the procedure that
// made the call; the reports it leads to follow, each in the same form; the
// window still answers the user to the end (a failure before the window
// leaves it unshown, with the preset's own report); and the results are the
// selected row's texts, or what they were where that row has none.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "LookupRig.h"
#include "accpac/Blanks.h"
#include "lookup/MethodCalls.h"
#include "lookup/Trovex.h"
#include "lookup/script/UserInput.h"
#include "tests/support/FaultyView.h"
#include "window/frmTrovex.h"

namespace lookup::tests {
namespace {

struct Preset {
    QStringList call;   // method and its own arguments
    const char* label;  // the preset's own location label
    int handsBack;      // Result1 only (1), 1..2 (2), 1..3 (3)
};

void PrintTo(const Preset& p, std::ostream* os) { *os << p.call.join(u' ').toStdString(); }

// clang-format off
const Preset Presets[] = {
    {{"FindAP_Employee"}, "clsNV_TVX.FindAP_Employee", 2},
    {{"FindAP_Employee", "E0"}, "clsNV_TVX.FindAP_Employee", 2},
    {{"FindAP_EarningDeduction"}, "clsNV_TVX.FindAP_EarningDeduction", 2},
    {{"FindAP_EarningDeduction", "B"}, "clsNV_TVX.FindAP_EarningDeduction", 2},
    {{"FindAP_GLSegmentCode", "000002"}, "clsNV_TVX.FindAP_GLSegmentCode", 2},
    {{"FindAP_GLSegmentCode", ""}, "clsNV_TVX.FindAP_GLSegmentCode", 2},
    {{"FindAP_BankDeposits"}, "clsZQ_TVX.FindAP_BankDeposits", 2},
    {{"FindAP_OrderByInfo", "0", "1200"}, "clsZQ_TVX.FindAP_DocumentPayments", 2},
    {{"FindAP_OrderByInfo", "1", "1200"}, "clsZQ_TVX.FindAP_DocumentPayments", 2},
    {{"FindAP_OrderByInfo", "2", "1200"}, "clsZQ_TVX.FindAP_DocumentPayments", 2},
    {{"FindAP_OrderByInfo", "3", "1200"}, "clsZQ_TVX.FindAP_DocumentPayments", 2},
    {{"FindAP_OrderByInfo", "4", "1200"}, "clsZQ_TVX.FindAP_DocumentPayments", 2},
    {{"FindAP_OrderByInfo", "5", "1200"}, "clsZQ_TVX.FindAP_DocumentPayments", 2},
    {{"FindAP_TaxClass", "GST", "true"}, "clsZQ_TVX.FindAP_TaxClass", 2},
    {{"FindAP_TaxClass", "HST", "false"}, "clsZQ_TVX.FindAP_TaxClass", 2},
    {{"FindAP_TaxGroups", "1200"}, "clsZQ_TVX.FindAP_TaxGroups", 2},
    {{"FindAP_Documents", "1200", "0"}, "clsZQ_TVX.FindAP_Documents", 2},
    {{"FindAP_Documents", "1200", "1"}, "clsZQ_TVX.FindAP_Documents", 2},
    {{"FindAP_Documents", "1200", "2"}, "clsZQ_TVX.FindAP_Documents", 2},
    {{"FindAP_DocNum", "1200"}, "clsZQ_TVX.FindAP_DocNum", 1},
    {{"FindAP_Accounts"}, "clsZQ_TVX.FindAP_Accounts", 2},
    {{"FindAP_DistributionCodes"}, "clsZQ_TVX.FindAP_DistributionCodes", 3},
};
// clang-format on

// A click in the scroll bar's track beside the thumb, or on its arrow where
// the thumb fills the track (a failed load may leave one row).
void page(window::frmTrovex& w, bool down) {
    try {
        script::clickScrollBar(w, down, true);
    } catch (const script::InputError&) {
        script::clickScrollBar(w, down, false);
    }
}

// Pages down twice and back, searches (Find with the search box as it is)
// and pages down; then keeps the first row, which the script selects.
std::function<void(window::frmTrovex&)> pageAndSearch(QStringList& firstRow) {
    return [&firstRow](window::frmTrovex& w) {
        page(w, true);
        page(w, true);
        page(w, false);
        script::clickControl(w, QStringLiteral("pbxFind"));
        page(w, true);
        for (int c = 0; c < w.FinderGrid.Cols(); ++c) firstRow << w.FinderGrid.TextMatrix(1, c);
    };
}

QString report(const QString& error, const QString& label) {
    return error + "\r\n\nIn Procedure: " + label + ".\r\n\nPlease contact Quorvex if this error occurs frequently.";
}

// A report of any error from one of the component's procedures.
const QRegularExpression AnyReport(
    QStringLiteral("^-?\\d+; .*\r\n\nIn Procedure: (clsFinder|frmTrovex|clsNV_TVX|clsZQ_TVX|modGeneral)\\.\\w+\\."
                   "\r\n\nPlease contact Quorvex if this error occurs frequently\\.$"),
    QRegularExpression::DotMatchesEverythingOption);

class EveryCallFails : public ::testing::TestWithParam<Preset> {};

TEST_P(EveryCallFails, InTurnAndTheLookupStillEndsAsPromised) {
    const Preset& p = GetParam();
    int failedRuns = 0;
    for (int n = 1;; ++n) {
        SCOPED_TRACE("call " + std::to_string(n) + " fails");
        auto plan = std::make_shared<testsupport::FaultPlan>();
        plan->failOnAnyCall(n);
        const auto session = std::make_shared<testsupport::FaultySession>(testSession(), plan);
        Trovex trovex;
        trovex.setResult1("before 1");
        trovex.setResult2("before 2");
        trovex.setResult3("before 3");
        QStringList row;
        const LookupRun run = runLookup([&] { parseCall(p.call).invoke(trovex, session, "LookupFaults", 0); },
                                        "dblclick row 1", pageAndSearch(row));
        const bool failed = plan->calls() >= n;

        QStringList texts;
        for (const auto& box : run.boxes) {
            EXPECT_EQ(box.title, "Sage Accpac Finder Error");
            EXPECT_TRUE(AnyReport.match(box.text).hasMatch()) << box.text.toStdString();
            texts << box.text;
        }
        if (!failed) {  // the lookup got through: nothing to report, and the sweep is done
            EXPECT_EQ(texts, QStringList());
            EXPECT_EQ(run.failure, "");
            ASSERT_GT(failedRuns, 10) << "the lookup makes few calls; the sweep is not reaching it";
            break;
        }
        ++failedRuns;
        ASSERT_FALSE(texts.isEmpty()) << "a failure nobody was told of";
        EXPECT_TRUE(texts.front().startsWith("-2147467259; Injected failure\r\n")) << texts.join("|").toStdString();

        if (run.windowsSeen == 0) {
            // Only the preset's own steps come before the window: its report
            // is the only one, and the results stay as they were.
            EXPECT_EQ(texts, QStringList{report("-2147467259; Injected failure", p.label)});
            EXPECT_EQ(QStringList({trovex.Result1(), trovex.Result2(), trovex.Result3()}),
                      QStringList({"before 1", "before 2", "before 3"}));
            continue;
        }
        EXPECT_EQ(run.windowsSeen, 1);
        EXPECT_EQ(run.failure, "") << "the window stopped answering";
        const auto expected = [&](int k, int column) {
            return p.handsBack >= k && column < row.size() && !row[column].isEmpty()
                       ? accpac::trimBlanks(row[column])
                       : QStringLiteral("before %1").arg(k);
        };
        EXPECT_EQ(QStringList({trovex.Result1(), trovex.Result2(), trovex.Result3()}),
                  QStringList({expected(1, 0), expected(2, 1), expected(3, 3)}));
    }
}

INSTANTIATE_TEST_SUITE_P(Presets, EveryCallFails, ::testing::ValuesIn(Presets), [](const auto& info) {
    QString name = info.param.call.join(u'_');
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_]")), QStringLiteral("_"));
    return name.toStdString() + "_" + std::to_string(info.index);
});

}  // namespace
}  // namespace lookup::tests
