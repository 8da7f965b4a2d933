// Copying company files into the server with COPY, in one transaction each.
//
// The records are made and checked by the embedded backend's own writers
// (the demo data, the CSV import with its problems list) in a company file
// in a temporary folder, and then sent to the server whole: one
// definition of what a valid record is serves both backends.
#include "accpac/postgres/ServerCompanyLoad.h"

#include <sqlite3.h>

#include <QTemporaryDir>

#include "accpac/AccpacError.h"
#include "accpac/catalogue/BrowseSql.h"
#include "accpac/postgres/Connection.h"
#include "accpac/postgres/Schema.h"
#include "accpac/sqlite/CompanyFile.h"
#include "accpac/sqlite/Database.h"
#include "accpac/tools/ScratchFiles.h"

namespace accpac {

namespace {

constexpr qsizetype CopyChunkBytes = 1 << 20;

// A text in COPY's text form: backslash, tab, newline and return escaped.
void appendCopyText(QByteArray& out, const char* text, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        const char c = text[i];
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
}

// Sends every record of a view's table in the file to the same table on the server.
// A table made in the same transaction is copied frozen: its records are
// visible to every later reader without the server rewriting each page
// once to mark them so.
enum class NewTable { No, Yes };
void copyView(postgres::Connection& server, const sqlite::Database& file, const catalogue::ViewDef& view,
              NewTable fresh) {
    sqlite::Statement rows(
        file, QStringLiteral("SELECT %1 FROM %2").arg(catalogue::selectColumns(view), catalogue::tableName(view)));
    const int count = int(view.fields.size());
    bool more = true;  // a statement stepped past its end would start again
    const QString copy = QStringLiteral("COPY %1 FROM STDIN").arg(postgres::quoteName(view.id)) +
                         (fresh == NewTable::Yes ? QStringLiteral(" (FREEZE)") : QString());
    server.copyIn(copy, [&](QByteArray& chunk) {
        while (chunk.size() < CopyChunkBytes && more && (more = rows.step())) {
            for (int i = 0; i < count; ++i) {
                if (i > 0) chunk += '\t';
                if (view.fields[std::size_t(i)].type == FieldType::String)
                    appendCopyText(chunk, reinterpret_cast<const char*>(sqlite3_column_text(rows.handle(), i)),
                                   sqlite3_column_bytes(rows.handle(), i));
                else
                    chunk += QByteArray::number(qlonglong(rows.columnInt(i)));
            }
            chunk += '\n';
        }
        return !chunk.isEmpty();
    });
}

void createSearchSupport(postgres::Connection& server) {
    // pg_trgm is a trusted extension: the database's owner may add it.
    server.run(QStringLiteral("CREATE EXTENSION IF NOT EXISTS pg_trgm SCHEMA public"));
}

// Opens a writing connection whose unqualified names land in the company's schema.
std::unique_ptr<postgres::Connection> connectWriter(const QString& uri) {
    auto server = std::make_unique<postgres::Connection>(uri);
    server->run(QStringLiteral("SET search_path = %1, public").arg(QLatin1String(postgres::CompanySchema)));
    return server;
}

// Loads the records of `companyFile` into the company database `server` is
// connected to, replacing what it held, in one transaction.
void loadCompany(postgres::Connection& server, const QString& companyFile) {
    const sqlite::Database file(companyFile, sqlite::Database::Mode::ReadOnly);
    const QString name = sqlite::readCompanyName(file);
    const QString schema = QLatin1String(postgres::CompanySchema);
    server.run(QStringLiteral("BEGIN"));
    try {
        createSearchSupport(server);
        server.run(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE; CREATE SCHEMA %1").arg(schema));
        for (const QString& sql : postgres::createCompanySql(name)) server.run(sql);
        for (const catalogue::ViewDef& view : catalogue::catalogue()) copyView(server, file, view, NewTable::Yes);
        // Indexes built once over the loaded records, much faster than kept
        // up to date record by record; a trigram index of ten million texts
        // builds several times faster when its lists fit in memory.
        server.run(QStringLiteral("SET LOCAL maintenance_work_mem = '1GB'"));
        for (const catalogue::ViewDef& view : catalogue::catalogue())
            for (const QString& sql : postgres::createIndexSql(view)) server.run(sql);
        server.run(
            QStringLiteral("GRANT USAGE ON SCHEMA %1 TO PUBLIC; GRANT SELECT ON ALL TABLES IN SCHEMA %1 TO PUBLIC")
                .arg(schema));
        server.run(QStringLiteral("COMMIT"));
    } catch (...) {
        if (!server.broken()) server.run(QStringLiteral("ROLLBACK"));
        throw;
    }
    // The planner's statistics, of the folded texts too, decide between
    // walking a key and using a search index.
    QStringList tables;
    for (const catalogue::ViewDef& view : catalogue::catalogue()) tables << postgres::quoteName(view.id);
    server.run(QStringLiteral("ANALYZE ") + tables.join(QStringLiteral(", ")));
}

// A load builds the company in a file of its own first, in the temporary
// folder (TMPDIR): one that cannot be made there is refused, not made in the
// current folder instead.
void checkMade(const QTemporaryDir& dir) {
    if (!dir.isValid())
        throw AccpacError(
            errnum::AccpacFailure,
            QStringLiteral("No scratch folder can be made in the temporary folder: %1.").arg(dir.errorString()));
}

}  // namespace

void loadServerCompany(const QString& uri, const QString& companyFile) {
    loadCompany(*connectWriter(uri), companyFile);
}

void createServerCompany(const QString& uri, const CreateOptions& options) {
    // A server that cannot be reached, or a database that is missing, is
    // reported before the records are made (minutes at ten million), not
    // after.
    const auto server = connectWriter(uri);
    const QTemporaryDir dir;
    checkMade(dir);
    const ScratchFiles scratch(dir.path());
    const QString file = dir.filePath(QStringLiteral("company.sqlite"));
    createCompany(file, options);
    if (options.progress) options.progress({QStringLiteral("the copy on the server")});
    loadCompany(*server, file);
}

ImportResult importServerCsv(const QString& uri, const QString& viewId, const QString& csvFile) {
    auto server = connectWriter(uri);
    // The file's records are checked and converted as for a company file,
    // in a scratch company holding nothing but them in that view.
    const QTemporaryDir dir;
    checkMade(dir);
    const ScratchFiles removedOnInterrupt(dir.path());
    const QString scratch = dir.filePath(QStringLiteral("import.sqlite"));
    createCompany(scratch, {});
    ImportResult result = importCsv(scratch, viewId, csvFile);
    if (!result.problems.isEmpty()) return result;

    const catalogue::ViewDef& view = *catalogue::findView(viewId);
    const sqlite::Database file(scratch, sqlite::Database::Mode::ReadOnly);
    server->run(QStringLiteral("BEGIN"));
    try {
        const postgres::Result marker = server->query(postgres::readMarkerSql());
        if (marker.rows() != 1 || marker.number(0, 1) != postgres::ServerFormat)
            throw AccpacError(errnum::AccpacFailure,
                              QStringLiteral("The database is not a company of format %1: load the company again with "
                                             "trovex-company create.")
                                  .arg(postgres::ServerFormat));
        // DELETE rather than TRUNCATE: lookups keep reading the old records
        // until the new ones commit instead of waiting for a table lock.
        server->run(QStringLiteral("DELETE FROM %1").arg(postgres::quoteName(view.id)));
        copyView(*server, file, view, NewTable::No);
        server->run(QStringLiteral("COMMIT"));
    } catch (...) {
        if (!server->broken()) server->run(QStringLiteral("ROLLBACK"));
        throw;
    }
    // The planner's statistics, and the pages' marks that all their records
    // are visible, without which a prefix's matches are not sorted from its
    // index alone: every match would be looked up in the table too.
    server->run(QStringLiteral("VACUUM (ANALYZE) %1").arg(postgres::quoteName(view.id)));
    return result;
}

}  // namespace accpac
