// Parts of a company built in files of their own and copied in whole.
#include "accpac/tools/SideBuild.h"

#include <sqlite3.h>

#include <QFile>
#include <QSet>
#include <vector>

#include "accpac/sqlite/LikeFunction.h"
#include "accpac/tools/CompanyTables.h"

namespace accpac::sqlite {

namespace {

// A long statement (an index being made) looks at the stop request this
// often, in virtual machine steps: a few times a millisecond.
constexpr int StopCheckSteps = 10000;

constexpr const char* CopiedSchema = "side";

}  // namespace

SideBuild::SideBuild(const QString& path, Build build, const ProgressReport& progress)
    : path_(path), progress_(progress) {
    removeFiles(0);
    thread_ = std::thread([this, build = std::move(build)] { this->build(build); });
}

SideBuild::~SideBuild() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    for (int part = 0; part < opened_; ++part) removeFiles(part);
}

QString SideBuild::partPath(int part) const { return part == 0 ? path_ : path_ + QStringLiteral("-%1").arg(part + 1); }

void SideBuild::removeFiles(int part) const {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) QFile::remove(partPath(part) + QLatin1String(suffix));
}

Database& SideBuild::Parts::db() {
    if (db_) return *db_;
    int part;
    {
        const std::lock_guard lock(build_.mutex_);
        part = build_.opened_++;
    }
    build_.removeFiles(part);
    db_ = std::make_unique<Database>(build_.partPath(part), Database::Mode::Create);
    // Like the company's file while it is built: nothing to recover, the
    // file is thrown away on failure.
    db_->exec("PRAGMA journal_mode = OFF");
    db_->exec("PRAGMA synchronous = OFF");
    db_->exec("PRAGMA locking_mode = EXCLUSIVE");
    db_->exec(LoadingCacheSize);
    registerSqlFunctions(db_->handle());
    sqlite3_progress_handler(
        db_->handle(), StopCheckSteps, [](void* stop) { return int(static_cast<std::atomic<bool>*>(stop)->load()); },
        &build_.stop_);
    return *db_;
}

void SideBuild::Parts::next() {
    if (!db_) return;
    // Closing gives up the file's lock, so the company's connection can
    // read it.
    db_.reset();
    {
        const std::lock_guard lock(build_.mutex_);
        ++build_.finished_;
    }
    build_.changed_.notify_all();
}

void SideBuild::build(const Build& build) {
    std::exception_ptr failed;
    try {
        Parts parts(*this);
        build(
            parts,
            [this](const Progress& p) {
                if (stop_) throw Stopped{};
                if (progress_) progress_(p);
            },
            stop_);
        parts.next();
    } catch (...) {
        failed = std::current_exception();
    }
    {
        const std::lock_guard lock(mutex_);
        failed_ = failed;
        ended_ = true;
    }
    changed_.notify_all();
}

void SideBuild::copyInto(Database& db) {
    for (int part = 0;; ++part) {
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return finished_ > part || ended_; });
            if (failed_ || finished_ <= part) break;
        }
        copyPart(db, part);
        removeFiles(part);
    }
    if (thread_.joinable()) thread_.join();
    if (failed_) std::rethrow_exception(failed_);
}

void SideBuild::copyPart(Database& db, int part) const {
    attachFile(db, partPath(part), QLatin1String(CopiedSchema));
    const QString side = quoteIdentifier(QLatin1String(CopiedSchema));
    db.exec("BEGIN");
    const auto names = [&](const QString& schema) {
        QSet<QString> found;
        Statement list(db, QStringLiteral("SELECT name FROM %1.sqlite_schema").arg(schema));
        while (list.step()) found.insert(list.columnText(0));
        return found;
    };
    const QSet<QString> existing = names(QStringLiteral("main"));
    struct Object {
        QString type, name, sql;
    };
    std::vector<Object> missing;
    {
        Statement list(db, QStringLiteral("SELECT type, name, sql FROM %1.sqlite_schema WHERE sql IS NOT NULL "
                                          "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid")
                               .arg(side));
        while (list.step())
            if (!existing.contains(list.columnText(1)))
                missing.push_back({list.columnText(0), list.columnText(1), list.columnText(2)});
    }
    const auto run = [&](const QString& sql) { db.exec(sql.toUtf8().constData()); };
    const auto isVirtual = [](const Object& o) { return o.sql.startsWith(QLatin1String("CREATE VIRTUAL TABLE")); };
    // The tables and indexes first, empty: a table is copied as it is only
    // into one with the same indexes. A search index's virtual table makes
    // the tables that hold it as it is made.
    for (const Object& o : missing)
        if (isVirtual(o)) run(o.sql);
    const QSet<QString> made = names(QStringLiteral("main"));
    for (const Object& o : missing)
        if (o.type == QLatin1String("table") && !made.contains(o.name)) run(o.sql);
    for (const Object& o : missing)
        if (o.type == QLatin1String("index")) run(o.sql);
    for (const Object& o : missing) {
        if (o.type != QLatin1String("table") || isVirtual(o)) continue;
        // A search index's tables start with its settings; the copy brings
        // the settings it was filled with.
        copyTable(db, QLatin1String(CopiedSchema), o.name);
    }
    // The planner's statistics of the tables copied, when both files have
    // them: those of the tables the company's file has none for.
    if (existing.contains(QStringLiteral("sqlite_stat1")) && names(side).contains(QStringLiteral("sqlite_stat1")))
        run(QStringLiteral("INSERT INTO main.sqlite_stat1 SELECT * FROM %1.sqlite_stat1 "
                           "WHERE tbl NOT IN (SELECT tbl FROM main.sqlite_stat1)")
                .arg(side));
    // The triggers last, or they would note every record copied.
    for (const Object& o : missing)
        if (o.type == QLatin1String("trigger")) run(o.sql);
    db.exec("COMMIT");
    run(QStringLiteral("DETACH DATABASE %1").arg(side));
}

}  // namespace accpac::sqlite
