// Binding the engine to a view: the companion views it opens and composes
// for the views that need them, the view it then browses, the column table,
// and what is kept of the set-up values.
#include <gtest/gtest.h>

#include "FinderRig.h"
#include "errors/modGeneral.h"
#include "tests/support/CallLog.h"
#include "tests/support/FaultyView.h"
#include "tests/support/MessageCapture.h"
#include "tests/support/RecordingView.h"
#include "window/frmTrovex.h"

using testsupport::ViewCall;
using testsupport::ViewOp;

namespace {

struct Binding {
    const char* viewId;
    QStringList opened;    // "ID/PROGRAM" in order, after the caller's own view
    QStringList composed;  // "ID(companions)" in order
    const char* browsed;   // the ID of the view the engine browses
};
void PrintTo(const Binding& b, std::ostream* os) { *os << b.viewId; }

class Bind : public ::testing::TestWithParam<Binding> {};

TEST_P(Bind, OpensAndComposesTheCompanionViewsInOrder) {
    const Binding& b = GetParam();
    auto log = std::make_shared<testsupport::CallLog>();
    auto session = std::make_shared<testsupport::RecordingSession>(enginetest::company().open(), log);
    errors::gSession = session;
    const QString id = QLatin1String(b.viewId);
    auto view = session->OpenView(id, id.left(2));
    log->clear();

    engine::Finder finder;
    finder.SetFinderView(session, view, accpac::MaxKeyText, 0);

    QStringList opened, composed;
    for (const ViewCall& c : log->calls()) {
        if (c.op == ViewOp::OpenView) opened << c.viewId + QLatin1Char('/') + c.text;
        if (c.op == ViewOp::Compose) composed << c.viewId + QLatin1Char('(') + c.text + QLatin1Char(')');
    }
    EXPECT_EQ(opened, b.opened);
    EXPECT_EQ(composed, b.composed);
    ASSERT_TRUE(finder.FinderView);
    EXPECT_EQ(finder.FinderView->ViewID(), QLatin1String(b.browsed));
    // The caller's view lends only its ID when the engine opens its own.
    EXPECT_EQ(finder.FinderView == view, b.opened.isEmpty());
    EXPECT_EQ(finder.FinderFields, &finder.FinderView->Fields());
    // The key number goes to the browsed view.
    const std::vector<ViewCall> orders = log->of(ViewOp::Order);
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0].viewId, QLatin1String(b.browsed));
    EXPECT_EQ(orders[0].text, "0");
    errors::gSession.reset();
}

INSTANTIATE_TEST_SUITE_P(
    Views, Bind,
    ::testing::Values(Binding{"GL0001", {}, {}, "GL0001"},
                      Binding{"TX0001", {"TX0002/TX", "TX0001/TX"}, {"TX0002(TX0001)", "TX0001(TX0002)"}, "TX0001"},
                      Binding{"TX0002", {"TX0002/TX", "TX0001/TX"}, {"TX0002(TX0001)", "TX0001(TX0002)"}, "TX0002"},
                      Binding{"AR0042",
                              {"AR0041/AR", "AR0042/AR", "AR0044/AR", "AR0045/AR", "AR0043/AR", "AR0061/AR"},
                              {"AR0041(AR0042)", "AR0042(AR0041,AR0043,AR0044)", "AR0044(AR0042,AR0045)",
                               "AR0045(AR0044)", "AR0043(AR0042)", "AR0061(AR0041,AR0042,AR0043,AR0044,AR0045)"},
                              "AR0042"},
                      Binding{"IC0750",
                              {"IC0310/IC", "IC0750/IC", "IC0330/IC"},
                              {"IC0310(IC0750,IC0330,,,,,)", "IC0750(IC0310)", "IC0330(IC0310,,)"},
                              "IC0750"}),
    [](const auto& info) { return std::string(info.param.viewId); });

TEST(Bind, TheKeyNumberGivenIsSetBeforeEveryLoad) {
    auto log = std::make_shared<testsupport::CallLog>();
    auto session = std::make_shared<testsupport::RecordingSession>(enginetest::company().open(), log);
    errors::gSession = session;
    engine::Finder finder;
    finder.SetFinderView(session, session->OpenView(QStringLiteral("IC0310"), QStringLiteral("IC")), accpac::MaxKeyText,
                         1);
    finder.AddFinderCol(QStringLiteral("FMTITEMNO"), 0, 1500, 1);
    finder.AddFinderCol(QStringLiteral("DESC"), 1, 3000, 1);
    finder.form().FinderGrid.setHeight(enginetest::gridHeightFor(5));
    QString none;
    std::int16_t key = 0;
    finder.PrepareFinder(none, key);
    finder.NEXTBATCH();
    EXPECT_EQ(finder.viewOrder(), 1);
    QStringList orders;
    for (const ViewCall& c : log->of(ViewOp::Order)) orders << c.text;
    EXPECT_EQ(orders, (QStringList{"1", "1"}));  // binding and the load; moves keep the load's order
    errors::gSession.reset();
}

