// Browsing one table of a company file in key order.
#include "accpac/sqlite/SqliteView.h"

#include <sqlite3.h>

#include "accpac/ReadPause.h"
#include "accpac/sqlite/BrowseQuery.h"
#include "accpac/sqlite/Storage.h"

namespace accpac::sqlite {

namespace {

// Filters, paging conditions and searches repeat a handful of query shapes;
// past this many a view starts its collection afresh.
constexpr qsizetype MaxPreparedQueries = 64;

// What the progress handler watches while a query steps: the walk's budget
// (when the search index stands by) and the user interface's read pause.
struct StepWatch {
    int* walkBudget = nullptr;
    bool abandoned = false;
};

int watchStep(void* data) {
    auto* watch = static_cast<StepWatch*>(data);
    if (watch->walkBudget && *watch->walkBudget >= 0 && --*watch->walkBudget < 0) return 1;
    if (accpac::readAbandoned()) {
        watch->abandoned = true;
        return 1;
    }
    return 0;
}

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
    endBrowse();
}

void SqliteView::endBrowse() {
    if (cursor_) cursor_->reset();
    cursor_ = nullptr;
    plan_.reset();
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
    try {
        tree = filter::parse(filter, [this](const QString& name) { return def_.fieldAnyCase(name); });
        plan_.emplace(def_, key, tree.get(), fields_, ascending);
    } catch (const filter::FilterError& e) {
        context_->fail(e.description());
    } catch (const AccpacError& e) {
        context_->fail(
            QStringLiteral("View %1 cannot browse with the filter \"%2\": %3").arg(def_.id, filter, e.description()));
    }
    walkPart_ = 0;
    keyColumns_.clear();
    for (const QString& segment : key.segments) keyColumns_.push_back(def_.fieldIndex(segment));
    lastKey_.clear();
    try {
        chooseWay();
        if (!startNextQuery()) endBrowse();
    } catch (const AccpacError& e) {
        endBrowse();
        context_->fail(e.description());
    }
}

void SqliteView::chooseWay() {
    throughIndex_ = false;
    walkBudget_ = -1;
    if (!plan_->hasIndexed() || context_->planning == SearchPlanning::WalkOnly) return;
    if (context_->planning == SearchPlanning::IndexFirst) {
        throughIndex_ = true;
        return;
    }
    const CompanyContext::SearchCosts& costs = context_->costs;
    walkBudget_ = costs.walkBudget;
    auto count = candidateCounts_.constFind(plan_->indexQuery());
    if (count == candidateCounts_.constEnd()) {
        const BrowseQuery query = plan_->candidates(costs.commonCandidates);
        Statement& statement = prepared(query.sql);
        for (std::size_t i = 0; i < query.params.size(); ++i) statement.bind(int(i) + 1, query.params[i]);
        statement.step();
        count = candidateCounts_.insert(plan_->indexQuery(), statement.columnInt(0));
        statement.reset();
    }
    if (*count < costs.rareCandidates)
        throughIndex_ = true;
    else if (*count >= costs.commonCandidates)
        walkBudget_ = -1;
}

bool SqliteView::startNextQuery() {
    BrowseQuery query;
    if (throughIndex_)
        query = plan_->indexed(lastKey_.empty() ? nullptr : &lastKey_);
    else if (walkPart_ < plan_->walk().size())
        query = plan_->walk()[walkPart_];
    else
        return false;
    Statement& statement = prepared(query.sql);
    for (std::size_t i = 0; i < query.params.size(); ++i) statement.bind(int(i) + 1, query.params[i]);
    cursor_ = &statement;
    return true;
}

Statement::Result SqliteView::stepWatched(bool& abandoned) {
    StepWatch watch;
    if (!throughIndex_ && walkBudget_ >= 0) watch.walkBudget = &walkBudget_;
    sqlite3* db = context_->db.handle();
    sqlite3_progress_handler(db, CompanyContext::WalkTickOps, watchStep, &watch);
    Statement::Result result;
    try {
        result = cursor_->stepInterruptible();
    } catch (...) {
        sqlite3_progress_handler(db, 0, nullptr, nullptr);
        throw;
    }
    sqlite3_progress_handler(db, 0, nullptr, nullptr);
    abandoned = watch.abandoned;
    return result;
}

bool SqliteView::Fetch() {
    checkOpen("Fetch");
    if (!cursor_) return false;  // no browse started, or the last one has ended
    try {
        for (;;) {
            bool abandoned = false;
            const Statement::Result step = stepWatched(abandoned);
            if (step == Statement::Result::Row) break;
            cursor_->reset();
            cursor_ = nullptr;
            if (abandoned) {
                endBrowse();
                return false;
            }
            if (step == Statement::Result::Interrupted) {
                // The walk spent its budget: the search index finds the
                // rest, after the last record given.
                throughIndex_ = true;
            } else if (throughIndex_) {
                endBrowse();
                return false;
            } else {
                ++walkPart_;
            }
            if (!startNextQuery()) {
                endBrowse();
                return false;
            }
        }
    } catch (const AccpacError& e) {
        endBrowse();
        context_->fail(e.description());
    }
    lastKey_.clear();
    for (const int column : keyColumns_) lastKey_.push_back(cursor_->columnStored(column));
    for (int i = 0; i < fields_.Count(); ++i)
        fields_.Item(i).load(fromColumn(def_.fields[std::size_t(i)], *cursor_, i));
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
