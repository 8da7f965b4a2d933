// A view's search index filled from the CSV file being imported, on a
// thread and in a file of its own, while the import writes the records. An
// import whose records keep the numbers they were loaded with (one after
// the other, in the file's order) copies the finished index in instead of
// filling it: SQLite copies its pages' worth of rows in their order, a few
// times faster than making the index, and the making ran meanwhile on the
// other core.
#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <exception>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

#include "accpac/sqlite/Storage.h"
#include "accpac/tools/Csv.h"
#include "accpac/tools/ScratchFiles.h"

namespace accpac::sqlite {

class SearchSideFill {
public:
    // Starts filling the index of `view` in a new file named `path` and six
    // more characters, from the records of `reader` (after the header),
    // whose fields are those of the view at `columns`. Nothing is started
    // for a view without a search index.
    SearchSideFill(const QString& path, const ViewDef& view, CsvReader reader, const std::vector<int>& columns);
    // Stops a fill still running and removes the file (close the
    // connection copyInto attached it to first).
    ~SearchSideFill();
    SearchSideFill(const SearchSideFill&) = delete;
    SearchSideFill& operator=(const SearchSideFill&) = delete;

    // Waits for the fill and, when it read every record, replaces the
    // search index of `db` (inside its transaction) with it and returns
    // true; false when it could not (a bad record, a failure), and the
    // caller fills the index itself. The `records` records in `db` must be
    // numbered from 1 in the file's order.
    bool copyInto(Database& db, std::int64_t records);

private:
    void fill();
    void removeFiles() const;

    QString path_;  // the scratch file, "" when there is none
    std::optional<ScratchFiles> scratch_;
    const ViewDef& view_;
    CsvReader reader_;
    const std::size_t columns_;     // fields in every record
    std::vector<int> fieldColumn_;  // each searched field's position in a record, or -1
    std::atomic<bool> stop_ = false;
    bool complete_ = false;     // every record was read (set by the thread)
    std::int64_t records_ = 0;  // how many (set by the thread)
    std::thread thread_;
};

}  // namespace accpac::sqlite
