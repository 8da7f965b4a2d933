// The SQL of a browse that every backend shares: the walk along one key.
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
//
// The text is the filter's SQL (accpac/filter/Filter.h) with placeholders
// ?1, ?2, ...; a backend whose database writes placeholders or LIKE another
// way rewrites those two, and only they differ. Each backend builds its own
// ways around the walk (key ranges, search indexes, reads in runs).
#pragma once

#include <vector>

#include "accpac/AccpacFields.h"
#include "accpac/catalogue/Catalogue.h"
#include "accpac/catalogue/StoredForm.h"
#include "accpac/filter/Filter.h"

namespace accpac::catalogue {

struct BrowseQuery {
    QString sql;                 // placeholders ?1, ?2, ... in order
    std::vector<Stored> params;  // values for the placeholders
    bool nothing = false;        // true when no record can match (upward from the top of the range)
};

// The whole key order from the put key values under the filter. Throws 13
// when a filter or key value does not convert to its field's stored form.
BrowseQuery buildBrowse(const ViewDef& view, const KeyDef& key, const filter::Node* filter, const AccpacFields& record,
                        bool ascending);

// Where a browse starts: the leading key segments the record holds as put.
struct StartBound {
    QStringList columns;         // leading key segments that limit the start, quoted
    std::vector<Stored> values;  // their put values
    bool strict = false;         // upward past a maximum: strictly after the segments before it
    bool nothing = false;        // upward past a maximum in the first segment
};
StartBound startBound(const ViewDef& view, const KeyDef& key, const AccpacFields& record, bool ascending);
// The comparison of the start bound's row values: >=, <=, or > and < when strict.
const char* boundOperator(const StartBound& bound, bool ascending);

// Assembles one query of a browse: the filter's condition, then conditions
// added with their values, numbered after the filter's.
class QueryWriter {
public:
    explicit QueryWriter(const filter::SqlWhere& where);
    // A placeholder bound to `value`.
    QString param(const Stored& value);
    void condition(const QString& sql);
    // The row value of `columns` compared by `op` with the row value of `values`.
    void rowBound(const QStringList& columns, const std::vector<Stored>& values, const char* op);
    // That comparison's text, its values bound, for a condition elsewhere.
    QString rowComparison(const QStringList& columns, const std::vector<Stored>& values, const char* op);
    // The query reading every field `from` (a table, or a join with it) in
    // the key's order.
    BrowseQuery finish(const ViewDef& view, const KeyDef& key, bool ascending, const QString& from);
    // The same in another order, given as its SQL.
    BrowseQuery finish(const ViewDef& view, const QString& from, const QString& orderBy);

private:
    BrowseQuery query_;
    QStringList conditions_;
};

// The select list of a view: every field's column, in field order.
QString selectColumns(const ViewDef& view);

}  // namespace accpac::catalogue
