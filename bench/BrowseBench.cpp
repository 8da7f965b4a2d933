// How long a browse takes in the embedded company database, at 1e4, 1e6
// and 1e7 open documents: a page (Browse + 12 Fetch) at the start, the
// middle and the end of the documents view, a downward page from the
// maximum key, a customer's unpaid documents, and unpaid scheduled payments in each of the
// lookup's orders (first page, and a page back from a key as paging makes
// it), and "starts with" / "contains" searches that fill a page.
//
// A keyed page should cost the same at every size: one index seek plus a
// screenful of records. Companies are made once into $TROVEX_BENCH_DIR (else
// bench-data in the build folder) and reused; the 1e7 one takes minutes to
// make the first time. Run a size alone with --benchmark_filter=/10000$ etc.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <map>

#include "accpac/AccpacError.h"
#include "accpac/AccpacField.h"
#include "accpac/sqlite/SqliteCompany.h"
#include "bench/BenchCompany.h"
#include "bench/BenchPage.h"

namespace {

const QString Customer = QStringLiteral("IDCUST=1200 AND SWPAID=0");

using bench::company;

using bench::page;
using bench::PageRows;
using bench::Start;

// The order-key texts of the first `count` records of a browse.
QStringList keys(accpac::AccpacView& view, const QString& field, const QString& filter, bool ascending, int count) {
    view.ClearRecord();
    view.ResetBrowse(false);
    if (!ascending) view.Fields().Item(field).setMaxKey();
    view.Browse(filter, ascending);
    QStringList texts;
    while (texts.size() < count && view.Fetch()) texts << view.Fields().Item(field).Value().toText();
    return texts;
}

void run(benchmark::State& state, accpac::AccpacView& view, const QString& filter, bool ascending, const Start& start) {
    int rows = 0;
    for (auto _ : state) rows = page(view, filter, ascending, start);
    state.counters["rows"] = rows;
    if (rows == 0) state.SkipWithError("the page is empty");
}

std::shared_ptr<accpac::AccpacView> documents(std::int64_t scale) {
    return company(scale)->OpenView(QStringLiteral("AR0036"), QStringLiteral("AR"));
}

void BM_FirstPage(benchmark::State& state) {
    auto view = documents(state.range(0));
    run(state, *view, QString(), true, {});
}

void BM_MiddlePage(benchmark::State& state) {
    auto view = documents(state.range(0));
    // Document numbers are IN followed by the document's sequence number.
    const QString middle = QStringLiteral("IN%1").arg(state.range(0) / 2, 8, 10, QLatin1Char('0'));
    run(state, *view, QString(), true, {QStringLiteral("IDINVC"), middle});
}

void BM_LastPage(benchmark::State& state) {
    auto view = documents(state.range(0));
    const QStringList last = keys(*view, QStringLiteral("IDINVC"), QString(), false, PageRows);
    run(state, *view, QString(), true, {QStringLiteral("IDINVC"), last.back()});
}

void BM_DescendingFromMax(benchmark::State& state) {
    auto view = documents(state.range(0));
    run(state, *view, QString(), false, bench::topOf(QStringLiteral("IDINVC")));
}

// The document lookup's first page and a page back, as the lookup pages.
void BM_CustomerDocuments(benchmark::State& state) {
    auto view = documents(state.range(0));
    run(state, *view, Customer, true, {});
}

void BM_CustomerDocumentsPageBack(benchmark::State& state) {
    auto view = documents(state.range(0));
    const QStringList texts = keys(*view, QStringLiteral("IDINVC"), Customer, true, 20);
    run(state, *view, Customer + QStringLiteral(" AND IDINVC <= \"%1\"").arg(texts.back()), false,
        bench::topOf(QStringLiteral("IDINVC")));
}

// The scheduled-payment lookup's orders: key number and the field it leads with.
const std::pair<std::int16_t, const char*> Orders[]{{1, "IDINVC"},  {2, "IDORDRNBR"},  {3, "IDCUSTPO"},
                                                    {4, "DATEDUE"}, {6, "AMTPYMRMTC"}, {8, "DATEINVC"}};

std::shared_ptr<accpac::AccpacView> payments(std::int64_t scale, std::int16_t order) {
    auto view = company(scale)->OpenView(QStringLiteral("AR0037"), QStringLiteral("AR"));
    view->setOrder(order);
    return view;
}

void BM_CustomerFirstPage(benchmark::State& state) {
    const auto& [order, field] = Orders[state.range(1)];
    auto view = payments(state.range(0), order);
    state.SetLabel(field);
    run(state, *view, Customer, true, {});
}

// A page back from the 20th record, as the lookup pages: the maximum key
// put, a key condition on the order field, downward.
void BM_CustomerPageBack(benchmark::State& state) {
    const auto& [order, field] = Orders[state.range(1)];
    auto view = payments(state.range(0), order);
    state.SetLabel(field);
    const QString name = QLatin1String(field);
    const QStringList texts = keys(*view, name, Customer, true, 20);
    const QString filter = Customer + QStringLiteral(" AND %1 <= \"%2\"").arg(name, texts.back());
    run(state, *view, filter, false, bench::topOf(name));
}

void BM_SearchStartsWith(benchmark::State& state) {
    auto view = documents(state.range(0));
    run(state, *view, QStringLiteral("IDCUSTPO LIKE \"PO1%\""), true, {});
}

void BM_SearchContains(benchmark::State& state) {
    auto view = documents(state.range(0));
    run(state, *view, QStringLiteral("IDCUSTPO LIKE \"%77%\""), true, {});
}

void sizes(benchmark::internal::Benchmark* b) {
    for (std::int64_t scale : {10'000LL, 1'000'000LL, 10'000'000LL}) b->Arg(scale);
}

void sizesAndOrders(benchmark::internal::Benchmark* b) {
    for (std::int64_t scale : {10'000LL, 1'000'000LL, 10'000'000LL})
        for (std::int64_t o = 0; o < std::int64_t(std::size(Orders)); ++o) b->Args({scale, o});
}

}  // namespace

BENCHMARK(BM_FirstPage)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MiddlePage)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LastPage)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DescendingFromMax)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CustomerDocuments)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CustomerDocumentsPageBack)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CustomerFirstPage)->Apply(sizesAndOrders)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CustomerPageBack)->Apply(sizesAndOrders)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchStartsWith)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchContains)->Apply(sizes)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
