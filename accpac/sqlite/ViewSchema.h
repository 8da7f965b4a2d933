// Whether a company file holds what the catalogue says a view reads, and
// keeping every double-quoted name in a query a name.
//
// A company file made by another tool, or by an older version, may lack a
// view's table or some of its columns. SQLite reads a double-quoted name
// that names no column as a text, so such a view would show the column's
// name as every record's value; these checks make the file's shortcomings
// errors instead, when the view is opened and in every later query.
#pragma once

#include <QString>

#include "accpac/sqlite/Database.h"
#include "accpac/sqlite/Storage.h"

namespace accpac::sqlite {

// What the company lacks for `view`, as the end of a sentence ("it has no
// table for the view." or "the view's table has no column ACCTDESC,
// ACCTTYPE."), also for the views it is always read with; "" when each
// of their tables holds every field of the catalogue.
// Throws AccpacFailure when the file cannot be read.
QString missingForView(const Database& db, const ViewDef& view);

// From now on a double-quoted name that names no column fails the query
// instead of being read as a text.
void refuseQuotedTexts(Database& db);

}  // namespace accpac::sqlite
