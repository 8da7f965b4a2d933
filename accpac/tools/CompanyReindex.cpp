// Refilling a company file's search indexes in place. The triggers note
// every record other programs write after create or import, and each search
// checks those records one by one; after many such writes, a refill makes
// searches as quick again as after an import.
#include "accpac/sqlite/CompanyFile.h"
#include "accpac/sqlite/KeyOrder.h"
#include "accpac/sqlite/LikeFunction.h"
#include "accpac/sqlite/SearchChanges.h"
#include "accpac/sqlite/Storage.h"
#include "accpac/tools/CompanyTables.h"
#include "accpac/tools/CompanyWriter.h"

namespace accpac {

void reindexCompany(const QString& path, const ProgressReport& progress) {
    sqlite::expectCompanyFile(path);
    sqlite::Database db(path, sqlite::Database::Mode::ReadWrite);
    sqlite::readCompanyName(db);
    // Open lookups go on reading beside the refill, as beside an import.
    db.exec("PRAGMA journal_mode = WAL");
    db.exec("PRAGMA cache_size = -262144");
    sqlite::registerSqlFunctions(db.handle());
    // One transaction: the index and its change table are emptied and
    // refilled together, so no lookup sees one without the other.
    db.exec("BEGIN IMMEDIATE");
    try {
        for (const sqlite::ViewDef& view : sqlite::catalogue()) {
            if (sqlite::searchedFields(view).isEmpty()) continue;
            // The refill forgets the noted records without renumbering
            // them, so their view no longer follows its first key.
            const bool anyNoted = [&] {
                sqlite::Statement noted(
                    db, QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(sqlite::searchChangesTableName(view)));
                return noted.step();
            }();
            if (anyNoted) sqlite::setKeyOrderMark(db, view, false);
            sqlite::fillSearchIndex(db, view, sqlite::loadedRecords(db, view), progress);
        }
    } catch (...) {
        db.exec("ROLLBACK");
        throw;
    }
    db.exec("COMMIT");
}

}  // namespace accpac
