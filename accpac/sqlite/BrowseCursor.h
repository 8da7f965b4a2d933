// A browse read in short runs of records.
//
// Each run binds its query, steps out a handful of records and resets the
// statement at once, so between two calls no statement is left stepping: a
// caller that waits (a lookup window waiting for its user) holds no lock and
// no snapshot of the company, writers are never held up by it, and the next
// run reads what they committed. A run goes on from the key of the last
// record read; keys are unique, so a browse never repeats a record and never
// skips one that existed throughout, whatever was written in between.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "accpac/Variant.h"
#include "accpac/sqlite/BrowseQuery.h"

namespace accpac::sqlite {

class BrowseCursor {
public:
    // The prepared statement for a query text (kept by the caller).
    using Prepare = std::function<Statement&(const QString& sql)>;

    // Reads the first run of `first` at once. Throws AccpacFailure when the
    // company cannot be read (busy, damaged).
    BrowseCursor(const ViewDef& view, const KeyDef& key, BrowseQuery first, bool ascending, Prepare prepare);

    // The next record's values in field order, or nullptr at the end of the
    // browse. The values stay valid until the next call. Throws like the
    // constructor.
    const std::vector<Variant>* next();

private:
    void readRun(const BrowseQuery& query);

    const ViewDef& view_;
    const KeyDef& key_;
    BrowseQuery first_;
    bool ascending_;
    Prepare prepare_;
    std::vector<int> keyColumns_;            // column of each key segment
    std::deque<std::vector<Variant>> rows_;  // read and not yet handed out
    std::vector<Variant> current_;           // the record handed out last
    std::vector<Stored> lastKey_;            // key of the last record read
    std::size_t runSize_;                    // records the next run reads
    bool ended_ = false;                     // the last run reached the end
};

}  // namespace accpac::sqlite
