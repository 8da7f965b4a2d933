// The one SQL query behind a browse.
//
// A browse reads the view in the order of one key, upward or downward, from
// the key values put into the record, under a filter:
//
//   SELECT <every field> FROM <view>
//   WHERE <filter> AND <start bound> ORDER BY <key segments> ASC|DESC
//
// The start bound compares the leading key segments that were put, as one
// row value, with >= (upward) or <= (downward). Segments not put do not
// limit the start, and neither do those after the first one not put. The
// maximum-key text put into a segment stands for the top of its range: a
// downward browse then starts at the end of what the segments before it
// allow, an upward one after it. No OFFSET, no count: the first record is
// one index seek away, and each further one is the next index entry.
#pragma once

#include <vector>

#include "accpac/AccpacFields.h"
#include "accpac/filter/Filter.h"
#include "accpac/sqlite/Catalogue.h"
#include "accpac/sqlite/Database.h"

namespace accpac::sqlite {

struct BrowseQuery {
    QString sql;                       // placeholders ?1, ?2, ... in order
    std::vector<Stored> params;        // values for the placeholders
    bool nothing = false;              // true when no record can match (upward from the top of the range)
    QString filterSql;                 // the filter's condition alone, placeholders from ?1; "" for none
    std::vector<Stored> filterParams;  // its values, the first of params
};

// The query for browsing `view` by `key` under the parsed `filter` (nullptr
// for none), starting from the key values `record` holds as put. Throws 13
// when a filter value does not convert to its field's stored form.
BrowseQuery buildBrowse(const ViewDef& view, const KeyDef& key, const filter::Node* filter, const AccpacFields& record,
                        bool ascending);

// The same browse continued strictly after (upward) or before (downward)
// the record whose key segments hold `lastKey` (stored values, in segment
// order). Keys are unique, so the continuation neither repeats that record
// nor skips the next one, whatever was written in between.
BrowseQuery continueBrowse(const ViewDef& view, const KeyDef& key, const BrowseQuery& browse,
                           const std::vector<Stored>& lastKey, bool ascending);

// The select list of a view: every field's column, in field order.
QString selectColumns(const ViewDef& view);

}  // namespace accpac::sqlite
