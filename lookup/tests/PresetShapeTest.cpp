// Each preset end to end over the test company: the window's caption, the
// columns the engine was given and the grid shows (field, width, alignment,
// header text), the standing filter, the result columns, and what a
// selection of the first row hands back to the properties.
#include <gtest/gtest.h>

#include "LookupRig.h"
#include "TestSession.h"
#include "accpac/Blanks.h"
#include "lookup/MethodCalls.h"
#include "lookup/Trovex.h"

namespace lookup::tests {
namespace {

struct PresetCase {
    std::string name;
    QStringList call;  // method name and its own arguments
    QString caption;
    QString viewId;        // for the header texts
    std::string columns;   // "FIELD WIDTH L|R" joined by ", "
    QString prepare;       // FinderPrepare as the first load used it
    QString resultFields;  // ResultField1..3 joined by ","
    int handsBack = 2;     // Result1 only (1), 1..2 (2), 1..3 (3)
};

void PrintTo(const PresetCase& c, std::ostream* os) { *os << c.name; }

const QString A = CompanyName;      // caption form A: company first
const QString B = TitleAndCompany;  // caption form B: application title first
const QString Unpaid1200 = QStringLiteral("IDCUST=1200 AND SWPAID=0");

const std::string DocumentDetails =
    ", DATEDUE 1100 L, TRXTYPEID 2300 L, TRXTYPETXT 1400 L, DATEINVC 1500 L, DATEDISC 1500 L, AMTDUETC 2200 R, "
    "AMTDISCTC 2400 R, SWPAID 900 L, IDPREPAID 1600 L";
const std::string ByInvoice = "IDINVC 2200 L, IDRMIT 1500 L, IDORDERNBR 1700 L, IDCUSTPO 1500 L";
const std::string TaxGroups8 =
    "GROUPID 1500 L, DESC 2100 L, SRCCURN 1500 L, AUTHORITY1 1500 L, AUTHORITY2 1500 L, AUTHORITY3 1500 L, "
    "AUTHORITY4 1500 L, AUTHORITY5 1500 L";
const std::string TaxClasses = "CLASS 1100 R, DESC 2100 L, EXEMPT 1500 L";
const std::string SegmentCodes = "SEGVAL 1500 L, SEGVALDESC 3000 L, ACCTRETERN 1500 L";

// The rows of one group share their view, filter and result columns.
PresetCase documents(const char* name, const char* index, const std::string& identifiers) {
    return {name,     {"FindAP_Documents", "1200", index}, B + " - Sage Accpac Documents",
            "AR0036", identifiers + DocumentDetails,       Unpaid1200,
            "0,1,"};
}

PresetCase payments(const char* name, const char* index, const char* order, const std::string& columns) {
    return {name,
            {"FindAP_OrderByInfo", index, "1200"},
            B + " - Sage Accpac Document Sched. Payment (" + order + ")",
            "AR0037",
            columns,
            Unpaid1200,
            "0,1,"};
}

PresetCase master(const char* name, QStringList call, const QString& caption, const char* viewId,
                  const std::string& columns, const char* prepare, const char* resultFields = "0,1,",
                  int handsBack = 2) {
    return {name, call, caption, viewId, columns, prepare, resultFields, handsBack};
}

const PresetCase Cases[] = {
    master("Employee", {"FindAP_Employee"}, A + " - Sage Accpac Employees", "CP0014",
           "EMPLOYEE 1500 L, FULLNAME 2000 L, LASTNAME 1500 L, FIRSTNAME 1500 L, ADDRESS1 2500 L, CITY 1500 L, "
           "POSITION 1000 L, HIREDATE 1000 L, PARTTIME 1000 L, PAYFREQ 1000 L",
           "STATUS=1"),
    master("GLSegmentCode_OneSegment", {"FindAP_GLSegmentCode", " 000002 "}, A + " - Sage Accpac GL Segment Codes",
           "GL0021", SegmentCodes, "IDSEG = \"000002\""),
    master("GLSegmentCode_AllSegments", {"FindAP_GLSegmentCode", "  "}, A + " - Sage Accpac GL Segment Codes", "GL0021",
           SegmentCodes, ""),
    master("EarningDeduction", {"FindAP_EarningDeduction"}, A + " - Sage Accpac Earning/Deduction Codes", "CP0007",
           "EARNDED 1500 L, LONGDESC 2000 L, CATEGORY 1000 L, EARDEDTYPE 1500 L", "INACTIVE=0"),
    master("BankDeposits", {"FindAP_BankDeposits"}, B + " - Sage Accpac Bank Deposits", "BK0420",
           "BANK 1200 L, DEPOSIT 1700 R, REFERENCE 2500 L, COMMENT 2500 L, DEPDATE 1500 L, FSCYEAR 1200 L, "
           "FSCPERIOD 1200 L, PRINTED 1200 L, TOTDEPOSIT 1900 R, TOTTRANSIT 1900 R, TOTCLEARED 1900 R, STATUS 1200 L",
           "STATUS = 1"),
    payments("OrderByInfo_0_DocumentNumber", "0", "Document Number", "IDINVC 2500 L, CNTPAYM 1500 L, IDRMIT 1500 L"),
    payments("OrderByInfo_1_PoNumber", "1", "PO Number", "IDCUSTPO 1500 L, IDINVC 2500 L, CNTPAYM 1500 R"),
    payments("OrderByInfo_2_DueDate", "2", "Due Date", "DATEDUE 1500 L, IDINVC 2500 L, CNTPAYM 1500 L"),
    payments("OrderByInfo_3_OrderNumber", "3", "Order Number", "IDORDRNBR 1900 L, IDINVC 2500 L, CNTPAYM 1500 L"),
    payments("OrderByInfo_4_DocumentDate", "4", "Document Date", "DATEINVC 1500 L, IDINVC 2500 L, CNTPAYM 1500 L"),
    payments("OrderByInfo_5_CurrentBalance", "5", "Current Balance",
             "AMTPYMRMTC 1500 R, AMTDUETC 1500 R, DATEDUE 1500 L, IDINVC 2500 L, CNTPAYM 1500 L"),
    master("TaxClass_Customer", {"FindAP_TaxClass", "GST", "true"}, B + " - Sage Accpac Customer Tax Classes for GST",
           "TX0001", TaxClasses, "AUTHORITY = GST AND CLASSTYPE = 1 AND CLASSAXIS = 1"),
    master("TaxClass_ItemWhenOmitted", {"FindAP_TaxClass", "HST"}, B + " - Sage Accpac Item Tax Classes for HST",
           "TX0001", TaxClasses, "AUTHORITY = HST AND CLASSTYPE = 1 AND CLASSAXIS = 2"),
    master("TaxGroups_EightColumns", {"FindAP_TaxGroups", "1200"}, B + " - Sage Accpac Tax Groups", "TX0003",
           TaxGroups8, "TTYPE=1"),
    master("TaxGroups_DocumentTaxAddsTwo", {"FindAP_TaxGroups", "", "-1"}, B + " - Sage Accpac Tax Groups", "TX0003",
           TaxGroups8 + ", CALCMETHOD 1900 L, LASTMAINT 1300 L", "TTYPE=1"),
    documents("Documents_0_DocumentNumber", "0", ByInvoice),
    documents("Documents_1_PoNumber", "1", "IDCUSTPO 1500 L, IDINVC 2200 L, IDRMIT 1500 L, IDORDERNBR 1700 L"),
    documents("Documents_2_OrderNumber", "2", "IDORDERNBR 1700 L, IDINVC 2200 L, IDRMIT 1500 L, IDCUSTPO 1500 L"),
    documents("Documents_7_LikeZero", "7", ByInvoice),
    documents("Documents_Minus1_LikeZero", "-1", ByInvoice),
    master("DocNum", {"FindAP_DocNum", "1200"}, B + " - Sage Accpac Document Sched. Payments", "AR0037",
           "IDINVC 2200 L, CNTPAYM 2000 L, DATEDUE 1500 L, DATEDISC 1500 L, AMTDUETC 1500 L, AMTDSCRMTC 1500 L, "
           "AMTPYMRMTC 1500 L, TXTTRXTYPE 1500 L, DATEINVC 1500 L",
           "IDCUST=1200 AND SWPAID=0", "0,1,", 1),
    master("Accounts", {"FindAP_Accounts"}, B + " - Sage Accpac General Ledger Accounts", "GL0001",
           "ACCTFMTTD 1500 L, ACCTDESC 2700 L, ACTIVESW 900 L, ACCTTYPE 1300 L, ABRKID 1400 L, ALLOCSW 1900 L, "
           "QTYSW 1500 L, UOM 1500 L",
           ""),
    master("DistributionCodes", {"FindAP_DistributionCodes"}, B + " - Sage Accpac Distribution Codes", "AR0015",
           "IDDIST 1500 L, TEXTDESC 2700 L, SWACTV 900 L, IDACCTREV 1300 L, IDACCTINV 1400 L, IDACCTCOGS 1900 L", "",
           "0,1,3", 3),
};

QString describeColumns(const std::vector<engine::FinderCol>& columns) {
    QStringList parts;
    for (const engine::FinderCol& c : columns)
        parts << QStringLiteral("%1 %2 %3").arg(c.fieldname).arg(c.ColWidth).arg(c.Alignment == 7 ? "R" : "L");
    return parts.join(QStringLiteral(", "));
}

class PresetShape : public ::testing::TestWithParam<PresetCase> {};

TEST_P(PresetShape, ShowsItsColumnsUnderItsFilterAndHandsBackTheSelectedRow) {
    const PresetCase& c = GetParam();
    Trovex trovex;
    trovex.setResult1(QStringLiteral("before 1"));
    trovex.setResult2(QStringLiteral("before 2"));
    trovex.setResult3(QStringLiteral("before 3"));
    const MethodCall call = parseCall(c.call);

    const LookupRun run = runLookup([&] { call.invoke(trovex, testSession(), QStringLiteral("LookupTests"), 0); },
                                    QStringLiteral("dblclick row 1"));

    ASSERT_EQ(run.failure, QString());
    ASSERT_EQ(run.windows.size(), 1u);
    EXPECT_TRUE(run.boxes.empty()) << run.boxes.front().text.toStdString();
    const WindowSnapshot& w = run.windows.front();
    EXPECT_EQ(w.caption, c.caption);
    EXPECT_EQ(describeColumns(w.columns), QString::fromStdString(c.columns));
    EXPECT_EQ(w.finderPrepare, c.prepare);
    EXPECT_EQ(w.currentFilter, c.prepare) << "the first load runs under the standing filter alone";
    EXPECT_EQ(QStringList({w.resultField1, w.resultField2, w.resultField3}).join(u','), c.resultFields);

    // The grid shows the declared columns: the fields' own descriptions as
    // headers, the declared widths (automatic widths are off) and alignments.
    const auto view = testSession()->OpenView(c.viewId, c.viewId.left(2));
    ASSERT_EQ(w.headers.size(), qsizetype(w.columns.size()));
    for (std::size_t i = 0; i < w.columns.size(); ++i) {
        EXPECT_EQ(w.headers[qsizetype(i)], view->Fields().Item(w.columns[i].fieldname).Description()) << i;
        EXPECT_EQ(w.widths[i], double(w.columns[i].ColWidth)) << i;
        EXPECT_EQ(w.alignments[i], w.columns[i].Alignment) << i;
    }

    // The first row comes back: non-empty cells trimmed, empty ones leave the
    // property alone, and only the results the preset hands back are touched.
    ASSERT_FALSE(w.rows.empty());
    const QStringList& row = w.rows.front();
    ASSERT_FALSE(row.join(QString()).isEmpty()) << "the test company has records for every preset";
    const auto expected = [&](int handedBack, int column, const char* before) {
        return c.handsBack >= handedBack && !row[column].isEmpty() ? accpac::trimBlanks(row[column])
                                                                   : QString::fromLatin1(before);
    };
    EXPECT_EQ(trovex.Result1(), expected(1, 0, "before 1"));
    EXPECT_EQ(trovex.Result2(), expected(2, 1, "before 2"));
    EXPECT_EQ(trovex.Result3(), expected(3, 3, "before 3"));
}

INSTANTIATE_TEST_SUITE_P(EveryPreset, PresetShape, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace lookup::tests
