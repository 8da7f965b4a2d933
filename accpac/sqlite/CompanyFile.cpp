// The company marker, the tables and indexes of a company file, and the
// record writer.
#include "accpac/sqlite/CompanyFile.h"

#include <sqlite3.h>

#include "accpac/AccpacError.h"
#include "accpac/filter/Filter.h"
#include "accpac/sqlite/LikeFunction.h"
#include "accpac/sqlite/Storage.h"

namespace accpac::sqlite {

namespace {

const char* const MarkerTable = "trovex_company";

[[noreturn]] void notACompany(const Database& db, const QString& why) {
    throw AccpacError(errnum::AccpacFailure,
                      QStringLiteral("The file \"%1\" is not a company: %2.").arg(db.path(), why));
}

}  // namespace

QString readCompanyName(const Database& db) {
    sqlite3_stmt* raw = nullptr;
    const QByteArray sql = QByteArrayLiteral("SELECT name, format FROM ") + MarkerTable;
    if (sqlite3_prepare_v2(db.handle(), sql.constData(), -1, &raw, nullptr) != SQLITE_OK) {
        const int code = sqlite3_errcode(db.handle()) & 0xff;
        const QString why = QString::fromUtf8(sqlite3_errmsg(db.handle()));
        sqlite3_finalize(raw);
        if (db.lastErrorWasBusy()) throw AccpacError(errnum::AccpacFailure, db.busyMessage());
        if (code == SQLITE_NOTADB) notACompany(db, QStringLiteral("it is not a database"));
        if (code == SQLITE_ERROR) notACompany(db, QStringLiteral("it has no company marker (%1)").arg(why));
        db.fail(QStringLiteral("reading the company's name"));
    }
    const int rc = sqlite3_step(raw);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        sqlite3_finalize(raw);
        db.fail(QStringLiteral("reading the company's name"));
    }
    QString name;
    int format = 0;
    if (rc == SQLITE_ROW) {
        name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, 0)));
        format = sqlite3_column_int(raw, 1);
    }
    sqlite3_finalize(raw);
    if (rc != SQLITE_ROW) notACompany(db, QStringLiteral("it has no company name"));
    if (format != CompanyFormat)
        notACompany(db,
                    QStringLiteral("its format is %1, this program reads format %2").arg(format).arg(CompanyFormat));
    return name;
}

void createTables(Database& db, const QString& companyName) {
    db.exec("CREATE TABLE trovex_company (name TEXT NOT NULL, format INTEGER NOT NULL) STRICT");
    Statement marker(db, QStringLiteral("INSERT INTO trovex_company VALUES (?1, ?2)"));
    marker.bind(1, Stored(companyName.toUtf8()));
    marker.bindInt(2, CompanyFormat);
    marker.step();
    for (const ViewDef& view : catalogue()) db.exec(createTableSql(view).toUtf8().constData());
}

void createIndexes(Database& db) {
    registerSqlFunctions(db.handle());
    for (const ViewDef& view : catalogue()) {
        for (const QString& sql : createIndexSql(view)) db.exec(sql.toUtf8().constData());
        for (const QString& sql : searchIndexSql(view)) db.exec(sql.toUtf8().constData());
    }
    // Statistics from a sample of each index are enough for the planner to
    // prefer the index that a filter's fixed fields lead.
    db.exec("PRAGMA analysis_limit = 400");
    db.exec("ANALYZE");
}

namespace {

QString insertSql(const ViewDef& view) {
    QStringList placeholders;
    QStringList columns;
    for (std::size_t i = 1; i <= view.fields.size(); ++i) {
        placeholders << QStringLiteral("?%1").arg(i);
        columns << quoteIdentifier(view.fields[i - 1].name);
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(tableName(view), columns.join(QStringLiteral(", ")), placeholders.join(QStringLiteral(", ")));
}

}  // namespace

RecordWriter::RecordWriter(Database& db, const ViewDef& view) : view_(view), insert_(db, insertSql(view), true) {
    clear();
}

void RecordWriter::clear() {
    for (std::size_t i = 0; i < view_.fields.size(); ++i) insert_.bind(int(i) + 1, emptyStored(view_.fields[i]));
}

void RecordWriter::set(int field, const Stored& value) { insert_.bind(field + 1, value); }
void RecordWriter::setInt(int field, std::int64_t value) { insert_.bindInt(field + 1, value); }
void RecordWriter::setText(int field, std::string_view utf8) { insert_.bindText(field + 1, utf8); }

QString RecordWriter::insert() {
    const int rc = sqlite3_step(insert_.handle());
    QString problem;
    if (rc != SQLITE_DONE) {
        if ((rc & 0xff) == SQLITE_CONSTRAINT)
            problem = QStringLiteral("another record of %1 has the same key (%2)")
                          .arg(view_.id, view_.keys.front().segments.join(QStringLiteral(", ")));
        else
            problem = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(insert_.handle())));
    }
    insert_.reset();
    clear();
    return problem;
}

}  // namespace accpac::sqlite
