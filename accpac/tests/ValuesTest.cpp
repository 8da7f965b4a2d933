// Values of the accounting system: exact amounts whose grid text parses
// back to an equal amount; the Variant's default text for each type and its
// integer and truth conversions with their overflow (6), type mismatch (13)
// and Null (94) errors; fields reading values from text, putting values
// (converted to the field's type, the top of the key range anywhere, a failed
// put changing nothing); the collections around them, and the code a coded
// field's value is listed under.
#include <gtest/gtest.h>

#include "Fixtures.h"
#include "accpac/AccpacErrors.h"
#include "accpac/AccpacFields.h"

using namespace accpac;
using namespace accpac::errnum;
using accpac::fixtures::expectError;
using accpac::fixtures::fieldDef;

namespace {

// Each text with the text the grid shows for it again, and its units at its scale.
TEST(Decimal, ParsesToUnitsAndPrintsTextThatReadsBack) {
    // clang-format off
    const struct { const char* text; const char* shown; std::int64_t units; int scale; } cases[] = {
        {"1234", "1234", 1234, 0}, {"1234.5", "1234.5", 12345, 1}, {"12.50", "12.5", 1250, 2}, {"7.000", "7", 7000, 3},
        {"-0.05", "-0.05", -5, 2}, {".5", "0.5", 5, 1}, {"5.", "5", 5, 0}, {"+3", "3", 3, 0}, {"-0", "0", 0, 0},
        {"007.25", "7.25", 725, 2}, {"1.50000000", "1.5", 1500000, 6},
        {"9223372036854775807", "9223372036854775807", INT64_MAX, 0},
        {"-9223372036854.775808", "-9223372036854.775808", INT64_MIN, 6}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto d = Decimal::parse(QString::fromUtf8(c.text));
        ASSERT_TRUE(d.has_value());
        EXPECT_EQ(d->units(), c.units);
        EXPECT_EQ(d->scale(), c.scale);
        EXPECT_EQ(d->toString(), QString::fromUtf8(c.shown));
        EXPECT_EQ(Decimal::parse(d->toString()), d);  // key texts from the grid stay usable
    }
    for (const char* bad : {"", "-", "+", ".", "-.", "abc", "1,5", "1.2.3", "1e3", " 1", "1 ", "--1", "1-", "0x10",
                            "1.0000001", "9223372036854775808", "-9223372036854775809", "١٢٣"})
        EXPECT_FALSE(Decimal::parse(QString::fromUtf8(bad)).has_value()) << bad;
}

TEST(Decimal, ComparesByValueAndChangesScaleOnlyExactly) {
    const auto d = [](const char* t) { return *Decimal::parse(QString::fromUtf8(t)); };
    EXPECT_EQ(d("1.5"), d("1.50"));
    EXPECT_LT(d("1.49"), d("1.5"));
    EXPECT_LT(d("-2"), d("-1.999999"));
    EXPECT_LT(Decimal(INT64_MIN, 0), Decimal(INT64_MIN, 6));  // extremes compare without overflow
    EXPECT_LT(Decimal(INT64_MAX, 6), Decimal(INT64_MAX, 0));
    const Decimal amount(12345, 2);
    EXPECT_EQ(amount.unitsAt(4), 1234500);
    EXPECT_EQ(Decimal(1200, 2).unitsAt(0), 12);
    EXPECT_FALSE(amount.unitsAt(1).has_value());  // a digit would be lost
    EXPECT_FALSE(Decimal(INT64_MAX, 0).unitsAt(1).has_value());
    EXPECT_FALSE(amount.unitsAt(Decimal::MaxScale + 1).has_value());
    EXPECT_THROW(Decimal(1, Decimal::MaxScale + 1), AccpacError);
}

// Each value with its type name and default text ("Type:text"), and its 16-bit
// integer or the error number (0 for none).
TEST(Variant, TextAndIntegerConversions) {
    // clang-format off
    const struct { Variant value; const char* shown; std::int16_t result; long error; } cases[] = {
        {Variant(), "Empty:", 0, 0}, {Variant::boolean(true), "Boolean:True", -1, 0},
        {Variant::boolean(false), "Boolean:False", 0, 0}, {Variant::int16(-32768), "Integer:-32768", -32768, 0},
        {Variant::int32(32767), "Long:32767", 32767, 0}, {Variant::int32(32768), "Long:32768", 0, Overflow},
        {Variant::int32(-32769), "Long:-32769", 0, Overflow}, {Variant::real(2.5), "Double:2.5", 2, 0},  // half to even
        {Variant::real(3.5), "Double:3.5", 4, 0}, {Variant::real(-2.5), "Double:-2.5", -2, 0},
        {Variant::real(32767.6), "Double:32767.6", 0, Overflow}, {Variant::real(0.1 + 0.2), "Double:0.3", 0, 0},
        {Variant::real(1e20), "Double:1E+20", 0, Overflow}, {Variant::decimal(Decimal(65, 1)), "Decimal:6.5", 6, 0},
        {Variant::decimal(Decimal(-751, 2)), "Decimal:-7.51", -8, 0},
        {Variant::decimal(Decimal(3276750, 2)), "Decimal:32767.5", 0, Overflow},
        {Variant::decimal(Decimal(-3276849, 2)), "Decimal:-32768.49", -32768, 0},
        {Variant("76"), "String:76", 76, 0}, {Variant("  -12 "), "String:  -12 ", -12, 0},
        {Variant("1.5"), "String:1.5", 2, 0}, {Variant("1E3"), "String:1E3", 1000, 0},
        {Variant("40000"), "String:40000", 0, Overflow},
        {Variant("99999999999999999999"), "String:99999999999999999999", 0, Overflow},
        {Variant("abc"), "String:abc", 0, TypeMismatch}, {Variant(""), "String:", 0, TypeMismatch},
        {Variant("inf"), "String:inf", 0, TypeMismatch}, {Variant("\t5"), "String:\t5", 0, TypeMismatch},
        {Variant::date(QDate(987, 1, 2)), "Date:0987-01-02", 0, TypeMismatch}, {Variant::date(QDate()), "Empty:", 0, 0},
        {Variant::null(), "Null:", 0, InvalidUseOfNull}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        if (c.value.isNull()) expectError(InvalidUseOfNull, [&] { c.value.toText(); });
        EXPECT_EQ(c.value.typeName() + ':' + (c.value.isNull() ? "" : c.value.toText()), QString::fromUtf8(c.shown));
        if (c.error == 0)
            EXPECT_EQ(c.value.toInt16(), c.result);
        else
            expectError(c.error, [&] { c.value.toInt16(); });
    }
    EXPECT_EQ(Variant("2147483647").toInt32(), 2147483647);
    EXPECT_EQ(Variant::decimal(Decimal(-21474836484, 1)).toInt32(), INT32_MIN);
    expectError(Overflow, [] { Variant("2147483648").toInt32(); });
}

TEST(Variant, ToBoolFollowsTheSystemsTruth) {
    for (const Variant& v : {Variant::int16(2), Variant("tRuE"), Variant("-1")}) EXPECT_TRUE(v.toBool());
    for (const Variant& v : {Variant(), Variant::decimal(Decimal(0, 2)), Variant(" False "), Variant("0.0")})
        EXPECT_FALSE(v.toBool()) << v.toText().toStdString();
    expectError(TypeMismatch, [] { Variant("yes").toBool(); });
    expectError(TypeMismatch, [] { Variant::date(QDate(2026, 1, 1)).toBool(); });
    expectError(InvalidUseOfNull, [] { Variant::null().toBool(); });
}

const FieldDef kText = fieldDef("IDCUST", FieldType::String);
const FieldDef kInt16 = fieldDef("STATUS", FieldType::Int16);
const FieldDef kInt32 = fieldDef("CNTPAYM", FieldType::Int32);
const FieldDef kBool = fieldDef("SWPAID", FieldType::Boolean);
const FieldDef kAmount = fieldDef("AMTDUETC", FieldType::Decimal, 3);
const FieldDef kDate = fieldDef("DATEDUE", FieldType::Date);

// Each text read into a field: the value, or the error number (0 for none).
TEST(ConvertText, GivesTheFieldsTypeOrFailsNamingTheField) {
    // clang-format off
    const struct { const FieldDef& def; const char* text; Variant value; long error; } cases[] = {
        {kText, " 1200 ", Variant(" 1200 "), 0}, {kText, "", Variant(""), 0}, {kInt16, " -5 ", Variant::int16(-5), 0},
        {kInt16, "", Variant::int16(0), 0}, {kInt16, "3.00", Variant::int16(3), 0}, {kInt16, "1.5", {}, TypeMismatch},
        {kInt16, "one", {}, TypeMismatch}, {kInt16, "32768", {}, Overflow},
        {kInt32, "-2147483648", Variant::int32(INT32_MIN), 0}, {kInt32, "2147483648", {}, Overflow},
        {kBool, "0", Variant::boolean(false), 0}, {kBool, "1", Variant::boolean(true), 0},
        {kBool, "True", Variant::boolean(true), 0}, {kBool, "", Variant::boolean(false), 0},
        {kBool, "maybe", {}, TypeMismatch}, {kAmount, "1234.5", Variant::decimal(Decimal(1234500, 3)), 0},
        {kAmount, "", Variant::decimal(Decimal(0, 3)), 0}, {kAmount, "1.25000", Variant::decimal(Decimal(1250, 3)), 0},
        {kAmount, "1.2345", {}, TypeMismatch}, {kAmount, "1,234.50", {}, TypeMismatch},
        {kDate, "2026-12-05", Variant::date(QDate(2026, 12, 5)), 0}, {kDate, "", Variant(), 0},
        {kDate, "05/12/2026", {}, TypeMismatch}, {kDate, "2026-02-30", {}, TypeMismatch},
        {kDate, "2026-1-05", {}, TypeMismatch}, {kDate, "20261205", {}, TypeMismatch}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.def.name.toStdString() + " <- \"" + c.text + '"');
        if (c.error == 0)
            EXPECT_EQ(convertText(c.def, c.text), c.value);
        else
            EXPECT_TRUE(expectError(c.error, [&] { convertText(c.def, c.text); }).contains(c.def.name));
    }
    // Every value a field can hold shows as a text that reads back to it, so a
    // key text taken from the grid positions a browse on the same record.
    // clang-format off
    for (const auto& [def, value] : std::initializer_list<std::pair<const FieldDef&, Variant>>{
             {kText, Variant("AB 12")}, {kInt16, Variant::int16(-32768)}, {kInt32, Variant::int32(123456)},
             {kBool, Variant::boolean(true)}, {kAmount, Variant::decimal(Decimal(-100, 3))},
             {kAmount, Variant::decimal(Decimal(INT64_MAX, 3))}, {kDate, Variant::date(QDate(2026, 12, 5))},
             {kDate, Variant()}})
        // clang-format on
        EXPECT_EQ(convertText(def, value.toText()), value) << value.toText().toStdString();
}