TEST(Bind, ACompanionThatCannotBeOpenedEndsTheBindingWithAReport) {
    auto plan = std::make_shared<testsupport::FaultPlan>();
    auto session = std::make_shared<testsupport::FaultySession>(enginetest::company().open(), plan);
    errors::gSession = session;
    auto view = session->OpenView(QStringLiteral("TX0001"), QStringLiteral("TX"));
    plan->resetCounts();
    plan->failOn(ViewOp::OpenView, 2, accpac::errnum::AccpacFailure, QStringLiteral("Cannot open"),
                 {QStringLiteral("View TX0001 is not available.")});

    testsupport::MessageCapture boxes;
    engine::Finder finder;
    finder.SetFinderView(session, view, accpac::MaxKeyText);
    EXPECT_EQ(boxes.texts(), QStringList{"Error: View TX0001 is not available.\r\n\nIn Procedure: "
                                         "clsFinder.SetFinderView.\r\n\nPlease contact Quorvex if this error "
                                         "occurs frequently."});
    EXPECT_FALSE(finder.FinderView);  // as far as it got
    EXPECT_EQ(session->Errors().Count(), 0);

    // Later loads fail on the missing view and say so; nothing crashes.
    boxes.clear();
    finder.AddFinderCol(QStringLiteral("CLASS"), 0, 1100, 7);
    QString none;
    std::int16_t key = 0;
    finder.PrepareFinder(none, key);
    ASSERT_FALSE(boxes.texts().isEmpty());
    EXPECT_TRUE(boxes.texts().first().contains("In Procedure: clsFinder.PrepareFinder."))
        << boxes.texts().first().toStdString();
    errors::gSession.reset();
}

TEST(Bind, KeepsTheMaximumKeyAsTextAndForgetsEarlierColumnsAndPresets) {
    enginetest::ReportingSession reporting;
    auto session = reporting.session;
    auto view = session->OpenView(QStringLiteral("CP0014"), QStringLiteral("CP"));
    engine::Finder finder;
    finder.SetFinderView(session, view, accpac::Variant::int32(12345));
    EXPECT_EQ(finder.maxKeyValue(), "12345");
    finder.AddFinderCol(QStringLiteral("EMPLOYEE"), 2, 1500, 1);
    finder.SetFieldValue(QStringLiteral("STATUS"), accpac::Variant::int16(1));
    EXPECT_EQ(finder.presetField(), "STATUS");
    EXPECT_EQ(finder.presetValue(), accpac::Variant::int16(1));

    finder.SetFinderView(session, view, accpac::MaxKeyText);
    EXPECT_EQ(finder.columns().size(), 1u);
    EXPECT_EQ(finder.columns()[0].fieldname, "");
    EXPECT_EQ(finder.presetField(), "");
    EXPECT_TRUE(finder.presetValue().isEmpty());
    EXPECT_EQ(finder.maxKeyValue(), accpac::MaxKeyText);
}

TEST(Columns, GrowToTheHighestNumberAndLeaveTheGapsEmpty) {
    engine::Finder finder;
    finder.AddFinderCol(QStringLiteral("FULLNAME"), 3, 2000, 7);
    ASSERT_EQ(finder.columns().size(), 4u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(finder.columns()[i].fieldname, "");
        EXPECT_EQ(finder.columns()[i].ColWidth, 0);
        EXPECT_EQ(finder.columns()[i].Alignment, 0);
    }
    EXPECT_EQ(finder.columns()[3].fieldname, "FULLNAME");
    EXPECT_EQ(finder.columns()[3].ColWidth, 2000);
    EXPECT_EQ(finder.columns()[3].Alignment, 7);

    finder.AddFinderCol(QStringLiteral("EMPLOYEE"), 0, 1500, 1);  // any order; the table does not shrink
    EXPECT_EQ(finder.columns().size(), 4u);
    EXPECT_EQ(finder.columns()[0].fieldname, "EMPLOYEE");
}

TEST(Columns, ANumberOutsideTheTableIsReportedForEachPartOfTheEntry) {
    enginetest::ReportingSession reporting;
    testsupport::MessageCapture boxes;
    engine::Finder finder;
    for (std::int32_t bad : {-1, 40000}) {
        boxes.clear();
        finder.AddFinderCol(QStringLiteral("EMPLOYEE"), bad, 1500, 1);
        const QString box =
            "9; Subscript out of range\r\n\nIn Procedure: clsFinder.AddFinderCol.\r\n\n"
            "Please contact Quorvex if this error occurs frequently.";
        // Growing refuses a column beyond any grid; then the name, the width
        // and the alignment each fail on their own and the procedure goes on.
        EXPECT_EQ(boxes.texts(), QStringList(bad < 0 ? 3 : 4, box)) << bad;
    }
    EXPECT_TRUE(finder.columns().empty());
}

TEST(Window, IsCreatedWithTheEngineAndLinkedBack) {
    engine::Finder finder;
    ASSERT_TRUE(finder.myFinderForm);
    EXPECT_EQ(finder.myFinderForm->finderInstance, &finder);
    EXPECT_EQ(&finder.form(), finder.myFinderForm.get());
    // Used while empty, the reference makes a fresh window, which no engine serves.
    finder.myFinderForm.reset();
    EXPECT_EQ(finder.form().finderInstance, nullptr);
}

}  // namespace
