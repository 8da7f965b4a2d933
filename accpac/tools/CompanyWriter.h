// Making and loading company files, for the company tool, the host
// program's demo company and the tests. The component itself only reads
// companies (accpac/sqlite/SqliteCompany.h).
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

namespace accpac {

// How far a long job has got: its stage, and the records done of a total
// (an estimate while a file is still being read; 0 when not counted).
struct Progress {
    QString stage;
    std::int64_t done = 0;
    std::int64_t total = 0;
};
using ProgressReport = std::function<void(const Progress&)>;

struct CreateOptions {
    QString name = QStringLiteral("Sample Company Inc.");  // company name
    std::int64_t scale = 0;                                // open documents to create; 0 = the small demo set
    ProgressReport progress = {};  // told each stage and, while documents are written, how many; may be empty
};
// Creates (replaces) a deterministic company with data in every view.
// Throws AccpacFailure on failure.
void createCompany(const QString& path, const CreateOptions& options);

struct ImportResult {
    std::int64_t rows = 0;  // records loaded
    QStringList problems;   // "line N: ..." for each bad row; nothing was loaded when not empty
};
// Replaces a view's records with those of a CSV file (header row of field
// names, RFC 4180 quoting, values as the grid shows them, codes for coded
// fields). All or nothing. Throws AccpacFailure for an unknown view or a file
// that cannot be read.
// `progress` is told the records read so far, now and then.
ImportResult importCsv(const QString& path, const QString& viewId, const QString& csvFile,
                       const ProgressReport& progress = {});

// Refills every view's search index from its records and forgets the
// records other programs wrote since, all in one transaction. Holds the
// company's write lock while it runs (seconds per million records), so it
// belongs in a quiet hour. Throws AccpacFailure on failure.
void reindexCompany(const QString& path, const ProgressReport& progress = {});

}  // namespace accpac
