// Reading a CSV file's records ahead of their writer.
#include "accpac/tools/CsvBatches.h"

namespace accpac::sqlite {

namespace {

// Records per batch and batches in flight: big enough that the threads
// seldom wait for each other, small enough to stay in the processor's
// caches.
constexpr std::size_t BatchRecords = 2048;
constexpr int Batches = 4;

}  // namespace

CsvBatches::CsvBatches(CsvReader reader, const ViewDef& view, const std::vector<int>& columns)
    : reader_(std::move(reader)) {
    for (const int c : columns) values_.emplace_back(view.fields[std::size_t(c)]);
    for (int i = 0; i < Batches; ++i) empty_.push_back(std::make_unique<CsvBatch>());
    thread_ = std::thread([this] { read(); });
}

CsvBatches::~CsvBatches() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

const CsvBatch* CsvBatches::next() {
    std::unique_lock lock(mutex_);
    if (current_) empty_.push_back(std::move(current_));
    changed_.notify_all();
    changed_.wait(lock, [this] { return !full_.empty() || ended_; });
    if (full_.empty()) {
        if (failed_) std::rethrow_exception(failed_);
        return nullptr;
    }
    current_ = std::move(full_.front());
    full_.pop_front();
    return current_.get();
}

void CsvBatches::read() {
    try {
        for (;;) {
            std::unique_ptr<CsvBatch> batch;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [this] { return !empty_.empty() || stop_; });
                if (stop_) break;
                batch = std::move(empty_.front());
                empty_.pop_front();
            }
            fill(*batch);
            if (batch->records.empty()) break;
            {
                const std::lock_guard lock(mutex_);
                full_.push_back(std::move(batch));
            }
            changed_.notify_all();
        }
    } catch (...) {
        const std::lock_guard lock(mutex_);
        failed_ = std::current_exception();
    }
    {
        const std::lock_guard lock(mutex_);
        ended_ = true;
    }
    changed_.notify_all();
}

void CsvBatches::fill(CsvBatch& batch) {
    batch.records.clear();
    batch.values.clear();
    batch.texts.clear();
    CsvRecord record;
    while (batch.records.size() < BatchRecords && reader_.next(record)) {
        // A blank line (a lone empty field) holds no record.
        if (record.fields.size() == 1 && record.fields.front().empty() && record.problem.isEmpty()) continue;
        CsvBatch::Record& r = batch.records.emplace_back();
        r.line = record.line;
        r.firstValue = batch.values.size();
        if (!record.problem.isEmpty()) {
            r.problem = record.problem;
            continue;
        }
        if (record.fields.size() != values_.size()) {
            r.problem =
                QStringLiteral("%1 fields where the header names %2").arg(record.fields.size()).arg(values_.size());
            continue;
        }
        const std::size_t textsBefore = batch.texts.size();
        for (std::size_t c = 0; c < values_.size(); ++c) {
            CsvBatch::Value& v = batch.values.emplace_back();
            const std::size_t from = batch.texts.size();
            r.problem = values_[c].convert(record.fields[c], v.number, batch.texts);
            if (!r.problem.isEmpty()) break;
            if (values_[c].storesText()) {
                v.from = std::uint32_t(from);
                v.size = std::int32_t(batch.texts.size() - from);
            }
        }
        if (!r.problem.isEmpty()) {
            batch.values.resize(r.firstValue);
            batch.texts.resize(textsBefore);
        }
    }
    batch.fractionRead = reader_.fractionRead();
}

}  // namespace accpac::sqlite
