// What makes a SQLite file a company: the marker table with the company's
// name and the file's format, and one table per view of the catalogue. The
// company tools write companies (accpac/tools/CompanyTables.h); the
// backend only reads them.
#pragma once

#include "accpac/sqlite/Database.h"

namespace accpac::sqlite {

constexpr int CompanyFormat = 3;  // bumped when tables, indexes or triggers change shape
// The table holding the company's name and the file's format.
inline constexpr const char* MarkerTable = "trovex_company";

// Throws AccpacFailure naming the cause when `path` cannot be a company
// file: nothing there, a folder, or no regular file.
void expectCompanyFile(const QString& path);

// The company's name. Throws AccpacFailure naming the file when it is not a
// company of this format (not SQLite at all, no marker, another format).
QString readCompanyName(const Database& db);

}  // namespace accpac::sqlite
