// How the embedded backend lays out a view in a company file: the view's
// table, numbered records, and the search index over its texts. Values are
// stored in the catalogue's stored forms (accpac/catalogue/StoredForm.h), in
// STRICT tables, so SQLite's binary comparison gives the key order exactly.
//
// The embedded backend is written in the catalogue's terms; the names below
// bring them into its namespace.
#pragma once

#include <QStringList>

#include "accpac/AccpacField.h"
#include "accpac/catalogue/Catalogue.h"
#include "accpac/catalogue/StoredForm.h"
#include "accpac/sqlite/Database.h"

namespace accpac::sqlite {

using catalogue::catalogue;
using catalogue::columnList;
using catalogue::createIndexSql;
using catalogue::emptyStored;
using catalogue::findView;
using catalogue::fromNumber;
using catalogue::KeyDef;
using catalogue::tableName;
using catalogue::toStored;
using catalogue::ViewDef;

// The value a column holds, as the field's type (Empty for no date).
Variant fromColumn(const FieldDef& def, const Statement& row, int column);

// The column that numbers a table's records, so the search index can point
// at them. It is the table's INTEGER PRIMARY KEY, which keeps its values
// through VACUUM.
inline constexpr const char* RecordIdColumn = "trovex_rowid";

// Statements that create a view's table (without its indexes, which
// createIndexSql gives).
QString createTableSql(const ViewDef& view);

// The search index of a view: a trigram index over the folded texts of its
// text fields (foldedText), named after the view with "_search", whose row
// numbers are the records' RecordIdColumn. It finds the records whose text
// holds a run of three or more characters, or starts with one, without
// reading the others. It holds the text fields longer than MinIndexedRun
// that the view's standing filters do not fix; none for a view without them.
inline constexpr int MinIndexedRun = 3;  // the trigram index finds runs of this many characters or more
QStringList searchedFields(const ViewDef& view);
QString searchTableName(const ViewDef& view);
// The statement that creates the search index when it is missing, and the
// one that sets how much it gathers in memory before it writes: much for
// a fill of all records, little for the writers that come later.
QString searchCreateSql(const ViewDef& view);
QString searchGatherSql(const ViewDef& view, bool filling);
// Statements that create the search index if it is missing and fill it
// afresh from the view's records, with the change table that notes the
// records written after that (SearchChanges.h), emptied; run them in the
// transaction that loads the records. The connection needs the filter's
// SQL functions; the writers that come later do not.
QStringList searchIndexSql(const ViewDef& view);
// searchIndexSql in parts: `before`, `fromTable`, `after`; or, for a tool
// that reads the records elsewhere, `before`, then `insertRow` once per row
// of `texts` with that row's values bound in order, then `after`. Either
// way searchChangesSql comes after (the change table is emptied with the
// fill: from then on the index knows every record but those the triggers
// note). All empty for a view without a search index.
struct SearchFill {
    QStringList before;  // creates the index if missing, empties it, gathers in large batches
    QString fromTable;   // fills the index from the view's table
    QString texts;       // each record's number and searched texts, from the view's table
    QString insertRow;   // one record into the index, from its number and texts (folded here)
    QStringList after;   // back to the small batches of later writers
};
SearchFill searchFill(const ViewDef& view);

}  // namespace accpac::sqlite
