// The catalogue against what the lookups need of it: every key is unique and
// leads with the column its lookup pages by; every browse a lookup makes is
// one index seek (SQLite's plan reads an index in key order and never sorts);
// and every coded field of the demo company shows a text for every code it
// stores, in each of the three kinds of coding.
#include <gtest/gtest.h>

#include <set>

#include "accpac/catalogue/Catalogue.h"
#include "accpac/filter/Filter.h"
#include "accpac/sqlite/BrowseQuery.h"
#include "accpac/sqlite/LikeFunction.h"
#include "accpac/sqlite/SqliteCompany.h"
#include "accpac/sqlite/tests/SharedCompany.h"

namespace {

using namespace accpac;
using namespace accpac::sqlite;

// A value of the field's type, as a filter or a put would write it.
QString sampleText(const FieldDef& def) {
    if (def.type == FieldType::String) return def.name == "IDCUST" ? "1200" : "M";
    return def.type == FieldType::Date ? "2024-03-15" : def.type == FieldType::Boolean ? "0" : "1";
}

// The forms of browse the lookups make: the first page, a page from the
// maximum key downward, pages from a put key value, and pages under the
// paging conditions (keyOp) on the order key.
// clang-format off
const struct Form { const char* name; const char* keyOp; bool ascending, putKey, putMaximum; } Forms[]{
    {"FirstPage", nullptr, true, false, false}, {"LastPage", nullptr, false, true, true},
    {"FromKeyUp", nullptr, true, true, false}, {"FromKeyDown", nullptr, false, true, false},
    {"NextBatch", " >= ", true, false, false}, {"NextLine", " > ", true, false, false},
    {"PrevBatch", " <= ", false, true, true}, {"PrevLine", " < ", false, true, true}};
// clang-format on

class Catalogue : public WithSharedCompany<> {};

TEST_F(Catalogue, KeysAreUniqueAndEveryBrowseSeeksAnIndexInKeyOrder) {
    Database db(company_->path(), Database::Mode::ReadOnly);
    registerSqlFunctions(db.handle());
    for (const ViewDef& view : catalogue::catalogue()) {
        for (const KeyDef& key : view.keys) {
            SCOPED_TRACE(view.id.toStdString() + " key " + std::to_string(key.number));
            // Key 0 is the table's unique identity; a key holding all its segments is unique too.
            for (const QString& s : view.keys.front().segments)
                EXPECT_TRUE(key.segments.contains(s)) << s.toStdString();
            const FieldDef& leading = *view.field(key.segments.front());
            for (const Form& form : Forms) {
                for (bool standing : {false, true}) {
                    if (standing && view.filterPrefix.isEmpty()) continue;
                    QStringList conditions;
                    if (standing)
                        for (const QString& f : view.filterPrefix) conditions << f + "=" + sampleText(*view.field(f));
                    if (form.keyOp) conditions << leading.name + form.keyOp + '"' + sampleText(leading) + '"';
                    const auto tree =
                        filter::parse(conditions.join(" AND "), [&](const QString& n) { return view.field(n); });
                    AccpacFields record(view.fields);
                    if (form.putKey && form.putMaximum)
                        record.Item(leading.name).setMaxKey();
                    else if (form.putKey)
                        record.Item(leading.name).setValue(sampleText(leading));
                    const BrowsePlan browse(view, key, tree.get(), record, form.ascending);
                    ASSERT_EQ(browse.walk().size(), 1u);
                    const BrowseQuery& query = browse.walk().front();
                    Statement explain(db, "EXPLAIN QUERY PLAN " + query.sql);
                    for (std::size_t i = 0; i < query.params.size(); ++i) explain.bind(int(i) + 1, query.params[i]);
                    QStringList steps;
                    while (explain.step()) steps << explain.columnText(3);
                    const QString plan = steps.join(" / ");
                    SCOPED_TRACE(std::string(form.name) + (standing ? " filtered: " : ": ") + plan.toStdString());
                    EXPECT_FALSE(plan.contains("TEMP B-TREE"));
                    EXPECT_TRUE(plan.contains("USING INDEX") || plan.contains("USING COVERING INDEX") ||
                                plan.contains("USING PRIMARY KEY") || plan == "SCAN " + view.id);
                    const bool bounded = standing || form.keyOp || (form.putKey && !form.putMaximum);
                    EXPECT_TRUE(!bounded || plan.startsWith("SEARCH"));
                    EXPECT_TRUE(!standing || plan.contains("_filtered_key"));
                }
            }
        }
    }
}

// (The scheduled payments' keys are checked, segment by segment, by the browse reference.)
TEST_F(Catalogue, KeysLeadWithTheColumnTheirLookupPagesBy) {
    for (const QString& entry : QStringLiteral("CP0014 EMPLOYEE,GL0021 SEGVAL,CP0007 EARNDED,BK0420 BANK,TX0001 CLASS,"
                                               "TX0003 GROUPID,GL0001 ACCTFMTTD,AR0015 IDDIST,AR0036 IDINVC")
                                    .split(u','))
        EXPECT_EQ(findView(entry.section(u' ', 0, 0))->keys.front().segments.front(), entry.section(u' ', 1));
}

// The code a grid cell looks up, as the engine reads it: the Boolean's entry
// position, a text's first character, a number itself.
TEST_F(Catalogue, EveryStoredCodeOfTheDemoCompanyShowsAText) {
    std::set<Variant::Type> codings;
    for (const ViewDef& def : catalogue::catalogue()) {
        auto view = company_->open()->OpenView(def.id, def.programId());
        view->ClearRecord();
        view->ResetBrowse(false);
        view->Browse("", true);
        while (view->Fetch()) {
            for (int i = 0; i < view->Fields().Count(); ++i) {
                const AccpacField& field = view->Fields().Item(i);
                if (field.PresentationType() != PresentationCoded) continue;
                const Variant& v = field.Value();
                const AccpacPresentationList& list = field.PresentationList();
                codings.insert(v.type());
                int entry = v.type() == Variant::Type::Boolean ? int(v.asBool()) : -1;
                const int code = v.type() == Variant::Type::String ? v.asString().at(0).unicode() : v.toInt16();
                for (int e = 0; e < list.Count() && entry < 0; ++e)
                    if (list.Item(e).Value == code) entry = e;
                ASSERT_TRUE(entry >= 0 && entry < list.Count() && !list.Item(entry).Text.isEmpty())
                    << def.id.toStdString() << " " << field.Name().toStdString() << " code "
                    << v.toText().toStdString();
            }
        }
    }
    EXPECT_EQ(codings, (std::set{Variant::Type::Boolean, Variant::Type::String, Variant::Type::Integer}));
}

}  // namespace
