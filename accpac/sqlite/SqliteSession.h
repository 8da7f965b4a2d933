// A session on one company file, and what its views share with it.
#pragma once

#include <memory>

#include "accpac/AccpacSession.h"
#include "accpac/catalogue/SessionContext.h"
#include "accpac/sqlite/Database.h"

namespace accpac::sqlite {

// How a browse under LIKE conditions reaches its records (BrowseQuery.h):
// by the cheaper way, as sessions do; always by walking the key order; or
// through the search index wherever it helps. All three give the same
// records; the last two let tests compare them.
enum class SearchPlanning { Cheapest, WalkOnly, IndexFirst };

// The open file and how searches are planned, besides what every session
// shares with its views; a view that outlives its session still reads.
struct CompanyContext : catalogue::SessionContext {
    explicit CompanyContext(const QString& path) : db(path, Database::Mode::ReadOnly) {}
    Database db;
    SearchPlanning planning = SearchPlanning::Cheapest;
    // The costs the cheapest way is chosen by.
    struct SearchCosts {
        // What the walk may spend before the search index takes over, in
        // ticks of WalkTickOps virtual-machine steps: a few milliseconds. A
        // dense term fills a batch in far less; a rare one would read on for
        // seconds.
        int walkBudget = 100;
        // Fewer index candidates than this are read and sorted at once,
        // faster than any walk could start...
        std::int64_t rareCandidates = 500;
        // ...and this many or more make a common term, which the walk
        // serves: reading and sorting them would cost more than walking.
        std::int64_t commonCandidates = 20000;
    } costs;
    static constexpr int WalkTickOps = 1000;
};

class SqliteSession : public catalogue::CatalogueSession {
public:
    // Opens the company read-only; throws AccpacFailure when the file is
    // missing or is not a company.
    explicit SqliteSession(const QString& path);

    std::shared_ptr<AccpacView> OpenView(const QString& viewId, const QString& programId) override;
    // The session's connection (read-only, query-only).
    Database& database() { return context_->db; }
    void setSearchPlanning(SearchPlanning planning, CompanyContext::SearchCosts costs = {}) {
        context_->planning = planning;
        context_->costs = costs;
    }

private:
    catalogue::SessionContext& context() override { return *context_; }

    std::shared_ptr<CompanyContext> context_;
};

}  // namespace accpac::sqlite
