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
    const char* name;
    QStringList call;  // method name and its own arguments
    QString caption;
    const char* viewId;        // for the header texts
    const char* columns;       // "FIELD WIDTH L|R" joined by ", "
    QString prepare;           // FinderPrepare as the first load used it
    const char* resultFields;  // ResultField1..3 joined by ","
    int handsBack;             // Result1 only (1), 1..2 (2), 1..3 (3)
};

void PrintTo(const PresetCase& c, std::ostream* os) { *os << c.name; }

const QString A = CompanyName;      // caption form A: company first
const QString B = TitleAndCompany;  // caption form B: application title first
const QString Unpaid1200 = QStringLiteral("IDCUST=1200 AND SWPAID=0");

const char* const DocumentDetails =
    "DATEDUE 1100 L, TRXTYPEID 2300 L, TRXTYPETXT 1400 L, DATEINVC 1500 L, DATEDISC 1500 L, AMTDUETC 2200 R, "
    "AMTDISCTC 2400 R, SWPAID 900 L, IDPREPAID 1600 L";
const char* const ByInvoice = "IDINVC 2200 L, IDRMIT 1500 L, IDORDERNBR 1700 L, IDCUSTPO 1500 L, ";
const char* const TaxGroups8 =
    "GROUPID 1500 L, DESC 2100 L, SRCCURN 1500 L, AUTHORITY1 1500 L, AUTHORITY2 1500 L, AUTHORITY3 1500 L, "
    "AUTHORITY4 1500 L, AUTHORITY5 1500 L";

std::string joined(const char* a, const char* b) { return std::string(a) + b; }

const std::string DocumentsBy0 = joined(ByInvoice, DocumentDetails);
const std::string DocumentsBy1 =
    joined("IDCUSTPO 1500 L, IDINVC 2200 L, IDRMIT 1500 L, IDORDERNBR 1700 L, ", DocumentDetails);
const std::string DocumentsBy2 =
    joined("IDORDERNBR 1700 L, IDINVC 2200 L, IDRMIT 1500 L, IDCUSTPO 1500 L, ", DocumentDetails);
const std::string TaxGroups10 = joined(TaxGroups8, ", CALCMETHOD 1900 L, LASTMAINT 1300 L");

