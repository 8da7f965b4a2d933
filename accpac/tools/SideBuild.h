// Part of a company built in a file of its own, on a thread of its own,
// while the company's own file is built on another. SQLite makes the
// indexes of one file one after the other on one connection, so two files
// keep two cores busy. At the end the company's connection copies in what
// the second file holds and its own lacks: SQLite copies the records and
// index entries of a whole table into an empty one of the same shape as
// they are, without sorting again, so the file with fewer entries is the
// one copied.
#pragma once

#include <QString>
#include <atomic>
#include <exception>
#include <functional>
#include <thread>

#include "accpac/sqlite/Storage.h"
#include "accpac/tools/CompanyWriter.h"

namespace accpac::sqlite {

class SideBuild {
public:
    // Writes the file's part of the company in `db`: its tables, records,
    // indexes and triggers. `stop` turns true when the build is to stop.
    using Build = std::function<void(Database& db, const ProgressReport&, const std::atomic<bool>& stop)>;
    // Thrown through a build that is to stop.
    struct Stopped {};

    // Starts building in `path` (replaced). `progress` is called from the
    // build's thread.
    SideBuild(const QString& path, Build build, const ProgressReport& progress);
    // Stops a build still running and removes its file.
    ~SideBuild();
    SideBuild(const SideBuild&) = delete;
    SideBuild& operator=(const SideBuild&) = delete;

    // Waits for the build, throwing its failure; then, in one transaction
    // of `db` (outside one when called), makes every table, index and
    // trigger the file holds and `db` lacks, with their records, and
    // removes the file.
    void copyInto(Database& db);

private:
    void build(const Build& build);
    void removeFiles() const;

    const QString path_;
    const ProgressReport progress_;
    std::atomic<bool> stop_ = false;
    std::exception_ptr failed_;
    std::thread thread_;
};

}  // namespace accpac::sqlite
