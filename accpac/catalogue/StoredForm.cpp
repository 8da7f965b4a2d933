// Conversions between field values and their stored form, and the key
// indexes that follow from the catalogue.
#include "accpac/catalogue/StoredForm.h"

#include <QSet>
#include <optional>

#include "accpac/AccpacError.h"

namespace accpac::catalogue {

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

QString quoteIdentifier(const QString& name) {
    QString q = name;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

QString columnList(const QStringList& names) {
    QStringList quoted;
    for (const QString& n : names) quoted << quoteIdentifier(n);
    return quoted.join(QStringLiteral(", "));
}

QString tableName(const ViewDef& view) { return quoteIdentifier(view.id); }

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

}  // namespace accpac::catalogue
