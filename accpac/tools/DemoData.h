// The records of the demo company. Everything comes from a fixed seed, so
// the same options always make the same company.
#pragma once

#include <QString>
#include <cstdint>

#include "accpac/tools/CompanyTables.h"
#include "accpac/tools/CompanyWriter.h"

namespace accpac::sqlite {

// A small deterministic generator (splitmix64): the same sequence on every
// platform, unlike the standard distributions.
class DemoRandom {
public:
    explicit DemoRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // A number in [0, n); n > 0.
    std::int64_t below(std::int64_t n) { return std::int64_t(next() % std::uint64_t(n)); }
    // A number in [lo, hi].
    std::int64_t between(std::int64_t lo, std::int64_t hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }

private:
    std::uint64_t state_;
};

// A record being written, its fields set by name (the master data is small;
// the documents set theirs by position).
class DemoRecord {
public:
    explicit DemoRecord(RecordWriter& writer) : writer_(writer) {}
    DemoRecord& text(const char* field, const QString& value);
    DemoRecord& number(const char* field, std::int64_t value);  // stored form: dates yyyymmdd, amounts in units
    // Writes the record; a refusal is a fault in the generator and throws.
    void insert();

private:
    int column(const char* field) const;
    RecordWriter& writer_;
};

// A date as stored (yyyymmdd), `days` after 2023-01-01.
std::int64_t demoDate(int days);

// Employees, GL accounts and segments, earning/deduction codes, bank
// deposits, tax classes, rates and groups, distribution codes, items and
// the receipt-entry views.
void writeMasterData(Database& db);
// Parts of the master data, each in its own file.
void writeTaxViews(Database& db);
void writeInventoryViews(Database& db);
void writeReceiptViews(Database& db);

// The receivables views writeDocuments fills. Both come from one sequence,
// so each can be written on its own, into a file of its own, and still be
// the same records as when both are written together.
enum class Receivables { Documents = 1, Payments = 2, Both = 3 };

// `openDocuments` open documents over many customers, with paid ones mixed
// in and one to three scheduled payments each. Customer 1200 always has a
// few dozen open documents and a few paid ones, spread over the whole range
// of document numbers. Writes the views `which` names; returns how many
// records it wrote.
// `progress`, when set, hears how many documents, or scheduled payments
// when only those are written, are written.
std::int64_t writeDocuments(Database& db, std::int64_t openDocuments, Receivables which = Receivables::Both,
                            const ProgressReport& progress = {});

}  // namespace accpac::sqlite
