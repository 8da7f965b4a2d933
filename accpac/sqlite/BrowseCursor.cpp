// Reading a browse in runs that each release the company before they return.
#include "accpac/sqlite/BrowseCursor.h"

#include <sqlite3.h>

#include "accpac/ReadPause.h"
#include "accpac/sqlite/SqliteSession.h"
#include "accpac/sqlite/Storage.h"

namespace accpac::sqlite {

namespace {

// A lookup's batch (a screenful and one more record) fits the first run;
// later runs grow so that a long walk costs few queries.
constexpr std::size_t FirstRun = 16;
constexpr std::size_t LongestRun = 1024;

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

BrowseCursor::BrowseCursor(const ViewDef& view, const KeyDef& key, BrowsePlan plan, Way way, Prepare prepare)
    : view_(view),
      plan_(std::move(plan)),
      prepare_(std::move(prepare)),
      throughIndex_(way.throughIndex),
      walkBudget_(way.walkBudget),
      runSize_(FirstRun) {
    for (const QString& segment : key.segments) keyColumns_.push_back(view_.fieldIndex(segment));
    ended_ = !throughIndex_ && plan_.walk().empty();
    readRun();
}

BrowseQuery BrowseCursor::resumeQuery() const {
    const std::vector<Stored>* after = lastKey_.empty() ? nullptr : &lastKey_;
    if (throughIndex_) return plan_.indexed(after);
    return plan_.walkPart(walkPart_, partStarted_ ? after : nullptr);
}

Statement::Result BrowseCursor::stepWatched(Statement& statement, bool& abandoned) {
    StepWatch watch;
    if (!throughIndex_ && walkBudget_ >= 0) watch.walkBudget = &walkBudget_;
    sqlite3* db = sqlite3_db_handle(statement.handle());
    sqlite3_progress_handler(db, CompanyContext::WalkTickOps, watchStep, &watch);
    Statement::Result result;
    try {
        result = statement.stepInterruptible();
    } catch (...) {
        sqlite3_progress_handler(db, 0, nullptr, nullptr);
        throw;
    }
    sqlite3_progress_handler(db, 0, nullptr, nullptr);
    abandoned = watch.abandoned;
    return result;
}

void BrowseCursor::readRun() {
    std::size_t n = 0;
    while (n < runSize_ && !ended_) {
        const BrowseQuery query = resumeQuery();
        Statement& statement = prepare_(query.sql);
        for (std::size_t i = 0; i < query.params.size(); ++i) statement.bind(int(i) + 1, query.params[i]);
        Statement::Result step = Statement::Result::Row;
        bool abandoned = false;
        try {
            while (n < runSize_ && (step = stepWatched(statement, abandoned)) == Statement::Result::Row) {
                std::vector<Variant> row;
                row.reserve(view_.fields.size());
                for (std::size_t c = 0; c < view_.fields.size(); ++c)
                    row.push_back(fromColumn(view_.fields[c], statement, int(c)));
                rows_.push_back(std::move(row));
                lastKey_.clear();
                for (const int column : keyColumns_) lastKey_.push_back(statement.columnStored(column));
                partStarted_ = true;
                ++n;
            }
        } catch (...) {
            statement.reset();
            throw;
        }
        statement.reset();
        if (step == Statement::Result::Row) break;  // the run is full; the next one resumes here
        if (abandoned) {
            // The records this run read go unseen: the Fetch waiting for
            // them is told the browse is over.
            rows_.clear();
            ended_ = true;
        } else if (step == Statement::Result::Interrupted) {
            // The walk spent its budget: the search index finds the rest,
            // after the last record read.
            throughIndex_ = true;
        } else if (throughIndex_ || ++walkPart_ >= plan_.walk().size()) {
            ended_ = true;
        } else {
            partStarted_ = false;
        }
    }
    runSize_ = std::min(runSize_ * 4, LongestRun);
}

const std::vector<Variant>* BrowseCursor::next() {
    if (rows_.empty() && !ended_) readRun();
    if (rows_.empty()) return nullptr;
    current_ = std::move(rows_.front());
    rows_.pop_front();
    return &current_;
}

}  // namespace accpac::sqlite
