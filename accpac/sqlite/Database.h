// A thin owner of one SQLite connection and its prepared statements.
//
// Every failure of the library becomes an AccpacError (AccpacFailure) whose
// description carries SQLite's own message, so callers handle database
// trouble like any other failure of the accounting system.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <string_view>

#include "accpac/catalogue/StoredForm.h"

struct sqlite3;
struct sqlite3_stmt;

namespace accpac::sqlite {

using catalogue::quoteIdentifier;
using catalogue::Stored;

// How long a connection waits for another program's write to end before it
// reports the company busy: long enough for a posting to commit, short
// enough that the user is not left wondering.
constexpr int BusyTimeoutMs = 2000;

class Database {
public:
    enum class Mode { ReadOnly, ReadWrite, Create, Unchanging };

    // Opens the file. ReadOnly never creates or changes it; Create makes a
    // new empty file (the caller removes an old one first). Unchanging
    // reads without taking the file's locks, so the caller must know that
    // no page it reads changes meanwhile (a company still being built). Throws when the
    // file cannot be opened in that mode. Every connection waits up to
    // BusyTimeoutMs for a lock another program holds.
    Database(const QString& path, Mode mode);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Runs statements that take no parameters and return no rows.
    void exec(const char* sql);
    sqlite3* handle() const { return db_; }
    const QString& path() const { return path_; }
    // Throws the error SQLite last reported, prefixed by what was being done;
    // a lock still held by another program after the wait is reported as the
    // company being busy.
    [[noreturn]] void fail(const QString& doing) const;
    // True when the last error was a lock that another program held.
    bool lastErrorWasBusy() const;
    // What the user is told when another program holds the company locked.
    QString busyMessage() const;

private:
    sqlite3* db_ = nullptr;
    QString path_;
};

class Statement {
public:
    // Prepares `sql`; `persistent` tells SQLite the statement is kept for
    // many runs. Throws when the text does not prepare.
    Statement(const Database& db, const QString& sql, bool persistent = false);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int index, const Stored& value);  // index from 1
    void bindInt(int index, std::int64_t value);
    void bindText(int index, std::string_view utf8);  // copied
    // Next row: true when one is current, false at the end. Throws on error.
    bool step();
    // Like step, but a run that SQLite interrupted (a progress handler
    // asked it to stop) reports Interrupted instead of throwing; the
    // statement must then be reset.
    enum class Result { Row, Done, Interrupted };
    Result stepInterruptible();
    // Ends the run so the statement can start again; bindings stay.
    void reset();

    int columnCount() const;
    std::int64_t columnInt(int column) const;
    QString columnText(int column) const;
    bool columnIsText(int column) const;
    // The column's value as stored: its text or its whole number.
    Stored columnStored(int column) const;
    sqlite3_stmt* handle() const { return stmt_; }

private:
    const Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace accpac::sqlite
