// The records one thread has committed to the company's file, read on
// another thread while the first goes on making their indexes in the same
// file. The read starts on the writing thread, right after the commit,
// and never takes the file's locks (the writer keeps it locked): it sees
// the committed pages, which making indexes leaves as they are, and has
// read the file's layout before anything else is written.
#pragma once

#include <QString>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

#include "accpac/sqlite/Database.h"

namespace accpac::sqlite {

struct RecordsRead {
    // Starts running `sql` on `path`; its first row, if any, is current.
    RecordsRead(const QString& path, const QString& sql, std::int64_t records);

    Database db;
    Statement rows;
    bool rowCurrent;
    const std::int64_t records;  // for progress reports
};

class RecordsHandover {
public:
    // On the writing thread, once the records are committed and before the
    // file changes again.
    void give(const QString& path, const QString& sql, std::int64_t records);
    // Waits for give(); throws SideBuild::Stopped when `stop` turns true
    // first.
    std::unique_ptr<RecordsRead> take(const std::atomic<bool>& stop);

private:
    std::mutex mutex_;
    std::condition_variable given_;
    std::unique_ptr<RecordsRead> read_;
};

}  // namespace accpac::sqlite
