// Writing a company file: its marker, tables and indexes, and the record
// writer.
#include "accpac/tools/CompanyTables.h"

#include <sqlite3.h>

#include <QSet>
#include <algorithm>

#include "accpac/filter/Filter.h"
#include "accpac/sqlite/KeyOrder.h"
#include "accpac/sqlite/Storage.h"

namespace accpac::sqlite {

namespace {

// Statistics from a sample of each index are enough for the planner to
// prefer the index that a filter's fixed fields lead.
const char* const AnalysisLimit = "PRAGMA analysis_limit = 400";

}  // namespace

void createTables(Database& db, const QString& companyName) {
    db.exec(QStringLiteral("CREATE TABLE %1 (name TEXT NOT NULL, format INTEGER NOT NULL) STRICT")
                .arg(QLatin1String(MarkerTable))
                .toUtf8()
                .constData());
    Statement marker(db, QStringLiteral("INSERT INTO %1 VALUES (?1, ?2)").arg(QLatin1String(MarkerTable)));
    marker.bind(1, Stored(companyName.toUtf8()));
    marker.bindInt(2, CompanyFormat);
    marker.step();
    for (const ViewDef& view : catalogue()) db.exec(createTableSql(view).toUtf8().constData());
}

void makeIndexes(Database& db, const QString& stage, const QStringList& statements, std::int64_t records,
                 const ProgressReport& progress) {
    const std::int64_t total = records * statements.size();
    for (qsizetype i = 0; i < statements.size(); ++i) {
        if (progress) progress({stage, records * i, total});
        db.exec(statements[i].toUtf8().constData());
    }
    if (progress && total > 0) progress({stage, total, total});
}

void createViewIndexes(Database& db, const ViewDef& view, std::int64_t records, const ProgressReport& progress) {
    makeIndexes(db, QStringLiteral("indexes of %1").arg(view.id), createIndexSql(view), records, progress);
}

void fillSearchIndex(Database& db, const ViewDef& view, std::int64_t records, const ProgressReport& progress) {
    fillSearchIndex(db, view, records, progress, searchIndexSql(view));
}

void fillSearchIndex(Database& db, const ViewDef& view, std::int64_t records, const ProgressReport& progress,
                     const QStringList& sql) {
    if (sql.isEmpty()) return;
    const QString stage = QStringLiteral("search index of %1").arg(view.id);
    if (progress) progress({stage, 0, records});
    for (const QString& statement : sql) db.exec(statement.toUtf8().constData());
    if (progress && records > 0) progress({stage, records, records});
}

void fillSearchIndex(Database& db, const ViewDef& view, std::int64_t records, const ProgressReport& progress,
                     Statement& rows, bool rowCurrent) {
    const SearchFill fill = searchFill(view);
    if (fill.texts.isEmpty()) return;
    const QString stage = QStringLiteral("search index of %1").arg(view.id);
    if (progress) progress({stage, 0, records});
    for (const QString& statement : fill.before) db.exec(statement.toUtf8().constData());
    Statement insert(db, fill.insertRow, true);
    const int columns = rows.columnCount();
    std::int64_t done = 0;
    for (bool current = rowCurrent; current; current = rows.step()) {
        for (int c = 0; c < columns; ++c)
            sqlite3_bind_value(insert.handle(), c + 1, sqlite3_column_value(rows.handle(), c));
        insert.step();
        insert.reset();
        if (++done % 65536 == 0 && progress) progress({stage, done, records});
    }
    for (const QString& statement : fill.after) db.exec(statement.toUtf8().constData());
    if (progress && records > 0) progress({stage, records, records});
}

void attachFile(Database& db, const QString& path, const QString& schema) {
    Statement attach(db, QStringLiteral("ATTACH DATABASE ?1 AS %1").arg(quoteIdentifier(schema)));
    attach.bind(1, Stored(path.toUtf8()));
    attach.step();
}

void copyTable(Database& db, const QString& schema, const QString& name) {
    const QString table = quoteIdentifier(name);
    // No key can repeat in the emptied table. A copy that may stop on one
    // half-way (the default, OR ABORT) makes SQLite first save every page it
    // reuses into a statement journal, to undo just the copy; OR FAIL needs
    // none, and any failure undoes the caller's whole transaction anyway.
    for (const QString& sql :
         {QStringLiteral("DELETE FROM main.%1").arg(table),
          QStringLiteral("INSERT OR FAIL INTO main.%1 SELECT * FROM %2.%1").arg(table, quoteIdentifier(schema))})
        db.exec(sql.toUtf8().constData());
}

void analyzeCompany(Database& db) {
    db.exec(AnalysisLimit);
    db.exec("ANALYZE");
}

namespace {

// Whether the records of the freshly loaded `view` are numbered from 1
// without gaps and none has a lower first key than the one numbered before
// it: one pass, each record's successor found by its number.
bool loadedInKeyOrder(Database& db, const ViewDef& view) {
    const QString record = quoteIdentifier(QLatin1String(RecordIdColumn));
    Statement numbering(db, QStringLiteral("SELECT count(*) = coalesce(max(%1), 0) AND coalesce(min(%1), 1) = 1 "
                                           "FROM %2")
                                .arg(record, tableName(view)));
    if (!numbering.step() || numbering.columnInt(0) == 0) return false;
    QStringList earlier, later;
    for (const QString& c : view.keys.front().segments) {
        earlier << QStringLiteral("a.") + quoteIdentifier(c);
        later << QStringLiteral("b.") + quoteIdentifier(c);
    }
    Statement inversion(
        db, QStringLiteral("SELECT 1 FROM %1 AS a JOIN %1 AS b ON b.%2 = a.%2 + 1 "
                           "WHERE (%3) < (%4) LIMIT 1")
                .arg(tableName(view), record, later.join(QStringLiteral(", ")), earlier.join(QStringLiteral(", "))));
    return !inversion.step();
}

}  // namespace

bool writeInKeyOrder(Database& db, const ViewDef& view, std::optional<bool> loadedInOrder) {
    if (searchedFields(view).isEmpty()) return true;
    // Records exported from a view usually come in its key order already;
    // only others are sorted once into a temporary table, then written back
    // in that order: emptying the table restarts its numbering at 1.
    if (loadedInOrder ? *loadedInOrder : loadedInKeyOrder(db, view)) {
        setKeyOrderMark(db, view, true);
        return true;
    }
    QStringList names;
    for (const FieldDef& f : view.fields) names << f.name;
    const QString columns = columnList(names), order = columnList(view.keys.front().segments),
                  sorted = QStringLiteral("temp.trovex_sorted");
    for (const QString& sql :
         {QStringLiteral("CREATE TABLE %1 AS SELECT %2 FROM %3 ORDER BY %4")
              .arg(sorted, columns, tableName(view), order),
          QStringLiteral("DELETE FROM %1").arg(tableName(view)),
          QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3 ORDER BY rowid").arg(tableName(view), columns, sorted),
          QStringLiteral("DROP TABLE %1").arg(sorted)})
        db.exec(sql.toUtf8().constData());
    setKeyOrderMark(db, view, true);
    return false;
}

std::int64_t loadedRecords(Database& db, const ViewDef& view) {
    Statement last(db, QStringLiteral("SELECT coalesce(max(%1), 0) FROM %2")
                           .arg(quoteIdentifier(QLatin1String(RecordIdColumn)), tableName(view)));
    last.step();
    return last.columnInt(0);
}

QStringList dropIndexes(Database& db, const ViewDef& view) {
    // The unique indexes that no other kept one implies stay, so that a
    // record repeating a key is refused as it is inserted, by its line.
    QStringList kept;
    std::vector<QSet<QString>> keptColumns;
    for (const KeyDef& k : view.keys) {
        const QSet<QString> columns(k.segments.begin(), k.segments.end());
        if (std::any_of(keptColumns.begin(), keptColumns.end(),
                        [&](const QSet<QString>& c) { return columns.contains(c); }))
            continue;
        keptColumns.push_back(columns);
        kept << QStringLiteral("%1_key%2").arg(view.id).arg(k.number);
    }
    // The statements as the file holds them, so the same indexes come back.
    Statement list(db, QStringLiteral("SELECT name, sql FROM sqlite_schema WHERE type = 'index' AND tbl_name = ?1 "
                                      "AND sql IS NOT NULL"));
    list.bind(1, Stored(view.id.toUtf8()));
    QStringList names, statements;
    while (list.step()) {
        if (kept.contains(list.columnText(0))) continue;
        names << list.columnText(0);
        statements << list.columnText(1);
    }
    for (const QString& name : names)
        db.exec(QStringLiteral("DROP INDEX %1").arg(quoteIdentifier(name)).toUtf8().constData());
    return statements;
}

void analyzeView(Database& db, const ViewDef& view) {
    db.exec(AnalysisLimit);
    db.exec(QStringLiteral("ANALYZE %1").arg(tableName(view)).toUtf8().constData());
}

namespace {

QString insertSql(const ViewDef& view) {
    QStringList placeholders;
    QStringList columns;
    for (std::size_t i = 1; i <= view.fields.size(); ++i) {
        placeholders << QStringLiteral("?%1").arg(i);
        columns << quoteIdentifier(view.fields[i - 1].name);
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(tableName(view), columns.join(QStringLiteral(", ")), placeholders.join(QStringLiteral(", ")));
}

}  // namespace

void bindTextInPlace(const Database& db, Statement& statement, int index, std::string_view utf8) {
    // SQLite takes a null pointer for NULL, which no column of a view holds.
    const char* bytes = utf8.data() ? utf8.data() : "";
    if (sqlite3_bind_text(statement.handle(), index, bytes, int(utf8.size()), SQLITE_STATIC) != SQLITE_OK)
        db.fail(QStringLiteral("binding a value"));
}

RecordWriter::RecordWriter(Database& db, const ViewDef& view)
    : db_(db), view_(view), insert_(db, insertSql(view), true) {
    clear();
}

void RecordWriter::clear() {
    for (std::size_t i = 0; i < view_.fields.size(); ++i) insert_.bind(int(i) + 1, emptyStored(view_.fields[i]));
}

void RecordWriter::set(int field, const Stored& value) { insert_.bind(field + 1, value); }
void RecordWriter::setInt(int field, std::int64_t value) { insert_.bindInt(field + 1, value); }
void RecordWriter::setText(int field, std::string_view utf8) { insert_.bindText(field + 1, utf8); }
void RecordWriter::setTextInPlace(int field, std::string_view utf8) { bindTextInPlace(db_, insert_, field + 1, utf8); }

QString RecordWriter::insert() {
    QString problem = insertAndKeep();
    clear();
    return problem;
}

QString RecordWriter::insertAndKeep() {
    const int rc = sqlite3_step(insert_.handle());
    QString problem;
    if (rc != SQLITE_DONE) {
        if ((rc & 0xff) == SQLITE_CONSTRAINT)
            problem = QStringLiteral("another record of %1 has the same key (%2)")
                          .arg(view_.id, view_.keys.front().segments.join(QStringLiteral(", ")));
        else
            problem = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(insert_.handle())));
    }
    insert_.reset();
    return problem;
}

}  // namespace accpac::sqlite
