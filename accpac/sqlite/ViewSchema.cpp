// A view's table and columns in the company file, and SQLite's reading of
// quoted names.
#include "accpac/sqlite/ViewSchema.h"

#include <sqlite3.h>

#include <QHash>
#include <QSet>
#include <QStringList>
#include <optional>

namespace accpac::sqlite {

namespace {

// Views that are only ever read composed with others (a class with its
// rates, a receipt with its batch and details): they are available only
// when those are.
const QHash<QString, QStringList>& companions() {
    static const QHash<QString, QStringList> views{
        {QStringLiteral("TX0001"), {QStringLiteral("TX0002")}},
        {QStringLiteral("TX0002"), {QStringLiteral("TX0001")}},
        {QStringLiteral("AR0042"),
         {QStringLiteral("AR0041"), QStringLiteral("AR0043"), QStringLiteral("AR0044"), QStringLiteral("AR0045"),
          QStringLiteral("AR0061")}},
        {QStringLiteral("IC0750"), {QStringLiteral("IC0310"), QStringLiteral("IC0330")}},
    };
    return views;
}

// The fields of `view` that its table lacks; nullopt when there is no table.
std::optional<QStringList> missingColumns(const Database& db, const ViewDef& view) {
    Statement columns(db, QStringLiteral("SELECT name FROM pragma_table_info(?1)"));
    columns.bindText(1, view.id.toStdString());
    QSet<QString> present;  // SQLite's names are alike whatever their letter case
    while (columns.step()) present.insert(columns.columnText(0).toUpper());
    if (present.isEmpty()) return std::nullopt;
    QStringList missing;
    for (const FieldDef& f : view.fields)
        if (!present.contains(f.name.toUpper())) missing << f.name;
    return missing;
}

}  // namespace

QString missingForView(const Database& db, const ViewDef& view) {
    const auto own = missingColumns(db, view);
    if (!own) return QStringLiteral("it has no table for the view.");
    if (!own->isEmpty())
        return QStringLiteral("the view's table has no column %1.").arg(own->join(QStringLiteral(", ")));
    for (const QString& id : companions().value(view.id)) {
        const ViewDef* companion = findView(id);
        if (!companion) continue;
        const auto theirs = missingColumns(db, *companion);
        if (!theirs) return QStringLiteral("the view %1 it is read with has no table.").arg(id);
        if (!theirs->isEmpty())
            return QStringLiteral("the table of the view %1 it is read with has no column %2.")
                .arg(id, theirs->join(QStringLiteral(", ")));
    }
    return {};
}

void refuseQuotedTexts(Database& db) {
    for (int option : {SQLITE_DBCONFIG_DQS_DML, SQLITE_DBCONFIG_DQS_DDL})
        if (sqlite3_db_config(db.handle(), option, 0, static_cast<int*>(nullptr)) != SQLITE_OK)
            db.fail(QStringLiteral("setting up the company file"));
}

}  // namespace accpac::sqlite
