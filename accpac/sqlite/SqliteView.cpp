// Browsing one table of a company file in key order.
#include "accpac/sqlite/SqliteView.h"

#include <optional>

#include "accpac/sqlite/BrowseQuery.h"
#include "accpac/sqlite/KeyOrder.h"
#include "accpac/sqlite/Storage.h"

namespace accpac::sqlite {

namespace {

// Filters, paging conditions and searches repeat a handful of query shapes;
// past this many a view starts its collection afresh.
constexpr qsizetype MaxPreparedQueries = 64;

}  // namespace

SqliteView::SqliteView(std::shared_ptr<CompanyContext> context, const ViewDef& def)
    : CatalogueView(context, def), context_(std::move(context)) {}

SqliteView::~SqliteView() = default;

void SqliteView::ResetBrowse(bool) {
    checkOpen("ResetBrowse");
    cursor_.reset();
}

std::shared_ptr<Statement> SqliteView::prepared(const QString& sql) {
    if (auto it = statements_.constFind(sql); it != statements_.constEnd()) return *it;
    if (statements_.size() >= MaxPreparedQueries) statements_.clear();
    auto statement = std::make_shared<Statement>(context_->db, sql, true);
    statements_.insert(sql, statement);
    return statement;
}

void SqliteView::Browse(const QString& filter, bool ascending) {
    checkOpen("Browse");
    ResetBrowse(false);
    const KeyDef& key = *def_.key(order_);
    std::optional<BrowsePlan> plan;
    planBrowse(filter, [&](const filter::Node* tree) { plan.emplace(def_, key, tree, fields_, ascending); });
    try {
        const BrowseCursor::Way way = chooseWay(*plan, key);
        cursor_ = std::make_unique<BrowseCursor>(def_, key, std::move(*plan), way,
                                                 [this](const QString& sql) { return prepared(sql); });
    } catch (const AccpacError& e) {
        context_->fail(e.description());
    }
}

bool SqliteView::keyOrdered() {
    bool marked = false;
    for (const auto& [sql, value] :
         {std::pair{keyOrderTableSql(), QString::fromLatin1(KeyOrderTable)}, std::pair{keyOrderMarkSql(), def_.id}}) {
        const std::shared_ptr<Statement> statement = prepared(sql);
        statement->bind(1, Stored(value.toUtf8()));
        try {
            marked = statement->step();
        } catch (...) {
            statement->reset();
            throw;
        }
        statement->reset();
        if (!marked) break;
    }
    return marked;
}

BrowseCursor::Way SqliteView::chooseWay(const BrowsePlan& plan, const KeyDef& key) {
    BrowseCursor::Way way;
    if (context_->planning == SearchPlanning::WalkOnly) return way;
    // Along the first key of a view numbered in its order, the index's hits
    // (or, for terms it cannot find, the table's records) come in key order:
    // no count, no choice. Within one customer's records the walk is short
    // and the count chooses as before.
    if (context_->planning == SearchPlanning::Cheapest && (plan.hasIndexed() || plan.searches()) &&
        !plan.standingFixed() && &key == &def_.keys.front() && keyOrdered()) {
        way.inRecordOrder = true;
        return way;
    }
    if (!plan.hasIndexed()) return way;
    if (context_->planning == SearchPlanning::IndexFirst) {
        way.throughIndex = true;
        return way;
    }
    const CompanyContext::SearchCosts& costs = context_->costs;
    way.walkBudget = costs.walkBudget;
    auto count = candidateCounts_.constFind(plan.indexQuery());
    if (count == candidateCounts_.constEnd()) {
        const BrowseQuery query = plan.candidates(costs.commonCandidates);
        const std::shared_ptr<Statement> statement = prepared(query.sql);
        for (std::size_t i = 0; i < query.params.size(); ++i) statement->bind(int(i) + 1, query.params[i]);
        try {
            statement->step();
        } catch (...) {
            statement->reset();
            throw;
        }
        count = candidateCounts_.insert(plan.indexQuery(), statement->columnInt(0));
        statement->reset();
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

void SqliteView::Close() {
    CatalogueView::Close();
    statements_.clear();
}

}  // namespace accpac::sqlite