TEST(FieldPut, ConvertsToTheFieldsTypeAndAFailedPutLeavesTheField) {
    for (const auto& [def, put, held] : std::initializer_list<std::tuple<const FieldDef&, Variant, Variant>>{
             {kAmount, Variant::real(0.125), Variant::decimal(Decimal(125, 3))},
             {kInt16, Variant::boolean(true), Variant::int16(-1)},
             {kText, Variant::int32(1200), Variant("1200")},
             {kText, Variant(MaxKeyText), Variant(MaxKeyText)}}) {  // a key like any other, not the top
        AccpacField field(def);
        field.setValue(put);
        EXPECT_EQ(field.Value(), held);
        EXPECT_TRUE(field.isPut() && !field.isPutMax());
    }
    // clang-format off
    const struct { const FieldDef& def; Variant good, bad; long error; } cases[] = {
        {kInt16, "7", "seven", TypeMismatch}, {kInt16, "7", Variant::int32(70000), Overflow},
        {kDate, "2026-12-05", "tomorrow", TypeMismatch}, {kDate, "2026-12-05", Variant::int16(3), TypeMismatch},
        {kAmount, "1.5", "1.5.5", TypeMismatch}, {kAmount, "1.5", Variant::date(QDate(2026, 1, 1)), TypeMismatch},
        {kBool, "1", "perhaps", TypeMismatch}, {kText, "A", Variant::null(), InvalidUseOfNull},
        {kInt32, "1", Variant(MaxKeyText), TypeMismatch}};
    // clang-format on
    for (const auto& c : cases) {
        AccpacField field(c.def);
        field.setValue(c.good);
        const Variant before = field.Value();
        expectError(c.error, [&] { field.setValue(c.bad); });
        EXPECT_EQ(field.Value(), before) << c.def.name.toStdString();
        EXPECT_TRUE(field.isPut());
    }
}

