// Each preset end to end over the test company: caption, columns (fields,
// header texts, alignments, some telling widths), the filter of the first
// load, the starting text, and what a selection hands back to the result
// properties. The document lookups show, from first batch to last, exactly
// customer 1200's unpaid records.
#include <gtest/gtest.h>

#include "LookupRig.h"
#include "lookup/MethodCalls.h"
#include "lookup/Trovex.h"

namespace lookup::tests {
namespace {

struct Preset {
    QStringList call;  // method and its own arguments
    QString caption;
    const char* viewId;
    QString filter;   // of the first load: the standing filter, and the starting text's
    int handsBack;    // Result1 only (1), 1..2 (2), 1..3 (3)
    QString columns;  // fields in order; ">" marks right alignment, ":W" a width checked
    int key;          // document lookups: the view key their records come in, else -1
    QString search;   // what the search box starts with
};

Preset P(QStringList call, QString caption, const char* viewId, QString filter, int handsBack, QString columns,
         int key = -1, QString search = {}) {
    return {call, caption, viewId, filter, handsBack, columns, key, search};
}

void PrintTo(const Preset& p, std::ostream* os) { *os << p.call.join(u' ').toStdString(); }

const QString A = QStringLiteral("Test Company - Sage Accpac ");
const QString B = QStringLiteral("ZQ Sage Accpac Finder: Test Company - Sage Accpac ");
const QString Unpaid = QStringLiteral("IDCUST=1200 AND SWPAID=0");
const QString Payment = B + "Document Sched. Payment (";
const QString Docs =
    " DATEDUE:1100 TRXTYPEID TRXTYPETXT DATEINVC DATEDISC >AMTDUETC:2200 >AMTDISCTC:2400 SWPAID IDPREPAID";
const QString ByInvoice = "IDINVC:2200 IDRMIT IDORDERNBR IDCUSTPO" + Docs;
const QString Segments = "SEGVAL SEGVALDESC:3000 ACCTRETERN";
const QString Employees =
    "EMPLOYEE:1500 FULLNAME:2000 LASTNAME FIRSTNAME ADDRESS1:2500 CITY POSITION HIREDATE PARTTIME PAYFREQ:1000";
const QString TaxGroups = "GROUPID DESC:2100 SRCCURN AUTHORITY1 AUTHORITY2 AUTHORITY3 AUTHORITY4 AUTHORITY5";

const Preset Presets[] = {
    // A starting text is tested without its blanks and used with them.
    P({"FindAP_Employee", "   "}, A + "Employees", "CP0014", "STATUS=1", 2, Employees),
    P({"FindAP_Employee", "E001"}, A + "Employees", "CP0014", "STATUS=1 AND EMPLOYEE LIKE E001%", 2, Employees, -1,
      "E001"),
    P({"FindAP_Employee", " E001"}, A + "Employees", "CP0014", "STATUS=1 AND EMPLOYEE LIKE  E001%", 2, Employees, -1,
      " E001"),
    P({"FindAP_EarningDeduction", "B"}, A + "Earning/Deduction Codes", "CP0007", "INACTIVE=0 AND EARNDED LIKE B%", 2,
      "EARNDED LONGDESC CATEGORY:1000 EARDEDTYPE", -1, "B"),
    P({"FindAP_GLSegmentCode", " 000002 "}, A + "GL Segment Codes", "GL0021", "IDSEG = \"000002\"", 2, Segments),
    P({"FindAP_GLSegmentCode", "  "}, A + "GL Segment Codes", "GL0021", "", 2, Segments),
    P({"FindAP_BankDeposits"}, B + "Bank Deposits", "BK0420", "STATUS = 1", 2,
      "BANK:1200 >DEPOSIT:1700 REFERENCE COMMENT DEPDATE FSCYEAR FSCPERIOD PRINTED >TOTDEPOSIT >TOTTRANSIT >TOTCLEARED "
      "STATUS"),
    P({"FindAP_OrderByInfo", "0", "1200"}, Payment + "Document Number)", "AR0037", Unpaid, 2,
      "IDINVC:2500 CNTPAYM IDRMIT", 1),
    P({"FindAP_OrderByInfo", "1", "1200"}, Payment + "PO Number)", "AR0037", Unpaid, 2,
      "IDCUSTPO IDINVC >CNTPAYM:1500"),
    P({"FindAP_OrderByInfo", "2", "1200"}, Payment + "Due Date)", "AR0037", Unpaid, 2, "DATEDUE IDINVC CNTPAYM"),
    P({"FindAP_OrderByInfo", "3", "1200"}, Payment + "Order Number)", "AR0037", Unpaid, 2,
      "IDORDRNBR:1900 IDINVC CNTPAYM"),
    P({"FindAP_OrderByInfo", "4", "1200"}, Payment + "Document Date)", "AR0037", Unpaid, 2, "DATEINVC IDINVC CNTPAYM"),
    P({"FindAP_OrderByInfo", "5", "1200"}, Payment + "Current Balance)", "AR0037", Unpaid, 2,
      ">AMTPYMRMTC >AMTDUETC DATEDUE IDINVC:2500 CNTPAYM"),
    P({"FindAP_TaxClass", "GST", "true"}, B + "Customer Tax Classes for GST", "TX0001",
      "AUTHORITY = GST AND CLASSTYPE = 1 AND CLASSAXIS = 1", 2, ">CLASS:1100 DESC EXEMPT"),
    P({"FindAP_TaxClass", "HST"}, B + "Item Tax Classes for HST", "TX0001",
      "AUTHORITY = HST AND CLASSTYPE = 1 AND CLASSAXIS = 2", 2, ">CLASS DESC:2100 EXEMPT:1500"),
    P({"FindAP_TaxGroups", "1200"}, B + "Tax Groups", "TX0003", "TTYPE=1", 2, TaxGroups),
    P({"FindAP_TaxGroups", "", "-1"}, B + "Tax Groups", "TX0003", "TTYPE=1", 2,
      TaxGroups + " CALCMETHOD:1900 LASTMAINT:1300"),
    P({"FindAP_Documents", "1200", "0"}, B + "Documents", "AR0036", Unpaid, 2, ByInvoice, 0),
    P({"FindAP_Documents", "1200", "1"}, B + "Documents", "AR0036", Unpaid, 2,
      "IDCUSTPO IDINVC IDRMIT IDORDERNBR" + Docs),
    P({"FindAP_Documents", "1200", "2"}, B + "Documents", "AR0036", Unpaid, 2,
      "IDORDERNBR:1700 IDINVC IDRMIT IDCUSTPO" + Docs),
    P({"FindAP_Documents", "1200", "7"}, B + "Documents", "AR0036", Unpaid, 2, ByInvoice),
    P({"FindAP_Documents", "1200", "-1"}, B + "Documents", "AR0036", Unpaid, 2, ByInvoice),
    P({"FindAP_DocNum", "1200"}, B + "Document Sched. Payments", "AR0037", Unpaid, 1,
      "IDINVC CNTPAYM:2000 DATEDUE DATEDISC AMTDUETC AMTDSCRMTC AMTPYMRMTC TXTTRXTYPE DATEINVC", 0),
    P({"FindAP_Accounts"}, B + "General Ledger Accounts", "GL0001", "", 2,
      "ACCTFMTTD ACCTDESC:2700 ACTIVESW:900 ACCTTYPE ABRKID ALLOCSW QTYSW UOM"),
    P({"FindAP_DistributionCodes"}, B + "Distribution Codes", "AR0015", "", 3,
      "IDDIST TEXTDESC SWACTV IDACCTREV:1300 IDACCTINV IDACCTCOGS:1900"),
};

// The records of customer 1200 not yet paid, by document number in the order of `key`.
QStringList unpaidOf1200(const char* viewId, int key) {
    const auto view = testSession()->OpenView(viewId, "AR");
    view->setOrder(std::int16_t(key));
    view->ClearRecord();
    view->ResetBrowse(false);
    view->Browse(QString(), true);
    QStringList out;
    while (view->Fetch())
        if (view->Fields().Item("IDCUST").Value().toText() == "1200" && !view->Fields().Item("SWPAID").Value().toBool())
            out << view->Fields().Item("IDINVC").Value().toText();
    return out;
}

class Presets_ : public ::testing::TestWithParam<Preset> {};

TEST_P(Presets_, ShowTheirColumnsUnderTheirFilterAndHandBackTheSelectedRow) {
    const Preset& p = GetParam();
    Trovex trovex;
    seedResults(trovex, "before");
    const LookupRun run = runLookup([&] { parseCall(p.call).invoke(trovex, testSession(), "LookupTests", 0); },
                                    p.key < 0 ? "dblclick row 1" : "drag ScrollBar1 100\nsnapshot\ndblclick row 1");
    ASSERT_EQ(run.failure, QString());
    ASSERT_EQ(run.windows.size(), p.key < 0 ? 1u : 2u);
    EXPECT_TRUE(run.boxes.empty()) << run.boxes.front().text.toStdString();
    const WindowSnapshot& w = run.windows.front();
    EXPECT_EQ(w.caption, p.caption);
    EXPECT_EQ(w.currentFilter, p.filter);
    EXPECT_EQ(w.searchText, p.search);

    // Columns as declared, shown under the fields' own descriptions with the
    // declared widths (automatic widths are off).
    const QStringList wanted = p.columns.split(u' ');
    const auto view = testSession()->OpenView(p.viewId, QString(p.viewId).left(2));
    QStringList shown;
    ASSERT_EQ(w.fields.size(), w.headers.size());
    for (int i = 0; i < w.fields.size(); ++i) {
        EXPECT_EQ(w.headers[i], view->Fields().Item(w.fields[i]).Description()) << i;
        const char* align = w.alignments[i] == 7 ? ">" : w.alignments[i] == 1 ? "" : "?";
        shown << align + w.fields[i] + (wanted.value(i).contains(u':') ? ":" + QString::number(w.widths[i]) : "");
    }
    EXPECT_EQ(shown, wanted);

    if (p.key >= 0) {  // the whole view read directly: the first and the last batch are its ends
        const QStringList truth = unpaidOf1200(p.viewId, p.key);
        QStringList first, last;
        for (const QStringList& row : w.rows) first << row[0];
        for (const QStringList& row : run.windows.back().rows) last << row[0];
        ASSERT_GT(truth.size(), 2 * first.size()) << "customer 1200 has more than two batches of unpaid records";
        EXPECT_EQ(first, truth.mid(0, first.size()));
        EXPECT_EQ(last, truth.mid(truth.size() - last.size()));
    }

    // Non-empty cells come back trimmed; only the results the preset hands back are touched.
    const QStringList& row = run.windows.back().rows.at(0);
    ASSERT_FALSE(row.join(QString()).isEmpty()) << "the test company has records for every preset";
    EXPECT_EQ(results(trovex), selectedResults(row, p.handsBack));
}

INSTANTIATE_TEST_SUITE_P(Every, Presets_, ::testing::ValuesIn(Presets));

}  // namespace
}  // namespace lookup::tests
