// A value of any of the types the accounting system's fields hold.
//
// Modelled on the COM VARIANT the system's callers are used to: Empty (never
// set), Null, Boolean, 16- and 32-bit integers, Double, Decimal (amounts,
// exact), Date (a calendar day) and String (UTF-16 text). Conversions follow
// the default ones of that world: toText() gives unformatted numbers, dates as
// yyyy-MM-dd whatever the locale, "True"/"False" for Booleans and "" for Empty;
// those texts convert back to an equal value of the same type.
#pragma once

#include <QDate>
#include <QString>
#include <cstdint>
#include <variant>

#include "accpac/Decimal.h"
#include "accpac/Export.h"

namespace accpac {

// Yes and no as the system's Integer flags hold them (gWinXP, SkipFirst, the
// window's guards, the hosts' Boolean arguments); any non-zero value reads
// as yes. The component's own yes/no values are bool.
constexpr std::int16_t IntegerTrue = -1;
constexpr std::int16_t IntegerFalse = 0;

class TROVEX_API Variant {
public:
    enum class Type { Empty, Null, Boolean, Integer, Long, Double, Decimal, Date, String };

    Variant() = default;  // Empty
    static Variant null();
    static Variant boolean(bool b);
    static Variant int16(std::int16_t v);
    static Variant int32(std::int32_t v);
    static Variant real(double v);
    static Variant decimal(const accpac::Decimal& d);
    static Variant date(const QDate& d);  // an invalid QDate gives Empty (a field with no date)
    static Variant string(const QString& s);
    // Convenience: text.
    Variant(const QString& s) : Variant(string(s)) {}
    Variant(const char* s) : Variant(string(QString::fromUtf8(s))) {}

    Type type() const { return type_; }
    bool isEmpty() const { return type_ == Type::Empty; }
    bool isNull() const { return type_ == Type::Null; }

    // "Empty", "Null", "Boolean", "Integer", "Long", "Double", "Decimal",
    // "Date" or "String".
    QString typeName() const;

    // Default conversion to text (see the file comment). Null throws 94.
    QString toText() const;
    // Truth value: Booleans as they are, numbers non-zero, the texts
    // True/False in any letter case or a number; Empty is false. Anything
    // else throws 13 (type mismatch).
    bool toBool() const;
    // 16-bit integer: Booleans give -1/0, numbers are rounded half to even,
    // texts must hold a number. Outside -32768..32767 throws 6 (overflow);
    // a text that is no number throws 13; Null throws 94; Empty gives 0.
    std::int16_t toInt16() const;
    std::int32_t toInt32() const;  // same rules, 32-bit range

    // Payload accessors; each throws 13 when the Variant is of another type.
    bool asBool() const;
    std::int32_t asInt() const;  // Integer or Long
    double asDouble() const;
    const accpac::Decimal& asDecimal() const;
    const QDate& asDate() const;
    const QString& asString() const;

    // Same type and same value (String compared exactly).
    friend bool operator==(const Variant& a, const Variant& b);

private:
    using Payload = std::variant<std::monostate, bool, std::int32_t, double, accpac::Decimal, QDate, QString>;
    Variant(Type type, Payload v) : type_(type), v_(std::move(v)) {}

    Type type_ = Type::Empty;
    Payload v_;
};

}  // namespace accpac
