// The records written since a view's search index was filled.
//
// Only the company tools fill the search index (Storage.h), with this
// program's folding function. The accounting programs go on writing the
// view's tables afterwards through connections of their own, which have
// none of this program's SQL functions, so nothing they run may call one.
// Plain SQL triggers on the view's table therefore note, in the view's
// change table, the number of every record inserted and of every record
// whose searched texts, first key or number an update changed. A search through the
// index takes those records as candidates besides the index's own, and
// every candidate is checked against the whole filter on the record as it
// is now, which drops the records deleted since and those that no longer
// match. So a search through the index finds exactly what the walk finds,
// however much was written since the index was filled; a long change table
// only makes the index the dearer way, and the walk then serves.
//
// Deletions need no note: a deleted record's number, still in the index,
// finds no record, or the record that took the number over, which its
// insertion noted and the filter checks anyway.
//
// Filling the index afresh empties the change table in the same
// transaction, so no writer's change falls between the two.
#pragma once

#include <QStringList>

#include "accpac/sqlite/Storage.h"

namespace accpac::sqlite {

// The change table of a view with a search index; its one column, record,
// holds the numbers (RecordIdColumn) of the records changed, each once.
QString searchChangesTableName(const ViewDef& view);
// Statements that create the change table and its triggers when they are
// missing, and empty the table. searchIndexSql runs them with the fill.
QStringList searchChangesSql(const ViewDef& view);
// Statements that drop the view's triggers: a tool that replaces every
// record of the view in one transaction runs them first, so that its own
// records are not noted one by one, then searchIndexSql.
QStringList dropSearchChangeTriggersSql(const ViewDef& view);

}  // namespace accpac::sqlite
