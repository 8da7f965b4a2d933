// Making and loading companies. The company tool's commands as a user runs
// them, and the demo company they make: the same company every time, enough
// records in every view to page, customer 1200 with a few dozen open
// documents and paid ones the lookups' filter must hide, and exactly the open
// documents asked for. Loading a view from CSV: quoting as RFC 4180 has it,
// fields left out taking their empty value, values read as the grid shows
// them, and bad records reported by the line they start on with nothing
// loaded at all.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include "accpac/AccpacError.h"
#include "accpac/filter/Filter.h"
#include "accpac/sqlite/Database.h"
#include "accpac/sqlite/SqliteCompany.h"
#include "accpac/sqlite/Storage.h"
#include "accpac/tools/CompanyTool.h"
#include "accpac/tools/CompanyWriter.h"
#include "accpac/tools/CsvValues.h"
#include "accpac/tools/ImportCheck.h"
#include "tests/support/TestCompany.h"

namespace {

using namespace accpac;

// Writes a file for a command to read.
void write(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

struct ToolRun {
    int code;
    QString out, err;
    QStringList rows() const { return out.split(u'\n', Qt::SkipEmptyParts).mid(1); }  // without the header
};

ToolRun tool(const QStringList& args) {
    ToolRun r;
    QTextStream out(&r.out), err(&r.err);
    r.code = runCompanyTool(args, out, err);
    out.flush();
    err.flush();
    return r;
}

class CompanyTool : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(tool({"create", path_, "--name", "Demo Ltd."}).code, 0); }
    static void TearDownTestSuite() { dir_.reset(); }
    static int count(const QString& view, const QString& filter) {
        const ToolRun r = tool({"browse", path_, view, "--filter", filter});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        return int(r.rows().size());
    }
    static inline std::unique_ptr<QTemporaryDir> dir_ = std::make_unique<QTemporaryDir>();
    static inline QString path_ = dir_->filePath("demo.trovex");
};

