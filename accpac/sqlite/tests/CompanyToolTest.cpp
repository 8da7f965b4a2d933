// The company tool's commands as a user runs them, and the demo company
// they make: the same company every time, enough records in every view to
// page, customer 1200 with a few dozen open documents and paid ones the
// lookups' filter must hide, and exactly the open documents asked for.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "accpac/SqliteCompany.h"
#include "accpac/sqlite/CompanyTool.h"

namespace {

using namespace accpac;

struct ToolRun {
    int code;
    QString out, err;
};

ToolRun tool(const QStringList& args) {
    ToolRun r;
    QTextStream out(&r.out), err(&r.err);
    r.code = runCompanyTool(args, out, err);
    out.flush();
    err.flush();
    return r;
}

// The printed records of a browse, without the header line.
QStringList rows(const ToolRun& r) {
    QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    return lines.mid(1);
}

class CompanyTool : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new QTemporaryDir;
        path_ = dir_->filePath("demo.trovex");
        ASSERT_EQ(tool({"create", path_, "--name", "Demo Ltd."}).code, 0);
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    static int count(const QString& view, const QString& filter) {
        const ToolRun r = tool({"browse", path_, view, "--filter", filter});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        return int(rows(r).size());
    }
    static inline QTemporaryDir* dir_ = nullptr;
    static inline QString path_;
};

TEST_F(CompanyTool, BrowsePrintsFieldNamesThenRecordsInKeyOrder) {
    const ToolRun r =
        tool({"browse", path_, "AR0037", "--order", "4", "--filter", "IDCUST=1200 AND SWPAID=0", "--limit", "5"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 6);
    const QStringList header = lines[0].split(u'\t');
    EXPECT_EQ(header.front(), "IDCUST");
    const qsizetype due = header.indexOf("DATEDUE"), paid = header.indexOf("SWPAID");
    QString previous;
    for (const QString& line : lines.mid(1)) {
        const QStringList cells = line.split(u'\t');
        ASSERT_EQ(cells.size(), header.size());
        EXPECT_EQ(cells[0], "1200");
        EXPECT_EQ(cells[paid], "False");
        EXPECT_LE(previous, cells[due]);
        previous = cells[due];
    }
}

TEST_F(CompanyTool, BrowseDownwardFromAPutKey) {
    const ToolRun all = tool({"browse", path_, "GL0001"});
    const QStringList every = rows(all);
    ASSERT_GT(every.size(), 40);
    const QString start = every[30].section(u'\t', 0, 0);
    const ToolRun down = tool({"browse", path_, "GL0001", "--desc", "--put", "ACCTFMTTD=" + start, "--limit", "3"});
    ASSERT_EQ(down.code, 0) << down.err.toStdString();
    EXPECT_EQ(rows(down), (QStringList{every[30], every[29], every[28]}));
}

TEST_F(CompanyTool, MakesTheSameCompanyEveryTime) {
    const QString again = dir_->filePath("again.trovex");
    ASSERT_EQ(tool({"create", again, "--name", "Demo Ltd."}).code, 0);
    for (const QString& view : catalogueViewIds())
        EXPECT_EQ(tool({"browse", again, view}).out, tool({"browse", path_, view}).out) << view.toStdString();
}

TEST_F(CompanyTool, EveryViewHasEnoughRecordsToPage) {
    for (const QString& view : catalogueViewIds()) EXPECT_GT(count(view, ""), 12) << view.toStdString();
}

TEST_F(CompanyTool, CustomerTwelveHundredHasAFewDozenOpenDocumentsAndPaidOnes) {
    const int open = count("AR0036", "IDCUST=1200 AND SWPAID=0");
    EXPECT_GE(open, 24);
    EXPECT_LE(open, 60);
    EXPECT_GT(count("AR0036", "IDCUST=1200"), open);
    EXPECT_GE(count("AR0037", "IDCUST=1200 AND SWPAID=0"), open);
}

TEST_F(CompanyTool, TaxAuthorityGstHasCustomerAndItemClasses) {
    EXPECT_GT(count("TX0001", "AUTHORITY = GST AND CLASSTYPE = 1 AND CLASSAXIS = 1"), 1);
    EXPECT_GT(count("TX0001", "AUTHORITY = GST AND CLASSTYPE = 1 AND CLASSAXIS = 2"), 1);
}

TEST_F(CompanyTool, ScaleGivesExactlyThatManyOpenDocuments) {
    const QString scaled = dir_->filePath("scaled.trovex");
    ASSERT_EQ(tool({"create", scaled, "--scale", "2500"}).code, 0);
    const ToolRun r = tool({"browse", scaled, "AR0036", "--filter", "SWPAID=0"});
    EXPECT_EQ(rows(r).size(), 2500);
}

TEST_F(CompanyTool, ImportReportsBadLinesAndFailsAsAWhole) {
    const QString csv = dir_->filePath("bad.csv");
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("EMPLOYEE,HIREDATE\nE1,2024-01-01\nE2,someday\n");
    f.close();
    const int before = count("CP0014", "");
    const ToolRun r = tool({"import", path_, "CP0014", csv});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("line 3")) << r.err.toStdString();
    EXPECT_EQ(count("CP0014", ""), before);
}

struct Mistake {
    const char* name;
    QStringList args;
    const char* says;
};

void PrintTo(const Mistake& m, std::ostream* os) { *os << m.name; }

class ToolMistake : public CompanyTool, public ::testing::WithParamInterface<Mistake> {};

TEST_P(ToolMistake, ExitsWithOneAndSaysWhyOnStandardError) {
    QStringList args = GetParam().args;
    args.replaceInStrings("PATH", path_);
    const ToolRun r = tool(args);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(QLatin1String(GetParam().says))) << r.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ToolMistake,
    ::testing::Values(Mistake{"NoCommand", {}, "usage"}, Mistake{"UnknownCommand", {"frobnicate"}, "frobnicate"},
                      Mistake{"UnknownOption", {"browse", "PATH", "GL0001", "--sideways"}, "--sideways"},
                      Mistake{"MissingValue", {"browse", "PATH", "GL0001", "--order"}, "--order"},
                      Mistake{"BadNumber", {"browse", "PATH", "GL0001", "--limit", "many"}, "--limit"},
                      Mistake{"UnknownView", {"browse", "PATH", "XX0001"}, "XX0001"},
                      Mistake{"UnknownKey", {"browse", "PATH", "AR0036", "--order", "3"}, "key 3"},
                      Mistake{"BadFilter", {"browse", "PATH", "AR0036", "--filter", "NOSUCH = 1"}, "NOSUCH"},
                      Mistake{"BadPut", {"browse", "PATH", "AR0036", "--put", "IDINVC"}, "FIELD=VALUE"},
                      Mistake{"NotACompany", {"browse", "/nonexistent/x.trovex", "AR0036"}, "x.trovex"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
