// Fault injection: a view operation fails on its N-th call inside each
// engine operation. Each operation reports once, in the component's words and
// with its own label, then ends or goes on as the system does; the
// accounting system's own messages are shown instead when it has any.
#include <gtest/gtest.h>

#include <functional>

#include "FinderRig.h"
#include "tests/support/CallLog.h"
#include "tests/support/FaultyView.h"
#include "tests/support/MessageCapture.h"

using enginetest::employeeKeys;
using enginetest::FinderRig;
using testsupport::FaultPlan;
using testsupport::ViewOp;

namespace {

QString report(const QString& head, const QString& label) {
    return head + "\r\n\nIn Procedure: " + label + ".\r\n\nPlease contact Quorvex if this error occurs frequently.";
}

const QString Injected = QStringLiteral("-2147467259; Injected failure");

// A rig whose views fail as the plan says, loaded with the first batch.
struct FaultRig {
    explicit FaultRig(int batchRows = 12)
        : rig(QStringLiteral("CP0014"), enginetest::employeeColumns(), batchRows,
              std::make_shared<testsupport::FaultySession>(enginetest::company().open(), plan)) {
        rig.prepare();
    }
    std::shared_ptr<FaultPlan> plan = std::make_shared<FaultPlan>();
    FinderRig rig;
};

void lines(FinderRig& rig, int count) {
    for (int i = 0; i < count; ++i) rig.finder.NEXTLINE();
}

struct Move {
    const char* name;
    const char* label;
    std::function<void(FinderRig&)> setup;
    void (engine::Finder::*move)();
};
void PrintTo(const Move& c, std::ostream* os) { *os << c.name; }

const std::vector<Move>& moves() {
    static const std::vector<Move> list{
        {"GotoBottom", "clsFinder.GOTOBOT", nullptr, &engine::Finder::GOTOBOT},
        {"GotoTop", "clsFinder.GOTOTOP", [](FinderRig& r) { r.finder.GOTOBOT(); }, &engine::Finder::GOTOTOP},
        {"NextBatch", "clsFinder.NEXTBATCH", [](FinderRig& r) { lines(r, 12); }, &engine::Finder::NEXTBATCH},
        {"PrevBatch", "clsFinder.PREVBATCH", [](FinderRig& r) { lines(r, 4); }, &engine::Finder::PREVBATCH},
        {"NextLine", "clsFinder.NEXTlINE", nullptr, &engine::Finder::NEXTLINE},
        {"PrevLine", "clsFinder.PREVLINE", [](FinderRig& r) { lines(r, 1); }, &engine::Finder::PREVLINE},
    };
    return list;
}

// Fails each view operation of a move on its first call, then its second,
// and so on until the move gets through: every failure is one report with
// the move's label, after which the move has stopped.
class FailEveryCallInTurn : public ::testing::TestWithParam<Move> {};

TEST_P(FailEveryCallInTurn, ReportsOnceWithTheMovesLabelAndStops) {
    const Move& m = GetParam();
    for (ViewOp op : {ViewOp::ClearRecord, ViewOp::ResetBrowse, ViewOp::Browse, ViewOp::Fetch}) {
        bool completed = false;
        for (int n = 1; n <= 40 && !completed; ++n) {
            SCOPED_TRACE(testsupport::opName(op).toStdString() + " #" + std::to_string(n));
            FaultRig f;
            if (m.setup) m.setup(f.rig);
            f.plan->resetCounts();
            f.plan->failOn(op, n);
            testsupport::MessageCapture boxes;
            (f.rig.finder.*m.move)();
            completed = f.plan->fired() == 0;
            if (completed) {
                EXPECT_TRUE(boxes.texts().isEmpty());
                EXPECT_GT(n, 1);  // every move calls each of these at least once
            } else {
                EXPECT_EQ(boxes.texts(), QStringList{report(Injected, QLatin1String(m.label))});
                EXPECT_EQ(f.plan->calls(op), n);  // nothing more after the failure
            }
        }
        EXPECT_TRUE(completed) << testsupport::opName(op).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Moves, FailEveryCallInTurn, ::testing::ValuesIn(moves()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AccpacMessages, TheFirstThreeAndTheLastTwoAreShownAndTheListEmptied) {
    FaultRig f;
    f.plan->resetCounts();
    QStringList messages;
    for (int i = 1; i <= 7; ++i) messages << QStringLiteral("Message %1.").arg(i);
    f.plan->failOn(ViewOp::Browse, 1, accpac::errnum::AccpacFailure, QStringLiteral("Browse failed"), messages);
    testsupport::MessageCapture boxes;
    f.rig.finder.NEXTLINE();
    QStringList expected;
    for (int i : {1, 2, 3, 6, 7})
        expected << report(QStringLiteral("Error: Message %1.").arg(i), QStringLiteral("clsFinder.NEXTlINE"));
    EXPECT_EQ(boxes.texts(), expected);
    EXPECT_EQ(f.rig.session->Errors().Count(), 0);
    EXPECT_EQ(f.rig.keys(), employeeKeys(1, 12));  // the grid is as it was
}

TEST(Loading, AFailingFetchIsReportedAndTheFillGoesOn) {
    FaultRig f;
    f.plan->resetCounts();
    f.plan->failOn(ViewOp::Fetch, 3);
    testsupport::MessageCapture boxes;
    QString field = QStringLiteral("FULLNAME");
    std::int16_t condition = 0;
    f.rig.finder.FindNow(field, condition, QString());
    EXPECT_EQ(boxes.texts(), QStringList{report(Injected, QStringLiteral("clsFinder.FillFinderGrid"))});
    // The failed fetch left the second record current, so it shows twice;
    // the fill then carried on to a full batch.
    EXPECT_EQ(f.rig.keys(), employeeKeys(1, 2) + employeeKeys(2, 11));
    EXPECT_EQ(f.rig.finder.batchBottomKey(), "11");
}

TEST(Loading, AFailingStartValueLoadEndsAndLeavesTheGridAsItWas) {
    FaultRig f;
    f.plan->resetCounts();
    f.plan->failOn(ViewOp::Browse, 2);  // the browse from the start value
    testsupport::MessageCapture boxes;
    f.rig.prepare(QStringLiteral("05"));
    EXPECT_EQ(boxes.texts(), QStringList{report(Injected, QStringLiteral("clsFinder.StartFinderWith"))});
    EXPECT_EQ(f.rig.keys(), employeeKeys(1, 12));
    EXPECT_EQ(f.rig.finder.FinderResult1, "05");
    EXPECT_EQ(f.plan->calls(ViewOp::Fetch), 1);  // the top record only
}

TEST(Loading, AKeyColumnOutsideTheTableEndsAStartValueLoadBeforeTheGrid) {
    FaultRig f;
    testsupport::MessageCapture boxes;
    QString start = QStringLiteral("05");
    std::int16_t keyColumn = 9;
    f.rig.log->clear();
    f.rig.finder.PrepareFinder(start, keyColumn);
    EXPECT_EQ(boxes.texts(), QStringList{report(QStringLiteral("9; Subscript out of range"),
                                                QStringLiteral("clsFinder.StartFinderWith"))});
    EXPECT_EQ(f.rig.keys(), employeeKeys(1, 12));
    EXPECT_EQ(f.rig.log->count(ViewOp::Browse), 1);  // the first browse ran, the grid was not touched
}

TEST(Loading, AnUndeclaredColumnIsReportedAtTheFirstLayout) {
    enginetest::ReportingSession reporting;
    auto view = reporting.session->OpenView(QStringLiteral("CP0014"), QStringLiteral("CP"));
    engine::Finder finder;
    finder.SetFinderView(reporting.session, view, accpac::MaxKeyText);
    finder.AddFinderCol(QStringLiteral("EMPLOYEE"), 0, 1500, 1);
    finder.AddFinderCol(QStringLiteral("FULLNAME"), 2, 2000, 1);
    testsupport::MessageCapture boxes;
    QString none;
    std::int16_t key = 0;
    finder.PrepareFinder(none, key);
    // Whether the view's words come through the session's list or the
    // error itself, the report names the field and the procedure.
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].contains(R"(The view has no field named "".)")) << boxes.texts()[0].toStdString();
    EXPECT_TRUE(boxes.texts()[0].endsWith(report(QString(), QStringLiteral("clsFinder.PrepareFinder"))));
}

}  // namespace
