// The change table and the plain SQL triggers that fill it.
#include "accpac/sqlite/SearchChanges.h"

#include "accpac/sqlite/Database.h"
#include "accpac/sqlite/Storage.h"

namespace accpac::sqlite {

namespace {

QString triggerName(const ViewDef& view, const char* change) {
    return quoteIdentifier(view.id + QStringLiteral("_search_") + QLatin1String(change));
}

}  // namespace

QString searchChangesTableName(const ViewDef& view) {
    return quoteIdentifier(view.id + QStringLiteral("_search_changed"));
}

QStringList searchChangesSql(const ViewDef& view) {
    const QStringList fields = searchedFields(view);
    if (fields.isEmpty()) return {};
    const QString changes = searchChangesTableName(view);
    const QString record = quoteIdentifier(QLatin1String(RecordIdColumn));
    // A record is noted once however often it changes. The check and the
    // insertion are one statement, so the key can never conflict, whatever
    // conflict handling the writer's statement asks for (it would override
    // the trigger's own).
    const QString note =
        QStringLiteral(
            "INSERT INTO %1 (record) SELECT NEW.%2 WHERE NOT EXISTS (SELECT 1 FROM %1 WHERE record = NEW.%2);")
            .arg(changes, record);
    // An update that rewrites a record's texts unchanged (a program that
    // sets every column when it posts an amount) is no change to the index.
    // Every update is looked at, not only those that name these columns: an
    // update may change the record number under the name rowid. A record
    // whose first key changes leaves its place in record-number order
    // (KeyOrder.h), so it is noted too.
    QStringList watched = fields;
    for (const QString& segment : view.keys.front().segments)
        if (!watched.contains(segment)) watched << segment;
    QStringList changed{QStringLiteral("NEW.%1 IS NOT OLD.%1").arg(record)};
    for (const QString& f : watched) changed << QStringLiteral("NEW.%1 IS NOT OLD.%1").arg(quoteIdentifier(f));
    return {QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (record INTEGER PRIMARY KEY) STRICT").arg(changes),
            QStringLiteral("CREATE TRIGGER IF NOT EXISTS %1 AFTER INSERT ON %2 BEGIN %3 END")
                .arg(triggerName(view, "inserted"), tableName(view), note),
            QStringLiteral("CREATE TRIGGER IF NOT EXISTS %1 AFTER UPDATE ON %2 WHEN %3 BEGIN %4 END")
                .arg(triggerName(view, "updated"), tableName(view), changed.join(QStringLiteral(" OR ")), note),
            QStringLiteral("DELETE FROM %1").arg(changes)};
}

QStringList dropSearchChangeTriggersSql(const ViewDef& view) {
    if (searchedFields(view).isEmpty()) return {};
    return {QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(triggerName(view, "inserted")),
            QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(triggerName(view, "updated"))};
}

}  // namespace accpac::sqlite
