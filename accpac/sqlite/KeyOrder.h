// Record numbers that follow the first key.
//
// The company tools write a view's records in the order of its first key
// (key 0), so that record-number order (RecordIdColumn) is that key's order,
// and then mark the view as such in a small table of the file. From then on
// every record the change table (SearchChanges.h) does not name keeps that
// property: a record another program inserts, renumbers or moves along the
// first key is noted there. The search index hands out its hits in record
// number order, so a browse along the first key can read the index's hits
// from its start position onward, already in key order, and merge the noted
// records into them (BrowseQuery.h), instead of sorting every hit.
//
// A file without the table, or a view it does not name (files written by
// older tools or by other programs), is searched as before. A refill of the
// search index forgets the noted records without renumbering, so it takes
// the mark away.
#pragma once

#include <QStringList>

#include "accpac/sqlite/Storage.h"

namespace accpac::sqlite {

// The table naming the views whose records follow the first key; one
// column, view, the view's id.
inline constexpr const char* KeyOrderTable = "trovex_key_order";

// Marks `view` as following its first key, creating the table when
// missing, or takes the mark away: for the company tools, in the
// transaction that writes or refills the view.
void setKeyOrderMark(Database& db, const ViewDef& view, bool marked);
// Queries that give a row when the file has the table (binding its name,
// KeyOrderTable, to ?1) and, asked only then, when it marks a view
// (binding the view's id to ?1).
QString keyOrderTableSql();
QString keyOrderMarkSql();

}  // namespace accpac::sqlite
