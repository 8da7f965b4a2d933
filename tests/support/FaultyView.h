// A view and a session that fail a chosen operation on its N-th call.
//
//   auto plan = std::make_shared<testsupport::FaultPlan>();
//   plan->failOn(ViewOp::Fetch, 3);                          // the third fetch throws
//   plan->failOn(ViewOp::Browse, 1, errnum::AccpacFailure, "Bad filter",
//                {"Invalid filter."});                       // and the first browse, with a session message
//   auto session = std::make_shared<testsupport::FaultySession>(accpac::openCompany(path), plan);
//
// Calls are counted per operation over every view of the session (and any
// view decorated with the same plan). A due fault first adds its messages to
// the session's error list, as the accounting system does before it fails,
// then throws AccpacError(number, description); the wrapped view is not
// called. Every other call goes through to the real view. Decorators stack:
// a FaultySession around a RecordingSession records the calls that went through.
#pragma once

#include <QStringList>
#include <map>
#include <memory>
#include <vector>

#include "accpac/AccpacError.h"
#include "tests/support/CallLog.h"
#include "tests/support/ViewDecorator.h"

namespace testsupport {

class FaultPlan {
public:
    static inline const QString InjectedDescription = QStringLiteral("Injected failure");

    // The `nth` call (from 1) of `op` fails with `number` and `description`;
    // `accpacMessages` go into the session's error list first, as errors.
    void failOn(ViewOp op, int nth, long number = accpac::errnum::AccpacFailure,
                QString description = InjectedDescription, QStringList accpacMessages = {});

    // Counts one call of `op`; throws when a fault is due. `errors` receives
    // the fault's messages (may be nullptr).
    void check(ViewOp op, accpac::AccpacErrors* errors);

    int calls(ViewOp op) const;  // calls counted so far, failed ones included
    int fired() const { return fired_; }
    void resetCounts();  // counting starts again from 0; the faults stay

private:
    struct Fault {
        ViewOp op;
        int nth;
        long number;
        QString description;
        QStringList messages;
    };
    std::vector<Fault> faults_;
    std::map<ViewOp, int> counts_;
    int fired_ = 0;
};

class FaultyView : public ViewDecorator {
public:
    // `errors`: the session's error list that due faults write to (may be nullptr).
    FaultyView(std::shared_ptr<accpac::AccpacView> inner, std::shared_ptr<FaultPlan> plan,
               accpac::AccpacErrors* errors);

protected:
    void before(const ViewCall& call) override { plan_->check(call.op, errors_); }

private:
    std::shared_ptr<FaultPlan> plan_;
    accpac::AccpacErrors* errors_;
};

class FaultySession : public SessionDecorator {
public:
    // OpenView counts as ViewOp::OpenView; the view opened is decorated with the plan.
    FaultySession(std::shared_ptr<accpac::AccpacSession> inner, std::shared_ptr<FaultPlan> plan);

    std::shared_ptr<accpac::AccpacView> decorate(std::shared_ptr<accpac::AccpacView> view) override;
    const std::shared_ptr<FaultPlan>& plan() const { return plan_; }

protected:
    void before(const ViewCall& call) override { plan_->check(call.op, &Errors()); }

private:
    std::shared_ptr<FaultPlan> plan_;
};

}  // namespace testsupport
