// The calls every backend's views answer alike.
#include "accpac/catalogue/CatalogueView.h"

#include "accpac/AccpacError.h"

namespace accpac::catalogue {

CatalogueView::CatalogueView(std::shared_ptr<SessionContext> session, const ViewDef& def)
    : def_(def), fields_(def.fields), session_(std::move(session)) {
    fields_.reportUnknownTo(&session_->errors);
}

void CatalogueView::checkOpen(const char* operation) const {
    if (closed_)
        session_->fail(QStringLiteral("View %1 is closed: %2 is not possible.").arg(def_.id, QLatin1String(operation)));
}

void CatalogueView::setOrder(std::int16_t key) {
    checkOpen("Order");
    if (!def_.key(key)) session_->fail(QStringLiteral("View %1 has no key %2.").arg(def_.id).arg(key));
    order_ = key;
}

void CatalogueView::Compose(const std::vector<std::shared_ptr<AccpacView>>& views) {
    checkOpen("Compose");
    composed_.assign(views.begin(), views.end());
}

std::vector<std::shared_ptr<AccpacView>> CatalogueView::composed() const {
    std::vector<std::shared_ptr<AccpacView>> views;
    for (const auto& w : composed_) views.push_back(w.lock());
    return views;
}

void CatalogueView::ClearRecord() {
    checkOpen("ClearRecord");
    fields_.clearAll();
}

AccpacFields& CatalogueView::Fields() {
    checkOpen("Fields");
    return fields_;
}

void CatalogueView::Close() {
    checkOpen("Close");
    ResetBrowse(false);
    composed_.clear();
    closed_ = true;
}

std::unique_ptr<filter::Node> CatalogueView::planBrowse(const QString& filter,
                                                        const std::function<void(const filter::Node*)>& plan) {
    std::unique_ptr<filter::Node> tree;
    try {
        tree = filter::parse(filter, [this](const QString& name) { return def_.fieldAnyCase(name); });
        plan(tree.get());
    } catch (const filter::FilterError& e) {
        session_->fail(e.description());
    } catch (const AccpacError& e) {
        session_->fail(
            QStringLiteral("View %1 cannot browse with the filter \"%2\": %3").arg(def_.id, filter, e.description()));
    }
    return tree;
}

}  // namespace accpac::catalogue
