// Reading a browse in runs that each release the company before they return.
#include "accpac/sqlite/BrowseCursor.h"

#include <sqlite3.h>

#include "accpac/sqlite/Storage.h"

namespace accpac::sqlite {

namespace {

// A lookup's batch (a screenful and one more record) fits the first run;
// later runs grow so that a long walk costs few queries.
constexpr std::size_t FirstRun = 16;
constexpr std::size_t LongestRun = 1024;

// A column's value exactly as stored, to continue from.
Stored storedColumn(const FieldDef& def, const Statement& row, int column) {
    if (def.type != FieldType::String) return row.columnInt(column);
    const auto* text = static_cast<const char*>(sqlite3_column_blob(row.handle(), column));
    return QByteArray(text, sqlite3_column_bytes(row.handle(), column));
}

}  // namespace

BrowseCursor::BrowseCursor(const ViewDef& view, const KeyDef& key, BrowseQuery first, bool ascending, Prepare prepare)
    : view_(view),
      key_(key),
      first_(std::move(first)),
      ascending_(ascending),
      prepare_(std::move(prepare)),
      runSize_(FirstRun) {
    for (const QString& segment : key_.segments) keyColumns_.push_back(view_.fieldIndex(segment));
    readRun(first_);
}

void BrowseCursor::readRun(const BrowseQuery& query) {
    Statement& statement = prepare_(query.sql);
    for (std::size_t i = 0; i < query.params.size(); ++i) statement.bind(int(i) + 1, query.params[i]);
    std::size_t n = 0;
    try {
        while (n < runSize_ && statement.step()) {
            std::vector<Variant> row;
            row.reserve(view_.fields.size());
            for (std::size_t c = 0; c < view_.fields.size(); ++c)
                row.push_back(fromColumn(view_.fields[c], statement, int(c)));
            rows_.push_back(std::move(row));
            ++n;
            if (n == runSize_) {
                lastKey_.clear();
                for (std::size_t s = 0; s < keyColumns_.size(); ++s)
                    lastKey_.push_back(
                        storedColumn(view_.fields[std::size_t(keyColumns_[s])], statement, keyColumns_[s]));
            }
        }
    } catch (...) {
        statement.reset();
        throw;
    }
    statement.reset();
    ended_ = n < runSize_;
    runSize_ = std::min(runSize_ * 4, LongestRun);
}

const std::vector<Variant>* BrowseCursor::next() {
    if (rows_.empty() && !ended_) readRun(continueBrowse(view_, key_, first_, lastKey_, ascending_));
    if (rows_.empty()) return nullptr;
    current_ = std::move(rows_.front());
    rows_.pop_front();
    return &current_;
}

}  // namespace accpac::sqlite
