// A CSV file's records read and converted on a thread of their own, while
// the importing thread writes the ones before them. The records come in
// batches through a queue of a few batches, so memory stays the same however
// long the file is.
#pragma once

#include <QString>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "accpac/sqlite/Storage.h"
#include "accpac/tools/Csv.h"
#include "accpac/tools/CsvValues.h"

namespace accpac::sqlite {

struct CsvBatch {
    // One field's stored value: a whole number, or `size` bytes of `texts` from `from`.
    struct Value {
        std::int64_t number = 0;
        std::uint32_t from = 0;
        std::int32_t size = -1;  // -1 for a number
    };
    struct Record {
        int line = 0;
        QString problem;             // why it cannot be stored; it has no values then
        std::size_t firstValue = 0;  // its values, one per column, from here
    };
    std::vector<Record> records;
    std::vector<Value> values;
    std::string texts;
    double fractionRead = 0;  // of the file, when the batch was full

    std::string_view text(const Value& v) const { return std::string_view(texts).substr(v.from, std::size_t(v.size)); }
};

class CsvBatches {
public:
    // Starts reading the records after the header of `reader`, whose text
    // must outlive this; each record's fields are those of the view at
    // `columns` (the header's order).
    CsvBatches(CsvReader reader, const ViewDef& view, const std::vector<int>& columns);
    // Stops the reading where it is.
    ~CsvBatches();
    CsvBatches(const CsvBatches&) = delete;
    CsvBatches& operator=(const CsvBatches&) = delete;

    // The next batch, valid until the next call; nothing at the end of the
    // file. Throws what the reading thread failed with.
    const CsvBatch* next();

private:
    void read();
    void fill(CsvBatch& batch);

    CsvReader reader_;
    std::vector<CsvValue> values_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::unique_ptr<CsvBatch>> full_, empty_;  // under mutex_
    std::unique_ptr<CsvBatch> current_;                   // the batch the writer has
    bool ended_ = false;                                  // no more batches come (under mutex_)
    bool stop_ = false;                                   // (under mutex_)
    std::exception_ptr failed_;
    std::thread thread_;
};

}  // namespace accpac::sqlite
