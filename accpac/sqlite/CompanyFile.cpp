// Reading the company marker.
#include "accpac/sqlite/CompanyFile.h"

#include <sqlite3.h>

#include <QFileInfo>

#include "accpac/AccpacError.h"

namespace accpac::sqlite {

namespace {

[[noreturn]] void notACompany(const Database& db, const QString& why) {
    throw AccpacError(errnum::AccpacFailure,
                      QStringLiteral("The file \"%1\" is not a company: %2.").arg(db.path(), why));
}

}  // namespace

void expectCompanyFile(const QString& path) {
    const QFileInfo file(path);
    if (file.isDir())
        throw AccpacError(errnum::AccpacFailure, QStringLiteral("\"%1\" is a folder, not a company file.").arg(path));
    if (!file.exists())
        throw AccpacError(errnum::AccpacFailure, QStringLiteral("The company file \"%1\" does not exist.").arg(path));
    if (!file.isFile())
        throw AccpacError(errnum::AccpacFailure,
                          QStringLiteral("\"%1\" is not a regular file, so it cannot be a company.").arg(path));
}

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

}  // namespace accpac::sqlite
