// The starting text of the employee and earning/deduction lookups: tested
// without its blanks, used with them.
#include <gtest/gtest.h>

#include "LookupRig.h"
#include "TestSession.h"
#include "lookup/MethodCalls.h"
#include "lookup/Trovex.h"

namespace lookup::tests {
namespace {

struct SeedCase {
    const char* name;
    QStringList call;
    QString seedPrepare;  // FinderSeedPrepare
    int finderDefault;
    QString firstFilter;  // the filter of the first load
    QString searchText;   // what the search box shows
    QString keyPrefix;    // every key shown begins with it ("" for any)
};

void PrintTo(const SeedCase& c, std::ostream* os) { *os << c.name; }

const SeedCase Cases[] = {
    {"Employee_Seed",
     {"FindAP_Employee", "E001"},
     "EMPLOYEE LIKE E001%",
     1,
     "STATUS=1 AND EMPLOYEE LIKE E001%",
     "E001",
     "E001"},
    {"Employee_NoSeed", {"FindAP_Employee"}, "", 0, "STATUS=1", "", ""},
    {"Employee_BlanksOnly", {"FindAP_Employee", "   "}, "", 0, "STATUS=1", "", ""},
    {"Employee_LeadingBlankKept",
     {"FindAP_Employee", " E001"},
     "EMPLOYEE LIKE  E001%",
     1,
     "STATUS=1 AND EMPLOYEE LIKE  E001%",
     " E001",
     ""},
    {"EarningDeduction_Seed",
     {"FindAP_EarningDeduction", "B"},
     "EARNDED LIKE B%",
     1,
     "INACTIVE=0 AND EARNDED LIKE B%",
     "B",
     "B"},
};

class StartingText : public ::testing::TestWithParam<SeedCase> {};

TEST_P(StartingText, LimitsTheFirstLoadAndFillsTheSearchBox) {
    const SeedCase& c = GetParam();
    Trovex trovex;
    const MethodCall call = parseCall(c.call);
    const LookupRun run = runLookup([&] { call.invoke(trovex, testSession(), QStringLiteral("LookupSeed"), 0); },
                                    QStringLiteral("click pbxCancel"));
    ASSERT_EQ(run.failure, QString());
    ASSERT_EQ(run.windows.size(), 1u);
    const WindowSnapshot& w = run.windows[0];
    EXPECT_EQ(w.finderSeedPrepare, c.seedPrepare);
    EXPECT_EQ(w.finderDefault, c.finderDefault);
    EXPECT_EQ(w.finderSeed, c.call.value(1)) << "the seed is kept as given, blanks and all";
    EXPECT_EQ(w.currentFilter, c.firstFilter);
    EXPECT_EQ(w.searchText, c.searchText);
    const QStringList keys = w.column(0);
    if (!c.keyPrefix.isEmpty()) {
        ASSERT_FALSE(keys.first().isEmpty())
            << "the test company has keys that begin with " << c.keyPrefix.toStdString();
        for (const QString& key : keys) {
            if (key.isEmpty()) continue;  // the empty row of a short batch
            EXPECT_TRUE(key.startsWith(c.keyPrefix)) << key.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SeededLookups, StartingText, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lookup::tests
