// The mark of the views whose record numbers follow their first key.
#include "accpac/sqlite/KeyOrder.h"

namespace accpac::sqlite {

namespace {

QString table() { return quoteIdentifier(QLatin1String(KeyOrderTable)); }

}  // namespace

void setKeyOrderMark(Database& db, const ViewDef& view, bool marked) {
    db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (view TEXT PRIMARY KEY) STRICT")
                .arg(table())
                .toUtf8()
                .constData());
    Statement change(db, (marked ? QStringLiteral("INSERT OR IGNORE INTO %1 (view) VALUES (?1)")
                                 : QStringLiteral("DELETE FROM %1 WHERE view = ?1"))
                             .arg(table()));
    change.bind(1, Stored(view.id.toUtf8()));
    change.step();
}

QString keyOrderTableSql() { return QStringLiteral("SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?1"); }

QString keyOrderMarkSql() { return QStringLiteral("SELECT 1 FROM %1 WHERE view = ?1").arg(table()); }

}  // namespace accpac::sqlite
