// Exact amounts: the grid's text parses back to an equal amount, amounts of
// different scales order by value, and text that is no amount is refused.
#include <gtest/gtest.h>

#include "accpac/AccpacError.h"
#include "accpac/Decimal.h"

using accpac::Decimal;

namespace {

struct RoundTrip {
    const char* name;
    const char* text;    // as written
    const char* shown;   // as the grid shows it again
    std::int64_t units;  // at the parsed scale
    int scale;
    friend void PrintTo(const RoundTrip& c, std::ostream* os) { *os << c.name; }
};

class DecimalRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(DecimalRoundTrip, ParsesToUnitsAndPrintsMinimalText) {
    const RoundTrip& c = GetParam();
    const auto d = Decimal::parse(QString::fromUtf8(c.text));
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->units(), c.units);
    EXPECT_EQ(d->scale(), c.scale);
    EXPECT_EQ(d->toString(), QString::fromUtf8(c.shown));
    // What the grid shows reads back to the same amount: key texts stay usable.
    const auto again = Decimal::parse(d->toString());
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(*again, *d);
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, DecimalRoundTrip,
    ::testing::Values(RoundTrip{"Whole", "1234", "1234", 1234, 0},
                      RoundTrip{"OneDecimal", "1234.5", "1234.5", 12345, 1},
                      RoundTrip{"TrailingZerosDropped", "12.50", "12.5", 1250, 2},
                      RoundTrip{"ZeroFraction", "7.000", "7", 7000, 3},
                      RoundTrip{"SmallNegative", "-0.05", "-0.05", -5, 2}, RoundTrip{"LeadingPoint", ".5", "0.5", 5, 1},
                      RoundTrip{"TrailingPoint", "5.", "5", 5, 0}, RoundTrip{"PlusSign", "+3", "3", 3, 0},
                      RoundTrip{"NegativeZero", "-0", "0", 0, 0}, RoundTrip{"LeadingZeros", "007.25", "7.25", 725, 2},
                      RoundTrip{"FullScale", "0.000001", "0.000001", 1, 6},
                      RoundTrip{"ZerosBeyondScale", "1.50000000", "1.5", 1500000, 6},
                      RoundTrip{"LargestAmount", "9223372036854775807", "9223372036854775807", INT64_MAX, 0},
                      RoundTrip{"SmallestAmount", "-9223372036854775808", "-9223372036854775808", INT64_MIN, 0},
                      RoundTrip{"SmallestAtScale", "-9223372036854.775808", "-9223372036854.775808", INT64_MIN, 6}),
    [](const auto& info) { return std::string(info.param.name); });

class DecimalRefused : public ::testing::TestWithParam<const char*> {};

TEST_P(DecimalRefused, GivesNothing) { EXPECT_FALSE(Decimal::parse(QString::fromUtf8(GetParam())).has_value()); }

INSTANTIATE_TEST_SUITE_P(NotAmounts, DecimalRefused,
                         ::testing::Values("", "-", "+", ".", "-.", "abc", "1,5", "1.2.3", "1e3", " 1", "1 ", "--1",
                                           "1-", "0x10", "1.0000001", "9223372036854775808", "-9223372036854775809",
                                           "١٢٣"));

TEST(DecimalOrder, ComparesByValueWhateverTheScale) {
    const auto d = [](const char* t) { return *Decimal::parse(QString::fromUtf8(t)); };
    EXPECT_EQ(d("1.5"), d("1.50"));
    EXPECT_EQ(Decimal(150, 2), Decimal(15, 1));
    EXPECT_LT(d("1.49"), d("1.5"));
    EXPECT_LT(d("-2"), d("-1.999999"));
    EXPECT_FALSE(d("3") < d("3.000"));
    // Extremes at different scales compare without overflow.
    EXPECT_LT(Decimal(INT64_MIN, 0), Decimal(INT64_MIN, 6));
    EXPECT_LT(Decimal(INT64_MAX, 6), Decimal(INT64_MAX, 0));
}

TEST(DecimalScale, UnitsAtAnotherScaleAreExactOrNothing) {
    const Decimal amount(12345, 2);  // 123.45
    EXPECT_EQ(amount.unitsAt(2), 12345);
    EXPECT_EQ(amount.unitsAt(4), 1234500);
    EXPECT_EQ(Decimal(1200, 2).unitsAt(0), 12);
    EXPECT_FALSE(amount.unitsAt(1).has_value());  // a digit would be lost
    EXPECT_FALSE(Decimal(INT64_MAX, 0).unitsAt(1).has_value());
    EXPECT_FALSE(amount.unitsAt(-1).has_value());
    EXPECT_FALSE(amount.unitsAt(Decimal::MaxScale + 1).has_value());
}

TEST(DecimalScale, ConstructorRefusesScalesAnAmountCannotHave) {
    EXPECT_THROW(Decimal(1, -1), accpac::AccpacError);
    EXPECT_THROW(Decimal(1, Decimal::MaxScale + 1), accpac::AccpacError);
}

}  // namespace
