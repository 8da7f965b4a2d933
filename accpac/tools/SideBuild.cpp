// Part of a company built in a file of its own and copied in whole.
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
    removeFiles();
    thread_ = std::thread([this, build = std::move(build)] { this->build(build); });
}

SideBuild::~SideBuild() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    removeFiles();
}

void SideBuild::removeFiles() const {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) QFile::remove(path_ + QLatin1String(suffix));
}

void SideBuild::build(const Build& build) {
    try {
        // Like the company's file while it is built: nothing to recover,
        // the file is thrown away on failure.
        Database db(path_, Database::Mode::Create);
        db.exec("PRAGMA journal_mode = OFF");
        db.exec("PRAGMA synchronous = OFF");
        db.exec("PRAGMA locking_mode = EXCLUSIVE");
        db.exec(LoadingCacheSize);
        registerSqlFunctions(db.handle());
        sqlite3_progress_handler(
            db.handle(), StopCheckSteps, [](void* stop) { return int(static_cast<std::atomic<bool>*>(stop)->load()); },
            &stop_);
        build(
            db,
            [this](const Progress& p) {
                if (stop_) throw Stopped{};
                if (progress_) progress_(p);
            },
            stop_);
    } catch (...) {
        failed_ = std::current_exception();
    }
}

void SideBuild::copyInto(Database& db) {
    if (thread_.joinable()) thread_.join();
    if (failed_) std::rethrow_exception(failed_);
    const QString side = quoteIdentifier(QLatin1String(CopiedSchema));
    attachFile(db, path_, QLatin1String(CopiedSchema));
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
    removeFiles();
}

}  // namespace accpac::sqlite
