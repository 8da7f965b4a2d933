// Watching an import's records for the first key's order.
#include "accpac/tools/KeyOrderWatch.h"

#include <algorithm>
#include <compare>
#include <cstring>

namespace accpac::sqlite {

namespace {

// Texts as the key's columns compare them (SQLite's BINARY collation): byte
// by byte, a text before the longer ones it begins.
std::strong_ordering compareBytes(std::string_view a, std::string_view b) {
    const int c = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    if (c != 0) return c <=> 0;
    return a.size() <=> b.size();
}

}  // namespace

KeyOrderWatch::KeyOrderWatch(const ViewDef& view, const std::vector<int>& columns) {
    for (const QString& segment : view.keys.front().segments) {
        const auto at = std::find(columns.begin(), columns.end(), view.fieldIndex(segment));
        if (at != columns.end()) places_.push_back(std::size_t(at - columns.begin()));
    }
    previous_.resize(places_.size());
}

void KeyOrderWatch::add(const CsvBatch& batch, const CsvBatch::Record& record) {
    if (!inOrder_) return;
    std::size_t i = 0;
    if (!first_) {
        // Only the segments from the first that differs on are kept anew.
        for (; i < places_.size(); ++i) {
            const CsvBatch::Value& v = batch.values[record.firstValue + places_[i]];
            const std::strong_ordering c =
                v.size < 0 ? v.number <=> previous_[i].number : compareBytes(batch.text(v), previous_[i].text);
            if (c < 0) {
                inOrder_ = false;
                return;
            }
            if (c > 0) break;
        }
    }
    first_ = false;
    for (; i < places_.size(); ++i) {
        const CsvBatch::Value& v = batch.values[record.firstValue + places_[i]];
        if (v.size < 0)
            previous_[i].number = v.number;
        else
            previous_[i].text.assign(batch.text(v));
    }
}

}  // namespace accpac::sqlite
