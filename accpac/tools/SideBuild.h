// Part of a company built in files of its own, on a thread of its own,
// while the company's own file is built on another. SQLite makes the
// indexes of one file one after the other on one connection, so two files
// keep two cores busy. The company's connection copies in what each of
// those files holds and its own lacks: SQLite copies the records and index
// entries of a whole table into an empty one of the same shape as they
// are, without sorting again, so the file with fewer entries is the one
// copied. The build may finish its work in parts, one file each: a part is
// copied in as soon as it is finished, while the build goes on with the
// next, so little of the copying waits for the build's end.
#pragma once

#include <QString>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "accpac/sqlite/Storage.h"
#include "accpac/tools/CompanyWriter.h"

namespace accpac::sqlite {

class SideBuild {
public:
    // The file the build writes in now, and the step to the next one.
    class Parts {
    public:
        Database& db();
        // The current part is finished: its last transaction is committed.
        // It may be copied in from now on; db() then opens the next file.
        void next();

    private:
        friend class SideBuild;
        explicit Parts(SideBuild& build) : build_(build) {}
        SideBuild& build_;
        std::unique_ptr<Database> db_;
    };

    // Writes the files' part of the company: tables, records, indexes and
    // triggers. `stop` turns true when the build is to stop.
    using Build = std::function<void(Parts&, const ProgressReport&, const std::atomic<bool>& stop)>;
    // Thrown through a build that is to stop.
    struct Stopped {};

    // Starts building in `path` (replaced; later parts in files beside it).
    // `progress` is called from the build's thread.
    SideBuild(const QString& path, Build build, const ProgressReport& progress);
    // Stops a build still running and removes its files.
    ~SideBuild();
    SideBuild(const SideBuild&) = delete;
    SideBuild& operator=(const SideBuild&) = delete;

    // Copies each part in as it is finished, until the build ends, and
    // throws the build's failure: in one transaction of `db` per part
    // (outside one when called), makes every table, index and trigger the
    // part holds and `db` lacks, with their records, and removes its file.
    void copyInto(Database& db);

private:
    void build(const Build& build);
    QString partPath(int part) const;
    void removeFiles(int part) const;
    void copyPart(Database& db, int part) const;

    const QString path_;
    const ProgressReport progress_;
    std::atomic<bool> stop_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    int opened_ = 0;    // files the build has opened
    int finished_ = 0;  // parts ready to copy
    bool ended_ = false;
    std::exception_ptr failed_;
    std::thread thread_;
};

}  // namespace accpac::sqlite
