// Writing a company file (accpac/sqlite/CompanyFile.h says what makes one):
// its marker, every view's table and indexes, and the record writer the
// company tools load tables with. The backend never writes.
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "accpac/sqlite/CompanyFile.h"
#include "accpac/sqlite/Storage.h"
#include "accpac/tools/CompanyWriter.h"

namespace accpac::sqlite {

// The page cache of a connection that loads records and makes indexes.
// SQLite sorts an index's entries in runs as large as the cache and merges
// them: runs of a few megabytes stay in the processor's caches and took
// about half the CPU time of runs of 256 MB.
inline constexpr const char* LoadingCacheSize = "PRAGMA cache_size = -8192";

// Creates the marker and every view's table, without indexes.
void createTables(Database& db, const QString& companyName);
// Runs statements that each make one index of a table of `records`
// records; `progress`, when set, hears `stage` with the records indexed so
// far (records times the indexes made) as each index is done.
void makeIndexes(Database& db, const QString& stage, const QStringList& statements, std::int64_t records,
                 const ProgressReport& progress = {});
// Creates the view's indexes (createIndexSql) over its `records` records.
void createViewIndexes(Database& db, const ViewDef& view, std::int64_t records, const ProgressReport& progress = {});
// Fills the view's search index afresh (searchIndexSql) from its `records`
// records. The connection needs the SQL functions (registerSqlFunctions),
// added before the first fill: the search index may keep a read of its own
// open until the transaction ends, and SQLite refuses to replace functions
// meanwhile.
void fillSearchIndex(Database& db, const ViewDef& view, std::int64_t records, const ProgressReport& progress = {});
// The same stage, running `statements` instead (the parts of it a caller
// still needs after bringing the index in otherwise).
void fillSearchIndex(Database& db, const ViewDef& view, std::int64_t records, const ProgressReport& progress,
                     const QStringList& statements);
// The same, but from `rows`, a run of searchFill's texts on another
// connection whose row is current when `rowCurrent`, and without the
// change table (searchChangesSql), which is left for later.
void fillSearchIndex(Database& db, const ViewDef& view, std::int64_t records, const ProgressReport& progress,
                     Statement& rows, bool rowCurrent);
// Attaches the file at `path` to `db` as `schema` (outside a transaction).
void attachFile(Database& db, const QString& path, const QString& schema);
// Replaces the records of the table `name` (unquoted) with those of the
// table of that name in the attached `schema`. SQLite copies them, and
// their index entries, as they are when the two tables have the same shape
// and indexes: no sorting again.
void copyTable(Database& db, const QString& schema, const QString& name);

// Gathers the planner's statistics of every index.
void analyzeCompany(Database& db);
// The records of a view as its highest record number: exact for a view
// freshly loaded (numbered from 1 without gaps), an estimate after other
// programs wrote to it; for progress reports.
std::int64_t loadedRecords(Database& db, const ViewDef& view);

// Rewrites a view's records in the order of its first key, numbered from 1,
// and marks the view so (accpac/sqlite/KeyOrder.h), when it has a search
// index (which alone gains by it). For a table just loaded, before its
// indexes but the unique ones are made, and without the change triggers.
// Returns whether the records kept the numbers they were loaded with.
// `loadedInOrder`, when the caller knows it, says whether they were loaded
// numbered from 1 without gaps and in that order; otherwise the records are
// read once to tell.
bool writeInKeyOrder(Database& db, const ViewDef& view, std::optional<bool> loadedInOrder = std::nullopt);

// Drops a view's indexes, but for the unique ones that refuse a repeated
// key, and returns the statements that make them again, for reloading all
// its records.
QStringList dropIndexes(Database& db, const ViewDef& view);
// Gathers the planner's statistics of one view's indexes.
void analyzeView(Database& db, const ViewDef& view);

// Binds `utf8` to parameter `index` (from 1) of `statement`, a statement of
// `db`, without copying it, as loads of millions of texts want: the bytes
// must stay as they are until the parameter is bound again or the
// statement goes.
void bindTextInPlace(const Database& db, Statement& statement, int index, std::string_view utf8);

// Inserts records into one view's table with one prepared statement. Each
// record starts with every field at its empty value; set the fields it has,
// then insert.
class RecordWriter {
public:
    RecordWriter(Database& db, const ViewDef& view);

    const ViewDef& view() const { return view_; }
    void set(int field, const Stored& value);
    void setInt(int field, std::int64_t value);
    void setText(int field, std::string_view utf8);
    // Sets a text that stays as it is until the field is set again or the
    // writer is cleared (clear); not copied.
    void setTextInPlace(int field, std::string_view utf8);
    // Writes the record. Returns "" or, when SQLite refuses it, why (a
    // duplicate key...). Either way the next record starts empty.
    QString insert();
    // Writes the record like insert, but the next one starts with this
    // one's values, for a caller that sets the same fields of every record.
    QString insertAndKeep();
    // Drops what was set, for a record that will not be written.
    void clear();

private:
    const Database& db_;
    const ViewDef& view_;
    Statement insert_;
};

}  // namespace accpac::sqlite
