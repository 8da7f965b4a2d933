// Browses of the scheduled-payments view against a naive reference: random
// records kept in memory, filtered and sorted in C++, then sliced at the
// start the put key values give. Every order of the view is tried, both
// ways, with and without the customer filter and the paging conditions the
// lookups add, and under searches the search index serves, from no start, a put key value, two put segments and the
// maximum key. The records repeat dates, amounts, order and PO numbers and
// document numbers across customers, so the keys' tie-breaking segments
// decide the order.
#include <gtest/gtest.h>

#include <QDate>
#include <algorithm>
#include <random>
#include <set>

#include "accpac/sqlite/SqliteCompany.h"
#include "accpac/sqlite/tests/SharedCompany.h"

namespace {

// clang-format off
const QStringList Header{"IDCUST", "IDINVC", "CNTPAYM", "IDORDRNBR", "IDCUSTPO",
                         "DATEDUE", "DATEINVC", "AMTPYMRMTC", "SWPAID"};
// Every order of the view: the key number and its segments.
const std::vector<std::pair<std::int16_t, QStringList>> Keys{
    {0, {"IDINVC", "CNTPAYM", "IDCUST"}}, {1, {"IDINVC", "CNTPAYM", "IDCUST"}},
    {2, {"IDORDRNBR", "IDINVC", "CNTPAYM", "IDCUST"}}, {3, {"IDCUSTPO", "IDINVC", "CNTPAYM", "IDCUST"}},
    {4, {"DATEDUE", "IDINVC", "CNTPAYM", "IDCUST"}}, {6, {"AMTPYMRMTC", "IDINVC", "CNTPAYM", "IDCUST"}},
    {8, {"DATEINVC", "IDINVC", "CNTPAYM", "IDCUST"}}};
// clang-format on

// A record as the CSV texts of Header; the text is also what the grid shows,
// puts and quotes in filters.
using Record = QStringList;
QString text(const Record& r, const QString& field) { return r[Header.indexOf(field)]; }

// The reference order of one field: amounts by value, the rest by text
// (dates are yyyy-MM-dd, and no date comes first).
int compare(const Record& a, const Record& b, const QString& field) {
    if (field == "AMTPYMRMTC") {
        const double x = text(a, field).toDouble(), y = text(b, field).toDouble();
        return x < y ? -1 : y < x ? 1 : 0;
    }
    return std::clamp(text(a, field).compare(text(b, field)), -1, 1);
}

class BrowseReference : public WithSharedCompany<::testing::TestWithParam<std::size_t>> {
protected:
    static void SetUpTestSuite() {
        WithSharedCompany::SetUpTestSuite();
        std::mt19937 rng(20240601);
        const auto pick = [&](int n) { return int(rng() % unsigned(n)); };
        const auto day = [&](int year, int month, int within) {
            return QDate(year, month, 1).addDays(pick(within)).toString(QStringLiteral("yyyy-MM-dd"));
        };
        std::set<QString> identities;
        while (rows_.size() < 260) {
            // clang-format off
            Record r{QStringList{"1100", "1200", "1300", "999"}[pick(4)],
                     QStringLiteral("IN%1").arg(pick(120), 4, 10, QLatin1Char('0')), QString::number(1 + pick(3)),
                     pick(4) ? QStringLiteral("ORD%1").arg(pick(30)) : QString(),
                     pick(3) ? QStringLiteral("PO-%1").arg(pick(25)) : QString(),
                     pick(8) ? day(2024, 1, 60) : QString(), day(2023, 11, 40),
                     QString::number((pick(4000) * 25 - 20000) / 100.0), pick(4) ? "0" : "1"};
            // clang-format on
            if (identities.insert(r.mid(0, 3).join(u'|')).second) rows_.push_back(r);
        }
        company_->load("AR0037", Header, QList<QStringList>(rows_.begin(), rows_.end()));
    }
    static inline std::vector<Record> rows_;
};

TEST_P(BrowseReference, FetchesWhatTheReferenceSelects) {
    const auto& [keyNumber, segments] = Keys[GetParam()];
    const QString& leading = segments.front();
    auto view = company_->open()->OpenView("AR0037", "AR");
    view->setOrder(keyNumber);
    auto& fields = view->Fields();
    std::mt19937 rng{unsigned(GetParam())};
    // Filters: none, the lookup's customer filter, and that with a paging
    // condition on the order key; searches, one found through the search
    // index, one also through key ranges of the document number. Each
    // search is written in spellings that find the same records, with runs
    // of three characters and with runs of only one or two, which a server
    // finds through different indexes; and a start of another field, in
    // spellings of its letter case, which a server finds along the key, in
    // key order among the texts of its first characters, or sorted from
    // the texts' index.
    const char* const ops[] = {nullptr, nullptr, " > ", " >= ", " < ", " <= ", nullptr, nullptr, nullptr};
    const QStringList searchSpellings[] = {
        {"IDCUSTPO LIKE \"%o-1%\"", "IDCUSTPO LIKE \"%-1%\"", "IDCUSTPO LIKE \"%O_1%\""},
        {"IDINVC LIKE \"in01%\" AND IDORDRNBR LIKE \"%rD1%\"", "IDINVC LIKE \"in01%\" AND IDORDRNBR LIKE \"%D1%\""},
        {"IDCUSTPO LIKE \"po-1%\"", "IDCUSTPO LIKE \"PO-1%\"", "IDCUSTPO LIKE \"pO-1%\""}};
    // Starts: none, the leading segment put, two segments put, the maximum key put; six random trials of each.
    for (int run = 0; run < 2 * 9 * 4 * 6; ++run) {
        const bool ascending = run % 2 == 0;
        const int filterKind = run / 2 % 9, start = run / 18 % 4, putCount = start == 3 ? 0 : start;
        const Record& anchor = rows_[rng() % rows_.size()];
        const Record& from = rows_[rng() % rows_.size()];
        std::vector<const Record*> expected;
        for (const Record& r : rows_) {
            const int c = compare(r, anchor, leading);
            const auto holds = [&](const char* field, const char* part) {
                return text(r, field).contains(QLatin1String(part), Qt::CaseInsensitive);
            };
            const bool kept[] = {true,
                                 true,
                                 c > 0,
                                 c >= 0,
                                 c < 0,
                                 c <= 0,
                                 holds("IDCUSTPO", "o-1"),
                                 text(r, "IDINVC").startsWith("IN01") && holds("IDORDRNBR", "rd1"),
                                 text(r, "IDCUSTPO").startsWith("PO-1")};
            if ((filterKind == 0 || filterKind >= 6 || (text(r, "IDCUST") == "1200" && text(r, "SWPAID") == "0")) &&
                kept[filterKind])
                expected.push_back(&r);
        }
        std::sort(expected.begin(), expected.end(), [&](const Record* a, const Record* b) {
            for (const QString& s : segments)
                if (const int c = compare(*a, *b, s)) return ascending ? c < 0 : c > 0;
            return false;
        });
        QStringList want;
        for (const Record* r : expected) {
            if (start == 3 && ascending) break;  // nothing lies above the top
            int c = 0;                           // where the record lies from the start, in key order
            for (int s = 0; s < putCount && c == 0; ++s) c = compare(*r, from, segments[s]);
            if (ascending ? c >= 0 : c <= 0) want << r->mid(0, 3).join(u'|');
        }

        QString filter = filterKind == 0 || filterKind >= 6 ? "" : "IDCUST=1200 AND SWPAID=0";
        if (filterKind >= 6) {
            const QStringList& spellings = searchSpellings[filterKind - 6];
            filter = spellings[run / 72 % spellings.size()];
        }
        if (ops[filterKind]) filter += " AND " + leading + ops[filterKind] + '"' + text(anchor, leading) + '"';
        view->ClearRecord();
        view->ResetBrowse(false);
        for (int s = 0; s < putCount; ++s) fields.Item(segments[s]).setValue(text(from, segments[s]));
        if (start == 3) fields.Item(leading).setMaxKey();
        view->Browse(filter, ascending);
        QStringList got;
        while (view->Fetch())
            got << fields.Item("IDCUST").Value().toText() + '|' + fields.Item("IDINVC").Value().toText() + '|' +
                       fields.Item("CNTPAYM").Value().toText();
        ASSERT_EQ(got, want) << (ascending ? "up" : "down") << ", filter: " << filter.toStdString() << ", start "
                             << start << " at " << from.join(u'|').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(EveryOrder, BrowseReference, ::testing::Range(std::size_t(0), Keys.size()),
                         [](const auto& info) { return "Key" + std::to_string(Keys[info.param].first); });

}  // namespace
