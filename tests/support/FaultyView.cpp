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

void FaultyView::setOrder(std::int16_t key) {
    plan_->check(ViewOp::Order, errors_);
    ViewDecorator::setOrder(key);
}

void FaultyView::Compose(const std::vector<std::shared_ptr<accpac::AccpacView>>& views) {
    plan_->check(ViewOp::Compose, errors_);
    ViewDecorator::Compose(views);
}

void FaultyView::ClearRecord() {
    plan_->check(ViewOp::ClearRecord, errors_);
    ViewDecorator::ClearRecord();
}

void FaultyView::ResetBrowse(bool reserved) {
    plan_->check(ViewOp::ResetBrowse, errors_);
    ViewDecorator::ResetBrowse(reserved);
}

void FaultyView::Browse(const QString& filter, bool ascending) {
    plan_->check(ViewOp::Browse, errors_);
    ViewDecorator::Browse(filter, ascending);
}

bool FaultyView::Fetch() {
    plan_->check(ViewOp::Fetch, errors_);
    return ViewDecorator::Fetch();
}

accpac::AccpacFields& FaultyView::Fields() {
    plan_->check(ViewOp::Fields, errors_);
    return ViewDecorator::Fields();
}

void FaultyView::Close() {
    plan_->check(ViewOp::Close, errors_);
    ViewDecorator::Close();
}

FaultySession::FaultySession(std::shared_ptr<accpac::AccpacSession> inner, std::shared_ptr<FaultPlan> plan)
    : SessionDecorator(std::move(inner)), plan_(std::move(plan)) {}

std::shared_ptr<accpac::AccpacView> FaultySession::OpenView(const QString& viewId, const QString& programId) {
    plan_->check(ViewOp::OpenView, &Errors());
    return SessionDecorator::OpenView(viewId, programId);
}

std::shared_ptr<accpac::AccpacView> FaultySession::decorate(std::shared_ptr<accpac::AccpacView> view) {
    return std::make_shared<FaultyView>(std::move(view), plan_, &Errors());
}

}  // namespace testsupport
