// The SQL functions that the SQL of browse filters (filter::toSql) calls.
#pragma once

struct sqlite3;

namespace accpac::sqlite {

// Adds filter::LikeFunctionName (deterministic; NULL when either argument is
// NULL) and filter::FoldFunctionName (NULL for NULL) to a connection. Every
// connection that runs toSql's SQL or reads a search index needs them.
// Throws AccpacFailure when SQLite refuses.
void registerSqlFunctions(sqlite3* db);

}  // namespace accpac::sqlite
