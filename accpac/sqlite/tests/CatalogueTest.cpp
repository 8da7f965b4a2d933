// The catalogue against what the lookups need of it: every column a lookup
// shows exists with a header text, each key leads with the column its lookup
// pages by and is unique, and every coded field of the demo company shows a
// text for every code it stores, in each of the three kinds of coding.
#include <gtest/gtest.h>

#include "accpac/SqliteCompany.h"
#include "accpac/sqlite/Catalogue.h"
#include "accpac/sqlite/tests/SharedCompany.h"

namespace {

using namespace accpac;

struct LookupColumns {
    const char* view;
    QStringList fields;
};

// The columns and filter fields of every lookup, per view.
const LookupColumns Lookups[]{
    {"AR0036",
     {"IDINVC", "IDRMIT", "IDORDERNBR", "IDCUSTPO", "DATEDUE", "TRXTYPEID", "TRXTYPETXT", "DATEINVC", "DATEDISC",
      "AMTDUETC", "AMTDISCTC", "SWPAID", "IDPREPAID", "IDCUST"}},
    {"AR0037",
     {"IDINVC", "CNTPAYM", "DATEDUE", "DATEDISC", "AMTDUETC", "AMTDSCRMTC", "AMTPYMRMTC", "TXTTRXTYPE", "DATEINVC",
      "IDRMIT", "IDCUSTPO", "IDORDRNBR", "IDCUST", "SWPAID"}},
    {"CP0014",
     {"EMPLOYEE", "FULLNAME", "LASTNAME", "FIRSTNAME", "ADDRESS1", "CITY", "POSITION", "HIREDATE", "PARTTIME",
      "PAYFREQ", "STATUS"}},
    {"GL0021", {"SEGVAL", "SEGVALDESC", "ACCTRETERN", "IDSEG"}},
    {"CP0007", {"EARNDED", "LONGDESC", "CATEGORY", "EARDEDTYPE", "INACTIVE"}},
    {"BK0420",
     {"BANK", "DEPOSIT", "REFERENCE", "COMMENT", "DEPDATE", "FSCYEAR", "FSCPERIOD", "PRINTED", "TOTDEPOSIT",
      "TOTTRANSIT", "TOTCLEARED", "STATUS"}},
    {"TX0001", {"CLASS", "DESC", "EXEMPT", "AUTHORITY", "CLASSTYPE", "CLASSAXIS"}},
    {"TX0003",
     {"GROUPID", "DESC", "SRCCURN", "AUTHORITY1", "AUTHORITY2", "AUTHORITY3", "AUTHORITY4", "AUTHORITY5", "CALCMETHOD",
      "LASTMAINT", "TTYPE"}},
    {"GL0001", {"ACCTFMTTD", "ACCTDESC", "ACTIVESW", "ACCTTYPE", "ABRKID", "ALLOCSW", "QTYSW", "UOM"}},
    {"AR0015", {"IDDIST", "TEXTDESC", "SWACTV", "IDACCTREV", "IDACCTINV", "IDACCTCOGS"}},
    {"IC0310", {"ITEMNO", "FMTITEMNO"}},
};

void PrintTo(const LookupColumns& c, std::ostream* os) { *os << c.view; }

class LookupFields : public ::testing::TestWithParam<LookupColumns> {};

TEST_P(LookupFields, EveryColumnExistsWithAHeader) {
    const sqlite::ViewDef* view = sqlite::findView(QLatin1String(GetParam().view));
    ASSERT_NE(view, nullptr);
    for (const QString& name : GetParam().fields) {
        const FieldDef* f = view->field(name);
        ASSERT_NE(f, nullptr) << name.toStdString();
        EXPECT_FALSE(f->description.trimmed().isEmpty()) << name.toStdString();
        EXPECT_LE(f->description.size(), 30) << name.toStdString() << ": a header, not a sentence";
    }
}

INSTANTIATE_TEST_SUITE_P(Lookups, LookupFields, ::testing::ValuesIn(Lookups),
                         [](const auto& info) { return std::string(info.param.view); });

TEST(Catalogue, HoldsEveryViewTheLookupsOpenOrCompose) {
    const QStringList needed{"CP0014", "CP0007", "GL0001", "GL0021", "BK0420", "AR0015", "AR0036",
                             "AR0037", "TX0001", "TX0002", "TX0003", "AR0041", "AR0042", "AR0043",
                             "AR0044", "AR0045", "AR0061", "IC0310", "IC0750", "IC0330"};
    const QStringList ids = catalogueViewIds();
    for (const QString& id : needed) EXPECT_TRUE(ids.contains(id)) << id.toStdString();
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
}

struct LeadingColumn {
    const char* view;
    std::int16_t key;
    const char* field;
};

void PrintTo(const LeadingColumn& c, std::ostream* os) { *os << c.view << " key " << c.key; }

class KeyOrder : public ::testing::TestWithParam<LeadingColumn> {};

TEST_P(KeyOrder, LeadsWithTheLookupsColumnAndIsUnique) {
    const sqlite::ViewDef& view = *sqlite::findView(QLatin1String(GetParam().view));
    const sqlite::KeyDef* key = view.key(GetParam().key);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->segments.front(), QLatin1String(GetParam().field));
    // Key 0 is the table's unique identity; a key holding all its segments is unique too.
    for (const QString& s : view.keys.front().segments) EXPECT_TRUE(key->segments.contains(s)) << s.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, KeyOrder,
    ::testing::Values(LeadingColumn{"CP0014", 0, "EMPLOYEE"}, LeadingColumn{"GL0021", 0, "SEGVAL"},
                      LeadingColumn{"CP0007", 0, "EARNDED"}, LeadingColumn{"BK0420", 0, "BANK"},
                      LeadingColumn{"TX0001", 0, "CLASS"}, LeadingColumn{"TX0003", 0, "GROUPID"},
                      LeadingColumn{"GL0001", 0, "ACCTFMTTD"}, LeadingColumn{"AR0015", 0, "IDDIST"},
                      LeadingColumn{"AR0036", 0, "IDINVC"}, LeadingColumn{"AR0037", 0, "IDINVC"},
                      LeadingColumn{"AR0037", 1, "IDINVC"}, LeadingColumn{"AR0037", 2, "IDORDRNBR"},
                      LeadingColumn{"AR0037", 3, "IDCUSTPO"}, LeadingColumn{"AR0037", 4, "DATEDUE"},
                      LeadingColumn{"AR0037", 6, "AMTPYMRMTC"}, LeadingColumn{"AR0037", 8, "DATEINVC"}),
    [](const auto& info) { return std::string(info.param.view) + "Key" + std::to_string(info.param.key); });

