// Reading a browse in runs that each release the company before they return.
#include "accpac/sqlite/BrowseCursor.h"

#include <sqlite3.h>

#include "accpac/ReadPause.h"
#include "accpac/sqlite/KeyOrder.h"
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
      inRecordOrder_(way.inRecordOrder),
      walkBudget_(way.inRecordOrder ? -1 : way.walkBudget),
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

void BrowseCursor::take(const Statement& statement) {
    std::vector<Variant> row;
    row.reserve(view_.fields.size());
    for (std::size_t c = 0; c < view_.fields.size(); ++c) row.push_back(fromColumn(view_.fields[c], statement, int(c)));
    rows_.push_back(std::move(row));
    lastKey_.clear();
    for (const int column : keyColumns_) lastKey_.push_back(statement.columnStored(column));
    partStarted_ = true;
}

std::size_t BrowseCursor::readMerged() {
    // One snapshot for the mark and the part's two halves.
    const auto run = [&](const QString& sql) {
        const std::shared_ptr<Statement> s = prepare_(sql);
        s->step();
        s->reset();
    };
    run(QStringLiteral("BEGIN"));
    std::vector<std::shared_ptr<Statement>> open;
    const auto finish = [&](const char* end) {
        for (const auto& s : open) s->reset();
        open.clear();
        run(QLatin1String(end));
    };
    std::size_t n = 0;
    try {
        const std::shared_ptr<Statement> mark = prepare_(keyOrderMarkSql());
        mark->bind(1, Stored(view_.id.toUtf8()));
        open.push_back(mark);
        const bool marked = mark->step();
        mark->reset();
        if (!marked) {
            // On from the last record read: through the index, or along
            // the walk's part this run is in.
            inRecordOrder_ = false;
            throughIndex_ = plan_.hasIndexed();
        }
        while (inRecordOrder_ && n < runSize_ && !ended_) {
            const std::vector<Stored>* after = partStarted_ ? &lastKey_ : nullptr;
            const BrowseQuery halves[] = {plan_.streamed(walkPart_, after), plan_.noted(walkPart_, after)};
            // Each half's current row and its key, while it has one.
            struct Half {
                Statement* statement;
                bool row = false;
                std::vector<Stored> key;
            } heads[2];
            bool abandoned = false;
            const auto advance = [&](Half& h) {
                bool stopped = false;
                h.row = stepWatched(*h.statement, stopped) == Statement::Result::Row;
                abandoned = abandoned || stopped;
                h.key.clear();
                if (h.row)
                    for (const int column : keyColumns_) h.key.push_back(h.statement->columnStored(column));
            };
            for (int i = 0; i < 2; ++i) {
                open.push_back(prepare_(halves[i].sql));
                heads[i].statement = open.back().get();
                for (std::size_t p = 0; p < halves[i].params.size(); ++p)
                    heads[i].statement->bind(int(p) + 1, halves[i].params[p]);
                advance(heads[i]);
            }
            while (n < runSize_ && !abandoned && (heads[0].row || heads[1].row)) {
                const bool notedFirst =
                    heads[1].row &&
                    (!heads[0].row || (plan_.ascending() ? heads[1].key < heads[0].key : heads[0].key < heads[1].key));
                Half& h = heads[notedFirst ? 1 : 0];
                take(*h.statement);
                ++n;
                advance(h);
            }
            const bool more = heads[0].row || heads[1].row;
            for (const auto& s : open) s->reset();
            open.clear();
            if (abandoned) {
                rows_.clear();
                ended_ = true;
            } else if (!more) {
                if (++walkPart_ >= plan_.walk().size())
                    ended_ = true;
                else
                    partStarted_ = false;
            }
        }
    } catch (...) {
        finish("ROLLBACK");
        throw;
    }
    finish("COMMIT");
    return n;
}

void BrowseCursor::readRun() {
    std::size_t n = inRecordOrder_ && !ended_ ? readMerged() : 0;
    while (n < runSize_ && !ended_) {
        const BrowseQuery query = resumeQuery();
        const std::shared_ptr<Statement> kept = prepare_(query.sql);
        Statement& statement = *kept;
        for (std::size_t i = 0; i < query.params.size(); ++i) statement.bind(int(i) + 1, query.params[i]);
        Statement::Result step = Statement::Result::Row;
        bool abandoned = false;
        try {
            while (n < runSize_ && (step = stepWatched(statement, abandoned)) == Statement::Result::Row) {
                take(statement);
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
