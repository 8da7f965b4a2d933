// Pass-through of every view and session call to the wrapped object.
#include "tests/support/ViewDecorator.h"

namespace testsupport {

ViewDecorator::ViewDecorator(std::shared_ptr<accpac::AccpacView> inner) : inner_(std::move(inner)) {}

QString ViewDecorator::ViewID() const { return inner_->ViewID(); }
std::int16_t ViewDecorator::Order() const { return inner_->Order(); }
void ViewDecorator::setOrder(std::int16_t key) { inner_->setOrder(key); }

void ViewDecorator::Compose(const std::vector<std::shared_ptr<accpac::AccpacView>>& views) {
    std::vector<std::shared_ptr<accpac::AccpacView>> own;
    own.reserve(views.size());
    for (const auto& v : views) own.push_back(unwrap(v));
    inner_->Compose(own);
}

void ViewDecorator::ClearRecord() { inner_->ClearRecord(); }
void ViewDecorator::ResetBrowse(bool reserved) { inner_->ResetBrowse(reserved); }
void ViewDecorator::Browse(const QString& filter, bool ascending) { inner_->Browse(filter, ascending); }
bool ViewDecorator::Fetch() { return inner_->Fetch(); }
accpac::AccpacFields& ViewDecorator::Fields() { return inner_->Fields(); }
void ViewDecorator::Close() { inner_->Close(); }

std::shared_ptr<accpac::AccpacView> ViewDecorator::unwrap(std::shared_ptr<accpac::AccpacView> view) {
    while (auto* d = dynamic_cast<ViewDecorator*>(view.get())) view = d->inner();
    return view;
}

std::shared_ptr<accpac::AccpacView> SessionDecorator::OpenView(const QString& viewId, const QString& programId) {
    return decorate(inner_->OpenView(viewId, programId));
}

}  // namespace testsupport
