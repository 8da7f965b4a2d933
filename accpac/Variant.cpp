// The Variant's constructors, default text conversion and the numeric and
// truth conversions that callers use on field values (a coded field's code,
// a Boolean shown through its presentation list).
#include "accpac/Variant.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

#include "accpac/AccpacError.h"
#include "accpac/Blanks.h"

namespace accpac {

namespace {

[[noreturn]] void throwTypeMismatch(const QString& what) {
    throw AccpacError(errnum::TypeMismatch, QStringLiteral("Type mismatch: %1.").arg(what));
}

[[noreturn]] void throwInvalidUseOfNull() {
    throw AccpacError(errnum::InvalidUseOfNull, QStringLiteral("Invalid use of Null."));
}

// A Decimal rounded to a whole number, ties to the even neighbour (banker's
// rounding, as the system's integer conversions do). Always fits: the result
// is no larger in magnitude than the units.
std::int64_t roundHalfEven(const Decimal& d) {
    std::int64_t divisor = 1;
    for (int i = 0; i < d.scale(); ++i) divisor *= 10;
    std::int64_t whole = d.units() / divisor;
    const std::int64_t rest = d.units() % divisor;
    const std::uint64_t twiceRest = 2 * std::uint64_t(rest < 0 ? -rest : rest);
    if (twiceRest > std::uint64_t(divisor) || (twiceRest == std::uint64_t(divisor) && whole % 2 != 0))
        whole += d.units() < 0 ? -1 : 1;
    return whole;
}

// A number written as text: plain decimal first (exact), then the forms with
// an exponent ("1E3"). Blanks around it are allowed; anything else, including
// infinities and NaN, is not a number.
struct TextNumber {
    std::optional<Decimal> exact;
    double approximate = 0;
};
std::optional<TextNumber> parseNumber(const QString& raw) {
    const QString text = trimBlanks(raw);
    if (auto d = Decimal::parse(text)) return TextNumber{d, 0};
    // The locale's reader would skip tabs and line breaks, which are no blanks here.
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); })) return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return TextNumber{std::nullopt, value};
}

// A value as a whole number in [lo, hi], or error 6 when it lies outside.
std::int32_t toWhole(const Variant& v, std::int32_t lo, std::int32_t hi, const char* typeName) {
    const auto overflow = [&](const QString& shown) -> std::int32_t {
        throw AccpacError(errnum::Overflow, QStringLiteral("Overflow: %1 does not fit in %2 (%3 to %4).")
                                                .arg(shown, QLatin1String(typeName))
                                                .arg(lo)
                                                .arg(hi));
    };
    const auto fromDouble = [&](double d, const QString& shown) -> std::int32_t {
        const double r = std::nearbyint(d);  // the default rounding mode: ties to even
        if (!(r >= lo && r <= hi)) return overflow(shown);
        return std::int32_t(r);
    };
    const auto fromDecimal = [&](const Decimal& d) -> std::int32_t {
        const std::int64_t w = roundHalfEven(d);
        if (w < lo || w > hi) return overflow(d.toString());
        return std::int32_t(w);
    };
    switch (v.type()) {
        case Variant::Type::Empty:
            return 0;
        case Variant::Type::Null:
            throwInvalidUseOfNull();
        case Variant::Type::Boolean:
            return v.asBool() ? IntegerTrue : IntegerFalse;
        case Variant::Type::Integer:
        case Variant::Type::Long:
            if (v.asInt() < lo || v.asInt() > hi) return overflow(QString::number(v.asInt()));
            return v.asInt();
        case Variant::Type::Double:
            return fromDouble(v.asDouble(), v.toText());
        case Variant::Type::Decimal:
            return fromDecimal(v.asDecimal());
        case Variant::Type::String: {
            const auto n = parseNumber(v.asString());
            if (!n) throwTypeMismatch(QStringLiteral("\"%1\" is not a number").arg(v.asString()));
            return n->exact ? fromDecimal(*n->exact) : fromDouble(n->approximate, trimBlanks(v.asString()));
        }
        case Variant::Type::Date:
            break;
    }
    throwTypeMismatch(QStringLiteral("a %1 is not a number").arg(v.typeName()));
}

}  // namespace

