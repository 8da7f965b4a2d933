// A session, and the views it opens, that fail a chosen operation on its N-th call.
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
#include "accpac/AccpacErrors.h"
#include "tests/support/CallLog.h"
#include "tests/support/CallSite.h"
#include "tests/support/ViewDecorator.h"

namespace testsupport {

class FaultPlan {
public:
    // The `nth` call (from 1) of `op` fails with `number` and `description`;
    // `accpacMessages` go into the session's error list first, as errors.
    void failOn(ViewOp op, int nth, long number = accpac::errnum::AccpacFailure,
                QString description = QStringLiteral("Injected failure"), QStringList accpacMessages = {}) {
        faults_.push_back({op, nth, number, std::move(description), std::move(accpacMessages)});
    }

    // The `nth` call (from 1) of any operation fails, counting every
    // operation of every view together in the order they were made; the
    // failed call and the functions that led to it are kept (failedCall()).
    void failOnAnyCall(int nth) { anyNth_ = nth; }

    // Counts one call; throws when a fault is due, after putting its
    // messages into `errors`.
    void check(const ViewCall& call, accpac::AccpacErrors& errors) {
        const ViewOp op = call.op;
        if (++total_ == anyNth_) {
            failedCall_ = call;
            failedStack_ = callStack();
            throw accpac::AccpacError(accpac::errnum::AccpacFailure, "Injected failure");
        }
        const int n = ++counts_[op];
        for (const Fault& f : faults_) {
            if (f.op != op || f.nth != n) continue;
            for (const QString& m : f.messages) errors.Put(accpac::ErrorPriority::Error, m);
            throw accpac::AccpacError(f.number, f.description);
        }
    }

    int calls(ViewOp op) const { return counts_.contains(op) ? counts_.at(op) : 0; }  // failed ones included
    int calls() const { return total_; }  // of every operation, the failed one included
    // The call failOnAnyCall failed, and the stack it was made from
    // (innermost first; empty while no call failed).
    const ViewCall& failedCall() const { return failedCall_; }
    const QStringList& failedStack() const { return failedStack_; }
    void resetCounts() {  // counting starts again from 0; the faults stay
        counts_.clear();
        total_ = 0;
    }

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
    int total_ = 0;
    int anyNth_ = 0;  // 0: no call fails for its position alone
    ViewCall failedCall_;
    QStringList failedStack_;
};

class FaultySession : public SessionDecorator {
public:
    // OpenView counts as ViewOp::OpenView; the views opened count their calls with the same plan.
    FaultySession(std::shared_ptr<accpac::AccpacSession> inner, std::shared_ptr<FaultPlan> plan)
        : SessionDecorator(std::move(inner)), plan_(std::move(plan)) {}

    ViewPtr decorate(ViewPtr view) override {
        return std::make_shared<ViewDecorator>(
            std::move(view), [plan = plan_, errors = &Errors()](const ViewCall& c) { plan->check(c, *errors); });
    }

protected:
    void before(const ViewCall& call) override { plan_->check(call, Errors()); }

private:
    std::shared_ptr<FaultPlan> plan_;
};

}  // namespace testsupport
