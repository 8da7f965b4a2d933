// A view's table and search index in a company file.
#include "accpac/sqlite/Storage.h"

#include "accpac/filter/Filter.h"
#include "accpac/sqlite/SearchChanges.h"

namespace accpac::sqlite {

namespace {

constexpr int FillGatherBytes = 32 << 20;
constexpr int WriteGatherBytes = 1 << 20;  // the search index's own default

}  // namespace

Variant fromColumn(const FieldDef& def, const Statement& row, int column) {
    if (def.type == FieldType::String) return Variant::string(row.columnText(column));
    return fromNumber(def, row.columnInt(column));
}

QString createTableSql(const ViewDef& view) {
    // Records are numbered so that the search index can name them; every
    // key, the first included, is an index of its own.
    QStringList columns{quoteIdentifier(QLatin1String(RecordIdColumn)) + QStringLiteral(" INTEGER PRIMARY KEY")};
    for (const FieldDef& f : view.fields)
        columns << quoteIdentifier(f.name) + (f.type == FieldType::String ? QStringLiteral(" TEXT NOT NULL")
                                                                          : QStringLiteral(" INTEGER NOT NULL"));
    return QStringLiteral("CREATE TABLE %1 (%2) STRICT").arg(tableName(view), columns.join(QStringLiteral(", ")));
}

QStringList searchedFields(const ViewDef& view) {
    // Texts of one to three characters (codes) are matched faster by the
    // walk than looked up, and the fields the standing filters fix are
    // searched within one customer's records, where the walk is short; the
    // index would only cost loading time.
    QStringList names;
    for (const FieldDef& f : view.fields)
        if (f.type == FieldType::String && f.size > MinIndexedRun && !view.filterPrefix.contains(f.name))
            names << f.name;
    return names;
}

QString searchTableName(const ViewDef& view) { return quoteIdentifier(view.id + QStringLiteral("_search")); }

QString searchCreateSql(const ViewDef& view) {
    // Contentless: the index keeps only trigrams and record numbers; the
    // texts stay in the view's table. The texts go in folded, so the index
    // folds letters exactly as LIKE does and needs no folding of its own.
    // Searches only ask which records hold a run, never rank them, so the
    // index keeps no sizes of the texts (a quarter less work to fill).
    return QStringLiteral(
               "CREATE VIRTUAL TABLE IF NOT EXISTS %1 USING fts5(%2, content='', "
               "columnsize=0, tokenize='trigram case_sensitive 1')")
        .arg(searchTableName(view), columnList(searchedFields(view)));
}

QString searchGatherSql(const ViewDef& view, bool filling) {
    // The index gathers trigrams in memory and writes them out as a
    // segment whenever that memory is full; segments are then merged. A
    // fill of millions of records gathers 32 MB at a time: fewer, larger
    // segments and less merging, about a third less work than 1 MB at a
    // time. The records other programs write later go back to 1 MB, so
    // none of them holds 32 MB.
    const QString table = searchTableName(view);
    return QStringLiteral("INSERT INTO %1(%1, rank) VALUES ('hashsize', %2)")
        .arg(table)
        .arg(filling ? FillGatherBytes : WriteGatherBytes);
}

SearchFill searchFill(const ViewDef& view) {
    const QStringList fields = searchedFields(view);
    if (fields.isEmpty()) return {};
    const QString table = searchTableName(view);
    const auto fold = [](const QString& value) {
        return QStringLiteral("%1(%2)").arg(QLatin1String(filter::FoldFunctionName), value);
    };
    QStringList folded, placeholders{QStringLiteral("?1")};
    for (const QString& f : fields) {
        folded << fold(quoteIdentifier(f));
        placeholders << fold(QStringLiteral("?%1").arg(placeholders.size() + 1));
    }
    const QString into = QStringLiteral("INSERT INTO %1(rowid, %2) ").arg(table, columnList(fields));
    const QString record = quoteIdentifier(QLatin1String(RecordIdColumn));
    const QString texts = QStringLiteral("SELECT %1, %2 FROM %3").arg(record, columnList(fields), tableName(view));
    return SearchFill{
        {searchCreateSql(view), QStringLiteral("INSERT INTO %1(%1) VALUES ('delete-all')").arg(table),
         searchGatherSql(view, true)},
        into + QStringLiteral("SELECT %1, %2 FROM %3").arg(record, folded.join(QStringLiteral(", ")), tableName(view)),
        texts,
        into + QStringLiteral("VALUES (%1)").arg(placeholders.join(QStringLiteral(", "))),
        {searchGatherSql(view, false)}};
}

QStringList searchIndexSql(const ViewDef& view) {
    const SearchFill fill = searchFill(view);
    if (fill.fromTable.isEmpty()) return {};
    return fill.before + QStringList{fill.fromTable} + fill.after + searchChangesSql(view);
}

}  // namespace accpac::sqlite
