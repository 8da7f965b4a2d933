// The document lookups show exactly one customer's unpaid records: the first
// and the last batch of each equal the matching stretch of the whole view
// read directly and filtered here, record by record.
#include <gtest/gtest.h>

#include "LookupRig.h"
#include "TestSession.h"
#include "lookup/MethodCalls.h"
#include "lookup/Trovex.h"

namespace lookup::tests {
namespace {

struct FilterCase {
    const char* name;
    QStringList call;
    const char* viewId;
    std::int16_t key;  // the view's key the lookup browses by
};

void PrintTo(const FilterCase& c, std::ostream* os) { *os << c.name; }

const FilterCase Cases[] = {
    {"Documents", {"FindAP_Documents", "1200", "0"}, "AR0036", 0},
    {"DocNum", {"FindAP_DocNum", "1200"}, "AR0037", 0},
    {"OrderByInfo_DocumentNumber", {"FindAP_OrderByInfo", "0", "1200"}, "AR0037", 1},
};

class UnpaidDocuments : public ::testing::TestWithParam<FilterCase> {};

TEST_P(UnpaidDocuments, FirstAndLastBatchAreTheCustomersUnpaidRecords) {
    const FilterCase& c = GetParam();
    Trovex trovex;
    const MethodCall call = parseCall(c.call);
    const LookupRun run = runLookup([&] { call.invoke(trovex, testSession(), QStringLiteral("LookupFilter"), 0); },
                                    QStringLiteral("drag ScrollBar1 100\nsnapshot\nclick pbxCancel"));
    const QStringList truth = viewColumn(
        *testSession(), QString::fromLatin1(c.viewId), c.key, QStringLiteral("IDINVC"), [](accpac::AccpacFields& f) {
            return f.Item(QStringLiteral("IDCUST")).Value().toText() == QLatin1String("1200") &&
                   !f.Item(QStringLiteral("SWPAID")).Value().toBool();
        });
    ASSERT_GT(truth.size(), 24) << "customer 1200 has more than two batches of unpaid records";

    ASSERT_EQ(run.failure, QString());
    ASSERT_EQ(run.windows.size(), 2u);
    const QStringList first = run.windows[0].column(0);
    const QStringList last = run.windows[1].column(0);
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(first, truth.mid(0, first.size()));
    EXPECT_EQ(last, truth.mid(truth.size() - last.size()));
    EXPECT_EQ(run.windows[1].scrollValue, 100) << "the thumb shows the end of the view";
}

INSTANTIATE_TEST_SUITE_P(DocumentLookups, UnpaidDocuments, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lookup::tests
