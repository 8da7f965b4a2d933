// Making a company file: the tables, the demo records in one transaction,
// then the indexes, built once over the loaded records (much faster than
// keeping them up to date record by record).
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "accpac/AccpacError.h"
#include "accpac/tools/CompanyTables.h"
#include "accpac/tools/CompanyWriter.h"
#include "accpac/tools/DemoData.h"

namespace accpac {

namespace {

constexpr std::int64_t DemoOpenDocuments = 600;  // enough for customer 1200 and many pages

void say(const CreateOptions& options, const QString& text) {
    if (options.progress) options.progress({text});
}

}  // namespace

void createCompany(const QString& path, const CreateOptions& options) {
    // The company is built beside its final name and moved into place only
    // when complete, so a failed or interrupted creation leaves no half company.
    const QString building = path + QStringLiteral(".building");
    QFile::remove(building);
    try {
        {
            sqlite::Database db(building, sqlite::Database::Mode::Create);
            // Nothing to recover if this fails halfway: the file is thrown away.
            db.exec("PRAGMA journal_mode = OFF");
            db.exec("PRAGMA synchronous = OFF");
            db.exec("PRAGMA locking_mode = EXCLUSIVE");
            db.exec("PRAGMA cache_size = -262144");
            db.exec("PRAGMA threads = 2");
            db.exec("BEGIN");
            sqlite::createTables(db, options.name);
            say(options, QStringLiteral("master data"));
            sqlite::writeMasterData(db);
            const std::int64_t documents = options.scale > 0 ? options.scale : DemoOpenDocuments;
            sqlite::writeDocuments(db, documents, options.progress);
            say(options, QStringLiteral("records in key order"));
            for (const sqlite::ViewDef& view : sqlite::catalogue()) sqlite::writeInKeyOrder(db, view);
            sqlite::createIndexes(db, options.progress);
            db.exec("COMMIT");
            // Lookups read beside the programs that post: with a write-ahead
            // log neither waits for the other.
            db.exec("PRAGMA journal_mode = WAL");
        }
        // The build wrote without syncing; the records reach the disk before
        // the name does, and the rename replaces an old company in one step.
        QFile built(building);
        std::error_code failed;
        if (built.open(QIODevice::ReadOnly) && ::fsync(built.handle()) == 0)
            std::filesystem::rename(QFile::encodeName(building).toStdString(), QFile::encodeName(path).toStdString(),
                                    failed);
        else
            failed = std::error_code(errno, std::generic_category());
        if (failed)
            throw AccpacError(errnum::AccpacFailure, QStringLiteral("The company file \"%1\" cannot be replaced: %2.")
                                                         .arg(path, QString::fromStdString(failed.message())));
    } catch (...) {
        QFile::remove(building);
        throw;
    }
}

}  // namespace accpac
