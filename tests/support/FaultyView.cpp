// Fault injection: counting calls per operation and failing the chosen one.
#include "tests/support/FaultyView.h"

#include "accpac/AccpacErrors.h"

namespace testsupport {

void FaultPlan::failOn(ViewOp op, int nth, long number, QString description, QStringList accpacMessages) {
    faults_.push_back({op, nth, number, std::move(description), std::move(accpacMessages)});
}

void FaultPlan::check(ViewOp op, accpac::AccpacErrors* errors) {
    const int n = ++counts_[op];
    for (const Fault& f : faults_) {
        if (f.op != op || f.nth != n) continue;
        ++fired_;
        if (errors)
            for (const QString& m : f.messages) errors->Put(accpac::ErrorPriority::Error, m);
        throw accpac::AccpacError(f.number, f.description);
    }
}

int FaultPlan::calls(ViewOp op) const {
    const auto it = counts_.find(op);
    return it == counts_.end() ? 0 : it->second;
}

void FaultPlan::resetCounts() { counts_.clear(); }

FaultyView::FaultyView(std::shared_ptr<accpac::AccpacView> inner, std::shared_ptr<FaultPlan> plan,
                       accpac::AccpacErrors* errors)
    : ViewDecorator(std::move(inner)), plan_(std::move(plan)), errors_(errors) {}

FaultySession::FaultySession(std::shared_ptr<accpac::AccpacSession> inner, std::shared_ptr<FaultPlan> plan)
    : SessionDecorator(std::move(inner)), plan_(std::move(plan)) {}

std::shared_ptr<accpac::AccpacView> FaultySession::decorate(std::shared_ptr<accpac::AccpacView> view) {
    return std::make_shared<FaultyView>(std::move(view), plan_, &Errors());
}

}  // namespace testsupport
