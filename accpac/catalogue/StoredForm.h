// How field values are stored: text as UTF-8, every other type as a whole
// number, so that a byte-wise comparison of texts and a numeric one of
// numbers give the key order exactly, in every backend.
//
//   Date     yyyymmdd (20240315), 0 for no date
//   Decimal  units at the field's decimals (12.5 at 3 decimals is 12500)
//   Boolean  0 or 1
//   Int16/32 the number
//
// The same conversion serves columns, put key values and filter values, so
// a value found by a browse always compares equal to the one it came from.
// Also the names and key indexes of a view's table, which are plain SQL
// every backend reads alike.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <variant>

#include "accpac/AccpacField.h"
#include "accpac/catalogue/Catalogue.h"

namespace accpac::catalogue {

// A value as a column stores it: a whole number (dates, amounts, flags and
// counts) or UTF-8 text.
using Stored = std::variant<std::int64_t, QByteArray>;

// The stored form of `value` for a field of `def`. The value is converted
// to the field's type first (texts as convertText reads them); throws 13
// when it does not convert, or when an amount has more decimals than the
// field keeps.
Stored toStored(const FieldDef& def, const Variant& value);
// The value of a field of any type but String from its stored whole number.
Variant fromNumber(const FieldDef& def, std::int64_t n);
// The stored form of a field's empty value ("" or 0).
Stored emptyStored(const FieldDef& def);

// `name` as an SQL identifier: between double quotes, inner quotes doubled.
QString quoteIdentifier(const QString& name);
// The names as identifiers, separated by commas.
QString columnList(const QStringList& names);
// The table's name for a view.
QString tableName(const ViewDef& view);
// Statements that create a view's key indexes: one unique index per
// distinct key, and one per key that leads with the view's filter prefix.
QStringList createIndexSql(const ViewDef& view);

}  // namespace accpac::catalogue
