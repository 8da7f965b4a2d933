// Filling a search index beside the import.
#include "accpac/tools/SearchSideFill.h"

#include <QFile>
#include <QTemporaryFile>
#include <algorithm>

#include "accpac/sqlite/LikeFunction.h"
#include "accpac/tools/CompanyTables.h"

namespace accpac::sqlite {

namespace {

constexpr const char* Schema = "search_side";

// The tables that hold a contentless search index's trigrams and record
// numbers (its settings stay the company's own).
QStringList shadowTables(const ViewDef& view) {
    return {view.id + QStringLiteral("_search_data"), view.id + QStringLiteral("_search_idx")};
}

}  // namespace

SearchSideFill::SearchSideFill(const QString& path, const ViewDef& view, CsvReader reader,
                               const std::vector<int>& columns)
    : view_(view), reader_(std::move(reader)), columns_(columns.size()) {
    const QStringList fields = searchedFields(view);
    if (fields.isEmpty()) return;
    for (const QString& f : fields) {
        const auto at = std::find(columns.begin(), columns.end(), view.fieldIndex(f));
        fieldColumn_.push_back(at == columns.end() ? -1 : int(at - columns.begin()));
    }
    // A name of its own, so that imports into the same view at the same
    // time, one of them waiting for the other, keep apart.
    QTemporaryFile file(path + QStringLiteral("-XXXXXX"));
    file.setAutoRemove(false);
    if (!file.open()) return;
    path_ = file.fileName();
    scratch_.emplace(path_);
    file.close();
    thread_ = std::thread([this] { fill(); });
}

SearchSideFill::~SearchSideFill() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    removeFiles();
}

void SearchSideFill::removeFiles() const {
    if (path_.isEmpty()) return;
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) QFile::remove(path_ + QLatin1String(suffix));
}

void SearchSideFill::fill() {
    try {
        Database db(path_, Database::Mode::Create);
        // A scratch file: thrown away on failure, read once, removed after.
        db.exec("PRAGMA journal_mode = OFF");
        db.exec("PRAGMA synchronous = OFF");
        db.exec("PRAGMA secure_delete = OFF");
        db.exec(LoadingCacheSize);
        registerSqlFunctions(db.handle());
        const SearchFill search = searchFill(view_);
        for (const QString& sql : search.before) db.exec(sql.toUtf8().constData());
        db.exec("BEGIN");
        // The fields are bound where they lie, in the mapped file or the
        // record, which keep them until the next record is read: after the
        // insert that uses them.
        CsvRecord record;
        Statement insert(db, search.insertRow);
        std::int64_t number = 0;
        while (reader_.next(record)) {
            if (record.fields.size() == 1 && record.fields.front().empty() && record.problem.isEmpty()) continue;
            // A record the import refuses fails it: the index is not needed.
            if (!record.problem.isEmpty() || record.fields.size() != columns_ || ((number & 4095) == 0 && stop_))
                return;
            insert.bindInt(1, ++number);
            for (std::size_t i = 0; i < fieldColumn_.size(); ++i)
                bindTextInPlace(
                    db, insert, int(i) + 2,
                    fieldColumn_[i] < 0 ? std::string_view("") : record.fields[std::size_t(fieldColumn_[i])]);
            insert.step();
            insert.reset();
        }
        db.exec("COMMIT");
        records_ = number;
        complete_ = true;
    } catch (...) {
        // The import fills the index itself.
    }
}

bool SearchSideFill::copyInto(Database& db, std::int64_t records) {
    if (!thread_.joinable()) return false;
    thread_.join();
    if (!complete_ || records_ != records) return false;
    attachFile(db, path_, QLatin1String(Schema));
    db.exec(searchCreateSql(view_).toUtf8().constData());
    // The rows as the index wrote them, in place of the company's.
    for (const QString& table : shadowTables(view_)) copyTable(db, QLatin1String(Schema), table);
    return true;
}

}  // namespace accpac::sqlite
