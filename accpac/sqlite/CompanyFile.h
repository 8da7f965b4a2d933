// What makes a SQLite file a company: the marker table with the company's
// name and the file's format, and one table per view of the catalogue.
// Also the record writer the company tools load tables with.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "accpac/sqlite/Database.h"
#include "accpac/sqlite/Storage.h"

namespace accpac::sqlite {

constexpr int CompanyFormat = 2;  // bumped when tables or indexes change shape

// The company's name. Throws AccpacFailure naming the file when it is not a
// company of this format (not SQLite at all, no marker, another format).
QString readCompanyName(const Database& db);
// Creates the marker and every view's table, without indexes.
void createTables(Database& db, const QString& companyName);
// Creates every view's indexes and search index and gathers the planner's
// statistics.
void createIndexes(Database& db);

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
