// The filter language: every filter the lookups build reads into the
// expected condition (shown through toSql's text and bound values), AND binds
// tighter than OR, and filters that cannot be read are refused with a
// message that quotes the filter and the offending text.
#include <gtest/gtest.h>

#include <QStringList>

#include "FilterFields.h"

using namespace accpac;
using namespace accpac::filter;

namespace {

// The bound values as "Type:text|Type:text", in placeholder order.
QString shownParams(const SqlWhere& where) {
    QStringList shown;
    for (const auto& p : where.params) shown << p.value.typeName() + u':' + p.value.toText();
    return shown.join(u'|');
}

SqlWhere compiled(const QString& filter, int firstParam = 1) {
    const auto tree = parse(filter, fixtures::filterLookup());
    return toSql(tree.get(), firstParam);
}

struct Readable {
    const char* name;
    const char* filter;
    const char* sql;
    const char* params;
    friend void PrintTo(const Readable& c, std::ostream* os) { *os << c.name; }
};

class FilterReads : public ::testing::TestWithParam<Readable> {};

TEST_P(FilterReads, ToTheExpectedCondition) {
    const Readable& c = GetParam();
    const SqlWhere where = compiled(QString::fromUtf8(c.filter));
    EXPECT_EQ(where.sql, QString::fromUtf8(c.sql));
    EXPECT_EQ(shownParams(where), QString::fromUtf8(c.params));
}

INSTANTIATE_TEST_SUITE_P(
    FixedFilters, FilterReads,
    ::testing::Values(
        Readable{"NoBlanks", "STATUS=1", R"("STATUS" = ?1)", "Integer:1"},
        Readable{"BlanksAroundEquals", "STATUS = 1", R"("STATUS" = ?1)", "Integer:1"},
        Readable{"Inactive", "INACTIVE=0", R"("INACTIVE" = ?1)", "Integer:0"},
        Readable{"TaxType", "TTYPE=1", R"("TTYPE" = ?1)", "Integer:1"},
        Readable{"Customer", "IDCUST=1200 AND SWPAID=0", R"(("IDCUST" = ?1 AND "SWPAID" = ?2))",
                 "String:1200|Boolean:False"},
        Readable{"EmptyCustomer", "IDCUST= AND SWPAID=0", R"(("IDCUST" = ?1 AND "SWPAID" = ?2))",
                 "String:|Boolean:False"},
        Readable{"TaxClass", "AUTHORITY = GST AND CLASSTYPE = 1 AND CLASSAXIS = 1",
                 R"(("AUTHORITY" = ?1 AND "CLASSTYPE" = ?2 AND "CLASSAXIS" = ?3))", "String:GST|Integer:1|Integer:1"},
        Readable{"AuthorityWithBlanks", "AUTHORITY = US CA  AND CLASSTYPE = 1",
                 R"(("AUTHORITY" = ?1 AND "CLASSTYPE" = ?2))", "String:US CA|Integer:1"},
        Readable{"Segment", R"(IDSEG = "000001")", R"("IDSEG" = ?1)", "String:000001"},
        Readable{"Seed", "EMPLOYEE LIKE JO%", R"(trovex_like("EMPLOYEE", ?1))", "String:JO%"},
        Readable{"SeedWithLeadingBlank", "EMPLOYEE LIKE  JO%", R"(trovex_like("EMPLOYEE", ?1))", "String:JO%"},
        Readable{"SeedWithInnerBlank", "EMPLOYEE LIKE MARY ANN%", R"(trovex_like("EMPLOYEE", ?1))", "String:MARY ANN%"},
        Readable{"FixedAndSeed", "STATUS=1 AND EMPLOYEE LIKE JO%", R"(("STATUS" = ?1 AND trovex_like("EMPLOYEE", ?2)))",
                 "Integer:1|String:JO%"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    KeyConditions, FilterReads,
    ::testing::Values(Readable{"QuotedDigits", R"(IDCUST > "1200")", R"("IDCUST" > ?1)", "String:1200"},
                      Readable{"AfterFixedFilter", R"(STATUS=1 AND IDCUST > "1200")",
                               R"(("STATUS" = ?1 AND "IDCUST" > ?2))", "Integer:1|String:1200"},
                      Readable{"StartWithLeadingBlank", R"( IDCUST >= "AB" AND (STATUS=1))",
                               R"(("IDCUST" >= ?1 AND "STATUS" = ?2))", "String:AB|Integer:1"},
                      Readable{"BackFill", R"(IDINVC < "IN0005" AND (IDCUST=1200 AND SWPAID=0))",
                               R"(("IDINVC" < ?1 AND "IDCUST" = ?2 AND "SWPAID" = ?3))",
                               "String:IN0005|String:1200|Boolean:False"},
                      Readable{"QuotedKeepsBlanks", R"(IDCUST <= " A B ")", R"("IDCUST" <= ?1)", "String: A B "},
                      Readable{"QuotedKeyword", R"(IDCUST = "X AND Y")", R"("IDCUST" = ?1)", "String:X AND Y"},
                      Readable{"QuotedBracket", R"~(IDCUST = "(A)")~", R"("IDCUST" = ?1)", "String:(A)"},
                      Readable{"Date", R"(DATEDUE > "2026-12-05")", R"("DATEDUE" > ?1)", "Date:2026-12-05"},
                      Readable{"Amount", R"(AMTPYMRMTC <= "1234.5")", R"("AMTPYMRMTC" <= ?1)", "Decimal:1234.5"},
                      Readable{"EmptyDateKey", R"(DATEDUE > "")", R"("DATEDUE" > ?1)", "Empty:"},
                      Readable{"EmptyAmountKey", R"(AMTPYMRMTC >= "")", R"("AMTPYMRMTC" >= ?1)", "Decimal:0"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Searches, FilterReads,
    ::testing::Values(
        Readable{"StartsWith", R"(ACCTDESC LIKE "rent%")", R"(trovex_like("ACCTDESC", ?1))", "String:rent%"},
        Readable{"Contains", R"(ACCTDESC LIKE "%rent%")", R"(trovex_like("ACCTDESC", ?1))", "String:%rent%"},
        Readable{"UsersOwnWildcards", R"(ACCTDESC LIKE "r_nt%50%%")", R"(trovex_like("ACCTDESC", ?1))",
                 "String:r_nt%50%%"},
        Readable{"QuoteCharactersAreData", R"(ACCTDESC LIKE "it's; DROP TABLE x --%")",
                 R"(trovex_like("ACCTDESC", ?1))", "String:it's; DROP TABLE x --%"},
        Readable{"UnderFixedFilter", R"(IDCUST=1200 AND SWPAID=0 AND IDINVC LIKE "IN%")",
                 R"(("IDCUST" = ?1 AND "SWPAID" = ?2 AND trovex_like("IDINVC", ?3)))",
                 "String:1200|Boolean:False|String:IN%"},
        Readable{"PagedSearch", R"(IDCUST=1200 AND SWPAID=0 AND IDINVC LIKE "IN%" AND IDINVC > "IN0007")",
                 R"(("IDCUST" = ?1 AND "SWPAID" = ?2 AND trovex_like("IDINVC", ?3) AND "IDINVC" > ?4))",
                 "String:1200|Boolean:False|String:IN%|String:IN0007"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Language, FilterReads,
    ::testing::Values(
        Readable{"AndBeforeOr", "STATUS=1 OR STATUS=2 AND SWPAID=0",
                 R"(("STATUS" = ?1 OR ("STATUS" = ?2 AND "SWPAID" = ?3)))", "Integer:1|Integer:2|Boolean:False"},
        Readable{"AndBeforeOrOnTheLeft", "STATUS=1 AND SWPAID=0 OR STATUS=2",
                 R"((("STATUS" = ?1 AND "SWPAID" = ?2) OR "STATUS" = ?3))", "Integer:1|Boolean:False|Integer:2"},
        Readable{"BracketsOverrule", "(STATUS=1 OR STATUS=2) AND SWPAID=0",
                 R"((("STATUS" = ?1 OR "STATUS" = ?2) AND "SWPAID" = ?3))", "Integer:1|Integer:2|Boolean:False"},
        Readable{
            "EveryOperator",
            R"(STATUS=1 AND STATUS<>2 AND STATUS!=3 AND STATUS<4 AND STATUS<=5 AND STATUS>6 AND STATUS>=7)",
            R"(("STATUS" = ?1 AND "STATUS" <> ?2 AND "STATUS" <> ?3 AND "STATUS" < ?4 AND "STATUS" <= ?5 AND "STATUS" > ?6 AND "STATUS" >= ?7))",
            "Integer:1|Integer:2|Integer:3|Integer:4|Integer:5|Integer:6|Integer:7"},
        Readable{"AnyLetterCase", R"(status=1 and idcust like "a%" Or Cntpaym>2)",
                 R"((("STATUS" = ?1 AND trovex_like("IDCUST", ?2)) OR "CNTPAYM" > ?3))", "Integer:1|String:a%|Long:2"},
        Readable{"KeywordAgainstBracket", "STATUS=1 AND(SWPAID=0)", R"(("STATUS" = ?1 AND "SWPAID" = ?2))",
                 "Integer:1|Boolean:False"},
        Readable{"WordStartingWithKeyword", "IDCUST = ANDERSON AND STATUS=1", R"(("IDCUST" = ?1 AND "STATUS" = ?2))",
                 "String:ANDERSON|Integer:1"},
        Readable{"BareValueWithOperatorSigns", "IDCUST = A=B<C", R"("IDCUST" = ?1)", "String:A=B<C"},
        Readable{"ManyBlanks", "   STATUS   =   1   AND   SWPAID   =   0   ", R"(("STATUS" = ?1 AND "SWPAID" = ?2))",
                 "Integer:1|Boolean:False"},
        Readable{"NestedBrackets", "((((STATUS=1))))", R"("STATUS" = ?1)", "Integer:1"},
        Readable{"BlanksOnly", "    ", "", ""}, Readable{"Nothing", "", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FilterSql, PlaceholdersStartWhereTheCallerSays) {
    const SqlWhere where = compiled("IDCUST=1200 AND SWPAID=0", 5);
    EXPECT_EQ(where.sql, R"(("IDCUST" = ?5 AND "SWPAID" = ?6))");
    ASSERT_EQ(where.params.size(), 2u);
    EXPECT_EQ(where.params[0].field->name, "IDCUST");
    EXPECT_EQ(where.params[1].field->name, "SWPAID");
}

struct Unreadable {
    const char* name;
    const char* filter;
    const char* reason;  // part of the message that names what is wrong
    friend void PrintTo(const Unreadable& c, std::ostream* os) { *os << c.name; }
};

class FilterRefused : public ::testing::TestWithParam<Unreadable> {};

TEST_P(FilterRefused, WithAMessageQuotingTheFilter) {
    const Unreadable& c = GetParam();
    const QString filter = QString::fromUtf8(c.filter);
    try {
        parse(filter, fixtures::filterLookup());
        FAIL() << "read without error";
    } catch (const FilterError& e) {
        EXPECT_EQ(e.number(), errnum::AccpacFailure);
        EXPECT_TRUE(e.description().startsWith(QStringLiteral("Cannot read the filter \"%1\": ").arg(filter)))
            << e.description().toStdString();
        EXPECT_TRUE(e.description().contains(QString::fromUtf8(c.reason))) << e.description().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    BadFilters, FilterRefused,
    ::testing::Values(
        Unreadable{"UnknownField", "IDCUSTOMER=1", R"(the view has no field "IDCUSTOMER")"},
        Unreadable{"UnknownFieldLater", "STATUS=1 AND COLOUR=RED", R"(no field "COLOUR")"},
        Unreadable{"NumberNotNumeric", "STATUS=active", R"(the value "active" does not convert)"},
        Unreadable{"NumberNamesField", "STATUS=active", "the field STATUS takes a whole number"},
        Unreadable{"NumberOverflow", "STATUS=99999", R"("99999" does not convert)"},
        Unreadable{"DateAsTyped", R"(DATEDUE > "12/05/2026")", R"(the value "12/05/2026" does not convert)"},
        Unreadable{"AmountTooPrecise", R"(AMTPYMRMTC <= "1.2345")", "the field AMTPYMRMTC takes an amount"},
        Unreadable{"BooleanWord", "SWPAID=perhaps", R"("perhaps" does not convert)"},
        Unreadable{"LikeOnNumber", "STATUS LIKE 1%", "the field STATUS does not hold text"},
        Unreadable{"LikeOnDate", R"(DATEDUE LIKE "2026%")", "the field DATEDUE does not hold text"},
        Unreadable{"UnclosedQuote", R"(IDCUST > "1200)", R"(the double quote before "1200" is not closed)"},
        Unreadable{"QuoteInsideBareValue", R"(IDCUST = 12"00)", R"(double quote stands inside the value "12"00")"},
        Unreadable{"TextAfterQuotedValue", R"(IDCUST = "A"B")", R"(after the value "A" at "B"")"},
        Unreadable{"UnclosedBracket", "(STATUS=1 AND SWPAID=0", R"~(the bracket opened at "(STATUS=1)~"},
        Unreadable{"ExtraClosingBracket", "STATUS=1)", R"~(a closing bracket has no opening one at ")")~"},
        Unreadable{"EmptyBrackets", "()", R"~(a field name was expected at ")")~"},
        Unreadable{"MissingOperator", "STATUS 1",
                   R"(an operator (=, <>, !=, <, <=, >, >= or LIKE) was expected after STATUS at "1")"},
        Unreadable{"UnknownOperator", "STATUS =< 1", R"(the value "< 1" does not convert)"},
        Unreadable{"LikeGluedToValue", "EMPLOYEE LIKEJO%", "an operator"},
        Unreadable{"FieldOnly", "STATUS", "was expected after STATUS at the end"},
        Unreadable{"DanglingAnd", "STATUS=1 AND", "a condition was expected at the end"},
        Unreadable{"DanglingOr", "STATUS=1 OR ", "a condition was expected at the end"},
        Unreadable{"LeadingAnd", "AND STATUS=1", R"(no field "AND")"},
        Unreadable{"NoFieldName", "=1", R"(a field name was expected at "=1")"},
        Unreadable{"TabIsNoBlank", "STATUS\t=1", "was expected after STATUS"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FilterLimits, BracketsNestAsDeepAsTheLimitAndNoDeeper) {
    const auto nested = [](int depth) { return QString(depth, u'(') + "STATUS=1" + QString(depth, u')'); };
    EXPECT_EQ(compiled(nested(MaxNesting)).sql, R"("STATUS" = ?1)");
    try {
        compiled(nested(MaxNesting + 1));
        FAIL();
    } catch (const FilterError& e) {
        EXPECT_TRUE(e.description().contains("brackets are nested deeper than 64 levels"));
    }
    // A megabyte of brackets is refused at the limit, not read to the end.
    EXPECT_THROW(compiled(QString(1 << 20, u'(')), FilterError);
}

TEST(FilterLimits, ConditionsAreCounted) {
    QStringList conditions;
    for (int i = 0; i < MaxConditions; ++i) conditions << QStringLiteral("STATUS=%1").arg(i);
    EXPECT_EQ(compiled(conditions.join(" OR ")).params.size(), std::size_t(MaxConditions));
    conditions << "STATUS=0";
    try {
        compiled(conditions.join(" OR "));
        FAIL();
    } catch (const FilterError& e) {
        EXPECT_TRUE(e.description().contains("more than 256 conditions"));
        // A long filter is cut in the message rather than shown whole.
        EXPECT_LT(e.description().size(), 400);
    }
}

TEST(FilterLookup, NamesInOtherCaseAreTriedInCapitals) {
    int calls = 0;
    const FieldDef status = fixtures::fieldDef("STATUS", FieldType::Int16);
    const FieldLookup lookup = [&](const QString& name) -> const FieldDef* {
        ++calls;
        return name == "STATUS" ? &status : nullptr;
    };
    EXPECT_NE(parse("Status=1", lookup), nullptr);
    EXPECT_EQ(calls, 2);
    EXPECT_THROW(parse("STATUS=1", FieldLookup()), FilterError);  // no view: every field is unknown
}

}  // namespace
