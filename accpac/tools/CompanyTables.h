// Writing a company file (accpac/sqlite/CompanyFile.h says what makes one):
// its marker, every view's table and indexes, and the record writer the
// company tools load tables with. The backend never writes.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "accpac/sqlite/CompanyFile.h"
#include "accpac/sqlite/Storage.h"
#include "accpac/tools/CompanyWriter.h"

namespace accpac::sqlite {

// Creates the marker and every view's table, without indexes.
void createTables(Database& db, const QString& companyName);
// Creates every view's indexes and search index and gathers the planner's
// statistics; `progress`, when set, hears each view's indexes as they are made.
void createIndexes(Database& db, const ProgressReport& progress = {});

// Rewrites a view's records in the order of its first key, numbered from 1,
// and marks the view so (accpac/sqlite/KeyOrder.h), when it has a search
// index (which alone gains by it). For a table just loaded, before its
// indexes but the unique ones are made, and without the change triggers.
void writeInKeyOrder(Database& db, const ViewDef& view);

// Drops a view's indexes, but for the unique ones that refuse a repeated
// key, and returns the statements that make them again, for reloading all
// its records.
QStringList dropIndexes(Database& db, const ViewDef& view);
// Gathers the planner's statistics of one view's indexes.
void analyzeView(Database& db, const ViewDef& view);

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
    // Writes the record. Returns "" or, when SQLite refuses it, why (a
    // duplicate key...). Either way the next record starts empty.
    QString insert();
    // Drops what was set, for a record that will not be written.
    void clear();

private:
    const ViewDef& view_;
    Statement insert_;
};

}  // namespace accpac::sqlite
