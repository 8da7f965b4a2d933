// What a view of the catalogue does alike in every backend: its fields and
// key order, the views composed with it, refusing calls once closed, and
// reading a browse's filter. A backend adds how a browse reads records.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "accpac/AccpacView.h"
#include "accpac/catalogue/Catalogue.h"
#include "accpac/catalogue/SessionContext.h"
#include "accpac/filter/Filter.h"

namespace accpac::catalogue {

class CatalogueView : public AccpacView {
public:
    CatalogueView(std::shared_ptr<SessionContext> session, const ViewDef& def);

    QString ViewID() const override { return def_.id; }
    std::int16_t Order() const override { return order_; }
    void setOrder(std::int16_t key) override;
    void Compose(const std::vector<std::shared_ptr<AccpacView>>& views) override;
    void ClearRecord() override;
    AccpacFields& Fields() override;
    // Ends the browse (ResetBrowse) and lets go of the composed views.
    void Close() override;

    // The views composed with this one, in the order given (expired or
    // empty entries as nullptr).
    std::vector<std::shared_ptr<AccpacView>> composed() const;

protected:
    // Fails naming `operation` when the view is closed.
    void checkOpen(const char* operation) const;
    // Parses the browse filter `filter` against the view's fields and gives
    // the tree to `plan`, which builds the browse's queries; returns the
    // tree. A filter that does not parse, or a value that does not convert
    // to its field's stored form, fails the browse naming the view.
    std::unique_ptr<filter::Node> planBrowse(const QString& filter,
                                             const std::function<void(const filter::Node*)>& plan);

    const ViewDef& def_;
    AccpacFields fields_;
    std::int16_t order_ = 0;

private:
    std::shared_ptr<SessionContext> session_;
    bool closed_ = false;
    // Companion views are held weakly: views compose each other both ways,
    // and their owner, not the link, decides how long they live.
    std::vector<std::weak_ptr<AccpacView>> composed_;
};

}  // namespace accpac::catalogue
