// What lookups leave behind: the result properties and settings across calls
// on one instance, the copy-back rule, and lookups that show no window.
#include <gtest/gtest.h>

#include "LookupRig.h"
#include "errors/Settings.h"
#include "errors/modGeneral.h"
#include "lookup/MethodCalls.h"
#include "lookup/Trovex.h"
#include "tests/support/FaultyView.h"
#include "tests/support/MessageCapture.h"
#include "tests/support/RecordingView.h"
#include "window/frmTrovex.h"

namespace lookup::tests {
namespace {

// A session whose company is renamed between calls, recording what its views are asked.
class RenamedCompany : public testsupport::RecordingSession {
public:
    using RecordingSession::RecordingSession;
    accpac::AccpacCompany Company() override { return {name}; }
    QString name = "First Ltd.";
};

// Calls on one instance and one session: results empty at first, written by
// a selection (only non-empty cells, trimmed) and kept through a cancel; the
// company's name read anew for every caption; settings under the name
// without its blanks; only the segment lookup closes its view.
TEST(Results, OneInstanceAcrossCalls) {
    auto log = std::make_shared<testsupport::CallLog>();
    const auto session = std::make_shared<RenamedCompany>(testSession(), log);
    Trovex trovex;
    errors::SaveSetting("LookupTrimmed", "AutoFind", "AutoSize", "0");  // settings outlive a test run
    errors::SaveSetting("  LookupTrimmed  ", "AutoFind", "AutoSize", "untouched");
    const LookupRun first =
        runLookup([&] { trovex.FindAP_Accounts(session, "  LookupTrimmed  ", 0); }, "check chkSize\nclick pbxCancel");
    EXPECT_EQ(first.windowsSeen, 1);
    EXPECT_EQ(results(trovex), QStringList({"", "", ""}));
    EXPECT_EQ(errors::GetSetting("LookupTrimmed", "AutoFind", "AutoSize"), "1");
    EXPECT_EQ(errors::GetSetting("  LookupTrimmed  ", "AutoFind", "AutoSize"), "untouched");

    // Grid cells come trimmed from the engine, so these are rewritten with
    // blanks before the selection: outer blanks go, a cell of blanks is not
    // empty and sets "", an empty cell leaves the property as it was.
    trovex.setResult2("earlier 2");
    trovex.setResult3("earlier 3");
    runLookup([&] { trovex.FindAP_DistributionCodes(session, "LookupResults", 0); }, "click cell 1 0\nkey Enter",
              [](window::frmTrovex& w) {
                  w.FinderGrid.setTextMatrix(1, 0, "  A1  ");
                  w.FinderGrid.setTextMatrix(1, 1, "   ");
                  w.FinderGrid.setTextMatrix(1, 3, QString());
              });
    const QStringList chosen{"A1", "", "earlier 3"};
    ASSERT_EQ(results(trovex), chosen);

    session->name = "Second Ltd.";
    const LookupRun cancelled =
        runLookup([&] { trovex.FindAP_GLSegmentCode(session, "LookupResults", 0, ""); }, "click pbxCancel");
    EXPECT_EQ(results(trovex), chosen);
    EXPECT_EQ(first.windows.at(0).caption, "ZQ Sage Accpac Finder: First Ltd. - Sage Accpac General Ledger Accounts");
    EXPECT_EQ(cancelled.windows.at(0).caption, "Second Ltd. - Sage Accpac GL Segment Codes");
    QStringList closed;
    for (const testsupport::ViewCall& call : log->of(testsupport::ViewOp::Close)) closed << call.viewId;
    EXPECT_EQ(closed, QStringList{"GL0021"}) << log->describe().toStdString();
}

// Lookups that show no window leave the results as they were, after setting
// the process-wide values (the registry name without its blanks): a view
// that cannot be opened is reported once with the preset's label (for every
// preset and every failed call, the sweep over the presets' calls checks
// that); FindAP_OrderByInfo outside its six orders shows nothing at all.
TEST(Results, LookupsThatShowNoWindowLeaveTheResults) {
    const QStringList calls[] = {{"FindAP_Accounts"},
                                 {"FindAP_OrderByInfo", "6", "1200"},
                                 {"FindAP_OrderByInfo", "-1", "1200"},
                                 {"FindAP_OrderByInfo", "32767", "1200"},
                                 {"FindAP_OrderByInfo", "-32768", "1200"}};
    for (const QStringList& words : calls) {
        SCOPED_TRACE(words.join(u' ').toStdString());
        const bool failing = words.size() == 1;
        auto plan = std::make_shared<testsupport::FaultPlan>();
        if (failing)
            plan->failOn(testsupport::ViewOp::OpenView, 1, accpac::errnum::AccpacFailure, "View is not available");
        const auto session = std::make_shared<testsupport::FaultySession>(testSession(), plan);
        Trovex trovex;
        seedResults(trovex, "kept");
        const LookupRun run = runLookup([&] { parseCall(words).invoke(trovex, session, " Failing ", -1); }, QString());
        EXPECT_EQ(run.windowsSeen, 0);
        ASSERT_EQ(run.boxes.size(), failing ? 1u : 0u);
        if (failing) {
            EXPECT_EQ(run.boxes[0].text,
                      testsupport::errorReport("-2147467259; View is not available", "clsZQ_TVX.FindAP_Accounts"));
        }
        EXPECT_EQ(results(trovex), QStringList({"kept 1", "kept 2", "kept 3"}));
        EXPECT_EQ(errors::gSession, session);
        EXPECT_EQ(errors::gRegistry, "Failing");
        EXPECT_EQ(errors::gWinXP, -1);
    }
}

}  // namespace
}  // namespace lookup::tests
