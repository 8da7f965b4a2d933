// One view's table built in a file of its own, on a thread of its own, while
// the company's file is built on another. SQLite makes the indexes of one
// file one after the other on one connection, so a view with many indexes
// in a second file keeps a second core busy. The finished table comes into
// the company as it is: SQLite copies its records and index entries in
// their order, without sorting again, into an empty table with the same
// indexes. The records are committed before the indexes are made, and the
// file keeps a write-ahead log, so the company's connection may read them
// (to fill the view's search index) while the indexes are being made.
#pragma once

#include <QString>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

#include "accpac/sqlite/Storage.h"
#include "accpac/tools/CompanyWriter.h"

namespace accpac::sqlite {

class SideBuild {
public:
    // Writes the view's records into the file's table; returns how many.
    using Fill = std::function<std::int64_t(Database&, const ProgressReport&)>;

    // Starts building `view` in `path` (replaced): the table, the records
    // `fill` writes, then the view's indexes. `progress` is called from the
    // build's thread.
    SideBuild(const QString& path, const ViewDef& view, Fill fill, const ProgressReport& progress);
    // Stops a build still running and removes its file.
    ~SideBuild();
    SideBuild(const SideBuild&) = delete;
    SideBuild& operator=(const SideBuild&) = delete;

    // The name the file is attached under (attachRecords).
    static constexpr const char* Schema = "side";

    // Waits until the records are in the file, throwing a failure before
    // that; then attaches the file to `db` as Schema (outside a
    // transaction), where it stays until moveInto, and returns how many
    // records there are.
    std::int64_t attachRecords(Database& db);
    // Waits for the build to end; throws its failure.
    void wait();
    // Waits for the build, throwing its failure, and copies the table from
    // the file attached by attachRecords into the view's table in `db`,
    // which must be empty, have the same indexes and no triggers yet, and
    // be outside a transaction; then detaches the file. Returns the records
    // copied.
    std::int64_t moveInto(Database& db);

private:
    void build();
    void removeFiles() const;

    const QString path_;
    const ViewDef& view_;
    const Fill fill_;
    const ProgressReport progress_;
    std::atomic<bool> stop_ = false;
    std::mutex mutex_;
    std::condition_variable recordsWritten_;
    bool recordsDone_ = false;  // records_ is final or failed_ set (under mutex_)
    std::int64_t records_ = 0;
    std::exception_ptr failed_;
    std::thread thread_;
};

}  // namespace accpac::sqlite
