// What lookups leave behind: the result properties and settings across calls
// on one instance, the copy-back rule, and lookups that show no window.
#include <gtest/gtest.h>

#include "LookupRig.h"
#include "accpac/sqlite/Database.h"
#include "errors/Settings.h"
#include "errors/modGeneral.h"
#include "lookup/MethodCalls.h"
#include "lookup/Trovex.h"
#include "tests/support/FaultyView.h"
#include "tests/support/RecordingView.h"
#include "tests/support/TestCompany.h"
#include "window/frmTrovex.h"

namespace lookup::tests {
namespace {

QStringList results(const Trovex& t) { return {t.Result1(), t.Result2(), t.Result3()}; }

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
// the process-wide values: a view that cannot be opened is reported once
// with the preset's label; FindAP_OrderByInfo outside its six orders shows
// nothing at all.
TEST(Results, LookupsThatShowNoWindowLeaveTheResults) {
    const char* labels[] = {
        "NV_TVX.FindAP_Employee",     "NV_TVX.FindAP_GLSegmentCode",    "NV_TVX.FindAP_EarningDeduction",
        "ZQ_TVX.FindAP_BankDeposits", "ZQ_TVX.FindAP_DocumentPayments", "ZQ_TVX.FindAP_TaxClass",
        "ZQ_TVX.FindAP_TaxGroups",    "ZQ_TVX.FindAP_Documents",        "ZQ_TVX.FindAP_DocNum",
        "ZQ_TVX.FindAP_Accounts",     "ZQ_TVX.FindAP_DistributionCodes"};
    ASSERT_EQ(methodTable().size(), std::size(labels));
    std::vector<std::pair<QStringList, QString>> cases;  // a call, and its label when its view cannot be opened
    for (std::size_t i = 0; i < std::size(labels); ++i) {
        // Arguments with which every preset, FindAP_OrderByInfo included, would show a window.
        QStringList words{methodTable()[i].name};
        for (const MethodParam& p : methodTable()[i].params) words << (p.kind == ParamKind::Text ? "1200" : "1");
        cases.push_back({words, labels[i]});
    }
    for (const char* index : {"6", "-1", "32767", "-32768"})
        cases.push_back({{"FindAP_OrderByInfo", index, "1200"}, ""});

    for (const auto& [words, label] : cases) {
        SCOPED_TRACE(words.join(u' ').toStdString());
        auto plan = std::make_shared<testsupport::FaultPlan>();
        if (!label.isEmpty())
            plan->failOn(testsupport::ViewOp::OpenView, 1, accpac::errnum::AccpacFailure, "View is not available");
        const auto session = std::make_shared<testsupport::FaultySession>(testSession(), plan);
        Trovex trovex;
        trovex.setResult1("kept 1");
        trovex.setResult2("kept 2");
        trovex.setResult3("kept 3");
        const LookupRun run = runLookup([&] { parseCall(words).invoke(trovex, session, " Failing ", -1); }, QString());
        EXPECT_EQ(run.windowsSeen, 0);
        ASSERT_EQ(run.boxes.size(), label.isEmpty() ? 0u : 1u);
        if (!label.isEmpty()) {
            EXPECT_EQ(run.boxes[0].title, "Sage Accpac Finder Error");
            EXPECT_EQ(run.boxes[0].text, "-2147467259; View is not available\r\n\nIn Procedure: cls" + label +
                                             ".\r\n\nPlease contact Quorvex if this error occurs frequently.");
        }
        EXPECT_EQ(results(trovex), QStringList({"kept 1", "kept 2", "kept 3"}));
        EXPECT_EQ(errors::gSession, session);
        EXPECT_EQ(errors::gRegistry, "Failing");
        EXPECT_EQ(errors::gWinXP, -1);
    }
}

// A company that lacks a preset's table, or a column of it, fails the
// preset's OpenView: one report with the preset's label, no window, and the
// results as they were.
TEST(Results, ACompanyWithoutTheViewsTableShowsNoWindow) {
    const struct {
        const char* damage;
        QStringList call;
        QString label;
    } cases[] = {{R"(DROP TABLE "TX0001")", {"FindAP_TaxClass", "GST"}, "clsZQ_TVX.FindAP_TaxClass"},
                 {R"(DROP TABLE "TX0002")", {"FindAP_TaxClass", "GST"}, "clsZQ_TVX.FindAP_TaxClass"},
                 {R"(DROP TRIGGER "GL0001_search_updated"; ALTER TABLE "GL0001" DROP COLUMN "ACCTDESC")",
                  {"FindAP_Accounts"},
                  "clsZQ_TVX.FindAP_Accounts"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.damage);
        testsupport::TestCompany company;
        {
            accpac::sqlite::Database file(company.path(), accpac::sqlite::Database::Mode::ReadWrite);
            file.exec(c.damage);
        }
        const auto session = company.open();
        Trovex trovex;
        trovex.setResult1("kept 1");
        const LookupRun run = runLookup([&] { parseCall(c.call).invoke(trovex, session, "Damaged", 0); }, QString());
        EXPECT_EQ(run.windowsSeen, 0);
        ASSERT_EQ(run.boxes.size(), 1u);
        EXPECT_TRUE(run.boxes[0].text.contains("is not available in company")) << run.boxes[0].text.toStdString();
        EXPECT_TRUE(run.boxes[0].text.contains("In Procedure: " + c.label + ".")) << run.boxes[0].text.toStdString();
        EXPECT_EQ(results(trovex), QStringList({"kept 1", "", ""}));
    }
}

}  // namespace
}  // namespace lookup::tests
