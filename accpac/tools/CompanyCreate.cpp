// Making a company file: the tables, the demo records in one transaction,
// then the indexes, built once over the loaded records (much faster than
// keeping them up to date record by record). The scheduled payments are
// built in a second file on a second thread and copied in at the end.
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <filesystem>
#include <mutex>
#include <system_error>

#include "accpac/AccpacError.h"
#include "accpac/sqlite/KeyOrder.h"
#include "accpac/sqlite/LikeFunction.h"
#include "accpac/sqlite/SearchChanges.h"
#include "accpac/tools/CompanyTables.h"
#include "accpac/tools/CompanyWriter.h"
#include "accpac/tools/DemoData.h"
#include "accpac/tools/SideBuild.h"

namespace accpac {

namespace {

constexpr std::int64_t DemoOpenDocuments = 600;  // enough for customer 1200 and many pages

void say(const ProgressReport& progress, const QString& text) {
    if (progress) progress({text});
}

}  // namespace

void createCompany(const QString& path, const CreateOptions& options) {
    // The company is built beside its final name and moved into place only
    // when complete, so a failed or interrupted creation leaves no half company.
    const QString building = path + QStringLiteral(".building");
    QFile::remove(building);
    try {
        // The two threads below take turns at the caller's report.
        std::mutex reporting;
        ProgressReport progress;
        if (options.progress)
            progress = [&](const Progress& p) {
                const std::lock_guard lock(reporting);
                options.progress(p);
            };
        const std::int64_t documents = options.scale > 0 ? options.scale : DemoOpenDocuments;
        {
            sqlite::Database db(building, sqlite::Database::Mode::Create);
            // Nothing to recover if this fails halfway: the file is thrown away.
            db.exec("PRAGMA journal_mode = OFF");
            db.exec("PRAGMA synchronous = OFF");
            // The company's file only: the other thread's file is read while it
            // is written.
            db.exec("PRAGMA main.locking_mode = EXCLUSIVE");
            db.exec(sqlite::LoadingCacheSize);
            sqlite::registerSqlFunctions(db.handle());
            // The scheduled payments, the view with the most records and
            // indexes, are made in a file of their own meanwhile.
            const sqlite::ViewDef& payments = *sqlite::findView(QStringLiteral("AR0037"));
            sqlite::SideBuild side(
                building + QStringLiteral("-") + payments.id, payments,
                [documents](sqlite::Database& sideDb, const ProgressReport& report) {
                    return sqlite::writeDocuments(sideDb, documents, sqlite::Receivables::Payments, report);
                },
                progress);
            db.exec("BEGIN");
            sqlite::createTables(db, options.name);
            say(progress, QStringLiteral("master data"));
            sqlite::writeMasterData(db);
            sqlite::writeDocuments(db, documents, sqlite::Receivables::Documents, progress);
            // The receivables are written in key order already; the smaller
            // views are sorted into it here.
            const sqlite::ViewDef& documentsView = *sqlite::findView(QStringLiteral("AR0036"));
            say(progress, QStringLiteral("records in key order"));
            for (const sqlite::ViewDef& view : sqlite::catalogue())
                if (&view != &payments && &view != &documentsView) sqlite::writeInKeyOrder(db, view);
            sqlite::setKeyOrderMark(db, documentsView, true);
            for (const sqlite::ViewDef& view : sqlite::catalogue()) {
                if (&view == &payments) continue;
                const std::int64_t records = sqlite::loadedRecords(db, view);
                sqlite::createViewIndexes(db, view, records, progress);
                sqlite::fillSearchIndex(db, view, records, progress);
            }
            // The payments' search index is made here, from the records
            // the other thread has written (it makes their indexes
            // meanwhile), into an empty table with the same indexes and no
            // triggers yet, ready for the copy.
            sqlite::createViewIndexes(db, payments, 0);
            db.exec("COMMIT");
            const std::int64_t payRecords = side.attachRecords(db);
            db.exec("BEGIN");
            sqlite::setKeyOrderMark(db, payments, true);
            sqlite::fillSearchIndex(db, payments, payRecords, progress,
                                    sqlite::searchFillSql(payments, QLatin1String(sqlite::SideBuild::Schema)));
            db.exec("COMMIT");
            // The other thread's progress shows while this one waits.
            say(progress, QStringLiteral("copy of %1").arg(payments.id));
            side.moveInto(db);
            db.exec("BEGIN");
            for (const QString& sql : sqlite::searchChangesSql(payments)) db.exec(sql.toUtf8().constData());
            say(progress, QStringLiteral("statistics"));
            sqlite::analyzeCompany(db);
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