TEST_F(CompanyTool, BrowsePrintsFieldNamesThenRecordsInKeyOrderBothWays) {
    const ToolRun r =
        tool({"browse", path_, "AR0037", "--order", "4", "--filter", "IDCUST=1200 AND SWPAID=0", "--limit", "5"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList header = r.out.section(u'\n', 0, 0).split(u'\t');
    EXPECT_EQ(header.front(), "IDCUST");
    ASSERT_EQ(r.rows().size(), 5);
    QString previous;
    for (const QString& line : r.rows()) {
        const QStringList cells = line.split(u'\t');
        ASSERT_EQ(cells.size(), header.size());
        EXPECT_EQ(cells[0] + cells[header.indexOf("SWPAID")], "1200False");
        EXPECT_LE(previous, cells[header.indexOf("DATEDUE")]);
        previous = cells[header.indexOf("DATEDUE")];
    }
    const QStringList every = tool({"browse", path_, "GL0001"}).rows();
    ASSERT_GT(every.size(), 40);
    const QString start = every[30].section(u'\t', 0, 0);
    const ToolRun down = tool({"browse", path_, "GL0001", "--desc", "--put", "ACCTFMTTD=" + start, "--limit", "3"});
    ASSERT_EQ(down.code, 0) << down.err.toStdString();
    EXPECT_EQ(down.rows(), (QStringList{every[30], every[29], every[28]}));
}

TEST_F(CompanyTool, MakesTheSameDemoCompanyEveryTimeWithWhatTheLookupsNeed) {
    const QString again = dir_->filePath("again.trovex");
    ASSERT_EQ(tool({"create", again, "--name", "Demo Ltd."}).code, 0);
    for (const QString& view : catalogueViewIds()) {
        EXPECT_EQ(tool({"browse", again, view}).out, tool({"browse", path_, view}).out) << view.toStdString();
        EXPECT_GT(count(view, ""), 12) << view.toStdString();  // enough to page
    }
    const int open = count("AR0036", "IDCUST=1200 AND SWPAID=0");
    EXPECT_GE(open, 24);
    EXPECT_LE(open, 60);
    EXPECT_GT(count("AR0036", "IDCUST=1200"), open);
    EXPECT_GE(count("AR0037", "IDCUST=1200 AND SWPAID=0"), open);
    EXPECT_GT(count("TX0001", "AUTHORITY = GST AND CLASSTYPE = 1 AND CLASSAXIS = 1"), 1);
    EXPECT_GT(count("TX0001", "AUTHORITY = GST AND CLASSTYPE = 1 AND CLASSAXIS = 2"), 1);
    const QString scaled = dir_->filePath("scaled.trovex");
    ASSERT_EQ(tool({"create", scaled, "--scale", "2500"}).code, 0);
    EXPECT_EQ(tool({"browse", scaled, "AR0036", "--filter", "SWPAID=0"}).rows().size(), 2500);
    // The views but the scheduled payments are made in a second file and
    // copied in with their index entries, while the payments' search index
    // is filled there from the records the company's file is still making
    // indexes for: every index must agree with the records, and the search
    // index must name each record by its own number. The
    // receivables are written in key order, which the searches along the
    // first key rely on: no record has a lower number than the one before.
    {
        const sqlite::Database file(scaled, sqlite::Database::Mode::ReadOnly);
        const std::pair<const char*, const char*> agree[] = {
            {"PRAGMA integrity_check", "ok"},
            {"SELECT count(*) FROM (SELECT trovex_rowid AS r, lag(trovex_rowid) OVER (ORDER BY IDINVC, IDCUST) AS p "
             "FROM AR0036) WHERE p > r",
             "0"},
            {"SELECT count(*) FROM (SELECT trovex_rowid AS r, lag(trovex_rowid) OVER (ORDER BY IDINVC, CNTPAYM, "
             "IDCUST) AS p FROM AR0037) WHERE p > r",
             "0"},
            {"SELECT group_concat(rowid) FROM AR0037_search WHERE AR0037_search MATCH 'IDINVC : \"0012\"'",
             "SELECT group_concat(r) FROM (SELECT trovex_rowid AS r FROM AR0037 WHERE instr(IDINVC, '0012') "
             "ORDER BY r)"},
            {"SELECT count(*) FROM AR0037_search WHERE AR0037_search MATCH 'IDCUSTPO : \"1234\"'",
             "SELECT count(*) FROM AR0037 WHERE instr(IDCUSTPO, '1234')"}};
        for (const auto& [sql, expected] : agree) {
            sqlite::Statement got(file, QString::fromUtf8(sql));
            ASSERT_TRUE(got.step()) << sql;
            QString want = QString::fromUtf8(expected);
            if (want.startsWith(QLatin1String("SELECT"))) {
                sqlite::Statement other(file, want);
                ASSERT_TRUE(other.step());
                want = other.columnText(0);
                EXPECT_FALSE(want.isEmpty() || want == "0") << expected;
            }
            EXPECT_EQ(got.columnText(0), want) << sql;
        }
    }
    // A build that fails on its second thread, in its first file or in
    // its last (after the first was copied in), leaves the company as it
    // was and nothing beside it.
    for (const char* blocked : {"scaled.trovex.building-others", "scaled.trovex.building-others-2"}) {
        QDir(dir_->path()).mkpath(QString::fromUtf8(blocked) + "/blocked");
        const ToolRun failed = tool({"create", scaled, "--scale", "3000"});
        EXPECT_EQ(failed.code, 1);
        EXPECT_TRUE(failed.err.contains(QString::fromUtf8(blocked).mid(14))) << failed.err.toStdString();
        EXPECT_EQ(tool({"browse", scaled, "AR0036", "--filter", "SWPAID=0"}).rows().size(), 2500);
        QDir(dir_->filePath(QString::fromUtf8(blocked))).removeRecursively();
        EXPECT_EQ(QDir(dir_->path()).entryList({"*building*"}), QStringList()) << blocked;
    }
}

// The program stopped with Ctrl+C or by a shutdown while it builds a
// company: it ends as the signal ends a program, and leaves neither the
// company nor any of its scratch files behind (an old company stays).
TEST_F(CompanyTool, AnInterruptedCreationLeavesNothingBehind) {
    const QString company = dir_->filePath("stopped.trovex");
    for (const int signal : {SIGINT, SIGTERM}) {
        QProcess p;
        p.start(TROVEX_COMPANY_APP, {"create", company, "--scale", "400000"});
        ASSERT_TRUE(p.waitForStarted());
        const QDeadlineTimer deadline(60'000);
        while (!QFile::exists(company + ".building-others") && !deadline.hasExpired()) QThread::msleep(10);
        ASSERT_FALSE(deadline.hasExpired()) << "the creation did not start building";
        ::kill(pid_t(p.processId()), signal);
        ASSERT_TRUE(p.waitForFinished(30'000));
        EXPECT_EQ(p.exitStatus(), QProcess::CrashExit) << p.readAllStandardError().toStdString();
        const QStringList left = QDir(dir_->path()).entryList({"stopped*"});
        EXPECT_TRUE(left.isEmpty()) << "signal " << signal << " left " << left.join(", ").toStdString();
    }
}

TEST_F(CompanyTool, ImportReportsBadLinesAndFailsAsAWhole) {
    const QString csv = dir_->filePath("bad.csv");
    write(csv, "EMPLOYEE,HIREDATE\nE1,2024-01-01\nE2,someday\n");
    const int before = count("CP0014", "");
    const ToolRun r = tool({"import", path_, "CP0014", csv});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("line 3")) << r.err.toStdString();
    EXPECT_EQ(count("CP0014", ""), before);
}

TEST_F(CompanyTool, MistakesExitWithOneAndSayWhyOnStandardError) {
    // clang-format off
    const std::pair<QStringList, const char*> mistakes[] = {
        {{}, "usage"}, {{"frobnicate"}, "frobnicate"}, {{"browse", path_, "GL0001", "--sideways"}, "--sideways"},
        {{"browse", path_, "GL0001", "--order"}, "--order"}, {{"browse", path_, "XX0001"}, "XX0001"},
        {{"browse", path_, "GL0001", "--limit", "many"}, "--limit"},
        {{"browse", path_, "AR0036", "--order", "3"}, "key 3"},
        {{"browse", path_, "AR0036", "--filter", "NOSUCH = 1"}, "NOSUCH"},
        {{"browse", path_, "AR0036", "--put", "IDINVC"}, "FIELD=VALUE"},
        {{"browse", "/nonexistent/x.trovex", "AR0036"}, "x.trovex"},
        {{"import", "/nonexistent/x.trovex", "AR0036", "x.csv"}, "does not exist"},
        {{"reindex", "/nonexistent/x.trovex"}, "does not exist"}, {{"reindex", "/tmp"}, "is a folder"}};
    // clang-format on
    for (const auto& [args, says] : mistakes) {
        const ToolRun r = tool(args);
        EXPECT_EQ(r.code, 1) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(says))) << r.err.toStdString();
    }
}

class CsvImport : public ::testing::Test {
protected:
    ImportResult import(const QString& view, const QByteArray& text) {
        write(company_.path() + ".csv", text);
        return importCsv(company_.path(), view, company_.path() + ".csv");
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

    // The file's tables and indexes as SQLite keeps them: an import brings
    // back every index it set aside, as it was.
    QStringList schema() {
        const sqlite::Database file(company_.path(), sqlite::Database::Mode::ReadOnly);
        sqlite::Statement rows(file, QStringLiteral("SELECT type, name, sql FROM sqlite_schema ORDER BY name"));
        QStringList out;
        while (rows.step()) out << rows.columnText(0) + u' ' + rows.columnText(1) + u' ' + rows.columnText(2);
        return out;
    }

    // The records of a view whose search index holds `run`, by number.
    QString searchFinds(const QString& viewId, const QString& run) {
        const sqlite::Database file(company_.path(), sqlite::Database::Mode::ReadOnly);
        sqlite::Statement found(file, QStringLiteral("SELECT group_concat(rowid) FROM \"%1_search\" "
                                                     "WHERE \"%1_search\" MATCH ?1")
                                          .arg(viewId));
        found.bindText(1, '"' + filter::foldedText(run.toStdString()) + '"');
        found.step();
        return found.columnText(0);
    }

    testsupport::TestCompany company_;
};

TEST_F(CsvImport, ReadsQuotedFieldsAndValuesAsWritten) {
    const QStringList tables = schema();
    ImportResult r = import("AR0015",
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
    r = import("AR0037",
               "IDCUST,IDINVC,CNTPAYM,DATEDUE,AMTPYMRMTC,SWPAID,TXTTRXTYPE\n"
               "1200,IN1,2,2024-02-29,-12.5,1,3\n"
               "1200,IN2,1,,0.001,False,1\n");
    ASSERT_TRUE(r.problems.isEmpty()) << r.problems.join("; ").toStdString();
    EXPECT_EQ(records("AR0037", {"IDINVC", "CNTPAYM", "DATEDUE", "AMTPYMRMTC", "SWPAID", "TXTTRXTYPE"}),
              (QStringList{"IN1\t2\t2024-02-29\t-12.5\tTrue\t3", "IN2\t1\t\t0.001\tFalse\t1"}));
    EXPECT_EQ(schema(), tables);
    // The search index names the records as numbered, whether they came in
    // key order or had to be sorted first: the first key (IDINVC, CNTPAYM,
    // IDCUST) orders texts byte by byte, a text before the longer ones it
    // begins, and numbers by value, also for a record out of order behind
    // thousands in order.
    QByteArray late = "IDCUST,IDINVC,CNTPAYM,IDCUSTPO\n";
    for (int i = 1; i <= 3000; ++i)
        late += QStringLiteral("1200,DOC%1,1,po-%1\n").arg(i, 4, 10, QLatin1Char('0')).toUtf8();
    late += "1200,DOC0000,1,Po-Two\n";
    const struct {
        QByteArray text;
        const char* two;
        const char* in1;
    } orders[] = {
        {"IDCUST,IDINVC,CNTPAYM,IDCUSTPO\n1200,IN1,1,po-one\n1200,IN2,1,Po-Two\n1200,IN3,1,\"PO, three\"\n", "2", "1"},
        {"IDCUST,IDINVC,CNTPAYM,IDCUSTPO\n1200,IN3,1,\"PO, three\"\n1200,IN2,1,Po-Two\n1200,IN1,1,po-one\n", "2", "1"},
        {"IDCUST,IDINVC,CNTPAYM,IDCUSTPO\n1200,IN3,1,po-one\n1200,IN4,1,PO-TWO\n", "2", ""},
        {"IDCUST,IDINVC,CNTPAYM,IDCUSTPO\n1200,IN1,10,po-one\n1200,IN1,2,Po-Two\n", "1", "1,2"},
        {"IDCUST,IDINVC,CNTPAYM,IDCUSTPO\n1200,in1,1,po-one\n1200,IN2,1,Po-Two\n", "1", "2"},
        {"IDCUST,IDINVC,CNTPAYM,IDCUSTPO\n1200,IN10,1,po-one\n1200,IN1,1,Po-Two\n", "1", "1,2"},
        {late, "1", ""}};
    for (const auto& [text, two, in1] : orders) {
        r = import("AR0037", text);
        ASSERT_TRUE(r.problems.isEmpty()) << r.problems.join("; ").toStdString();
        EXPECT_EQ(searchFinds("AR0037", "po-two"), two) << text.left(200).toStdString();
        EXPECT_EQ(searchFinds("AR0037", "IN1"), in1) << text.left(200).toStdString();
    }
    EXPECT_EQ(schema(), tables);
}

TEST_F(CsvImport, BadRecordsAreReportedByLineAndNothingIsLoaded) {
    const QStringList before = records("AR0015", {"IDDIST", "TEXTDESC"});
    const QStringList tables = schema();
    const std::pair<QByteArray, QStringList> files[] = {
        {"IDDIST,NOSUCH\nA1,x\n", {"line 1"}},                          // unknown field
        {"IDDIST,IDDIST\nA1,A2\n", {"line 1"}},                         // field named twice
        {"IDDIST,\tTEXTDESC\nA1,x\n", {"line 1"}},                      // a tab is not a blank
        {"IDDIST,TEXTDESC\nA1,x\nA2\nA3,y,z\n", {"line 3", "line 4"}},  // wrong field counts
        {"IDDIST,TEXTDESC\nA1,x\nA2,y\nA1,z\n", {"line 4"}},            // duplicate key
        {"IDDIST,TEXTDESC\nTOOLONGCODE,x\n", {"line 2"}},
        {"IDDIST,DATELASTMN,DISCPCT\nA1,2024-13-01,1\nA2,2024-01-01,one\n", {"line 2", "line 3"}},
        {"IDDIST,TEXTDESC\nA1,\"a\nb\nc\"\nA2,\"x\"y\n", {"line 5"}},  // lines counted inside quotes
        {"IDDIST,TEXTDESC\nA1,x\nA2,\"open\n", {"line 3"}},            // quote never closed
        {"", {"line 1"}}};                                             // no header
    for (const auto& [text, lines] : files) {
        const ImportResult r = import("AR0015", text);
        EXPECT_EQ(r.rows, 0);
        QStringList got;
        for (const QString& p : r.problems) got << p.section(u':', 0, 0);
        EXPECT_EQ(got, lines) << r.problems.join("; ").toStdString();
        EXPECT_EQ(records("AR0015", {"IDDIST", "TEXTDESC"}), before);
        EXPECT_EQ(schema(), tables);
    }
    // A key repeated in a view whose indexes are made again after loading.
    const ImportResult r = import("AR0037", "IDCUST,IDINVC,CNTPAYM\n1200,IN1,1\n1200,IN2,1\n1200,IN1,1\n");
    EXPECT_EQ(r.problems.value(0).section(u':', 0, 0), "line 4") << r.problems.join("; ").toStdString();
    EXPECT_EQ(schema(), tables);
    EXPECT_THROW(import("XX0001", "A\n1\n"), AccpacError);
    EXPECT_THROW(importCsv(company_.path(), "AR0015", company_.path() + ".missing.csv"), AccpacError);
}

// Values the view cannot hold are refused by line and field, and the view
// keeps the records it had: bytes that are not UTF-8 (which would reach a
// key as a replacement character), codes outside a coded field's list (which
// would show as an empty cell), numbers and dates out of range or malformed.
TEST_F(CsvImport, RefusedValuesNameTheirLineAndField) {
    // clang-format off
    const struct { const char* view; QByteArray text; const char* line; const char* field; } cases[] = {
        {"AR0015", "IDDIST,TEXTDESC\nA1,x\nA\xFF,y\n", "line 3", "IDDIST"},
        {"AR0015", "IDDIST,TEXTDESC\nA1,\"two\nlines, one\"\nA2,over\xC0\xAFlong\n", "line 4", "TEXTDESC"},
        {"AR0015", "IDDIST,TEXTDESC\nA1,\xED\xA0\x80surrogate\n", "line 2", "TEXTDESC"},
        {"AR0015", "IDDIST,TEXTDESC\nA1,cut \xE2\x82\n", "line 2", "TEXTDESC"},
        {"AR0015", "IDDIST,TEXT\xF5\x80\x80\x80" "DESC\nA1,x\n", "line 1", "field 2"},
        {"AR0036", "IDCUST,IDINVC,TRXTYPEID\n1200,N1,11\n1200,N2,32767\n", "line 3", "TRXTYPEID"},
        {"AR0036", "IDCUST,IDINVC,TRXTYPETXT\n1200,N1,0\n", "line 2", "TRXTYPETXT"},
        {"GL0001", "ACCTID,ACCTTYPE\n1000,B\n2000,X\n", "line 3", "ACCTTYPE"},
        {"AR0037", "IDCUST,IDINVC,CNTPAYM\n1200,N1,40000\n", "line 2", "CNTPAYM"},
        {"AR0037", "IDCUST,IDINVC,CNTPAYM\n1200,N1,1.5\n", "line 2", "CNTPAYM"},
        {"AR0036", "IDCUST,IDINVC,DATEDUE\n1200,N1,2024-02-30\n", "line 2", "DATEDUE"},
        {"AR0036", "IDCUST,IDINVC,DATEDUE\n1200,N1,0000-01-01\n", "line 2", "DATEDUE"},
        {"AR0036", "IDCUST,IDINVC,DATEDUE\n1200,N1,12024-01-01\n", "line 2", "DATEDUE"},
        {"AR0036", "IDCUST,IDINVC,AMTDUETC\n1200,N1,99999999999999999999\n", "line 2", "AMTDUETC"},
        {"AR0036", "IDCUST,IDINVC,AMTDUETC\n1200,N1,1e5\n", "line 2", "AMTDUETC"},
        {"AR0036", "IDCUST,IDINVC,AMTDUETC\n1200,N1,--1\n", "line 2", "AMTDUETC"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const QStringList fields = {"IDDIST", "IDINVC", "ACCTID", "TEXTDESC", "ACCTTYPE", "TRXTYPEID"};
        QStringList own;
        for (const QString& f : fields)
            if (company_.open()->OpenView(c.view, QString(c.view).left(2))->Fields().find(f)) own << f;
        const QStringList before = records(c.view, own);
        const ImportResult r = import(c.view, c.text);
        EXPECT_EQ(r.rows, 0);
        ASSERT_EQ(r.problems.size(), 1) << r.problems.join("; ").toStdString();
        EXPECT_EQ(r.problems.front().section(QRegularExpression("[:,]"), 0, 0), c.line)
            << r.problems.front().toStdString();
        EXPECT_TRUE(r.problems.front().contains(QLatin1String(c.field))) << r.problems.front().toStdString();
        EXPECT_EQ(records(c.view, own), before);
    }
}

}  // namespace

// The import reads the forms an export writes straight from the bytes: for
// every field of every view, each text is stored as the field's own
// conversion stores it, or refused in its words.
TEST(CsvValues, StoreWhatTheFieldsOwnConversionStores) {
    // clang-format off
    const char* const texts[] = {
        "", "0", "-0", "1", "-1", "007", "12", "-12.5", "0.001", "1.5", "1.50", "1.234567", "-.5", ".5", "5.", "1.-5",
        "-", "1e5", "+3", " 4", "32767", "32768", "-32769", "2147483648", "99999999999999999", "123456789012345678",
        "9999999999999999999", "True", "False", "true", "2", "2024-02-29", "2023-02-29", "0000-01-01", "2024-1-01",
        "A", "B", "X", "L", "Ab", "\xC3\xA9", "thirty-one characters of a text", "o\"k"};
    // clang-format on
    for (const sqlite::ViewDef& view : sqlite::catalogue()) {
        for (const FieldDef& def : view.fields) {
            const sqlite::CsvValue value(def);
            for (const char* text : texts) {
                SCOPED_TRACE(QStringLiteral("%1.%2 \"%3\"").arg(view.id, def.name, text).toStdString());
                std::int64_t number = -7;
                std::string stored;
                const QString problem = value.convert(text, number, stored);
                const QString shown = QString::fromUtf8(text);
                QString expected;
                sqlite::Stored expectedStored;
                try {
                    const Variant v = convertText(def, shown);
                    expected = sqlite::codeProblem(def, v);
                    if (expected.isEmpty()) expectedStored = sqlite::toStored(def, v);
                } catch (const AccpacError& e) {
                    expected = e.description();
                }
                if (def.type == FieldType::String && shown.size() > def.size) {
                    EXPECT_TRUE(problem.contains(QStringLiteral("at most"))) << problem.toStdString();
                } else {
                    EXPECT_EQ(problem, expected);
                }
                if (!problem.isEmpty()) continue;
                if (value.storesText())
                    EXPECT_EQ(stored, std::get<QByteArray>(expectedStored).toStdString());
                else
                    EXPECT_EQ(number, std::get<std::int64_t>(expectedStored));
            }
        }
    }
}
