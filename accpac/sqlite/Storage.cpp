// Conversions between field values and their stored form, and the schema
// that follows from the catalogue.
#include "accpac/sqlite/Storage.h"

#include <QSet>

#include "accpac/AccpacError.h"
#include "accpac/filter/Filter.h"
#include "accpac/sqlite/SearchChanges.h"

namespace accpac::sqlite {

namespace {

std::int64_t dateNumber(const QDate& d) { return std::int64_t(d.year()) * 10000 + d.month() * 100 + d.day(); }

// The stored form of a value already of the field's type, or nothing when
// it is of another type and needs converting first.
std::optional<Stored> storedAsIs(const FieldDef& def, const Variant& v) {
    switch (def.type) {
        case FieldType::String:
            if (v.type() == Variant::Type::String) return Stored(v.asString().toUtf8());
            break;
        case FieldType::Int16:
        case FieldType::Int32:
            if (v.type() == Variant::Type::Integer || v.type() == Variant::Type::Long)
                return Stored(std::int64_t(v.asInt()));
            break;
        case FieldType::Boolean:
            if (v.type() == Variant::Type::Boolean) return Stored(std::int64_t(v.asBool() ? 1 : 0));
            break;
        case FieldType::Decimal:
            if (v.type() == Variant::Type::Decimal) {
                const auto units = v.asDecimal().unitsAt(def.decimals);
                if (!units)
                    throw AccpacError(errnum::TypeMismatch,
                                      QStringLiteral("Type mismatch: the field %1 keeps %2 digits after the point, "
                                                     "not the amount %3.")
                                          .arg(def.name)
                                          .arg(def.decimals)
                                          .arg(v.asDecimal().toString()));
                return Stored(*units);
            }
            break;
        case FieldType::Date:
            if (v.type() == Variant::Type::Date) return Stored(dateNumber(v.asDate()));
            if (v.isEmpty()) return Stored(std::int64_t(0));
            break;
    }
    return std::nullopt;
}

QString columnList(const QStringList& names) {
    QStringList quoted;
    for (const QString& n : names) quoted << quoteIdentifier(n);
    return quoted.join(QStringLiteral(", "));
}

}  // namespace

Stored toStored(const FieldDef& def, const Variant& value) {
    if (auto s = storedAsIs(def, value)) return *s;
    // Another type: the field's own conversion decides, as when a caller puts it.
    AccpacField field(def);
    field.setValue(value.type() == Variant::Type::String ? convertText(def, value.asString()) : value);
    if (auto s = storedAsIs(def, field.Value())) return *s;
    throw AccpacError(
        errnum::TypeMismatch,
        QStringLiteral("Type mismatch: a %1 cannot be stored in the field %2.").arg(value.typeName(), def.name));
}

Variant fromColumn(const FieldDef& def, const Statement& row, int column) {
    if (def.type == FieldType::String) return Variant::string(row.columnText(column));
    return fromNumber(def, row.columnInt(column));
}

Variant fromNumber(const FieldDef& def, std::int64_t n) {
    switch (def.type) {
        case FieldType::String:
            break;
        case FieldType::Int16:
            return Variant::int16(std::int16_t(n));
        case FieldType::Int32:
            return Variant::int32(std::int32_t(n));
        case FieldType::Boolean:
            return Variant::boolean(n != 0);
        case FieldType::Decimal:
            return Variant::decimal(Decimal(n, def.decimals));
        case FieldType::Date:
            if (n == 0) return Variant();
            return Variant::date(QDate(int(n / 10000), int(n / 100 % 100), int(n % 100)));
    }
    return Variant();
}

Stored emptyStored(const FieldDef& def) {
    if (def.type == FieldType::String) return Stored(QByteArray());
    return Stored(std::int64_t(0));
}

QString tableName(const ViewDef& view) { return quoteIdentifier(view.id); }

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

QStringList searchIndexSql(const ViewDef& view) {
    const QStringList fields = searchedFields(view);
    if (fields.isEmpty()) return {};
    const QString table = searchTableName(view);
    QStringList folded;
    for (const QString& f : fields)
        folded << QStringLiteral("%1(%2)").arg(QLatin1String(filter::FoldFunctionName), quoteIdentifier(f));
    // Contentless: the index keeps only trigrams and record numbers; the
    // texts stay in the view's table. The texts go in folded, so the index
    // folds letters exactly as LIKE does and needs no folding of its own.
    // The change table is emptied with the fill: from here on the index
    // knows every record but those the triggers note.
    return QStringList{QStringLiteral("CREATE VIRTUAL TABLE IF NOT EXISTS %1 USING fts5(%2, content='', "
                                      "tokenize='trigram case_sensitive 1')")
                           .arg(table, columnList(fields)),
                       QStringLiteral("INSERT INTO %1(%1) VALUES ('delete-all')").arg(table),
                       QStringLiteral("INSERT INTO %1(rowid, %2) SELECT %3, %4 FROM %5")
                           .arg(table, columnList(fields), quoteIdentifier(QLatin1String(RecordIdColumn)),
                                folded.join(QStringLiteral(", ")), tableName(view))} +
           searchChangesSql(view);
}

QStringList createIndexSql(const ViewDef& view) {
    QStringList statements;
    QSet<QString> made;
    auto add = [&](const QString& name, const QStringList& columns, bool unique) {
        const QString signature = columns.join(u',');
        if (made.contains(signature)) return;
        made.insert(signature);
        statements << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                          .arg(unique ? QStringLiteral("UNIQUE ") : QString(),
                               quoteIdentifier(QStringLiteral("%1_%2").arg(view.id, name)), tableName(view),
                               columnList(columns));
    };
    for (const KeyDef& k : view.keys) add(QStringLiteral("key%1").arg(k.number), k.segments, true);
    if (!view.filterPrefix.isEmpty()) {
        for (const KeyDef& k : view.keys) {
            QStringList columns = view.filterPrefix;
            for (const QString& s : k.segments)
                if (!columns.contains(s)) columns << s;
            add(QStringLiteral("filtered_key%1").arg(k.number), columns, false);
        }
    }
    return statements;
}

}  // namespace accpac::sqlite