Variant Variant::null() { return Variant(Type::Null, {}); }
Variant Variant::boolean(bool b) { return Variant(Type::Boolean, b); }
Variant Variant::int16(std::int16_t i) { return Variant(Type::Integer, std::int32_t(i)); }
Variant Variant::int32(std::int32_t i) { return Variant(Type::Long, i); }
Variant Variant::real(double d) { return Variant(Type::Double, d); }
Variant Variant::decimal(const accpac::Decimal& d) { return Variant(Type::Decimal, d); }
Variant Variant::date(const QDate& d) { return d.isValid() ? Variant(Type::Date, d) : Variant(); }
Variant Variant::string(const QString& s) { return Variant(Type::String, s); }

QString Variant::typeName() const {
    switch (type_) {
        case Type::Empty:
            return QStringLiteral("Empty");
        case Type::Null:
            return QStringLiteral("Null");
        case Type::Boolean:
            return QStringLiteral("Boolean");
        case Type::Integer:
            return QStringLiteral("Integer");
        case Type::Long:
            return QStringLiteral("Long");
        case Type::Double:
            return QStringLiteral("Double");
        case Type::Decimal:
            return QStringLiteral("Decimal");
        case Type::Date:
            return QStringLiteral("Date");
        case Type::String:
            return QStringLiteral("String");
    }
    return {};
}

QString Variant::toText() const {
    switch (type_) {
        case Type::Empty:
            return {};
        case Type::Null:
            throwInvalidUseOfNull();
        case Type::Boolean:
            return asBool() ? QStringLiteral("True") : QStringLiteral("False");
        case Type::Integer:
        case Type::Long:
            return QString::number(asInt());
        case Type::Double:
            // Fifteen significant digits, as the system prints a Double; an
            // exponent only for very large or small magnitudes.
            return QString::number(asDouble(), 'g', 15).replace(u'e', u'E');
        case Type::Decimal:
            return asDecimal().toString();
        case Type::Date:
            return asDate().toString(QStringLiteral("yyyy-MM-dd"));
        case Type::String:
            return asString();
    }
    return {};
}

bool Variant::toBool() const {
    switch (type_) {
        case Type::Empty:
            return false;
        case Type::Null:
            throwInvalidUseOfNull();
        case Type::Boolean:
            return asBool();
        case Type::Integer:
        case Type::Long:
            return asInt() != 0;
        case Type::Double:
            return asDouble() != 0;
        case Type::Decimal:
            return asDecimal().units() != 0;
        case Type::String: {
            const QString text = trimBlanks(asString());
            if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
            if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
            const auto n = parseNumber(text);
            if (!n) throwTypeMismatch(QStringLiteral("\"%1\" is neither True, False nor a number").arg(asString()));
            return n->exact ? n->exact->units() != 0 : n->approximate != 0;
        }
        case Type::Date:
            break;
    }
    throwTypeMismatch(QStringLiteral("a %1 is not a truth value").arg(typeName()));
}

std::int16_t Variant::toInt16() const {
    return std::int16_t(toWhole(*this, std::numeric_limits<std::int16_t>::min(),
                                std::numeric_limits<std::int16_t>::max(), "an Integer"));
}

std::int32_t Variant::toInt32() const {
    return toWhole(*this, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), "a Long");
}

namespace {
// The payload of type T, or error 13 naming the type that was wanted.
template <typename T, typename Storage>
const T& payload(const Variant& v, const Storage& storage, const char* wanted) {
    if (const T* p = std::get_if<T>(&storage)) return *p;
    throwTypeMismatch(QStringLiteral("a %1 is not a %2").arg(v.typeName(), QLatin1String(wanted)));
}
}  // namespace

bool Variant::asBool() const { return payload<bool>(*this, v_, "Boolean"); }
std::int32_t Variant::asInt() const { return payload<std::int32_t>(*this, v_, "Integer or Long"); }
double Variant::asDouble() const { return payload<double>(*this, v_, "Double"); }
const accpac::Decimal& Variant::asDecimal() const { return payload<accpac::Decimal>(*this, v_, "Decimal"); }
const QDate& Variant::asDate() const { return payload<QDate>(*this, v_, "Date"); }
const QString& Variant::asString() const { return payload<QString>(*this, v_, "String"); }

bool operator==(const Variant& a, const Variant& b) { return a.type_ == b.type_ && a.v_ == b.v_; }

}  // namespace accpac
