// Fault injection: a view operation fails on its N-th call inside an engine
// operation. Each operation reports once, in the component's words and with
// its own label, then ends or goes on as the system does.
#include "FinderRig.h"
#include "tests/support/FaultyView.h"

namespace enginetest {
namespace {

const QString Injected = QStringLiteral("-2147467259; Injected failure");

// A rig whose views fail as the plan says, loaded with the first batch and
// set up; the plan counts the calls from there.
struct FaultRig {
    explicit FaultRig(const Act& setup = nullptr) {
        rig.prepare();
        if (setup) setup(rig);
        plan->resetCounts();
    }
    std::shared_ptr<testsupport::FaultPlan> plan = std::make_shared<testsupport::FaultPlan>();
    FinderRig rig{QStringLiteral("CP0014"), EmployeeColumns, 12,
                  std::make_shared<testsupport::FaultySession>(openCompany(), plan)};
};

struct Operation {
    const char* name;
    const char* label;
    Act setup;
    Move move;
};

// Fails each view operation of a move on its first call, then its second,
// and so on until the move gets through: every failure is one report with
// the move's label, after which the move has stopped.
class FailEveryCallInTurn : public ::testing::TestWithParam<Operation> {};

TEST_P(FailEveryCallInTurn, ReportsOnceWithTheMovesLabelAndStops) {
    const Operation& m = GetParam();
    for (ViewOp op : {ViewOp::ClearRecord, ViewOp::ResetBrowse, ViewOp::Browse, ViewOp::Fetch}) {
        bool completed = false;
        for (int n = 1; n <= 40 && !completed; ++n) {
            SCOPED_TRACE(testsupport::opName(op).toStdString() + " #" + std::to_string(n));
            FaultRig f(m.setup);
            f.plan->failOn(op, n);
            testsupport::MessageCapture boxes;
            (f.rig.finder.*m.move)();
            completed = boxes.texts().isEmpty();
            EXPECT_EQ(boxes.texts(), completed ? QStringList() : QStringList{errorReport(Injected, m.label)});
            EXPECT_EQ(f.plan->calls(op), completed ? n - 1 : n);  // nothing more after the failure
            EXPECT_TRUE(n > 1 || !completed) << "the move never called it";
        }
        EXPECT_TRUE(completed);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Moves, FailEveryCallInTurn, ::testing::Values(
    Operation{"GotoBottom", "clsFinder.GOTOBOT", nullptr, &F::GOTOBOT},
    Operation{"GotoTop", "clsFinder.GOTOTOP", [](FinderRig& r) { r.finder.GOTOBOT(); }, &F::GOTOTOP},
    Operation{"NextBatch", "clsFinder.NEXTBATCH", [](FinderRig& r) { r.lines(12); }, &F::NEXTBATCH},
    Operation{"PrevBatch", "clsFinder.PREVBATCH", [](FinderRig& r) { r.lines(4); }, &F::PREVBATCH},
    Operation{"NextLine", "clsFinder.NEXTlINE", nullptr, &F::NEXTLINE},
    Operation{"PrevLine", "clsFinder.PREVLINE", [](FinderRig& r) { r.lines(1); }, &F::PREVLINE}),
    ByName);
// clang-format on

// A fill reports a failing fetch and goes on: the failed fetch left the
// second record current, so it shows twice, and the batch is full. A load at
// a start value ends where it failed; a key column that is no column ends it
// after the first browse, before the grid.
TEST(FailingLoad, ReportsAndGoesOnOrEndsAsTheLoadDoes) {
    struct {
        ViewOp op;
        int nth;  // 0: nothing injected
        Act act;
        QString report;
        QStringList keys;
    } const cases[] = {
        // clang-format off
        {ViewOp::Fetch, 3, [](FinderRig& r) { r.find("FULLNAME", 0, ""); },
         errorReport(Injected, "clsFinder.FillFinderGrid"), keys(1, 2) + keys(2, 11)},
        {ViewOp::Browse, 2, [](FinderRig& r) { r.prepare("05"); },
         errorReport(Injected, "clsFinder.StartFinderWith"), keys(1, 12)},
        {ViewOp::Fetch, 0, [](FinderRig& r) { r.prepare("05", 9); },
         errorReport("9; Subscript out of range", "clsFinder.StartFinderWith"), keys(1, 12)},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.report.toStdString());
        FaultRig f;
        f.plan->failOn(c.op, c.nth);
        testsupport::MessageCapture boxes;
        c.act(f.rig);
        EXPECT_EQ(boxes.texts(), QStringList{c.report});
        EXPECT_EQ(f.rig.keys(), c.keys);
    }
}

}  // namespace
}  // namespace enginetest
