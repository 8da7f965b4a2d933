// The Variant's default conversions: the text the grid shows for each type,
// and the integer and truth conversions with their overflow, type-mismatch
// and Null errors.
#include <gtest/gtest.h>

#include "ExpectError.h"
#include "accpac/AccpacError.h"
#include "accpac/Variant.h"

using accpac::AccpacError;
using accpac::Decimal;
using accpac::Variant;
using accpac::fixtures::expectError;
namespace errnum = accpac::errnum;

namespace {

struct Shown {
    const char* name;
    Variant value;
    const char* typeName;
    const char* text;
    friend void PrintTo(const Shown& c, std::ostream* os) { *os << c.name; }
};

class VariantText : public ::testing::TestWithParam<Shown> {};

TEST_P(VariantText, TypeNameAndDefaultText) {
    const Shown& c = GetParam();
    EXPECT_EQ(c.value.typeName(), QString::fromUtf8(c.typeName));
    EXPECT_EQ(c.value.toText(), QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    EveryType, VariantText,
    ::testing::Values(Shown{"Empty", Variant(), "Empty", ""}, Shown{"True", Variant::boolean(true), "Boolean", "True"},
                      Shown{"False", Variant::boolean(false), "Boolean", "False"},
                      Shown{"Integer", Variant::int16(-32768), "Integer", "-32768"},
                      Shown{"Long", Variant::int32(2147483647), "Long", "2147483647"},
                      Shown{"Double", Variant::real(1234.5), "Double", "1234.5"},
                      Shown{"DoubleFifteenDigits", Variant::real(0.1 + 0.2), "Double", "0.3"},
                      Shown{"DoubleLarge", Variant::real(1e20), "Double", "1E+20"},
                      Shown{"DecimalUnformatted", Variant::decimal(Decimal(123450, 2)), "Decimal", "1234.5"},
                      Shown{"DecimalNegative", Variant::decimal(Decimal(-5, 2)), "Decimal", "-0.05"},
                      Shown{"DateIso", Variant::date(QDate(2026, 12, 5)), "Date", "2026-12-05"},
                      Shown{"DateEarlyYear", Variant::date(QDate(987, 1, 2)), "Date", "0987-01-02"},
                      Shown{"NoDateIsEmpty", Variant::date(QDate()), "Empty", ""},
                      Shown{"StringKeptExactly", Variant(" Rent\tExpense "), "String", " Rent\tExpense "},
                      Shown{"StringUtf16", Variant(QStringLiteral("Émile Ŝtraße")), "String", "Émile Ŝtraße"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VariantText, NullHasNoText) {
    EXPECT_EQ(Variant::null().typeName(), "Null");
    expectError(errnum::InvalidUseOfNull, [] { Variant::null().toText(); });
}

// One conversion to a 16-bit integer: the result, or the error number (0 for none).
struct ToInt16 {
    const char* name;
    Variant value;
    std::int16_t result;
    long error;
    friend void PrintTo(const ToInt16& c, std::ostream* os) { *os << c.name; }
};

class VariantToInt16 : public ::testing::TestWithParam<ToInt16> {};

TEST_P(VariantToInt16, ConvertsOrFailsWithItsNumber) {
    const ToInt16& c = GetParam();
    if (c.error == 0) {
        EXPECT_EQ(c.value.toInt16(), c.result);
        return;
    }
    expectError(c.error, [&] { c.value.toInt16(); });
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, VariantToInt16,
    ::testing::Values(ToInt16{"EmptyIsZero", Variant(), 0, 0}, ToInt16{"TrueIsMinusOne", Variant::boolean(true), -1, 0},
                      ToInt16{"FalseIsZero", Variant::boolean(false), 0, 0},
                      ToInt16{"LongInRange", Variant::int32(32767), 32767, 0},
                      ToInt16{"LongAboveRange", Variant::int32(32768), 0, errnum::Overflow},
                      ToInt16{"LongBelowRange", Variant::int32(-32769), 0, errnum::Overflow},
                      ToInt16{"DoubleHalfToEvenDown", Variant::real(2.5), 2, 0},
                      ToInt16{"DoubleHalfToEvenUp", Variant::real(3.5), 4, 0},
                      ToInt16{"DoubleNegativeHalf", Variant::real(-2.5), -2, 0},
                      ToInt16{"DoubleOverflow", Variant::real(32767.6), 0, errnum::Overflow},
                      ToInt16{"DecimalHalfToEven", Variant::decimal(Decimal(65, 1)), 6, 0},
                      ToInt16{"DecimalNegativeRounds", Variant::decimal(Decimal(-751, 2)), -8, 0},
                      ToInt16{"DecimalOverflow", Variant::decimal(Decimal(3276750, 2)), 0, errnum::Overflow},
                      ToInt16{"DecimalRoundsToEdge", Variant::decimal(Decimal(-3276849, 2)), -32768, 0},
                      ToInt16{"TextNumber", Variant("76"), 76, 0}, ToInt16{"TextWithBlanks", Variant("  -12 "), -12, 0},
                      ToInt16{"TextFraction", Variant("1.5"), 2, 0}, ToInt16{"TextExponent", Variant("1E3"), 1000, 0},
                      ToInt16{"TextOverflow", Variant("40000"), 0, errnum::Overflow},
                      ToInt16{"TextHugeOverflow", Variant("99999999999999999999"), 0, errnum::Overflow},
                      ToInt16{"TextNotANumber", Variant("abc"), 0, errnum::TypeMismatch},
                      ToInt16{"TextEmpty", Variant(""), 0, errnum::TypeMismatch},
                      ToInt16{"TextInfinity", Variant("inf"), 0, errnum::TypeMismatch},
                      ToInt16{"TextTab", Variant("\t5"), 0, errnum::TypeMismatch},
                      ToInt16{"Date", Variant::date(QDate(2026, 1, 1)), 0, errnum::TypeMismatch},
                      ToInt16{"Null", Variant::null(), 0, errnum::InvalidUseOfNull}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VariantToInt32, UsesTheLongRange) {
    EXPECT_EQ(Variant("2147483647").toInt32(), 2147483647);
    EXPECT_EQ(Variant::decimal(Decimal(-21474836484, 1)).toInt32(), INT32_MIN);
    expectError(errnum::Overflow, [] { Variant("2147483648").toInt32(); });
}

TEST(VariantToBool, FollowsTheSystemsTruth) {
    EXPECT_FALSE(Variant().toBool());
    EXPECT_TRUE(Variant::int16(2).toBool());
    EXPECT_FALSE(Variant::decimal(Decimal(0, 2)).toBool());
    EXPECT_TRUE(Variant("tRuE").toBool());
    EXPECT_FALSE(Variant(" False ").toBool());
    EXPECT_TRUE(Variant("-1").toBool());
    EXPECT_FALSE(Variant("0.0").toBool());
    expectError(errnum::TypeMismatch, [] { Variant("yes").toBool(); });
    expectError(errnum::TypeMismatch, [] { Variant::date(QDate(2026, 1, 1)).toBool(); });
    expectError(errnum::InvalidUseOfNull, [] { Variant::null().toBool(); });
}

TEST(VariantPayload, AccessorOfAnotherTypeIsATypeMismatch) {
    const Variant text("12");
    EXPECT_EQ(text.asString(), "12");
    expectError(errnum::TypeMismatch, [&] { text.asInt(); });
    expectError(errnum::TypeMismatch, [] { Variant().asString(); });
    expectError(errnum::TypeMismatch, [] { Variant::int16(1).asDecimal(); });
    EXPECT_EQ(Variant::int16(7).asInt(), 7);
    EXPECT_EQ(Variant::int32(7).asInt(), 7);
}

TEST(VariantEquality, SameTypeAndValue) {
    EXPECT_EQ(Variant("Rent"), Variant("Rent"));
    EXPECT_NE(Variant("Rent"), Variant("rent"));
    EXPECT_NE(Variant::int16(1), Variant::int32(1));  // types differ
    EXPECT_EQ(Variant::decimal(Decimal(150, 2)), Variant::decimal(Decimal(15, 1)));
    EXPECT_EQ(Variant(), Variant::date(QDate()));
    EXPECT_NE(Variant(), Variant::null());
    EXPECT_NE(Variant(""), Variant());
}

}  // namespace
