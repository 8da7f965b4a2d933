// The demo company's tax views, inventory views and receipt-entry views.
#include <QStringList>

#include "accpac/tools/DemoData.h"

namespace accpac::sqlite {

namespace {

struct Authority {
    const char* id;
    const char* name;
};
const Authority Authorities[]{{"GST", "Goods and Services Tax"},     {"HST", "Harmonized Sales Tax"},
                              {"ONPST", "Ontario Retail Sales Tax"}, {"QST", "Quebec Sales Tax"},
                              {"BCPST", "BC Provincial Sales Tax"},  {"MBPST", "Manitoba Retail Sales Tax"}};

const char* const CustomerClasses[]{"Taxable",        "Exempt",           "Reseller", "Government",
                                    "First Nations",  "Export",           "Charity",  "Diplomat",
                                    "Farm Purchases", "Zero-rated Buyer", "Hospital", "School Board"};
const char* const ItemClasses[]{"Taxable goods",       "Exempt goods",       "Zero-rated food", "Services", "Books",
                                "Children's clothing", "Prescription drugs", "Used goods",      "Freight",  "Labour"};

}  // namespace

void writeTaxViews(Database& db) {
    DemoRandom r(1867);
    RecordWriter classes(db, *findView(QStringLiteral("TX0001")));
    RecordWriter rates(db, *findView(QStringLiteral("TX0002")));
    for (const Authority& a : Authorities) {
        for (int type = 1; type <= 2; ++type) {
            for (int axis = 1; axis <= 2; ++axis) {
                const int count = axis == 1 ? int(std::size(CustomerClasses)) : int(std::size(ItemClasses));
                for (int c = 1; c <= count; ++c)
                    DemoRecord(classes)
                        .text("AUTHORITY", QLatin1String(a.id))
                        .number("CLASSTYPE", type)
                        .number("CLASSAXIS", axis)
                        .number("CLASS", c)
                        .text("DESC", QString::fromUtf8(axis == 1 ? CustomerClasses[c - 1] : ItemClasses[c - 1]))
                        .number("EXEMPT", c == 2)
                        .insert();
            }
            for (int buyer = 1; buyer <= int(std::size(CustomerClasses)); ++buyer) {
                const std::int64_t rate = buyer == 2 ? 0 : r.between(5, 15) * 100000;
                DemoRecord(rates)
                    .text("AUTHORITY", QLatin1String(a.id))
                    .number("TTYPE", type)
                    .number("BUYERCLASS", buyer)
                    .number("ITEMRATE1", rate)
                    .number("ITEMRATE2", 0)
                    .number("ITEMRATE3", rate / 2)
                    .number("LASTMAINT", demoDate(int(r.between(0, 600))))
                    .insert();
            }
        }
    }

    RecordWriter groups(db, *findView(QStringLiteral("TX0003")));
    const char* const provinces[]{"AB", "BC", "MB", "NB", "NL", "NS", "NT", "NU", "ON", "PE", "QC", "SK", "YT"};
    for (const char* province : provinces)
        for (int variant = 1; variant <= 5; ++variant)
            for (int type = 1; type <= 2; ++type) {
                QStringList members{QStringLiteral("GST")};
                if (variant > 1) members << QLatin1String(Authorities[std::size_t(variant)].id);
                DemoRecord rec(groups);
                rec.text("GROUPID", QStringLiteral("%1%2").arg(QLatin1String(province)).arg(variant))
                    .number("TTYPE", type)
                    .text("DESC", QStringLiteral("%1 %2 taxes, schedule %3")
                                      .arg(QLatin1String(province), QLatin1String(type == 1 ? "sales" : "purchase"))
                                      .arg(variant))
                    .text("SRCCURN", variant == 5 ? QStringLiteral("USD") : QStringLiteral("CAD"))
                    .number("CALCMETHOD", r.chance(50) ? 1 : 2)
                    .number("LASTMAINT", demoDate(int(r.between(0, 600))));
                const char* const columns[]{"AUTHORITY1", "AUTHORITY2", "AUTHORITY3", "AUTHORITY4", "AUTHORITY5"};
                for (qsizetype m = 0; m < members.size(); ++m) rec.text(columns[m], members[m]);
                rec.insert();
            }
}

void writeInventoryViews(Database& db) {
    DemoRandom r(4242);
    RecordWriter items(db, *findView(QStringLiteral("IC0310")));
    RecordWriter locations(db, *findView(QStringLiteral("IC0330")));
    RecordWriter prices(db, *findView(QStringLiteral("IC0750")));
    const char* const kinds[]{"Bolt",   "Bracket", "Cable", "Drill", "Filter",
                              "Gasket", "Hinge",   "Lamp",  "Pump",  "Valve"};
    const char* const units[]{"EA", "BOX", "M", "KG"};
    for (int i = 1; i <= 220; ++i) {
        const int family = int(r.below(std::size(kinds)));
        const QString number =
            QStringLiteral("A%1%2").arg(family + 1, 2, 10, QLatin1Char('0')).arg(i, 4, 10, QLatin1Char('0'));
        const QString formatted = number.left(3) + u'-' + number.mid(3);
        const QString description = QStringLiteral("%1 type %2").arg(QLatin1String(kinds[family])).arg(i);
        const QString unit = QLatin1String(units[r.below(4)]);
        DemoRecord(items)
            .text("ITEMNO", number)
            .text("FMTITEMNO", formatted)
            .text("DESC", description)
            .text("CATEGORY", QStringLiteral("CAT%1").arg(family + 1))
            .text("STOCKUNIT", unit)
            .number("INACTIVE", r.chance(8))
            .insert();
        for (const char* location : {"CENTRL", "WEST"})
            DemoRecord(locations)
                .text("ITEMNO", number)
                .text("LOCATION", QLatin1String(location))
                .number("QTYONHAND", r.between(0, 5000) * 10000)
                .number("QTYONORDER", r.chance(30) ? r.between(1, 500) * 10000 : 0)
                .number("ACTIVE", 1)
                .insert();
        const std::int64_t base = r.between(100, 500000) * 10000;
        for (const char* list : {"RETAIL", "WHSALE"})
            DemoRecord(prices)
                .text("ITEMNO", number)
                .text("PRICELIST", QLatin1String(list))
                .text("CURRENCY", QStringLiteral("CAD"))
                .text("DESC", QStringLiteral("%1 price list").arg(QString::fromLatin1(list).toLower()))
                .number("UNITPRICE", list[0] == 'R' ? base : base * 8 / 10)
                .text("PRICEUNIT", unit)
                .insert();
    }
}

void writeReceiptViews(Database& db) {
    DemoRandom r(1999);
    RecordWriter batches(db, *findView(QStringLiteral("AR0041")));
    RecordWriter receipts(db, *findView(QStringLiteral("AR0042")));
    RecordWriter misc(db, *findView(QStringLiteral("AR0043")));
    RecordWriter applied(db, *findView(QStringLiteral("AR0044")));
    RecordWriter adjustments(db, *findView(QStringLiteral("AR0045")));
    RecordWriter optional(db, *findView(QStringLiteral("AR0061")));
    const QString type = QStringLiteral("CA");
    int document = 1;
    for (int b = 1; b <= 24; ++b) {
        const std::int64_t day = demoDate(b * 14);
        std::int64_t batchTotal = 0;
        for (int e = 1; e <= 10; ++e) {
            const int receiptType = r.chance(80) ? 1 : int(r.between(2, 5));
            const std::int64_t amount = r.between(100, 20000) * 1000;
            batchTotal += amount;
            DemoRecord(receipts)
                .text("CODEPYMTYP", type)
                .number("CNTBTCH", b)
                .number("CNTITEM", e)
                .text("IDCUST", QString::number(1000 + r.below(60)))
                .text("IDRMIT", QStringLiteral("CHQ%1").arg(b * 100 + e, 6, 10, QLatin1Char('0')))
                .number("DATERMIT", day)
                .number("AMTRMIT", amount)
                .text("TEXTRMIT", QStringLiteral("Payment received"))
                .number("RMITTYPE", receiptType)
                .insert();
            if (receiptType == 5) {
                const int lines = int(r.between(2, 4));
                for (int l = 1; l <= lines; ++l)
                    DemoRecord(misc)
                        .text("CODEPYMTYP", type)
                        .number("CNTBTCH", b)
                        .number("CNTITEM", e)
                        .number("CNTLINE", l)
                        .text("IDDISTCODE", QStringLiteral("MISC%1").arg(l, 2, 10, QLatin1Char('0')))
                        .text("IDACCT", QStringLiteral("49%1").arg(l * 10))
                        .number("AMTDIST", l < lines ? amount / lines : amount - (lines - 1) * (amount / lines))
                        .text("TEXTREF", QStringLiteral("Miscellaneous receipt, part %1").arg(l))
                        .insert();
                continue;
            }
            const int lines = int(r.between(1, 2));
            for (int l = 1; l <= lines; ++l) {
                DemoRecord(applied)
                    .text("CODEPYMTYP", type)
                    .number("CNTBTCH", b)
                    .number("CNTITEM", e)
                    .number("CNTLINE", l)
                    .text("IDINVC", QStringLiteral("IN%1").arg(document++, 8, 10, QLatin1Char('0')))
                    .number("CNTPAYM", 1)
                    .number("AMTPAYM", amount / lines)
                    .number("AMTERNDISC", r.chance(20) ? amount / 50 : 0)
                    .insert();
                if (r.chance(15))
                    DemoRecord(adjustments)
                        .text("CODEPYMTYP", type)
                        .number("CNTBTCH", b)
                        .number("CNTITEM", e)
                        .number("CNTLINE", l)
                        .number("CNTSEQ", 1)
                        .text("IDDISTCODE", QStringLiteral("SALE01"))
                        .text("IDACCT", QStringLiteral("4000"))
                        .number("AMTDIST", -r.between(1, 50) * 1000)
                        .insert();
            }
            if (e % 2 == 0)
                DemoRecord(optional)
                    .text("CODEPYMTYP", type)
                    .number("CNTBTCH", b)
                    .number("CNTITEM", e)
                    .text("OPTFIELD", QStringLiteral("DEPOSITOR"))
                    .text("VALUE", QStringLiteral("Teller %1").arg(r.between(1, 9)))
                    .insert();
        }
        DemoRecord(batches)
            .text("CODEPYMTYP", type)
            .number("CNTBTCH", b)
            .text("BATCHDESC", QStringLiteral("Receipts of week %1").arg(b * 2))
            .number("DATEBTCH", day)
            .number("BATCHSTAT", b < 20 ? 3 : 1)
            .text("IDBANK", QStringLiteral("BMOCHQ"))
            .number("AMTENTR", batchTotal)
            .insert();
    }
}

}  // namespace accpac::sqlite
