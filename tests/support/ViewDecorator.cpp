// Pass-through of every view and session call to the wrapped object, with
// each call shown to the subclass first.
#include "tests/support/ViewDecorator.h"

namespace testsupport {

ViewDecorator::ViewDecorator(std::shared_ptr<accpac::AccpacView> inner) : inner_(std::move(inner)) {}

void ViewDecorator::see(ViewOp op, QString text, bool flag) {
    before({op, inner_->ViewID(), std::move(text), flag, {}});
}

QString ViewDecorator::ViewID() const { return inner_->ViewID(); }
std::int16_t ViewDecorator::Order() const { return inner_->Order(); }

void ViewDecorator::setOrder(std::int16_t key) {
    see(ViewOp::Order, QString::number(key));
    inner_->setOrder(key);
}

void ViewDecorator::Compose(const std::vector<std::shared_ptr<accpac::AccpacView>>& views) {
    QStringList ids;
    std::vector<std::shared_ptr<accpac::AccpacView>> own;
    for (const auto& v : views) {
        ids << (v ? v->ViewID() : QString());
        own.push_back(unwrap(v));
    }
    see(ViewOp::Compose, ids.join(QLatin1Char(',')));
    inner_->Compose(own);
}

void ViewDecorator::ClearRecord() {
    see(ViewOp::ClearRecord);
    inner_->ClearRecord();
}

void ViewDecorator::ResetBrowse(bool reserved) {
    see(ViewOp::ResetBrowse, QString(), reserved);
    inner_->ResetBrowse(reserved);
}

void ViewDecorator::Browse(const QString& filter, bool ascending) {
    see(ViewOp::Browse, filter, ascending);
    inner_->Browse(filter, ascending);
}

bool ViewDecorator::Fetch() {
    see(ViewOp::Fetch);
    const bool found = inner_->Fetch();
    fetched(found);
    return found;
}

accpac::AccpacFields& ViewDecorator::Fields() {
    see(ViewOp::Fields);
    return inner_->Fields();
}

void ViewDecorator::Close() {
    see(ViewOp::Close);
    inner_->Close();
}

std::shared_ptr<accpac::AccpacView> ViewDecorator::unwrap(std::shared_ptr<accpac::AccpacView> view) {
    while (auto* d = dynamic_cast<ViewDecorator*>(view.get())) view = d->inner();
    return view;
}

std::shared_ptr<accpac::AccpacView> SessionDecorator::OpenView(const QString& viewId, const QString& programId) {
    before({ViewOp::OpenView, viewId, programId, false, {}});
    return decorate(inner_->OpenView(viewId, programId));
}

}  // namespace testsupport
