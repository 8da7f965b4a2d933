// Opening a company file read-only and opening its views.
#include "accpac/sqlite/SqliteSession.h"

#include "accpac/filter/Filter.h"
#include "accpac/sqlite/CompanyFile.h"
#include "accpac/sqlite/LikeFunction.h"
#include "accpac/sqlite/SqliteCompany.h"
#include "accpac/sqlite/SqliteView.h"
#include "accpac/sqlite/ViewSchema.h"

namespace accpac::sqlite {

SqliteSession::SqliteSession(const QString& path) {
    expectCompanyFile(path);
    context_ = std::make_shared<CompanyContext>(path);
    Database& db = context_->db;
    // The component only reads: SQLite refuses any write on this connection
    // even if the file itself could be written.
    db.exec("PRAGMA query_only = 1");
    refuseQuotedTexts(db);
    context_->name = readCompanyName(db);
    // Memory stays bounded whatever the company's size (set once the file
    // is known to be a company: some of these read it): no memory map
    // (every page touched through one would stay resident in the process),
    // a page cache of 16 MB, and sorts that outgrow it spill to a
    // temporary file.
    db.exec("PRAGMA mmap_size = 0");
    db.exec("PRAGMA cache_size = -16384");
    db.exec("PRAGMA temp_store = FILE");
    registerSqlFunctions(db.handle());
}

std::shared_ptr<AccpacView> SqliteSession::OpenView(const QString& viewId, const QString& programId) {
    const ViewDef& def = context_->viewToOpen(viewId, programId);
    const QString missing = missingForView(context_->db, def);
    if (!missing.isEmpty())
        context_->fail(
            QStringLiteral("View %1 is not available in company \"%2\": %3").arg(viewId, context_->name, missing));
    return std::make_shared<SqliteView>(context_, def);
}

}  // namespace accpac::sqlite

namespace accpac {

std::shared_ptr<AccpacSession> openCompany(const QString& path) {
    return std::make_shared<sqlite::SqliteSession>(path);
}

QStringList catalogueViewIds() {
    QStringList ids;
    for (const catalogue::ViewDef& v : catalogue::catalogue()) ids << v.id;
    return ids;
}

}  // namespace accpac
