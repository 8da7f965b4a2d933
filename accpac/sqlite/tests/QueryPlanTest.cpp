// Every browse a lookup makes is one index seek: SQLite's plan for each
// form of browse, in every key of every view, reads an index in key order
// and never sorts. The forms are those the lookups make: the first page,
// a page from the maximum key downward, pages from a put key value, and
// pages under the paging conditions (> >= < <=) on the order key, each
// alone and under the standing filter of the view's lookup.
#include <gtest/gtest.h>

#include <algorithm>

#include "accpac/AccpacFields.h"
#include "accpac/filter/Filter.h"
#include "accpac/sqlite/BrowseQuery.h"
#include "accpac/sqlite/Catalogue.h"
#include "accpac/sqlite/Database.h"
#include "accpac/sqlite/Storage.h"
#include "accpac/sqlite/tests/SharedCompany.h"

namespace {

using namespace accpac;
using namespace accpac::sqlite;

// A value of the field's type, as a filter or a put would write it.
QString sampleText(const FieldDef& def) {
    switch (def.type) {
        case FieldType::String:
            return def.name == "IDCUST" ? QStringLiteral("1200") : QStringLiteral("M");
        case FieldType::Date:
            return QStringLiteral("2024-03-15");
        case FieldType::Boolean:
            return QStringLiteral("0");
        default:
            return QStringLiteral("1");
    }
}

struct Form {
    std::string name;
    bool search;        // with a "Contains" search on a text field
    const char* keyOp;  // paging condition on the order key, or nullptr
    bool ascending;
    bool putMaximum;  // else the key value is put when putKey
    bool putKey;
};

const Form Forms[]{
    {"FirstPage", false, nullptr, true, false, false}, {"LastPage", false, nullptr, false, true, true},
    {"FromKeyUp", false, nullptr, true, false, true},  {"FromKeyDown", false, nullptr, false, false, true},
    {"NextBatch", false, " >= ", true, false, false},  {"NextLine", false, " > ", true, false, false},
    {"PrevBatch", false, " <= ", false, true, true},   {"PrevLine", false, " < ", false, true, true},
    {"Search", true, nullptr, true, false, false},     {"SearchNextBatch", true, " >= ", true, false, false},
};

struct Case {
    const ViewDef* view;
    const KeyDef* key;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.view->id.toStdString() << " key " << c.key->number; }

std::vector<Case> everyKey() {
    std::vector<Case> cases;
    for (const ViewDef& v : catalogue())
        for (const KeyDef& k : v.keys) cases.push_back({&v, &k});
    return cases;
}

class QueryPlan : public WithSharedCompany<::testing::TestWithParam<Case>> {
protected:
    // SQLite's plan for a browse, one line per step.
    static QStringList plan(const BrowseQuery& q) {
        Database db(company_->path(), Database::Mode::ReadOnly);
        filter::registerSqlFunctions(db.handle());
        Statement explain(db, QStringLiteral("EXPLAIN QUERY PLAN ") + q.sql);
        for (std::size_t i = 0; i < q.params.size(); ++i) explain.bind(int(i) + 1, q.params[i]);
        QStringList steps;
        while (explain.step()) steps << explain.columnText(3);
        return steps;
    }
};

TEST_P(QueryPlan, EveryBrowseSeeksAnIndexInKeyOrder) {
    const ViewDef& view = *GetParam().view;
    const KeyDef& key = *GetParam().key;
    const FieldDef& leading = *view.field(key.segments.front());
    const auto lookup = [&](const QString& name) { return view.field(name); };

    std::vector<bool> filtered{false};
    if (!view.filterPrefix.isEmpty()) filtered.push_back(true);
    for (const Form& form : Forms) {
        for (bool standing : filtered) {
            QStringList conditions;
            if (standing)
                for (const QString& f : view.filterPrefix) conditions << f + "=" + sampleText(*view.field(f));
            if (form.keyOp) conditions << leading.name + QLatin1String(form.keyOp) + u'"' + sampleText(leading) + u'"';
            const auto tree = filter::parse(conditions.join(" AND "), lookup);

            AccpacFields record(view.fields);
            if (form.putKey)
                record.Item(leading.name).setValue(Variant::string(form.putMaximum ? MaxKeyText : sampleText(leading)));
            const BrowseQuery query = buildBrowse(view, key, tree.get(), record, form.ascending);
            const QString steps = plan(query).join(" / ");
            const std::string where = view.id.toStdString() + " key " + std::to_string(key.number) + " " + form.name +
                                      (standing ? " filtered" : "") + ": " + steps.toStdString();

            EXPECT_FALSE(steps.contains("TEMP B-TREE")) << where;
            EXPECT_TRUE(steps.contains("USING INDEX") || steps.contains("USING COVERING INDEX") ||
                        steps == "SCAN " + view.id || steps.contains("USING PRIMARY KEY"))
                << where;
            const bool bounded = standing || form.keyOp || (form.putKey && !form.putMaximum);
            if (bounded) {
                EXPECT_TRUE(steps.startsWith("SEARCH")) << where;
            }
            if (standing) {
                EXPECT_TRUE(steps.contains("_filtered_key")) << where;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryView, QueryPlan, ::testing::ValuesIn(everyKey()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return info.param.view->id.toStdString() + "Key" + std::to_string(info.param.key->number);
                         });

}  // namespace
