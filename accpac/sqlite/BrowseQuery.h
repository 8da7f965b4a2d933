// The queries behind a browse.
//
// A browse walks the view along one key from the put key values under the
// filter (accpac/catalogue/BrowseSql.h).
//
// A filter whose LIKE conditions must all hold (joined by AND) gives two
// more ways to the same records, both keeping every condition of the filter
// and adding only ones the LIKE conditions imply, so they return exactly
// what the plain walk returns:
//
// - Key ranges, one per spelling of a fixed start on the key's leading
//   segment (accpac/catalogue/WalkPlan.h), part of the walk.
// - The search index (Storage.h). A pattern holding a run of three or more
//   fixed characters can only match records whose folded text holds that
//   run (at the start, for a run the pattern starts with). The index finds
//   those records wherever they are, with the records written since it was
//   filled (SearchChanges.h); the whole filter checks each of them as it is
//   now, and they are then ordered by key.
//
// On a view whose record numbers follow its first key (KeyOrder.h), a
// browse along that key has a third way, whose cost does not depend on how
// many records the index offers nor on where they lie: the index hands out
// its hits in record-number order, which for every record the change table
// does not name is key order. So the index is read from the record number
// where the browse starts (that of the first such record at or after the
// start in key order), each hit checked against the whole filter, and the
// noted records that match, sorted by key, are merged in (BrowseCursor.h);
// a batch is full after about as many hits as it holds matches. Terms too
// short for the index read the view's table the same way, in record-number
// order, which is one pass over its pages instead of a walk of the key's
// index with a lookup per record. A filter that fixes one customer keeps
// the counted choice below: its walk is short.
//
// Otherwise, which way is cheaper depends on how many records the index offers and on
// how the matches lie in key order. The index's candidates are counted up to
// a cap (a few milliseconds): few of them are read and sorted at once; too
// many to sort quickly mean a common term, which the walk serves. Between
// the two, where matches may be dense or lie far along the key order, the
// view walks first with a small budget of work and, when the budget runs out
// before the browse ends, carries on through the search index after the
// last record it delivered (BrowseCursor.h). Both ways give the same records
// in the same order, so the choice cannot be seen except in time. A backend
// over another database can use the same scheme: count the index's
// candidates with a cap, walk with a bounded cost, then resume through a
// trigram or folded-text index strictly after the last key delivered.
#pragma once

#include <vector>

#include "accpac/AccpacFields.h"
#include "accpac/catalogue/BrowseSql.h"
#include "accpac/catalogue/WalkPlan.h"
#include "accpac/filter/Filter.h"
#include "accpac/sqlite/Storage.h"

namespace accpac::sqlite {

using catalogue::BrowseQuery;

// The walk (accpac/catalogue/WalkPlan.h) and the way through the search index.
class BrowsePlan : public catalogue::WalkPlan {
public:
    // The plan for browsing `view` by `key` under the parsed `filter`
    // (nullptr for none), starting from the key values `record` holds as
    // put. Throws 13 when a filter value does not convert to its field's
    // stored form.
    BrowsePlan(const ViewDef& view, const KeyDef& key, const filter::Node* filter, const AccpacFields& record,
               bool ascending);

    // True when the search index can find the records instead of the walk.
    bool hasIndexed() const { return !match_.isEmpty(); }
    // The browse's records found through the search index, in key order:
    // those strictly after `after` (the stored values of every key segment
    // of a record the browse gave) or, without it, from the start.
    BrowseQuery indexed(const std::vector<Stored>* after) const;
    // Counts the search index's candidates, up to `cap` of its hits and
    // `cap` of the records written since it was filled: SELECT count(*).
    BrowseQuery candidates(std::int64_t cap) const;
    const QString& indexQuery() const { return match_; }

    // For a browse along the first key of a view whose record numbers
    // follow it: the walk's query `part` (walkPart), from its start or
    // strictly after `after`, in two halves that give its records between
    // them. streamed() gives the index's hits that the change table does
    // not name, in record-number order, hence key order; noted() gives the
    // records the change table names, in key order.
    BrowseQuery streamed(std::size_t part, const std::vector<Stored>* after) const;
    BrowseQuery noted(std::size_t part, const std::vector<Stored>* after) const;

private:
    QString match_;  // the search index's query, "" for none
};

}  // namespace accpac::sqlite
