// The SQLite connection and statement owners.
#include "accpac/sqlite/Database.h"

#include <sqlite3.h>

#include <QUrl>
#include <mutex>

#include "accpac/AccpacError.h"

namespace accpac::sqlite {

namespace {

// SQLite counts every allocation it makes under a global lock unless told
// not to; nothing here reads those counts, and a bulk load makes billions.
void configureOnce() {
    static std::once_flag once;
    std::call_once(once, [] { sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0); });
}

}  // namespace

Database::Database(const QString& path, Mode mode) : path_(path) {
    configureOnce();
    int flags = SQLITE_OPEN_NOMUTEX;
    QByteArray name = path.toUtf8();
    switch (mode) {
        case Mode::ReadOnly:
            flags |= SQLITE_OPEN_READONLY;
            break;
        case Mode::ReadWrite:
            flags |= SQLITE_OPEN_READWRITE;
            break;
        case Mode::Create:
            flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
            break;
        case Mode::Unchanging:
            flags |= SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
            name = "file:" + QUrl::toPercentEncoding(path, "/") + "?immutable=1";
            break;
    }
    const int rc = sqlite3_open_v2(name.constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString why = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(db_);
        db_ = nullptr;
        throw AccpacError(errnum::AccpacFailure,
                          QStringLiteral("The company file \"%1\" cannot be opened: %2.").arg(path, why));
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, BusyTimeoutMs);
}

Database::~Database() { sqlite3_close_v2(db_); }

void Database::exec(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const QString why = QString::fromUtf8(message ? message : sqlite3_errmsg(db_));
        sqlite3_free(message);
        if (lastErrorWasBusy()) throw AccpacError(errnum::AccpacFailure, busyMessage());
        throw AccpacError(errnum::AccpacFailure, QStringLiteral("Database error in \"%1\": %2.").arg(path_, why));
    }
}

bool Database::lastErrorWasBusy() const {
    const int rc = sqlite3_errcode(db_) & 0xff;
    return rc == SQLITE_BUSY || rc == SQLITE_LOCKED;
}

QString Database::busyMessage() const {
    return QStringLiteral("The company \"%1\" is busy: another program is writing to it. Try again in a moment.")
        .arg(path_);
}

void Database::fail(const QString& doing) const {
    if (lastErrorWasBusy()) throw AccpacError(errnum::AccpacFailure, busyMessage());
    throw AccpacError(errnum::AccpacFailure, QStringLiteral("Database error while %1 in \"%2\": %3.")
                                                 .arg(doing, path_, QString::fromUtf8(sqlite3_errmsg(db_))));
}

Statement::Statement(const Database& db, const QString& sql, bool persistent) : db_(db) {
    const QByteArray text = sql.toUtf8();
    const unsigned flags = persistent ? SQLITE_PREPARE_PERSISTENT : 0;
    if (sqlite3_prepare_v3(db.handle(), text.constData(), int(text.size()), flags, &stmt_, nullptr) != SQLITE_OK)
        db.fail(QStringLiteral("preparing a query"));
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::bind(int index, const Stored& value) {
    if (const auto* n = std::get_if<std::int64_t>(&value))
        bindInt(index, *n);
    else {
        const QByteArray& t = std::get<QByteArray>(value);
        bindText(index, std::string_view(t.constData(), std::size_t(t.size())));
    }
}

void Statement::bindInt(int index, std::int64_t value) {
    if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK) db_.fail(QStringLiteral("binding a value"));
}

void Statement::bindText(int index, std::string_view utf8) {
    if (sqlite3_bind_text(stmt_, index, utf8.data(), int(utf8.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        db_.fail(QStringLiteral("binding a value"));
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    sqlite3_reset(stmt_);
    db_.fail(QStringLiteral("reading records"));
}

Statement::Result Statement::stepInterruptible() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return Result::Row;
    if (rc == SQLITE_DONE) return Result::Done;
    if (rc == SQLITE_INTERRUPT) return Result::Interrupted;
    sqlite3_reset(stmt_);
    db_.fail(QStringLiteral("reading records"));
}

void Statement::reset() { sqlite3_reset(stmt_); }

int Statement::columnCount() const { return sqlite3_column_count(stmt_); }

std::int64_t Statement::columnInt(int column) const { return sqlite3_column_int64(stmt_, column); }

QString Statement::columnText(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(stmt_, column));
}

bool Statement::columnIsText(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_TEXT; }

Stored Statement::columnStored(int column) const {
    if (!columnIsText(column)) return columnInt(column);
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return QByteArray(text, sqlite3_column_bytes(stmt_, column));
}

}  // namespace accpac::sqlite
