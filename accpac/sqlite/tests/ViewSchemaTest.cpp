// Company files that lack what a view reads: a view whose table is missing,
// or whose table misses a column, fails to open with the system's message,
// and no query ever reads a quoted name as a text.
#include <gtest/gtest.h>

#include "accpac/AccpacError.h"
#include "accpac/sqlite/SqliteSession.h"
#include "accpac/tests/Fixtures.h"
#include "tests/support/TestCompany.h"

namespace {

using namespace accpac;

struct Damage {
    const char* name;
    const char* sql;       // run on the company file before it is opened
    const char* viewId;    // the view that no longer opens
    const char* mentions;  // what its message names
};

class DamagedCompany : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedCompany, TheViewDoesNotOpenAndTheOthersStillDo) {
    const Damage& d = GetParam();
    testsupport::TestCompany company;
    {
        sqlite::Database file(company.path(), sqlite::Database::Mode::ReadWrite);
        file.exec(d.sql);
    }
    const auto session = company.open();
    const QString said =
        fixtures::expectError(errnum::AccpacFailure, [&] { session->OpenView(d.viewId, QString(d.viewId).left(2)); });
    EXPECT_EQ(said,
              QStringLiteral("View %1 is not available in company \"Test Company\": %2").arg(d.viewId, d.mentions));
    ASSERT_EQ(session->Errors().Count(), 1);
    EXPECT_EQ(session->Errors().Item(0).Description(), said);
    for (const char* other : {"AR0036", "GL0021", "CP0014"})
        EXPECT_NO_THROW(session->OpenView(other, QString(other).left(2)));
}

INSTANTIATE_TEST_SUITE_P(
    Views, DamagedCompany,
    ::testing::Values(
        Damage{"NoTable", R"(DROP TABLE "TX0001")", "TX0001", "it has no table for the view."},
        Damage{"NoCompanionTable", R"(DROP TABLE "TX0002")", "TX0001", "the view TX0002 it is read with has no table."},
        // A column goes only with the trigger that names it.
        Damage{"NoColumn", R"(DROP TRIGGER "GL0001_search_updated"; ALTER TABLE "GL0001" DROP COLUMN "ACCTDESC")",
               "GL0001", "the view's table has no column ACCTDESC."},
        Damage{"TwoColumnsNoneIndexed",
               R"(DROP TRIGGER "GL0001_search_updated"; ALTER TABLE "GL0001" DROP COLUMN "UOM"; )"
               R"(ALTER TABLE "GL0001" DROP COLUMN "QTYSW")",
               "GL0001", "the view's table has no column QTYSW, UOM."}),
    [](const auto& info) { return std::string(info.param.name); });

// A quoted name that names no column is an error of the query, never the
// text of its name.
TEST(QuotedNames, ANameThatNamesNoColumnFailsTheQuery) {
    testsupport::TestCompany company;
    sqlite::SqliteSession session(company.path());
    EXPECT_THROW(sqlite::Statement(session.database(), R"(SELECT "NOSUCHFIELD" FROM "GL0001")"), AccpacError);
    sqlite::Statement named(session.database(), R"(SELECT count("ACCTDESC") FROM "GL0001")");
    ASSERT_TRUE(named.step());
    EXPECT_GT(named.columnInt(0), 0);
}

}  // namespace
