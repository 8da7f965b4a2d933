// Loading a view from CSV: quoting as RFC 4180 has it, fields left out
// taking their empty value, and bad records reported by the line they start
// on with nothing loaded at all.
#include <gtest/gtest.h>

#include <QFile>

#include "accpac/AccpacError.h"
#include "accpac/SqliteCompany.h"
#include "tests/support/TestCompany.h"

namespace {

using namespace accpac;

class CsvImport : public ::testing::Test {
protected:
    // Imports `text` into `view` of the test's company.
    ImportResult import(const QString& view, const QByteArray& text) {
        const QString csv = company_.path() + ".csv";
        QFile f(csv);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        f.close();
        return importCsv(company_.path(), view, csv);
    }

    // Every record of a view: each field's text, tab-joined.
    QStringList records(const QString& viewId, const QStringList& fields) {
        auto view = company_.open()->OpenView(viewId, viewId.left(2));
        view->ClearRecord();
        view->ResetBrowse(false);
        view->Browse("", true);
        QStringList out;
        while (view->Fetch()) {
            QStringList row;
            for (const QString& f : fields) row << view->Fields().Item(f).Value().toText();
            out << row.join(u'\t');
        }
        return out;
    }

    testsupport::TestCompany company_;
};

TEST_F(CsvImport, ReadsQuotedFieldsAsWritten) {
    const ImportResult r = import("AR0015",
                                  "\xEF\xBB\xBFIDDIST,TEXTDESC,IDACCTREV\r\n"
                                  "A1,\"Rent, parking\",4000\r\n"
                                  "A2,\"The \"\"big\"\" one\",4010\n"
                                  "A3,\"two\nlines\",\n"
                                  "A4,  blanks kept  ,\"\"\n");
    ASSERT_TRUE(r.problems.isEmpty()) << r.problems.join("; ").toStdString();
    EXPECT_EQ(r.rows, 4);
    EXPECT_EQ(records("AR0015", {"IDDIST", "TEXTDESC", "IDACCTREV", "SWACTV", "DATELASTMN"}),
              (QStringList{"A1\tRent, parking\t4000\tFalse\t", "A2\tThe \"big\" one\t4010\tFalse\t",
                           "A3\ttwo\nlines\t\tFalse\t", "A4\t  blanks kept  \t\tFalse\t"}));
}

TEST_F(CsvImport, ConvertsValuesAsTheGridShowsThem) {
    const ImportResult r = import("AR0037",
                                  "IDCUST,IDINVC,CNTPAYM,DATEDUE,AMTPYMRMTC,SWPAID,TXTTRXTYPE\n"
                                  "1200,IN1,2,2024-02-29,-12.5,1,3\n"
                                  "1200,IN2,1,,0.001,False,1\n");
    ASSERT_TRUE(r.problems.isEmpty()) << r.problems.join("; ").toStdString();
    EXPECT_EQ(records("AR0037", {"IDINVC", "CNTPAYM", "DATEDUE", "AMTPYMRMTC", "SWPAID", "TXTTRXTYPE"}),
              (QStringList{"IN1\t2\t2024-02-29\t-12.5\tTrue\t3", "IN2\t1\t\t0.001\tFalse\t1"}));
}

struct BadFile {
    const char* name;
    QByteArray text;
    QStringList lines;  // the "line N" each problem starts with
};

void PrintTo(const BadFile& f, std::ostream* os) { *os << f.name; }

class BadRecords : public CsvImport, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadRecords, AreReportedByLineAndNothingIsLoaded) {
    const QStringList before = records("AR0015", {"IDDIST", "TEXTDESC"});
    const ImportResult r = import("AR0015", GetParam().text);
    EXPECT_EQ(r.rows, 0);
    QStringList lines;
    for (const QString& p : r.problems) lines << p.section(u':', 0, 0);
    EXPECT_EQ(lines, GetParam().lines) << r.problems.join("; ").toStdString();
    EXPECT_EQ(records("AR0015", {"IDDIST", "TEXTDESC"}), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadRecords,
    ::testing::Values(BadFile{"UnknownField", "IDDIST,NOSUCH\nA1,x\n", {"line 1"}},
                      BadFile{"FieldNamedTwice", "IDDIST,IDDIST\nA1,A2\n", {"line 1"}},
                      BadFile{"WrongFieldCount", "IDDIST,TEXTDESC\nA1,x\nA2\nA3,y,z\n", {"line 3", "line 4"}},
                      BadFile{"DuplicateKey", "IDDIST,TEXTDESC\nA1,x\nA2,y\nA1,z\n", {"line 4"}},
                      BadFile{"TooLong", "IDDIST,TEXTDESC\nTOOLONGCODE,x\n", {"line 2"}},
                      BadFile{"BadDateAndAmount",
                              "IDDIST,DATELASTMN,DISCPCT\nA1,2024-13-01,1\nA2,2024-01-01,one\n",
                              {"line 2", "line 3"}},
                      BadFile{"LinesCountedInsideQuotes", "IDDIST,TEXTDESC\nA1,\"a\nb\nc\"\nA2,\"x\"y\n", {"line 5"}},
                      BadFile{"QuoteNeverClosed", "IDDIST,TEXTDESC\nA1,x\nA2,\"open\n", {"line 3"}},
                      BadFile{"NoHeader", "", {"line 1"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CsvImport, UnknownViewOrFileThrows) {
    EXPECT_THROW(import("XX0001", "A\n1\n"), AccpacError);
    EXPECT_THROW(importCsv(company_.path(), "AR0015", company_.path() + ".missing.csv"), AccpacError);
}

}  // namespace
