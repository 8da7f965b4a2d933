// How field values are stored: text as UTF-8, every other type as a whole
// number, so that SQLite's binary comparison gives the key order exactly.
//
//   Date     yyyymmdd (20240315), 0 for no date
//   Decimal  units at the field's decimals (12.5 at 3 decimals is 12500)
//   Boolean  0 or 1
//   Int16/32 the number
//
// The same conversion serves columns, put key values and filter values, so
// a value found by a browse always compares equal to the one it came from.
#pragma once

#include <QStringList>

#include "accpac/AccpacField.h"
#include "accpac/sqlite/Catalogue.h"
#include "accpac/sqlite/Database.h"

namespace accpac::sqlite {

// The stored form of `value` for a field of `def`. The value is converted
// to the field's type first (texts as convertText reads them); throws 13
// when it does not convert, or when an amount has more decimals than the
// field keeps.
Stored toStored(const FieldDef& def, const Variant& value);
// The value a column holds, as the field's type (Empty for no date).
Variant fromColumn(const FieldDef& def, const Statement& row, int column);
// The value of a field of any type but String from its stored whole number.
Variant fromNumber(const FieldDef& def, std::int64_t n);
// The stored form of a field's empty value ("" or 0).
Stored emptyStored(const FieldDef& def);

// The column that numbers a table's records, so the search index can point
// at them. It is the table's INTEGER PRIMARY KEY, which keeps its values
// through VACUUM.
inline constexpr const char* RecordIdColumn = "trovex_rowid";

// Statements that create a view's table (without its indexes).
QString createTableSql(const ViewDef& view);
// Statements that create a view's indexes: one unique index per distinct
// key, and one per key that leads with the view's filter prefix.
QStringList createIndexSql(const ViewDef& view);
// The table's name for a view.
QString tableName(const ViewDef& view);

// The search index of a view: a trigram index over the folded texts of its
// text fields (foldedText), named after the view with "_search", whose row
// numbers are the records' RecordIdColumn. It finds the records whose text
// holds a run of three or more characters, or starts with one, without
// reading the others. It holds the text fields longer than MinIndexedRun
// that the view's standing filters do not fix; none for a view without them.
inline constexpr int MinIndexedRun = 3;  // the trigram index finds runs of this many characters or more
QStringList searchedFields(const ViewDef& view);
QString searchTableName(const ViewDef& view);
// Statements that create the search index if it is missing and fill it
// afresh from the view's records, with the change table that notes the
// records written after that (SearchChanges.h), emptied; run them in the
// transaction that loads the records. The connection needs the filter's
// SQL functions; the writers that come later do not.
QStringList searchIndexSql(const ViewDef& view);

}  // namespace accpac::sqlite
