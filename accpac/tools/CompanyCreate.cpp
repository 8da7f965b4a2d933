// Making a company file: the tables, the demo records in one transaction,
// then the indexes, built once over the loaded records (much faster than
// keeping them up to date record by record). The scheduled payments, the
// view with the most records and indexes, are built in the company's file
// while a second thread builds the other views in a file of their own,
// copied in at the end.
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
#include "accpac/tools/RecordsHandover.h"
#include "accpac/tools/ScratchFiles.h"
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
    const ScratchFiles scratch(building);
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
        const sqlite::ViewDef& payments = *sqlite::findView(QStringLiteral("AR0037"));
        const sqlite::ViewDef& documentsView = *sqlite::findView(QStringLiteral("AR0036"));
        // The second thread fills the payments' search index from the
        // records this one writes.
        sqlite::RecordsHandover paymentRecords;
        {
            sqlite::Database db(building, sqlite::Database::Mode::Create);
            // Nothing to recover if this fails halfway: the file is thrown away.
            db.exec("PRAGMA journal_mode = OFF");
            db.exec("PRAGMA synchronous = OFF");
            db.exec("PRAGMA locking_mode = EXCLUSIVE");
            db.exec(sqlite::LoadingCacheSize);
            sqlite::registerSqlFunctions(db.handle());
            sqlite::SideBuild others(
                building + QStringLiteral("-others"),
                [&](sqlite::SideBuild::Parts& parts, const ProgressReport& report, const std::atomic<bool>& stop) {
                    sqlite::Database& side = parts.db();
                    side.exec("BEGIN");
                    sqlite::createTables(side, options.name);
                    say(report, QStringLiteral("master data"));
                    sqlite::writeMasterData(side);
                    sqlite::writeDocuments(side, documents, sqlite::Receivables::Documents, report);
                    // The receivables (the payments in the company's file)
                    // are written in key order already; the smaller views
                    // are sorted into it here.
                    say(report, QStringLiteral("records in key order"));
                    for (const sqlite::ViewDef& view : sqlite::catalogue())
                        if (&view != &payments && &view != &documentsView) sqlite::writeInKeyOrder(side, view);
                    sqlite::setKeyOrderMark(side, documentsView, true);
                    sqlite::setKeyOrderMark(side, payments, true);
                    for (const sqlite::ViewDef& view : sqlite::catalogue()) {
                        if (&view == &payments) continue;
                        const std::int64_t records = sqlite::loadedRecords(side, view);
                        sqlite::createViewIndexes(side, view, records, report);
                        sqlite::fillSearchIndex(side, view, records, report);
                    }
                    // The statistics come with the copy too.
                    say(report, QStringLiteral("statistics"));
                    sqlite::analyzeCompany(side);
                    side.exec("COMMIT");
                    // The payments' search index is the last work of this
                    // thread: in a file of its own, so that the views above
                    // are copied in meanwhile, once the other thread is done.
                    parts.next();
                    sqlite::Database& search = parts.db();
                    search.exec("BEGIN");
                    // Its table stays empty; its change triggers need it.
                    search.exec(sqlite::createTableSql(payments).toUtf8().constData());
                    const std::unique_ptr<sqlite::RecordsRead> read = paymentRecords.take(stop);
                    sqlite::fillSearchIndex(search, payments, read->records, report, read->rows, read->rowCurrent);
                    for (const QString& sql : sqlite::searchChangesSql(payments)) search.exec(sql.toUtf8().constData());
                    sqlite::analyzeCompany(search);
                    search.exec("COMMIT");
                },
                progress);
            db.exec(sqlite::createTableSql(payments).toUtf8().constData());
            db.exec("BEGIN");
            const std::int64_t payRecords =
                sqlite::writeDocuments(db, documents, sqlite::Receivables::Payments, progress);
            db.exec("COMMIT");
            paymentRecords.give(building, sqlite::searchFill(payments).texts, payRecords);
            // These indexes are the longest part of a creation, and the other
            // thread ends sooner: their sorts may use its core then.
            db.exec("PRAGMA threads = 2");
            db.exec("BEGIN");
            sqlite::createViewIndexes(db, payments, payRecords, progress);
            sqlite::analyzeView(db, payments);
            db.exec("COMMIT");
            // The other thread's progress shows while this one waits.
            say(progress, QStringLiteral("copy of the other views"));
            others.copyInto(db);
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