enum class Coding { Number, Letter, Flag };

struct CodedField {
    const char* view;
    const char* field;
    Coding coding;
};

void PrintTo(const CodedField& c, std::ostream* os) { *os << c.view << " " << c.field; }

// The code a grid cell looks up, as the engine reads it: the Boolean's
// entry position, a text's first character, a number itself.
std::optional<QString> codeText(const AccpacField& f) {
    const Variant& v = f.Value();
    const AccpacPresentationList& list = f.PresentationList();
    if (v.type() == Variant::Type::Boolean) return list.Item(v.asBool() ? 1 : 0).Text;
    const int code = v.type() == Variant::Type::String ? v.asString().at(0).unicode() : v.toInt16();
    for (int i = 0; i < list.Count(); ++i)
        if (list.Item(i).Value == code) return list.Item(i).Text;
    return std::nullopt;
}

class CodedFields : public WithSharedCompany<::testing::TestWithParam<CodedField>> {};

TEST_P(CodedFields, EveryStoredCodeShowsAText) {
    const QString viewId = QLatin1String(GetParam().view);
    auto view = company_->open()->OpenView(viewId, viewId.left(2));
    const AccpacField& field = view->Fields().Item(QLatin1String(GetParam().field));
    ASSERT_EQ(field.PresentationType(), PresentationCoded);
    const Variant::Type expected = GetParam().coding == Coding::Flag     ? Variant::Type::Boolean
                                   : GetParam().coding == Coding::Letter ? Variant::Type::String
                                                                         : Variant::Type::Integer;
    view->ClearRecord();
    view->ResetBrowse(false);
    view->Browse("", true);
    int records = 0;
    while (view->Fetch()) {
        ++records;
        ASSERT_EQ(field.Value().type(), expected);
        const auto text = codeText(field);
        ASSERT_TRUE(text.has_value()) << "code " << field.Value().toText().toStdString() << " has no text";
        EXPECT_FALSE(text->isEmpty());
    }
    EXPECT_GT(records, 12);
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, CodedFields,
    ::testing::Values(CodedField{"CP0014", "PAYFREQ", Coding::Number}, CodedField{"CP0014", "STATUS", Coding::Number},
                      CodedField{"CP0014", "PARTTIME", Coding::Flag}, CodedField{"CP0007", "CATEGORY", Coding::Number},
                      CodedField{"CP0007", "EARDEDTYPE", Coding::Number}, CodedField{"BK0420", "PRINTED", Coding::Flag},
                      CodedField{"BK0420", "STATUS", Coding::Number}, CodedField{"TX0001", "EXEMPT", Coding::Flag},
                      CodedField{"TX0003", "CALCMETHOD", Coding::Number},
                      CodedField{"GL0001", "ACTIVESW", Coding::Flag}, CodedField{"GL0001", "ACCTTYPE", Coding::Letter},
                      CodedField{"GL0001", "ALLOCSW", Coding::Flag}, CodedField{"AR0015", "SWACTV", Coding::Flag},
                      CodedField{"AR0036", "TRXTYPEID", Coding::Number},
                      CodedField{"AR0036", "TRXTYPETXT", Coding::Number}, CodedField{"AR0036", "SWPAID", Coding::Flag},
                      CodedField{"AR0037", "TXTTRXTYPE", Coding::Number}),
    [](const auto& info) { return std::string(info.param.view) + info.param.field; });

TEST(CodedFields, LetterCodesAreTheCharactersCodes) {
    const FieldDef& type = *sqlite::findView("GL0001")->field("ACCTTYPE");
    const AccpacPresentationList& list = type.presentation;
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Item(0).Value, 66);
    EXPECT_EQ(list.Item(0).Text, "Balance Sheet");
}

}  // namespace
