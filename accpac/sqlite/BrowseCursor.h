// A browse read in short runs of records.
//
// Each run binds a query of the browse's plan (BrowseQuery.h), steps out a
// handful of records and resets the statement at once, so between two calls
// no statement is left stepping: a caller that waits (a lookup window
// waiting for its user) holds no lock and no snapshot of the company,
// writers are never held up by it, and the next run reads what they
// committed. A run goes on from the key of the last record read, the same
// way the browse was going: along the walk's query it was in, or through
// the search index. Keys are unique, so a browse never repeats a record and
// never skips one that existed throughout, whatever was written in between.
//
// Along the first key of a view whose record numbers follow it, a run
// merges, by key, the two halves of the walk's query it is in
// (BrowsePlan::streamed and noted). The run reads in one transaction that
// first looks at the view's mark: a refill of the index between two runs
// takes it away, and the browse goes on through the search index after the
// last record read.
//
// While a run steps, SQLite's progress handler spends the walk's budget
// (when the search index stands by: once it is spent, the search index
// finds the rest after the last record read) and asks the read pause
// (accpac/ReadPause.h) whether the read is still wanted.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "accpac/Variant.h"
#include "accpac/sqlite/BrowseQuery.h"

namespace accpac::sqlite {

class BrowseCursor {
public:
    // The prepared statement for a query text, shared with the caller's
    // collection, which may let it go while a run still steps it.
    using Prepare = std::function<std::shared_ptr<Statement>(const QString& sql)>;

    // How the browse starts: through the search index, or walking the key
    // order with a budget of progress ticks (negative: without one).
    struct Way {
        bool throughIndex = false;
        int walkBudget = -1;
        bool inRecordOrder = false;  // merging the index's hits in record-number order with the noted records
    };

    // Reads the first run of `plan` at once. Throws AccpacFailure when the
    // company cannot be read (busy, damaged).
    BrowseCursor(const ViewDef& view, const KeyDef& key, BrowsePlan plan, Way way, Prepare prepare);

    // The next record's values in field order, or nullptr at the end of the
    // browse or when the read pause abandoned it. The values stay valid
    // until the next call. Throws like the constructor.
    const std::vector<Variant>* next();

private:
    void readRun();
    // Reads up to runSize_ records merging the two halves of each part;
    // returns how many.
    std::size_t readMerged();
    // Keeps the current row of `statement` as the next record.
    void take(const Statement& statement);
    // The query the next records come from, resuming after lastKey_.
    BrowseQuery resumeQuery() const;
    // Steps under the progress handler; `abandoned` tells that the read
    // pause ended the read.
    Statement::Result stepWatched(Statement& statement, bool& abandoned);

    const ViewDef& view_;
    BrowsePlan plan_;
    Prepare prepare_;
    std::vector<int> keyColumns_;            // column of each key segment
    std::deque<std::vector<Variant>> rows_;  // read and not yet handed out
    std::vector<Variant> current_;           // the record handed out last
    std::vector<Stored> lastKey_;            // key of the last record read
    std::size_t walkPart_ = 0;               // the walk's query running or next
    bool partStarted_ = false;               // lastKey_ came from that query
    bool throughIndex_ = false;              // the search index has taken over
    bool inRecordOrder_ = false;             // merging in record-number order (Way::inRecordOrder)
    int walkBudget_ = -1;                    // progress ticks the walk may still spend; < 0 unlimited
    std::size_t runSize_;                    // records the next run reads
    bool ended_ = false;                     // nothing more to read
};

}  // namespace accpac::sqlite
