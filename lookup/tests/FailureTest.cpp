// Lookups that show no window: a view that cannot be opened (one report
// with the preset's label, results untouched) and FindAP_OrderByInfo with an
// order it does not have (nothing at all). Both still set the process-wide
// values first.
#include <gtest/gtest.h>

#include "LookupRig.h"
#include "TestSession.h"
#include "errors/modGeneral.h"
#include "lookup/MethodCalls.h"
#include "lookup/Trovex.h"
#include "tests/support/FaultyView.h"

namespace lookup::tests {
namespace {

// Each method with arguments that would show a window, and its location label.
struct LabelCase {
    const char* method;
    const char* label;
};

void PrintTo(const LabelCase& c, std::ostream* os) { *os << c.method; }

const LabelCase Labels[] = {
    {"FindAP_Employee", "clsNV_TVX.FindAP_Employee"},
    {"FindAP_GLSegmentCode", "clsNV_TVX.FindAP_GLSegmentCode"},
    {"FindAP_EarningDeduction", "clsNV_TVX.FindAP_EarningDeduction"},
    {"FindAP_BankDeposits", "clsZQ_TVX.FindAP_BankDeposits"},
    {"FindAP_OrderByInfo", "clsZQ_TVX.FindAP_DocumentPayments"},
    {"FindAP_TaxClass", "clsZQ_TVX.FindAP_TaxClass"},
    {"FindAP_TaxGroups", "clsZQ_TVX.FindAP_TaxGroups"},
    {"FindAP_Documents", "clsZQ_TVX.FindAP_Documents"},
    {"FindAP_DocNum", "clsZQ_TVX.FindAP_DocNum"},
    {"FindAP_Accounts", "clsZQ_TVX.FindAP_Accounts"},
    {"FindAP_DistributionCodes", "clsZQ_TVX.FindAP_DistributionCodes"},
};

// The method's own arguments: "1" for texts and numbers, so every preset,
// FindAP_OrderByInfo included, would open its window.
QStringList callOf(const char* method) {
    QStringList words{QString::fromLatin1(method)};
    for (const MethodParam& p : findMethod(words[0])->params) words << (p.kind == ParamKind::Text ? "1200" : "1");
    return words;
}

class ViewCannotBeOpened : public ::testing::TestWithParam<LabelCase> {};

TEST_P(ViewCannotBeOpened, ReportsOnceWithItsLabelAndLeavesTheResults) {
    const LabelCase& c = GetParam();
    auto plan = std::make_shared<testsupport::FaultPlan>();
    plan->failOn(testsupport::ViewOp::OpenView, 1, accpac::errnum::AccpacFailure,
                 QStringLiteral("View is not available"));
    const auto session = std::make_shared<testsupport::FaultySession>(testSession(), plan);
    Trovex trovex;
    trovex.setResult1(QStringLiteral("kept 1"));
    trovex.setResult2(QStringLiteral("kept 2"));
    trovex.setResult3(QStringLiteral("kept 3"));
    const MethodCall call = parseCall(callOf(c.method));

    const LookupRun run = runLookup([&] { call.invoke(trovex, session, QStringLiteral(" Failing "), -1); }, QString());

    EXPECT_EQ(run.windowsSeen, 0);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].title, QStringLiteral("Sage Accpac Finder Error"));
    EXPECT_EQ(run.boxes[0].text, QStringLiteral("-2147467259; View is not available\r\n\nIn Procedure: %1.\r\n\n"
                                                "Please contact Quorvex if this error occurs frequently.")
                                     .arg(QString::fromLatin1(c.label)));
    EXPECT_EQ(QStringList({trovex.Result1(), trovex.Result2(), trovex.Result3()}),
              QStringList({"kept 1", "kept 2", "kept 3"}));
    // The process-wide values were set before the view was asked for.
    EXPECT_EQ(errors::gSession, session);
    EXPECT_EQ(errors::gRegistry, QStringLiteral("Failing"));
    EXPECT_EQ(errors::gWinXP, -1);
}

INSTANTIATE_TEST_SUITE_P(EveryPreset, ViewCannotBeOpened, ::testing::ValuesIn(Labels),
                         [](const auto& info) { return std::string(info.param.method); });

class OrderByInfoIndex : public ::testing::TestWithParam<int> {};

TEST_P(OrderByInfoIndex, OutsideTheSixOrdersShowsNothing) {
    Trovex trovex;
    trovex.setResult1(QStringLiteral("kept 1"));
    trovex.setResult2(QStringLiteral("kept 2"));
    const LookupRun run = runLookup(
        [&] {
            trovex.FindAP_OrderByInfo(testSession(), QStringLiteral("NoOrder"), 0, std::int16_t(GetParam()),
                                      QStringLiteral("1200"));
        },
        QString());
    EXPECT_EQ(run.windowsSeen, 0);
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_EQ(trovex.Result1(), QStringLiteral("kept 1"));
    EXPECT_EQ(trovex.Result2(), QStringLiteral("kept 2"));
    EXPECT_EQ(errors::gRegistry, QStringLiteral("NoOrder"));
}

INSTANTIATE_TEST_SUITE_P(Indexes, OrderByInfoIndex, ::testing::Values(6, -1, 32767, -32768), [](const auto& info) {
    return info.param < 0 ? "minus" + std::to_string(-info.param) : std::to_string(info.param);
});

}  // namespace
}  // namespace lookup::tests
