// Browsing one table of a company file in key order.
#include "accpac/sqlite/SqliteView.h"

#include <optional>

#include "accpac/sqlite/BrowseQuery.h"
#include "accpac/sqlite/Storage.h"

namespace accpac::sqlite {

namespace {

// Filters, paging conditions and searches repeat a handful of query shapes;
// past this many a view starts its collection afresh.
constexpr qsizetype MaxPreparedQueries = 64;

}  // namespace

SqliteView::SqliteView(std::shared_ptr<CompanyContext> context, const ViewDef& def)
    : context_(std::move(context)), def_(def), fields_(def.fields) {
    fields_.reportUnknownTo(&context_->errors);
}

SqliteView::~SqliteView() = default;

void SqliteView::checkOpen(const char* operation) const {
    if (closed_)
        context_->fail(QStringLiteral("View %1 is closed: %2 is not possible.").arg(def_.id, QLatin1String(operation)));
}

void SqliteView::setOrder(std::int16_t key) {
    checkOpen("Order");
    if (!def_.key(key)) context_->fail(QStringLiteral("View %1 has no key %2.").arg(def_.id).arg(key));
    order_ = key;
}

void SqliteView::Compose(const std::vector<std::shared_ptr<AccpacView>>& views) {
    checkOpen("Compose");
    composed_.assign(views.begin(), views.end());
}

std::vector<std::shared_ptr<AccpacView>> SqliteView::composed() const {
    std::vector<std::shared_ptr<AccpacView>> views;
    for (const auto& w : composed_) views.push_back(w.lock());
    return views;
}

void SqliteView::ClearRecord() {
    checkOpen("ClearRecord");
    fields_.clearAll();
}

void SqliteView::ResetBrowse(bool) {
    checkOpen("ResetBrowse");
    cursor_.reset();
}

Statement& SqliteView::prepared(const QString& sql) {
    if (auto it = statements_.constFind(sql); it != statements_.constEnd()) return **it;
    if (statements_.size() >= MaxPreparedQueries) statements_.clear();
    auto statement = std::make_shared<Statement>(context_->db, sql, true);
    statements_.insert(sql, statement);
    return *statement;
}

void SqliteView::Browse(const QString& filter, bool ascending) {
    checkOpen("Browse");
    ResetBrowse(false);
    std::unique_ptr<filter::Node> tree;
    const KeyDef& key = *def_.key(order_);
    std::optional<BrowsePlan> plan;
    try {
        tree = filter::parse(filter, [this](const QString& name) { return def_.fieldAnyCase(name); });
        plan.emplace(def_, key, tree.get(), fields_, ascending);
    } catch (const filter::FilterError& e) {
        context_->fail(e.description());
    } catch (const AccpacError& e) {
        context_->fail(
            QStringLiteral("View %1 cannot browse with the filter \"%2\": %3").arg(def_.id, filter, e.description()));
    }
    try {
        const BrowseCursor::Way way = chooseWay(*plan);
        cursor_ = std::make_unique<BrowseCursor>(def_, key, std::move(*plan), way,
                                                 [this](const QString& sql) -> Statement& { return prepared(sql); });
    } catch (const AccpacError& e) {
        context_->fail(e.description());
    }
}

BrowseCursor::Way SqliteView::chooseWay(const BrowsePlan& plan) {
    BrowseCursor::Way way;
    if (!plan.hasIndexed() || context_->planning == SearchPlanning::WalkOnly) return way;
    if (context_->planning == SearchPlanning::IndexFirst) {
        way.throughIndex = true;
        return way;
    }
    const CompanyContext::SearchCosts& costs = context_->costs;
    way.walkBudget = costs.walkBudget;
    auto count = candidateCounts_.constFind(plan.indexQuery());
    if (count == candidateCounts_.constEnd()) {
        const BrowseQuery query = plan.candidates(costs.commonCandidates);
        Statement& statement = prepared(query.sql);
        for (std::size_t i = 0; i < query.params.size(); ++i) statement.bind(int(i) + 1, query.params[i]);
        try {
            statement.step();
        } catch (...) {
            statement.reset();
            throw;
        }
        count = candidateCounts_.insert(plan.indexQuery(), statement.columnInt(0));
        statement.reset();
    }
    if (*count < costs.rareCandidates)
        way.throughIndex = true;
    else if (*count >= costs.commonCandidates)
        way.walkBudget = -1;
    return way;
}

bool SqliteView::Fetch() {
    checkOpen("Fetch");
    if (!cursor_) return false;  // no browse started, or the last one has ended
    const std::vector<Variant>* record = nullptr;
    try {
        record = cursor_->next();
    } catch (const AccpacError& e) {
        cursor_.reset();
        context_->fail(e.description());
    }
    if (!record) {
        cursor_.reset();
        return false;
    }
    for (int i = 0; i < fields_.Count(); ++i) fields_.Item(i).load((*record)[std::size_t(i)]);
    return true;
}

AccpacFields& SqliteView::Fields() {
    checkOpen("Fields");
    return fields_;
}

void SqliteView::Close() {
    checkOpen("Close");
    ResetBrowse(false);
    statements_.clear();
    composed_.clear();
    closed_ = true;
}

}  // namespace accpac::sqlite
