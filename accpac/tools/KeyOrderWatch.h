// Whether the records an import writes come in the order of the view's
// first key, judged as they are written: a file in that order (as an export
// writes it) then needs no pass over the loaded records to tell.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "accpac/tools/CsvBatches.h"

namespace accpac::sqlite {

class KeyOrderWatch {
public:
    // For records whose fields are those of `view` at `columns` (the
    // header's order).
    KeyOrderWatch(const ViewDef& view, const std::vector<int>& columns);

    // Notes the next record written.
    void add(const CsvBatch& batch, const CsvBatch::Record& record);
    // Whether no record noted so far has a lower first key than the one
    // before it, as SQLite orders the key's columns.
    bool inOrder() const { return inOrder_; }

private:
    struct Segment {
        std::int64_t number = 0;
        std::string text;
    };
    // Each key column's place in a record; a column the file leaves out
    // holds the same empty value in every record and cannot break the order.
    std::vector<std::size_t> places_;
    std::vector<Segment> previous_;
    bool first_ = true;
    bool inOrder_ = true;
};

}  // namespace accpac::sqlite
