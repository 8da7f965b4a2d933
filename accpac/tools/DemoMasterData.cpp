// The demo company's master data: employees, GL accounts and segment codes,
// earning/deduction codes, bank deposits and distribution codes.
#include <QStringList>

#include "accpac/tools/DemoData.h"

namespace accpac::sqlite {

namespace {

const QStringList FirstNames{"Anna",  "Ben",    "Carla", "David", "Elena", "Frank",  "Grace", "Hugo",
                             "Irene", "Jacob",  "Karen", "Liam",  "Maya",  "Nathan", "Olga",  "Peter",
                             "Quinn", "Rachel", "Sam",   "Tara",  "Umar",  "Vera",   "Will",  "Yusuf"};
const QStringList LastNames{"Abbott", "Baker",  "Chen",    "Dubois",   "Evans",   "Fischer", "Garcia",
                            "Hughes", "Ivanov", "Jansen",  "Kowalski", "Lopez",   "Martin",  "Novak",
                            "Olsen",  "Patel",  "Quiroga", "Rossi",    "Schmidt", "Tanaka",  "Ueda",
                            "Vargas", "Wagner", "Young",   "Zimmer"};
const QStringList Cities{"Toronto", "Montreal", "Vancouver", "Calgary", "Ottawa", "Halifax", "Winnipeg", "Regina"};
const QStringList Streets{"Main Street",    "King Street",   "Queen Street", "Maple Avenue",
                          "Lakeshore Road", "Church Street", "Park Avenue",  "Elm Drive"};
const QStringList Positions{"Accountant", "Clerk",      "Sales Rep", "Manager",      "Analyst",
                            "Driver",     "Technician", "Buyer",     "Receptionist", "Developer"};

template <typename T>
const T& pick(DemoRandom& r, const QList<T>& list) {
    return list[qsizetype(r.below(list.size()))];
}

void writeEmployees(Database& db, DemoRandom& r) {
    RecordWriter w(db, *findView(QStringLiteral("CP0014")));
    for (int i = 1; i <= 240; ++i) {
        const QString first = pick(r, FirstNames), last = pick(r, LastNames);
        DemoRecord(w)
            .text("EMPLOYEE", QStringLiteral("E%1").arg(i * 10, 5, 10, QLatin1Char('0')))
            .text("FULLNAME", first + u' ' + last)
            .text("LASTNAME", last)
            .text("FIRSTNAME", first)
            .text("ADDRESS1", QStringLiteral("%1 %2").arg(r.between(1, 999)).arg(pick(r, Streets)))
            .text("CITY", pick(r, Cities))
            .text("POSITION", pick(r, Positions))
            .number("HIREDATE", demoDate(int(r.between(-5000, 600))))
            .number("PARTTIME", r.chance(20))
            .number("PAYFREQ", r.between(1, 6))
            .number("STATUS", r.chance(85) ? 1 : r.between(2, 3))
            .insert();
    }
}

struct Segment {
    const char* id;
    const char* name;
    QStringList codes;
};

// Department, division and region codes; no code repeats across segments,
// so the segment-code lookup shows each code once even across all segments.
std::vector<Segment> segments() {
    Segment departments{"000002", "Department", {}};
    for (int d = 100; d <= 990; d += 10) departments.codes << QString::number(d);
    Segment divisions{"000003", "Division", {}};
    for (char a = 'A'; a <= 'Z'; ++a) divisions.codes << QStringLiteral("D%1").arg(QLatin1Char(a));
    Segment regions{"000004", "Region", {}};
    for (const QString& c : Cities) regions.codes << c.left(3).toUpper() << c.left(3).toUpper() + u'2';
    return {departments, divisions, regions};
}

void writeSegmentCodes(Database& db, DemoRandom& r) {
    RecordWriter w(db, *findView(QStringLiteral("GL0021")));
    for (const Segment& s : segments())
        for (const QString& code : s.codes)
            DemoRecord(w)
                .text("IDSEG", QLatin1String(s.id))
                .text("SEGVAL", code)
                .text("SEGVALDESC", QStringLiteral("%1 %2").arg(QLatin1String(s.name), code))
                .text("ACCTRETERN", r.chance(50) ? QStringLiteral("3100-%1").arg(code) : QString())
                .insert();
}

void writeAccounts(Database& db, DemoRandom& r) {
    // Each range of the chart names its accounts the way a bookkeeper would,
    // so that searching "rent" or "cash" finds what a user expects.
    struct Range {
        int from, to;
        char type;
        QStringList names;
    };
    const Range ranges[]{
        {1000,
         1990,
         'B',
         {"Cash in Bank", "Petty Cash", "Accounts Receivable", "Allowance for Doubtful Accounts", "Inventory",
          "Prepaid Expenses", "Office Equipment", "Accumulated Depreciation", "Vehicles", "Short-term Investments"}},
        {2000,
         2990,
         'B',
         {"Accounts Payable", "Accrued Liabilities", "Sales Tax Payable", "Payroll Deductions", "Customer Deposits",
          "Bank Loan", "Mortgage Payable", "Deferred Revenue"}},
        {3000, 3090, 'R', {"Retained Earnings", "Share Capital", "Dividends Declared"}},
        {4000,
         4990,
         'I',
         {"Product Sales", "Service Revenue", "Consulting Fees", "Sales Returns", "Sales Discounts", "Interest Income",
          "Freight Recovered", "Rental Income"}},
        {5000,
         5990,
         'I',
         {"Cost of Goods Sold", "Purchase Discounts", "Freight In", "Direct Labour", "Inventory Adjustments",
          "Subcontractors"}},
        {6000,
         6990,
         'I',
         {"Rent Expense", "Utilities", "Salaries and Wages", "Office Supplies", "Telephone", "Advertising",
          "Insurance Expense", "Bank Charges", "Repairs and Maintenance", "Travel", "Professional Fees",
          "Depreciation Expense"}}};
    const QStringList departments{"100", "200", "300"};
    RecordWriter w(db, *findView(QStringLiteral("GL0001")));
    for (const Range& range : ranges) {
        for (int a = range.from, i = 0; a <= range.to; a += 20, ++i) {
            // Past the end of the list the names repeat with a number, as a
            // chart with several bank or rent accounts would have them.
            const qsizetype n = range.names.size();
            const QString name = range.names[i % n] + (i < n ? QString() : QStringLiteral(" %1").arg(i / n + 1));
            const bool split = range.type == 'I' && r.chance(40);
            const QStringList suffixes = split ? departments : QStringList{QString()};
            for (const QString& dept : suffixes) {
                const QString formatted =
                    dept.isEmpty() ? QString::number(a) : QStringLiteral("%1-%2").arg(a).arg(dept);
                DemoRecord(w)
                    .text("ACCTFMTTD", formatted)
                    .text("ACCTID", QString(formatted).remove(u'-'))
                    .text("ACCTDESC", dept.isEmpty() ? name : QStringLiteral("%1 - Dept %2").arg(name, dept))
                    .number("ACTIVESW", r.chance(92))
                    .text("ACCTTYPE", QString(QLatin1Char(range.type)))
                    .text("ABRKID", dept.isEmpty() ? QStringLiteral("ACCT") : QStringLiteral("ACCDEP"))
                    .number("ALLOCSW", r.chance(15))
                    .number("QTYSW", r.chance(10))
                    .text("UOM", r.chance(10) ? QStringLiteral("HRS") : QString())
                    .insert();
            }
        }
    }
}

void writeEarningsDeductions(Database& db, DemoRandom& r) {
    const char* const stems[]{"SAL",   "HRLY", "OVT", "VAC",  "BON",  "COM", "FIT",  "CPP",  "EI",
                              "UNION", "RRSP", "MED", "DENT", "LIFE", "CAR", "MEAL", "TRVL", "ADV"};
    const char* const names[]{"Salary",         "Hourly Wages",   "Overtime",     "Vacation Pay",   "Bonus",
                              "Commission",     "Income Tax",     "Pension Plan", "Insurance",      "Union Dues",
                              "Retirement",     "Medical Plan",   "Dental Plan",  "Life Insurance", "Car Allowance",
                              "Meal Allowance", "Travel Expense", "Pay Advance"};
    const int categories[]{1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 5, 5, 5, 3, 3, 3, 4};
    RecordWriter w(db, *findView(QStringLiteral("CP0007")));
    for (std::size_t s = 0; s < std::size(stems); ++s)
        for (int n = 1; n <= 7; ++n)
            DemoRecord(w)
                .text("EARNDED", QStringLiteral("%1%2").arg(QLatin1String(stems[s])).arg(n))
                .text("LONGDESC", QStringLiteral("%1 %2").arg(QLatin1String(names[s])).arg(n))
                .number("CATEGORY", categories[s])
                .number("EARDEDTYPE", r.between(1, 6))
                .number("INACTIVE", r.chance(10))
                .number("AMTPERCENT", r.between(0, 5000) * 1000)
                .insert();
}

void writeDeposits(Database& db, DemoRandom& r) {
    RecordWriter w(db, *findView(QStringLiteral("BK0420")));
    const char* const banks[]{"BMOCHQ", "RBCCHQ", "TDUSD"};
    for (const char* bank : banks) {
        for (int d = 1; d <= 110; ++d) {
            const int day = d * 3 + int(r.below(3));
            const std::int64_t total = r.between(500, 90000) * 1000 + r.below(100) * 10;
            const int status = r.chance(70) ? 1 : r.chance(85) ? 2 : 3;
            const std::int64_t cleared = status == 2 ? total : 0;
            const std::int64_t date = demoDate(day);
            DemoRecord(w)
                .text("BANK", QLatin1String(bank))
                .number("DEPOSIT", d)
                .text("REFERENCE", QStringLiteral("Deposit slip %1").arg(d))
                .text("COMMENT",
                      r.chance(30) ? QStringLiteral("Counter deposit, %1 cheques").arg(r.between(2, 30)) : QString())
                .number("DEPDATE", date)
                .text("FSCYEAR", QString::number(date / 10000))
                .text("FSCPERIOD", QStringLiteral("%1").arg(date / 100 % 100, 2, 10, QLatin1Char('0')))
                .number("PRINTED", r.chance(60))
                .number("TOTDEPOSIT", total)
                .number("TOTTRANSIT", total - cleared)
                .number("TOTCLEARED", cleared)
                .number("STATUS", status)
                .insert();
        }
    }
}

void writeDistributionCodes(Database& db, DemoRandom& r) {
    const char* const kinds[]{"SALES", "SERV", "FRGT", "RENT", "CONS", "MISC"};
    RecordWriter w(db, *findView(QStringLiteral("AR0015")));
    for (const char* kind : kinds)
        for (int n = 1; n <= 24; ++n) {
            const int revenue = 4000 + 20 * int(r.below(50));
            DemoRecord(w)
                .text("IDDIST", QStringLiteral("%1%2").arg(QLatin1String(kind).left(4)).arg(n, 2, 10, QLatin1Char('0')))
                .text("TEXTDESC", QStringLiteral("%1 distribution %2").arg(QString::fromLatin1(kind).toLower()).arg(n))
                .number("SWACTV", r.chance(90))
                .text("IDACCTREV", QString::number(revenue))
                .text("IDACCTINV", QString::number(1200 + 20 * int(r.below(10))))
                .text("IDACCTCOGS", QString::number(5000 + 20 * int(r.below(40))))
                .number("DISCPCT", r.chance(30) ? r.between(1, 5) * 100000 : 0)
                .number("DATELASTMN", demoDate(int(r.between(0, 600))))
                .insert();
        }
}

}  // namespace

void writeMasterData(Database& db) {
    DemoRandom r(20240315);
    writeEmployees(db, r);
    writeSegmentCodes(db, r);
    writeAccounts(db, r);
    writeEarningsDeductions(db, r);
    writeDeposits(db, r);
    writeDistributionCodes(db, r);
    writeTaxViews(db);
    writeInventoryViews(db);
    writeReceiptViews(db);
}

}  // namespace accpac::sqlite
