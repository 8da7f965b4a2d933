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
    QFile::remove(path_);
    thread_ = std::thread([this] { build(); });
}

SideBuild::~SideBuild() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    QFile::remove(path_);
}

void SideBuild::build() {
    try {
        Database db(path_, Database::Mode::Create);
        // Like the company's file while it is built: thrown away on failure.
        db.exec("PRAGMA journal_mode = OFF");
        db.exec("PRAGMA synchronous = OFF");
        db.exec("PRAGMA locking_mode = EXCLUSIVE");
        db.exec(LoadingCacheSize);
        sqlite3_progress_handler(
            db.handle(), StopCheckSteps, [](void* stop) { return int(static_cast<std::atomic<bool>*>(stop)->load()); },
            &stop_);
        db.exec(createTableSql(view_).toUtf8().constData());
        db.exec("BEGIN");
        records_ = fill_(db, [this](const Progress& p) {
            if (stop_) throw Stopped{};
            if (progress_) progress_(p);
        });
        createViewIndexes(db, view_, records_, progress_);
        db.exec("COMMIT");
    } catch (...) {
        failed_ = std::current_exception();
    }
}

void SideBuild::wait() {
    if (thread_.joinable()) thread_.join();
    if (failed_) std::rethrow_exception(failed_);
}

std::int64_t SideBuild::moveInto(Database& db) {
    wait();
    Statement attach(db, QStringLiteral("ATTACH DATABASE ?1 AS side"));
    attach.bind(1, Stored(path_.toUtf8()));
    attach.step();
    // The plain copy of a whole table into an empty one of the same shape
    // is the one SQLite copies index entries for instead of making them.
    const QString table = tableName(view_);
    db.exec(QStringLiteral("INSERT INTO main.%1 SELECT * FROM side.%1").arg(table).toUtf8().constData());
    db.exec("DETACH DATABASE side");
    QFile::remove(path_);
    return records_;
}

}  // namespace accpac::sqlite
