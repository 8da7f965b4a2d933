// Putting values into a field, and reading a field's value from text.
//
// Every value that reaches a field, whether put by a caller, read from a
// filter or imported from a file, goes through the conversions here, so a
// field only ever holds a value of its own type.
#include "accpac/AccpacField.h"

#include <cmath>
#include <limits>

#include "accpac/AccpacError.h"
#include "accpac/Blanks.h"

namespace accpac {

namespace {

// What a field of this definition takes, in the words of a type-mismatch message.
QString expected(const FieldDef& def) {
    switch (def.type) {
        case FieldType::String:
            return QStringLiteral("text");
        case FieldType::Int16:
            return QStringLiteral("a whole number from -32768 to 32767");
        case FieldType::Int32:
            return QStringLiteral("a whole number from -2147483648 to 2147483647");
        case FieldType::Boolean:
            return QStringLiteral("True, False or a number");
        case FieldType::Decimal:
            return QStringLiteral("an amount with at most %1 digits after the point").arg(def.decimals);
        case FieldType::Date:
            return QStringLiteral("a date written yyyy-MM-dd");
    }
    return {};
}

[[noreturn]] void throwMismatch(const FieldDef& def, const QString& shown) {
    throw AccpacError(
        errnum::TypeMismatch,
        QStringLiteral("Type mismatch: the field %1 takes %2, not %3.").arg(def.name, expected(def), shown));
}

QString quoted(const QString& text) { return u'"' + text + u'"'; }

// A whole number in [lo, hi] from text: error 13 when the text is no whole
// number, 6 when it is one outside the range.
std::int64_t wholeFromText(const FieldDef& def, const QString& text, std::int64_t lo, std::int64_t hi) {
    const auto d = Decimal::parse(trimBlanks(text));
    const auto whole = d ? d->unitsAt(0) : std::nullopt;
    if (!whole) throwMismatch(def, quoted(text));
    if (*whole < lo || *whole > hi)
        throw AccpacError(errnum::Overflow,
                          QStringLiteral("Overflow: %1 is outside the range of the field %2 (%3 to %4).")
                              .arg(trimBlanks(text), def.name)
                              .arg(lo)
                              .arg(hi));
    return *whole;
}

// The Decimal at the field's scale, or a mismatch when the amount has more
// significant digits after the point than the field keeps.
Variant decimalAtFieldScale(const FieldDef& def, const Decimal& d, const QString& shown) {
    const auto units = d.unitsAt(def.decimals);
    if (!units) throwMismatch(def, shown);
    return Variant::decimal(Decimal(*units, def.decimals));
}

// A calendar day written exactly yyyy-MM-dd, or nothing.
std::optional<QDate> parseIsoDate(const QString& text) {
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-') return std::nullopt;
    const auto number = [&](int from, int count) {
        int n = 0;
        for (int i = from; i < from + count; ++i) {
            if (text[i] < u'0' || text[i] > u'9') return -1;
            n = n * 10 + (text[i].unicode() - u'0');
        }
        return n;
    };
    const int y = number(0, 4), m = number(5, 2), d = number(8, 2);
    if (y < 0 || m < 0 || d < 0) return std::nullopt;
    const QDate date(y, m, d);
    if (!date.isValid()) return std::nullopt;
    return date;
}

// A value that is not text converted to the field's type, following the
// system's conversions (Booleans count -1/0, Doubles round to the field's
// decimals). Null throws 94; what has no meaning for the type throws 13.
Variant convertValue(const FieldDef& def, const Variant& v) {
    if (v.isNull()) throw AccpacError(errnum::InvalidUseOfNull, QStringLiteral("Invalid use of Null."));
    const auto shown = [&] { return QStringLiteral("a %1").arg(v.typeName()); };
    switch (def.type) {
        case FieldType::String:
            return Variant::string(v.toText());
        case FieldType::Int16:
            if (v.type() == Variant::Type::Date) break;
            return Variant::int16(v.toInt16());
        case FieldType::Int32:
            if (v.type() == Variant::Type::Date) break;
            return Variant::int32(v.toInt32());
        case FieldType::Boolean:
            if (v.type() == Variant::Type::Date) break;
            return Variant::boolean(v.toBool());
        case FieldType::Decimal:
            switch (v.type()) {
                case Variant::Type::Empty:
                    return convertText(def, QString());
                case Variant::Type::Boolean:
                case Variant::Type::Integer:
                case Variant::Type::Long:
                    return decimalAtFieldScale(def, Decimal::fromInt(v.toInt32()), shown());
                case Variant::Type::Decimal:
                    return decimalAtFieldScale(def, v.asDecimal(), v.toText());
                case Variant::Type::Double: {
                    const double scaled = std::round(v.asDouble() * std::pow(10.0, def.decimals));
                    // 2^63 is exact as a double; anything at or beyond it does not fit.
                    if (!(std::abs(scaled) < 9223372036854775808.0)) throwMismatch(def, v.toText());
                    return Variant::decimal(Decimal(std::int64_t(scaled), def.decimals));
                }
                default:
                    break;
            }
            break;
        case FieldType::Date:
            if (v.isEmpty() || v.type() == Variant::Type::Date) return v;
            break;
    }
    throwMismatch(def, shown());
}

}  // namespace

Variant convertText(const FieldDef& def, const QString& text) {
    if (def.type == FieldType::String) return Variant::string(text);
    const QString trimmed = trimBlanks(text);
    switch (def.type) {
        case FieldType::String:
            break;
        case FieldType::Int16:
            if (trimmed.isEmpty()) return Variant::int16(0);
            return Variant::int16(std::int16_t(wholeFromText(def, text, std::numeric_limits<std::int16_t>::min(),
                                                             std::numeric_limits<std::int16_t>::max())));
        case FieldType::Int32:
            if (trimmed.isEmpty()) return Variant::int32(0);
            return Variant::int32(std::int32_t(wholeFromText(def, text, std::numeric_limits<std::int32_t>::min(),
                                                             std::numeric_limits<std::int32_t>::max())));
        case FieldType::Boolean:
            if (trimmed.isEmpty()) return Variant::boolean(false);
            try {
                return Variant::boolean(Variant::string(trimmed).toBool());
            } catch (const AccpacError&) {
                throwMismatch(def, quoted(text));
            }
        case FieldType::Decimal: {
            if (trimmed.isEmpty()) return Variant::decimal(Decimal(0, def.decimals));
            const auto d = Decimal::parse(trimmed);
            if (!d) throwMismatch(def, quoted(text));
            return decimalAtFieldScale(def, *d, quoted(text));
        }
        case FieldType::Date: {
            if (trimmed.isEmpty()) return {};
            const auto date = parseIsoDate(trimmed);
            if (!date) throwMismatch(def, quoted(text));
            return Variant::date(*date);
        }
    }
    throwMismatch(def, quoted(text));
}

void AccpacField::setValue(const Variant& v) {
    // Convert first, so that a value that does not convert leaves the field as it was.
    Variant converted = v.type() == Variant::Type::String ? convertText(def_, v.asString()) : convertValue(def_, v);
    value_ = std::move(converted);
    put_ = true;
    putMax_ = false;
}

void AccpacField::setMaxKey(const QString& shown) {
    value_ = def_.type == FieldType::String ? Variant::string(shown) : convertText(def_, QString());
    put_ = true;
    putMax_ = true;
}

void AccpacField::clear() {
    value_ = convertText(def_, QString());
    put_ = false;
    putMax_ = false;
}

}  // namespace accpac
