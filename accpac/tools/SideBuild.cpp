// A view built in a file of its own and copied into the company whole.
#include "accpac/tools/SideBuild.h"

#include <sqlite3.h>

#include <QFile>

#include "accpac/tools/CompanyTables.h"

namespace accpac::sqlite {

namespace {

// Thrown through the record writer when the build is to stop.
struct Stopped {};

// A long statement (an index being made) looks at the stop request this
// often, in virtual machine steps: a few times a millisecond.
constexpr int StopCheckSteps = 10000;

}  // namespace

SideBuild::SideBuild(const QString& path, const ViewDef& view, Fill fill, const ProgressReport& progress)
    : path_(path), view_(view), fill_(std::move(fill)), progress_(progress) {
    removeFiles();
    thread_ = std::thread([this] { build(); });
}

SideBuild::~SideBuild() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    removeFiles();
}

void SideBuild::removeFiles() const {
    for (const char* suffix : {"", "-wal", "-shm"}) QFile::remove(path_ + QLatin1String(suffix));
}

void SideBuild::build() {
    try {
        Database db(path_, Database::Mode::Create);
        // Like the company's file while it is built (thrown away on
        // failure), but with a log: the company's connection reads the
        // records while the indexes are made. The log is never copied back
        // into the file; the copy into the company reads it where it is.
        db.exec("PRAGMA journal_mode = WAL");
        db.exec("PRAGMA synchronous = OFF");
        db.exec("PRAGMA wal_autocheckpoint = 0");
        sqlite3_db_config(db.handle(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, static_cast<int*>(nullptr));
        db.exec(LoadingCacheSize);
        sqlite3_progress_handler(
            db.handle(), StopCheckSteps, [](void* stop) { return int(static_cast<std::atomic<bool>*>(stop)->load()); },
            &stop_);
        db.exec(createTableSql(view_).toUtf8().constData());
        db.exec("BEGIN");
        const std::int64_t records = fill_(db, [this](const Progress& p) {
            if (stop_) throw Stopped{};
            if (progress_) progress_(p);
        });
        db.exec("COMMIT");
        {
            const std::lock_guard lock(mutex_);
            records_ = records;
            recordsDone_ = true;
        }
        recordsWritten_.notify_all();
        // These indexes are the longest part of a creation, and the other
        // thread ends sooner: their sorts may use its core then.
        db.exec("PRAGMA threads = 2");
        db.exec("BEGIN");
        createViewIndexes(db, view_, records, progress_);
        db.exec("COMMIT");
    } catch (...) {
        const std::lock_guard lock(mutex_);
        failed_ = std::current_exception();
        recordsDone_ = true;
    }
    recordsWritten_.notify_all();
}

std::int64_t SideBuild::attachRecords(Database& db) {
    {
        std::unique_lock lock(mutex_);
        recordsWritten_.wait(lock, [this] { return recordsDone_; });
        if (failed_) std::rethrow_exception(failed_);
    }
    // The last connection to leave a file with a log copies the log into
    // it, gigabytes here, unless told not to; the company's own file keeps
    // no log while it is built.
    sqlite3_db_config(db.handle(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, static_cast<int*>(nullptr));
    Statement attach(db, QStringLiteral("ATTACH DATABASE ?1 AS %1").arg(quoteIdentifier(QLatin1String(Schema))));
    attach.bind(1, Stored(path_.toUtf8()));
    attach.step();
    return records_;
}

void SideBuild::wait() {
    if (thread_.joinable()) thread_.join();
    if (failed_) std::rethrow_exception(failed_);
}

std::int64_t SideBuild::moveInto(Database& db) {
    wait();
    // The plain copy of a whole table into an empty one of the same shape
    // is the one SQLite copies index entries for instead of making them.
    const QString table = tableName(view_);
    db.exec(QStringLiteral("INSERT INTO main.%1 SELECT * FROM %2.%1")
                .arg(table, quoteIdentifier(QLatin1String(Schema)))
                .toUtf8()
                .constData());
    db.exec(QStringLiteral("DETACH DATABASE %1").arg(quoteIdentifier(QLatin1String(Schema))).toUtf8().constData());
    sqlite3_db_config(db.handle(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, static_cast<int*>(nullptr));
    removeFiles();
    return records_;
}

}  // namespace accpac::sqlite