// The top of the key range is taken by a field of any type and remembered,
// so a descending browse can start from it.
TEST(FieldPut, TheTopOfTheKeyRangeIsTakenByEveryField) {
    for (const FieldDef* def : {&kText, &kInt16, &kInt32, &kBool, &kAmount, &kDate}) {
        SCOPED_TRACE(def->name.toStdString());
        AccpacField field(*def);
        field.setMaxKey();
        EXPECT_TRUE(field.isPut() && field.isPutMax());
        EXPECT_EQ(field.Value(), def->type == FieldType::String ? Variant(MaxKeyText) : convertText(*def, ""));
        field.setValue(Variant(def->type == FieldType::Date ? "2026-01-01" : "1"));
        EXPECT_FALSE(field.isPutMax()) << "a later put forgets the maximum";
        field.clear();
        EXPECT_FALSE(field.isPut());
        EXPECT_EQ(field.Value(), convertText(*def, QString()));
    }
}

// Fields by name and position, the session's errors read by property name,
// a coded field's entries by position; any other index is error 9. A coded
// value is listed under its number, or a text under its first character's
// code, "?" for a character outside the code page; empty text is error 5.
TEST(Collections, FieldsErrorsAndPresentationLists) {
    AccpacFields fields({kText, kInt16, kDate});
    EXPECT_EQ(fields.Item("STATUS").Name() + fields.Item(2).Name(), "STATUSDATEDUE");
    EXPECT_EQ(fields.find("status"), nullptr);  // names are exact
    fields.Item("IDCUST").setValue("1200");
    fields.clearAll();
    EXPECT_FALSE(fields.Item("IDCUST").isPut());
    AccpacErrors errors;
    for (int p = 0; p < 4; ++p) errors.Put(ErrorPriority(p), QString::number(p));
    QStringList read;
    for (const AccpacErrorItem& item : errors)
        read << item.property("Priority").toText() + ':' + item.property("description").toText();
    EXPECT_EQ(read.join(u','), "Message:0,Warning:1,Error:2,Severe Error:3");
    expectError(NoSuchProperty, [&] { errors.Item(0).property("Source"); });
    const AccpacPresentationList list({{0, "No"}, {1, "Yes"}});
    EXPECT_EQ(list.Item(1).Text, "Yes");
    for (int bad : {-1, 3}) expectError(SubscriptOutOfRange, [&] { fields.Item(bad); });
    expectError(SubscriptOutOfRange, [&] { errors.Item(4); });
    for (int bad : {-1, 2}) expectError(SubscriptOutOfRange, [&] { list.Item(bad); });
    // clang-format off
    const std::pair<Variant, int> codes[] = {
        {"B", 'B'}, {"Income", 'I'}, {"\u00e9t\u00e9", 0xE9}, {"\u0142\u0105ka", '?'}, {"\u0416", '?'},
        {Variant::int16(7), 7}, {Variant::boolean(true), -1}};
    // clang-format on
    for (const auto& [stored, code] : codes) EXPECT_EQ(presentationCode(stored), code) << stored.toText().toStdString();
    expectError(InvalidProcedureCall, [] { presentationCode(Variant("")); });
}

}  // namespace
