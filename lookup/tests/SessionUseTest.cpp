// How a lookup uses what the host hands it: the settings name without its
// outer blanks, the company's name read anew on every call, and the views
// it opens (the segment lookup closes its view, no other does).
#include <gtest/gtest.h>

#include "LookupRig.h"
#include "TestSession.h"
#include "errors/Settings.h"
#include "lookup/Trovex.h"
#include "tests/support/RecordingView.h"

namespace lookup::tests {
namespace {

TEST(SessionUse, OptionsGoUnderTheSettingsNameWithoutItsBlanks) {
    const QString name = QStringLiteral("LookupTrimmed");
    Trovex trovex;
    // The window saves both options when it closes through Cancel.
    const LookupRun run = runLookup([&] { trovex.FindAP_Accounts(testSession(), "  " + name + "  ", 0); },
                                    QStringLiteral("check chkSize\nclick pbxCancel"));
    ASSERT_EQ(run.failure, QString());
    EXPECT_EQ(errors::GetSetting(name, QStringLiteral("AutoFind"), QStringLiteral("AutoSize"), "missing"), "1");
    EXPECT_EQ(errors::GetSetting("  " + name + "  ", QStringLiteral("AutoFind"), QStringLiteral("AutoSize"), "missing"),
              "missing");
}

// A session whose company is renamed between calls.
class RenamedCompany : public testsupport::SessionDecorator {
public:
    using SessionDecorator::SessionDecorator;
    accpac::AccpacCompany Company() override { return {name}; }
    std::shared_ptr<accpac::AccpacView> decorate(std::shared_ptr<accpac::AccpacView> view) override { return view; }
    QString name;
};

TEST(SessionUse, CaptionReadsTheCompanyNameOnEveryCall) {
    const auto session = std::make_shared<RenamedCompany>(testSession());
    Trovex trovex;
    QStringList captions;
    for (const char* name : {"First Name Ltd.", "Second Name Ltd."}) {
        session->name = QString::fromLatin1(name);
        const LookupRun run = runLookup([&] { trovex.FindAP_Employee(session, QStringLiteral("LookupNames"), 0); },
                                        QStringLiteral("click pbxCancel"));
        ASSERT_EQ(run.windows.size(), 1u);
        captions << run.windows[0].caption;
    }
    EXPECT_EQ(captions,
              QStringList({"First Name Ltd. - Sage Accpac Employees", "Second Name Ltd. - Sage Accpac Employees"}));
}

struct CloseCase {
    const char* name;
    std::function<void(Trovex&, const Trovex::Session&)> call;
    const char* viewId;
    int closes;
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class ViewClose : public ::testing::TestWithParam<CloseCase> {};

TEST_P(ViewClose, OnlyTheSegmentLookupClosesItsView) {
    const CloseCase& c = GetParam();
    auto log = std::make_shared<testsupport::CallLog>();
    const auto session = std::make_shared<testsupport::RecordingSession>(testSession(), log);
    Trovex trovex;
    const LookupRun run = runLookup([&] { c.call(trovex, session); }, QStringLiteral("dblclick row 1"));
    ASSERT_EQ(run.failure, QString());
    int closes = 0;
    for (const testsupport::ViewCall& call : log->of(testsupport::ViewOp::Close))
        if (call.viewId == QLatin1String(c.viewId)) ++closes;
    EXPECT_EQ(closes, c.closes) << log->describe().toStdString();
    // The view is closed after the results were taken from it.
    EXPECT_FALSE(trovex.Result1().isEmpty());
}

const CloseCase CloseCases[] = {
    {"GLSegmentCode", [](Trovex& t, const Trovex::Session& s) { t.FindAP_GLSegmentCode(s, "LookupClose", 0, ""); },
     "GL0021", 1},
    {"Accounts", [](Trovex& t, const Trovex::Session& s) { t.FindAP_Accounts(s, "LookupClose", 0); }, "GL0001", 0},
    {"EarningDeduction",
     [](Trovex& t, const Trovex::Session& s) { t.FindAP_EarningDeduction(s, "LookupClose", 0, ""); }, "CP0007", 0},
};

INSTANTIATE_TEST_SUITE_P(Presets, ViewClose, ::testing::ValuesIn(CloseCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lookup::tests
