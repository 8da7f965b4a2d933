// Handing committed records from the thread that wrote them to another.
#include "accpac/tools/RecordsHandover.h"

#include <chrono>

#include "accpac/tools/SideBuild.h"

namespace accpac::sqlite {

RecordsRead::RecordsRead(const QString& path, const QString& sql, std::int64_t records)
    : db(path, Database::Mode::Unchanging), rows(db, sql), rowCurrent(rows.step()), records(records) {}

void RecordsHandover::give(const QString& path, const QString& sql, std::int64_t records) {
    auto read = std::make_unique<RecordsRead>(path, sql, records);
    {
        const std::lock_guard lock(mutex_);
        read_ = std::move(read);
    }
    given_.notify_all();
}

std::unique_ptr<RecordsRead> RecordsHandover::take(const std::atomic<bool>& stop) {
    std::unique_lock lock(mutex_);
    while (!given_.wait_for(lock, std::chrono::milliseconds(50), [this] { return read_ != nullptr; }))
        if (stop) throw SideBuild::Stopped{};
    return std::move(read_);
}

}  // namespace accpac::sqlite
