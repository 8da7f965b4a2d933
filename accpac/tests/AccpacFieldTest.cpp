// Fields: reading values from text, putting values (converted to the field's
// type, the maximum-key text anywhere, a failed put changing nothing), and
// the collections around them (fields by name, the session's errors, a coded
// field's presentation list).
#include <gtest/gtest.h>

#include "ExpectError.h"
#include "FilterFields.h"
#include "accpac/AccpacError.h"
#include "accpac/AccpacErrors.h"
#include "accpac/AccpacFields.h"

using namespace accpac;

namespace {

using accpac::fixtures::expectError;
using accpac::fixtures::fieldDef;
const FieldDef kText = fieldDef("IDCUST", FieldType::String);
const FieldDef kInt16 = fieldDef("STATUS", FieldType::Int16);
const FieldDef kInt32 = fieldDef("CNTPAYM", FieldType::Int32);
const FieldDef kBool = fieldDef("SWPAID", FieldType::Boolean);
const FieldDef kAmount = fieldDef("AMTDUETC", FieldType::Decimal, 3);
const FieldDef kDate = fieldDef("DATEDUE", FieldType::Date);

// One text read into a field: the value it gives, or the error number.
struct FromText {
    const char* name;
    const FieldDef* def;
    const char* text;
    Variant value;
    long error;
    friend void PrintTo(const FromText& c, std::ostream* os) { *os << c.name; }
};

class ConvertText : public ::testing::TestWithParam<FromText> {};

TEST_P(ConvertText, GivesTheFieldsTypeOrFails) {
    const FromText& c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    if (c.error == 0) {
        EXPECT_EQ(convertText(*c.def, text), c.value);
        return;
    }
    // The message tells which field refused the text.
    EXPECT_TRUE(expectError(c.error, [&] { convertText(*c.def, text); }).contains(c.def->name));
}

INSTANTIATE_TEST_SUITE_P(
    EveryType, ConvertText,
    ::testing::Values(FromText{"TextKeptWithBlanks", &kText, " 1200 ", Variant(" 1200 "), 0},
                      FromText{"TextEmpty", &kText, "", Variant(""), 0},
                      FromText{"Int16", &kInt16, "1", Variant::int16(1), 0},
                      FromText{"Int16Blanks", &kInt16, " -5 ", Variant::int16(-5), 0},
                      FromText{"Int16EmptyIsZero", &kInt16, "", Variant::int16(0), 0},
                      FromText{"Int16WholeWithZeros", &kInt16, "3.00", Variant::int16(3), 0},
                      FromText{"Int16Fraction", &kInt16, "1.5", Variant(), errnum::TypeMismatch},
                      FromText{"Int16Word", &kInt16, "one", Variant(), errnum::TypeMismatch},
                      FromText{"Int16Overflow", &kInt16, "32768", Variant(), errnum::Overflow},
                      FromText{"Int32", &kInt32, "-2147483648", Variant::int32(INT32_MIN), 0},
                      FromText{"Int32Overflow", &kInt32, "2147483648", Variant(), errnum::Overflow},
                      FromText{"BoolZero", &kBool, "0", Variant::boolean(false), 0},
                      FromText{"BoolOne", &kBool, "1", Variant::boolean(true), 0},
                      FromText{"BoolWord", &kBool, "True", Variant::boolean(true), 0},
                      FromText{"BoolEmpty", &kBool, "", Variant::boolean(false), 0},
                      FromText{"BoolOther", &kBool, "maybe", Variant(), errnum::TypeMismatch},
                      FromText{"AmountAsShown", &kAmount, "1234.5", Variant::decimal(Decimal(1234500, 3)), 0},
                      FromText{"AmountEmptyIsZero", &kAmount, "", Variant::decimal(Decimal(0, 3)), 0},
                      FromText{"AmountZerosBeyondScale", &kAmount, "1.25000", Variant::decimal(Decimal(1250, 3)), 0},
                      FromText{"AmountTooPrecise", &kAmount, "1.2345", Variant(), errnum::TypeMismatch},
                      FromText{"AmountWithComma", &kAmount, "1,234.50", Variant(), errnum::TypeMismatch},
                      FromText{"DateIso", &kDate, "2026-12-05", Variant::date(QDate(2026, 12, 5)), 0},
                      FromText{"DateEmptyIsNoDate", &kDate, "", Variant(), 0},
                      FromText{"DateOtherOrder", &kDate, "05/12/2026", Variant(), errnum::TypeMismatch},
                      FromText{"DateNotADay", &kDate, "2026-02-30", Variant(), errnum::TypeMismatch},
                      FromText{"DateShortMonth", &kDate, "2026-1-05", Variant(), errnum::TypeMismatch},
                      FromText{"DateDigitsOnly", &kDate, "20261205", Variant(), errnum::TypeMismatch}),
    [](const auto& info) { return std::string(info.param.name); });

// Every value a field can hold shows as a text that reads back to it, so a
// key text taken from the grid positions a browse on the same record.
TEST(ConvertText, KeyTextsRoundTrip) {
    const std::pair<const FieldDef*, Variant> values[] = {
        {&kText, Variant("AB 12")},
        {&kInt16, Variant::int16(-32768)},
        {&kInt32, Variant::int32(123456)},
        {&kBool, Variant::boolean(true)},
        {&kAmount, Variant::decimal(Decimal(-100, 3))},
        {&kAmount, Variant::decimal(Decimal(INT64_MAX, 3))},
        {&kDate, Variant::date(QDate(2026, 12, 5))},
        {&kDate, Variant()},
    };
    for (const auto& [def, value] : values)
        EXPECT_EQ(convertText(*def, value.toText()), value)
            << def->name.toStdString() << " " << value.toText().toStdString();
}

TEST(FieldPut, ConvertsToTheFieldsType) {
    AccpacField amount(kAmount);
    amount.setValue(Variant::int16(12));
    EXPECT_EQ(amount.Value(), Variant::decimal(Decimal(12000, 3)));
    amount.setValue(Variant::real(0.125));
    EXPECT_EQ(amount.Value(), Variant::decimal(Decimal(125, 3)));
    AccpacField status(kInt16);
    status.setValue(Variant::boolean(true));
    EXPECT_EQ(status.Value(), Variant::int16(-1));
    AccpacField customer(kText);
    customer.setValue(Variant::int32(1200));
    EXPECT_EQ(customer.Value(), Variant("1200"));
    EXPECT_TRUE(customer.isPut());
    EXPECT_FALSE(customer.isPutMax());
}

// A put that fails leaves the field's value and its put state as they were.
TEST(FieldPut, FailedPutLeavesTheField) {
    struct Bad {
        const FieldDef* def;
        Variant good;
        Variant bad;
        long error;
    };
    const Bad cases[] = {
        {&kInt16, Variant("7"), Variant("seven"), errnum::TypeMismatch},
        {&kInt16, Variant("7"), Variant::int32(70000), errnum::Overflow},
        {&kDate, Variant("2026-12-05"), Variant("tomorrow"), errnum::TypeMismatch},
        {&kDate, Variant("2026-12-05"), Variant::int16(3), errnum::TypeMismatch},
        {&kAmount, Variant("1.5"), Variant("1.5.5"), errnum::TypeMismatch},
        {&kAmount, Variant("1.5"), Variant::date(QDate(2026, 1, 1)), errnum::TypeMismatch},
        {&kBool, Variant("1"), Variant("perhaps"), errnum::TypeMismatch},
        {&kText, Variant("A"), Variant::null(), errnum::InvalidUseOfNull},
    };
    for (const Bad& c : cases) {
        AccpacField field(*c.def);
        field.setValue(c.good);
        const Variant before = field.Value();
        expectError(c.error, [&] { field.setValue(c.bad); });
        EXPECT_EQ(field.Value(), before) << c.def->name.toStdString();
        EXPECT_TRUE(field.isPut());
    }
}

// The maximum-key text is taken by a field of any type and remembered, so a
// descending browse can start from the top of the key range.
TEST(FieldPut, MaxKeyTextIsTakenByEveryField) {
    for (const FieldDef* def : {&kText, &kInt16, &kInt32, &kBool, &kAmount, &kDate}) {
        AccpacField field(*def);
        field.setValue(Variant(MaxKeyText));
        EXPECT_TRUE(field.isPut());
        EXPECT_TRUE(field.isPutMax()) << def->name.toStdString();
        if (def->type == FieldType::String) {
            EXPECT_EQ(field.Value(), Variant(MaxKeyText));
        }
        field.setValue(Variant(def->type == FieldType::Date ? "2026-01-01" : "1"));
        EXPECT_FALSE(field.isPutMax()) << "a later put forgets the maximum";
        field.clear();
        EXPECT_FALSE(field.isPut());
        EXPECT_EQ(field.Value(), convertText(*def, QString()));
    }
    AccpacField date(kDate);
    EXPECT_THROW(date.setValue(Variant("zzzzzzzzzzzz")), AccpacError);  // only the exact text
}

TEST(Fields, FoundByNameOrPosition) {
    AccpacFields fields({kText, kInt16, kDate});
    EXPECT_EQ(fields.Count(), 3);
    EXPECT_EQ(fields.Item("STATUS").Name(), "STATUS");
    EXPECT_EQ(fields.Item(2).Name(), "DATEDUE");
    EXPECT_EQ(fields.find("status"), nullptr);  // names are exact
    fields.Item("IDCUST").setValue(Variant("1200"));
    fields.clearAll();
    EXPECT_FALSE(fields.Item("IDCUST").isPut());
    EXPECT_EQ(fields.Item("IDCUST").Value(), Variant(""));
    EXPECT_TRUE(expectError(errnum::AccpacFailure, [&] { fields.Item("IDCUSTX"); }).contains("IDCUSTX"));
    for (int bad : {-1, 3}) expectError(errnum::SubscriptOutOfRange, [&] { fields.Item(bad); });
}

TEST(Errors, ItemsReadByPropertyName) {
    AccpacErrors errors;
    errors.Put(ErrorPriority::Message, "first");
    errors.Put(ErrorPriority::Warning, "second");
    errors.Put(ErrorPriority::Error, "third");
    errors.Put(ErrorPriority::SevereError, "fourth");
    const char* priorities[] = {"Message", "Warning", "Error", "Severe Error"};
    int i = 0;
    for (const AccpacErrorItem& item : errors) {
        EXPECT_EQ(item.property("Priority"), Variant(priorities[i]));
        EXPECT_EQ(item.property("description"), errors.Item(i).property("Description"));
        ++i;
    }
    EXPECT_EQ(i, 4);
    EXPECT_EQ(errors.Item(3).property("Description"), Variant("fourth"));
    expectError(errnum::NoSuchProperty, [&] { errors.Item(0).property("Source"); });
    expectError(errnum::SubscriptOutOfRange, [&] { errors.Item(4); });
    errors.Clear();
    EXPECT_EQ(errors.Count(), 0);
}

TEST(PresentationList, EntriesByPositionOnly) {
    const AccpacPresentationList list({{0, "No"}, {1, "Yes"}});
    EXPECT_EQ(list.Item(1).Text, "Yes");
    for (int bad : {-1, 2}) expectError(errnum::SubscriptOutOfRange, [&] { list.Item(bad); });
}

}  // namespace