const PresetCase Cases[] = {
    {"Employee",
     {"FindAP_Employee"},
     A + " - Sage Accpac Employees",
     "CP0014",
     "EMPLOYEE 1500 L, FULLNAME 2000 L, LASTNAME 1500 L, FIRSTNAME 1500 L, ADDRESS1 2500 L, CITY 1500 L, "
     "POSITION 1000 L, HIREDATE 1000 L, PARTTIME 1000 L, PAYFREQ 1000 L",
     "STATUS=1",
     "0,1,",
     2},
    {"GLSegmentCode_OneSegment",
     {"FindAP_GLSegmentCode", " 000002 "},
     A + " - Sage Accpac GL Segment Codes",
     "GL0021",
     "SEGVAL 1500 L, SEGVALDESC 3000 L, ACCTRETERN 1500 L",
     "IDSEG = \"000002\"",
     "0,1,",
     2},
    {"GLSegmentCode_AllSegments",
     {"FindAP_GLSegmentCode", "  "},
     A + " - Sage Accpac GL Segment Codes",
     "GL0021",
     "SEGVAL 1500 L, SEGVALDESC 3000 L, ACCTRETERN 1500 L",
     "",
     "0,1,",
     2},
    {"EarningDeduction",
     {"FindAP_EarningDeduction"},
     A + " - Sage Accpac Earning/Deduction Codes",
     "CP0007",
     "EARNDED 1500 L, LONGDESC 2000 L, CATEGORY 1000 L, EARDEDTYPE 1500 L",
     "INACTIVE=0",
     "0,1,",
     2},
    {"BankDeposits",
     {"FindAP_BankDeposits"},
     B + " - Sage Accpac Bank Deposits",
     "BK0420",
     "BANK 1200 L, DEPOSIT 1700 R, REFERENCE 2500 L, COMMENT 2500 L, DEPDATE 1500 L, FSCYEAR 1200 L, "
     "FSCPERIOD 1200 L, PRINTED 1200 L, TOTDEPOSIT 1900 R, TOTTRANSIT 1900 R, TOTCLEARED 1900 R, STATUS 1200 L",
     "STATUS = 1",
     "0,1,",
     2},
    {"OrderByInfo_0_DocumentNumber",
     {"FindAP_OrderByInfo", "0", "1200"},
     B + " - Sage Accpac Document Sched. Payment (Document Number)",
     "AR0037",
     "IDINVC 2500 L, CNTPAYM 1500 L, IDRMIT 1500 L",
     Unpaid1200,
     "0,1,",
     2},
    {"OrderByInfo_1_PoNumber",
     {"FindAP_OrderByInfo", "1", "1200"},
     B + " - Sage Accpac Document Sched. Payment (PO Number)",
     "AR0037",
     "IDCUSTPO 1500 L, IDINVC 2500 L, CNTPAYM 1500 R",
     Unpaid1200,
     "0,1,",
     2},
    {"OrderByInfo_2_DueDate",
     {"FindAP_OrderByInfo", "2", "1200"},
     B + " - Sage Accpac Document Sched. Payment (Due Date)",
     "AR0037",
     "DATEDUE 1500 L, IDINVC 2500 L, CNTPAYM 1500 L",
     Unpaid1200,
     "0,1,",
     2},
    {"OrderByInfo_3_OrderNumber",
     {"FindAP_OrderByInfo", "3", "1200"},
     B + " - Sage Accpac Document Sched. Payment (Order Number)",
     "AR0037",
     "IDORDRNBR 1900 L, IDINVC 2500 L, CNTPAYM 1500 L",
     Unpaid1200,
     "0,1,",
     2},
    {"OrderByInfo_4_DocumentDate",
     {"FindAP_OrderByInfo", "4", "1200"},
     B + " - Sage Accpac Document Sched. Payment (Document Date)",
     "AR0037",
     "DATEINVC 1500 L, IDINVC 2500 L, CNTPAYM 1500 L",
     Unpaid1200,
     "0,1,",
     2},
    {"OrderByInfo_5_CurrentBalance",
     {"FindAP_OrderByInfo", "5", "1200"},
     B + " - Sage Accpac Document Sched. Payment (Current Balance)",
     "AR0037",
     "AMTPYMRMTC 1500 R, AMTDUETC 1500 R, DATEDUE 1500 L, IDINVC 2500 L, CNTPAYM 1500 L",
     Unpaid1200,
     "0,1,",
     2},
    {"TaxClass_Customer",
     {"FindAP_TaxClass", "GST", "true"},
     B + " - Sage Accpac Customer Tax Classes for GST",
     "TX0001",
     "CLASS 1100 R, DESC 2100 L, EXEMPT 1500 L",
     "AUTHORITY = GST AND CLASSTYPE = 1 AND CLASSAXIS = 1",
     "0,1,",
     2},
    {"TaxClass_ItemWhenOmitted",
     {"FindAP_TaxClass", "HST"},
     B + " - Sage Accpac Item Tax Classes for HST",
     "TX0001",
     "CLASS 1100 R, DESC 2100 L, EXEMPT 1500 L",
     "AUTHORITY = HST AND CLASSTYPE = 1 AND CLASSAXIS = 2",
     "0,1,",
     2},
    {"TaxGroups_EightColumns",
     {"FindAP_TaxGroups", "1200"},
     B + " - Sage Accpac Tax Groups",
     "TX0003",
     TaxGroups8,
     "TTYPE=1",
     "0,1,",
     2},
    {"TaxGroups_DocumentTaxAddsTwo",
     {"FindAP_TaxGroups", "", "-1"},
     B + " - Sage Accpac Tax Groups",
     "TX0003",
     TaxGroups10.c_str(),
     "TTYPE=1",
     "0,1,",
     2},
    {"Documents_0_DocumentNumber",
     {"FindAP_Documents", "1200", "0"},
     B + " - Sage Accpac Documents",
     "AR0036",
     DocumentsBy0.c_str(),
     Unpaid1200,
     "0,1,",
     2},
    {"Documents_1_PoNumber",
     {"FindAP_Documents", "1200", "1"},
     B + " - Sage Accpac Documents",
     "AR0036",
     DocumentsBy1.c_str(),
     Unpaid1200,
     "0,1,",
     2},
    {"Documents_2_OrderNumber",
     {"FindAP_Documents", "1200", "2"},
     B + " - Sage Accpac Documents",
     "AR0036",
     DocumentsBy2.c_str(),
     Unpaid1200,
     "0,1,",
     2},
    {"Documents_7_LikeZero",
     {"FindAP_Documents", "1200", "7"},
     B + " - Sage Accpac Documents",
     "AR0036",
     DocumentsBy0.c_str(),
     Unpaid1200,
     "0,1,",
     2},
    {"Documents_Minus1_LikeZero",
     {"FindAP_Documents", "1200", "-1"},
     B + " - Sage Accpac Documents",
     "AR0036",
     DocumentsBy0.c_str(),
     Unpaid1200,
     "0,1,",
     2},
    {"DocNum",
     {"FindAP_DocNum", "1200"},
     B + " - Sage Accpac Document Sched. Payments",
     "AR0037",
     "IDINVC 2200 L, CNTPAYM 2000 L, DATEDUE 1500 L, DATEDISC 1500 L, AMTDUETC 1500 L, AMTDSCRMTC 1500 L, "
     "AMTPYMRMTC 1500 L, TXTTRXTYPE 1500 L, DATEINVC 1500 L",
     Unpaid1200,
     "0,1,",
     1},
    {"Accounts",
     {"FindAP_Accounts"},
     B + " - Sage Accpac General Ledger Accounts",
     "GL0001",
     "ACCTFMTTD 1500 L, ACCTDESC 2700 L, ACTIVESW 900 L, ACCTTYPE 1300 L, ABRKID 1400 L, ALLOCSW 1900 L, "
     "QTYSW 1500 L, UOM 1500 L",
     "",
     "0,1,",
     2},
    {"DistributionCodes",
     {"FindAP_DistributionCodes"},
     B + " - Sage Accpac Distribution Codes",
     "AR0015",
     "IDDIST 1500 L, TEXTDESC 2700 L, SWACTV 900 L, IDACCTREV 1300 L, IDACCTINV 1400 L, IDACCTCOGS 1900 L",
     "",
     "0,1,3",
     3},
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
    EXPECT_EQ(describeColumns(w.columns), QString::fromLatin1(c.columns));
    EXPECT_EQ(w.finderPrepare, c.prepare);
    EXPECT_EQ(w.currentFilter, c.prepare) << "the first load runs under the standing filter alone";
    EXPECT_EQ(QStringList({w.resultField1, w.resultField2, w.resultField3}).join(u','),
              QString::fromLatin1(c.resultFields));

    // The grid shows the declared columns: the fields' own descriptions as
    // headers, the declared widths (automatic widths are off) and alignments.
    const auto view = testSession()->OpenView(QString::fromLatin1(c.viewId), QString::fromLatin1(c.viewId).left(2));
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
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lookup::tests
