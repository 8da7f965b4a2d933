// Browses of the scheduled-payments view against a naive reference: the
// random records kept in memory, filtered and sorted in C++, then sliced at
// the start the put key values give. Every order of the view is tried, both
// ways, with and without a customer filter and the paging conditions the
// lookups add, from no start, a put key value, two put segments and the
// maximum key. The records repeat dates, amounts, order and PO numbers and
// document numbers across customers, so the keys' tie-breaking segments
// decide the order.
#include <gtest/gtest.h>

#include <QDate>
#include <algorithm>
#include <random>
#include <variant>

#include "accpac/AccpacError.h"
#include "accpac/SqliteCompany.h"
#include "accpac/sqlite/tests/SharedCompany.h"

namespace {

using accpac::Variant;

struct Payment {
    QString idcust, idinvc, idordrnbr, idcustpo;
    int cntpaym = 1;
    QDate datedue, dateinvc;  // invalid: no date
    std::int64_t balanceCents = 0;
    bool paid = false;
};

// A value as the reference compares it: text, or a number (dates as
// yyyymmdd with 0 for none, amounts in cents).
using Sortable = std::variant<QString, std::int64_t>;

std::int64_t dateNumber(const QDate& d) { return d.isValid() ? d.year() * 10000 + d.month() * 100 + d.day() : 0; }

QString amountText(std::int64_t cents) { return accpac::Decimal(cents, 2).toString(); }
QString dateText(const QDate& d) { return d.isValid() ? d.toString(QStringLiteral("yyyy-MM-dd")) : QString(); }

Sortable sortable(const Payment& p, const QString& field) {
    if (field == "IDCUST") return p.idcust;
    if (field == "IDINVC") return p.idinvc;
    if (field == "IDORDRNBR") return p.idordrnbr;
    if (field == "IDCUSTPO") return p.idcustpo;
    if (field == "CNTPAYM") return std::int64_t(p.cntpaym);
    if (field == "DATEDUE") return dateNumber(p.datedue);
    if (field == "DATEINVC") return dateNumber(p.dateinvc);
    if (field == "AMTPYMRMTC") return p.balanceCents;
    ADD_FAILURE() << "no reference for " << field.toStdString();
    return QString();
}

// The field's text as the grid shows it, which the lookups put and quote in filters.
QString shown(const Payment& p, const QString& field) {
    if (field == "DATEDUE") return dateText(p.datedue);
    if (field == "DATEINVC") return dateText(p.dateinvc);
    if (field == "AMTPYMRMTC") return amountText(p.balanceCents);
    if (field == "CNTPAYM") return QString::number(p.cntpaym);
    return std::get<QString>(sortable(p, field));
}

QString identity(const Payment& p) { return p.idcust + u'|' + p.idinvc + u'|' + QString::number(p.cntpaym); }

const std::vector<std::pair<std::int16_t, QStringList>> Keys{{0, {"IDINVC", "CNTPAYM", "IDCUST"}},
                                                             {1, {"IDINVC", "CNTPAYM", "IDCUST"}},
                                                             {2, {"IDORDRNBR", "IDINVC", "CNTPAYM", "IDCUST"}},
                                                             {3, {"IDCUSTPO", "IDINVC", "CNTPAYM", "IDCUST"}},
                                                             {4, {"DATEDUE", "IDINVC", "CNTPAYM", "IDCUST"}},
                                                             {6, {"AMTPYMRMTC", "IDINVC", "CNTPAYM", "IDCUST"}},
                                                             {8, {"DATEINVC", "IDINVC", "CNTPAYM", "IDCUST"}}};

std::vector<Payment> randomPayments(std::mt19937& rng, int count) {
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    std::vector<Payment> rows;
    QSet<QString> used;
    const QStringList customers{"1100", "1200", "1300", "999"};
    while (int(rows.size()) < count) {
        Payment p;
        p.idcust = customers[pick(customers.size())];
        p.idinvc = QStringLiteral("IN%1").arg(pick(120), 4, 10, QLatin1Char('0'));
        p.cntpaym = 1 + pick(3);
        if (used.contains(identity(p))) continue;
        used.insert(identity(p));
        p.idordrnbr = pick(4) == 0 ? QString() : QStringLiteral("ORD%1").arg(pick(30));
        p.idcustpo = pick(3) == 0 ? QString() : QStringLiteral("PO-%1").arg(pick(25));
        p.datedue = pick(8) == 0 ? QDate() : QDate(2024, 1, 1).addDays(pick(60));
        p.dateinvc = QDate(2023, 11, 1).addDays(pick(40));
        p.balanceCents = std::int64_t(pick(4000)) * 25 - 20000;
        p.paid = pick(4) == 0;
        rows.push_back(p);
    }
    return rows;
}

enum class FilterKind { None, Customer, CustomerAbove, CustomerAtOrAbove, CustomerBelow, CustomerAtOrBelow };
enum class StartKind { None, PutLeading, PutTwoSegments, PutMaximum };

const char* operatorText(FilterKind f) {
    switch (f) {
        case FilterKind::CustomerAbove:
            return " > ";
        case FilterKind::CustomerAtOrAbove:
            return " >= ";
        case FilterKind::CustomerBelow:
            return " < ";
        case FilterKind::CustomerAtOrBelow:
            return " <= ";
        default:
            return nullptr;
    }
}

bool compareHolds(const Sortable& v, const char* op, const Sortable& k) {
    const std::string o(op);
    if (o == " > ") return v > k;
    if (o == " >= ") return v >= k;
    if (o == " < ") return v < k;
    return v <= k;
}

class BrowseReference
    : public WithSharedCompany<::testing::TestWithParam<std::tuple<int, bool, FilterKind, StartKind>>> {
protected:
    static void SetUpTestSuite() {
        WithSharedCompany::SetUpTestSuite();
        std::mt19937 rng(20240601);
        rows_ = randomPayments(rng, 260);
        QList<QStringList> csv;
        for (const Payment& p : rows_)
            csv << QStringList{p.idcust,
                               p.idinvc,
                               QString::number(p.cntpaym),
                               p.idordrnbr,
                               p.idcustpo,
                               dateText(p.datedue),
                               dateText(p.dateinvc),
                               amountText(p.balanceCents),
                               p.paid ? "1" : "0"};
        company_->load(
            "AR0037",
            {"IDCUST", "IDINVC", "CNTPAYM", "IDORDRNBR", "IDCUSTPO", "DATEDUE", "DATEINVC", "AMTPYMRMTC", "SWPAID"},
            csv);
    }
    // The identities a browse fetches, all of them.
    static QStringList browse(accpac::AccpacView& view, const QString& filter, bool ascending,
                              const std::vector<std::pair<QString, QString>>& puts) {
        view.ClearRecord();
        view.ResetBrowse(false);
        for (const auto& [field, value] : puts) view.Fields().Item(field).setValue(Variant::string(value));
        view.Browse(filter, ascending);
        QStringList got;
        auto& f = view.Fields();
        while (view.Fetch())
            got << f.Item("IDCUST").Value().toText() + u'|' + f.Item("IDINVC").Value().toText() + u'|' +
                       f.Item("CNTPAYM").Value().toText();
        return got;
    }

    static inline std::vector<Payment> rows_;
};

TEST_P(BrowseReference, FetchesWhatTheReferenceSelects) {
    const auto [keyIndex, ascending, filterKind, startKind] = GetParam();
    const auto& [keyNumber, segments] = Keys[std::size_t(keyIndex)];
    const QString leading = segments.front();
    auto session = company_->open();
    auto view = session->OpenView("AR0037", "AR");
    view->setOrder(keyNumber);
    std::mt19937 rng(unsigned(keyIndex * 1000 + int(filterKind) * 10 + int(startKind)));

    for (int trial = 0; trial < 6; ++trial) {
        // Values of a random record serve as the key condition and the start.
        const Payment& anchor = rows_[rng() % rows_.size()];
        const Payment& startRow = rows_[rng() % rows_.size()];

        QString filter;
        std::vector<const Payment*> expected;
        for (const Payment& p : rows_) {
            if (filterKind != FilterKind::None && (p.idcust != "1200" || p.paid)) continue;
            if (const char* op = operatorText(filterKind);
                op && !compareHolds(sortable(p, leading), op, sortable(anchor, leading)))
                continue;
            expected.push_back(&p);
        }
        if (filterKind != FilterKind::None) filter = "IDCUST=1200 AND SWPAID=0";
        if (const char* op = operatorText(filterKind))
            filter += " AND " + leading + QLatin1String(op) + u'"' + shown(anchor, leading) + u'"';

        std::sort(expected.begin(), expected.end(), [&](const Payment* a, const Payment* b) {
            for (const QString& s : segments) {
                const Sortable x = sortable(*a, s), y = sortable(*b, s);
                if (x != y) return ascending ? x < y : y < x;
            }
            return false;
        });

        std::vector<std::pair<QString, QString>> puts;
        int putCount = 0;
        if (startKind == StartKind::PutLeading) putCount = 1;
        if (startKind == StartKind::PutTwoSegments) putCount = 2;
        for (int s = 0; s < putCount; ++s) puts.push_back({segments[s], shown(startRow, segments[s])});
        if (startKind == StartKind::PutMaximum) puts.push_back({leading, accpac::MaxKeyText});

        QStringList want;
        for (const Payment* p : expected) {
            if (startKind == StartKind::PutMaximum && ascending) break;  // nothing lies above the top
            bool before = false;                                         // before the start in browse order
            for (int s = 0; s < putCount; ++s) {
                const Sortable v = sortable(*p, segments[s]), k = sortable(startRow, segments[s]);
                if (v == k) continue;
                before = ascending ? v < k : v > k;
                break;
            }
            if (!before) want << identity(*p);
        }

        const QStringList got = browse(*view, filter, ascending, puts);
        ASSERT_EQ(got, want) << "filter: " << filter.toStdString() << ", start at "
                             << (puts.empty() ? std::string("none") : puts.front().second.toStdString());
    }
}

std::string caseName(const ::testing::TestParamInfo<BrowseReference::ParamType>& info) {
    static const char* const filters[]{"All", "Customer", "Above", "AtOrAbove", "Below", "AtOrBelow"};
    static const char* const starts[]{"FromEdge", "FromPutKey", "FromTwoSegments", "FromMaximum"};
    const auto [key, ascending, filter, start] = info.param;
    return "Key" + std::to_string(Keys[std::size_t(key)].first) + (ascending ? "Up" : "Down") + filters[int(filter)] +
           starts[int(start)];
}

INSTANTIATE_TEST_SUITE_P(EveryOrder, BrowseReference,
                         ::testing::Combine(::testing::Range(0, int(Keys.size())), ::testing::Bool(),
                                            ::testing::Values(FilterKind::None, FilterKind::Customer,
                                                              FilterKind::CustomerAbove, FilterKind::CustomerAtOrAbove,
                                                              FilterKind::CustomerBelow, FilterKind::CustomerAtOrBelow),
                                            ::testing::Values(StartKind::None, StartKind::PutLeading,
                                                              StartKind::PutTwoSegments, StartKind::PutMaximum)),
                         caseName);

}  // namespace
