// Fault injection across whole lookups: for every preset (every index, with
// and without a starting text), the N-th call into the accounting interface
// fails, for N = 1, 2, ... until a lookup gets through untouched. The lookup
// pages, searches and pages again, then the user selects the first row.
//
// The injector keeps the functions on the stack of the call it failed, so
// the test knows which procedure made it, and expects exactly the reports
// that procedure and the ones after it give (the table Reports below): the
// failure first, in the component's words and with the label of that
// procedure, then any reports it leads to. The window still answers the
// user to the end (a failure before the window leaves it unshown, with the
// preset's own report), and the results are the selected row's texts, or
// what they were where that row has none.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <algorithm>
#include <optional>

#include "LookupRig.h"
#include "lookup/MethodCalls.h"
#include "lookup/Trovex.h"
#include "lookup/script/UserInput.h"
#include "tests/support/FaultyView.h"
#include "tests/support/MessageCapture.h"
#include "window/frmTrovex.h"

namespace lookup::tests {
namespace {

struct Preset {
    QStringList call;   // method and its own arguments
    const char* label;  // the preset's own location label
    int handsBack;      // Result1 only (1), 1..2 (2), 1..3 (3)
};

void PrintTo(const Preset& p, std::ostream* os) { *os << p.call.join(u' ').toStdString(); }

// Every method, and each way a preset sets the engine up: with and without
// a starting text, with companion views, with a key other than the first,
// closing its view, handing back one, two or three results. The methods'
// other arguments change only columns, filters and captions, which take the
// same paths.
// clang-format off
const Preset Presets[] = {
    {{"FindAP_Employee"}, "clsNV_TVX.FindAP_Employee", 2},
    {{"FindAP_Employee", "E0"}, "clsNV_TVX.FindAP_Employee", 2},
    {{"FindAP_EarningDeduction", "B"}, "clsNV_TVX.FindAP_EarningDeduction", 2},
    {{"FindAP_GLSegmentCode", "000002"}, "clsNV_TVX.FindAP_GLSegmentCode", 2},
    {{"FindAP_BankDeposits"}, "clsZQ_TVX.FindAP_BankDeposits", 2},
    {{"FindAP_OrderByInfo", "0", "1200"}, "clsZQ_TVX.FindAP_DocumentPayments", 2},
    {{"FindAP_TaxClass", "GST", "true"}, "clsZQ_TVX.FindAP_TaxClass", 2},
    {{"FindAP_TaxGroups", "1200"}, "clsZQ_TVX.FindAP_TaxGroups", 2},
    {{"FindAP_Documents", "1200", "0"}, "clsZQ_TVX.FindAP_Documents", 2},
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

// A report of any error from one of the component's procedures.
const QRegularExpression AnyReport(
    QStringLiteral("^-?\\d+; .*\r\n\nIn Procedure: (clsFinder|frmTrovex|clsNV_TVX|clsZQ_TVX|modGeneral)\\.\\w+\\."
                   "\r\n\nPlease contact Quorvex if this error occurs frequently\\.$"),
    QRegularExpression::DotMatchesEverythingOption);

const QString Injected = QStringLiteral("-2147467259; Injected failure");
const QString NotSet = QStringLiteral("91; Object variable or With block variable not set");
constexpr const char* PresetLabel = "";  // stands for the preset's own label

// What a failed call gives, by the procedure that made it (the innermost of
// these on the call's stack) and, where it matters, the operation that
// failed: the label of the failure's report, the reports that follow it
// (each "Object variable not set"), and the label of a report that follows
// them any number of times (at least once), or none.
struct Reports {
    const char* procedure;  // as the debug information names it
    std::optional<testsupport::ViewOp> op;
    const char* label;
    std::vector<const char*> then;
    const char* repeated = nullptr;
};

using testsupport::ViewOp;
// clang-format off
const Reports ReportsTable[] = {
    // The preset's own steps (opening its view, closing it after the
    // window): the preset reports and ends; the window never opens.
    {"lookup::Trovex::run", {}, PresetLabel, {}},
    // The engine keeps neither view nor field list when setting up the view
    // fails. SetFinderView reports first, as it made the call and ends there;
    // the window's first load then starts in PrepareFinder, which reads the
    // missing part and ends with its report; the search that PrepareFinder's
    // starting text would run comes next (FindNow, which needs the view
    // itself, so only where the view is missing); last FillFinderGrid, which
    // goes on after each failing statement and so reports once for each of
    // its statements that reads the missing part (a header, every cell).
    {"engine::Finder::SetFinderView", ViewOp::OpenView, "clsFinder.SetFinderView",
     {"clsFinder.PrepareFinder", "clsFinder.FindNow"}, "clsFinder.FillFinderGrid"},
    {"engine::Finder::SetFinderView", ViewOp::Compose, "clsFinder.SetFinderView",
     {"clsFinder.PrepareFinder", "clsFinder.FindNow"}, "clsFinder.FillFinderGrid"},
    {"engine::Finder::SetFinderView", ViewOp::Fields, "clsFinder.SetFinderView",
     {"clsFinder.PrepareFinder"}, "clsFinder.FillFinderGrid"},
    // Setting the key after the view and its fields are kept loses nothing.
    {"engine::Finder::SetFinderView", ViewOp::Order, "clsFinder.SetFinderView", {}},
    // Every other procedure reports its own failure and nothing else follows:
    // a load goes on, a move ends, and the next move starts afresh.
    {"engine::Finder::FillFinderGrid", {}, "clsFinder.FillFinderGrid", {}},
    {"engine::Finder::StartFinderWith", {}, "clsFinder.StartFinderWith", {}},
    {"engine::Finder::PrepareFinder", {}, "clsFinder.PrepareFinder", {}},
    {"engine::Finder::FindNow", {}, "clsFinder.FindNow", {}},
    {"engine::Finder::GOTOTOP", {}, "clsFinder.GOTOTOP", {}},
    {"engine::Finder::GOTOBOT", {}, "clsFinder.GOTOBOT", {}},
    {"engine::Finder::NEXTBATCH", {}, "clsFinder.NEXTBATCH", {}},
    {"engine::Finder::PREVBATCH", {}, "clsFinder.PREVBATCH", {}},
    {"engine::Finder::NEXTLINE", {}, "clsFinder.NEXTlINE", {}},
    {"engine::Finder::PREVLINE", {}, "clsFinder.PREVLINE", {}},
};
// clang-format on

// The row of the table for the failed call: the innermost function on its
// stack that the table names, with the row for its operation if it has one.
const Reports* reportsFor(const testsupport::FaultPlan& plan) {
    for (const QString& function : plan.failedStack()) {
        const Reports* any = nullptr;
        for (const Reports& r : ReportsTable) {
            if (!function.startsWith(QLatin1String(r.procedure) + u'(')) continue;
            if (r.op == plan.failedCall().op) return &r;
            if (!r.op) any = &r;
        }
        if (any) return any;
    }
    return nullptr;
}

// The label of a report, or the whole text where it is not a report.
QString labelOf(const QString& text) {
    const auto m = AnyReport.match(text);
    if (!m.hasMatch()) return text;
    const qsizetype at = text.indexOf(QStringLiteral("In Procedure: ")) + 14;
    return text.mid(at, text.indexOf(QStringLiteral(".\r\n"), at) - at);
}

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
        seedResults(trovex, "before");
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
        const Reports* expected = reportsFor(*plan);
        ASSERT_NE(expected, nullptr) << "a failed " << testsupport::opName(plan->failedCall().op).toStdString()
                                     << " from a procedure the table does not name: "
                                     << plan->failedStack().mid(0, 8).join(" <- ").toStdString();
        SCOPED_TRACE("a failed " + testsupport::opName(plan->failedCall().op).toStdString() + " of " +
                     plan->failedCall().viewId.toStdString() + " in " + expected->procedure);
        const QString first = *expected->label ? QString::fromLatin1(expected->label) : QString::fromLatin1(p.label);
        QStringList want{testsupport::errorReport(Injected, first)};
        for (const char* label : expected->then) want << testsupport::errorReport(NotSet, QLatin1String(label));
        if (expected->repeated) {
            // As many as the statements that read the missing part: at least one.
            const QString again = testsupport::errorReport(NotSet, QLatin1String(expected->repeated));
            const auto repeats = std::max<qsizetype>(1, texts.size() - want.size());
            for (qsizetype i = 0; i < repeats; ++i) want << again;
        }
        if (texts != want) {
            QStringList got, wanted;
            for (const QString& t : texts) got << labelOf(t) + " (" + t.section(u';', 0, 0) + ")";
            for (const QString& t : want) wanted << labelOf(t) + " (" + t.section(u';', 0, 0) + ")";
            ADD_FAILURE() << "reports " << got.join(", ").toStdString() << "\n expected "
                          << wanted.join(", ").toStdString();
        }

        if (run.windowsSeen == 0) {
            // Only the preset's own steps come before the window, and the
            // results stay as they were.
            EXPECT_STREQ(expected->label, PresetLabel);
            EXPECT_EQ(results(trovex), selectedResults({}, 0));
            continue;
        }
        EXPECT_EQ(run.windowsSeen, 1);
        EXPECT_EQ(run.failure, "") << "the window stopped answering";
        EXPECT_EQ(results(trovex), selectedResults(row, p.handsBack));
    }
}

INSTANTIATE_TEST_SUITE_P(Presets, EveryCallFails, ::testing::ValuesIn(Presets), [](const auto& info) {
    QString name = info.param.call.join(u'_');
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_]")), QStringLiteral("_"));
    return name.toStdString() + "_" + std::to_string(info.index);
});

}  // namespace
}  // namespace lookup::tests
