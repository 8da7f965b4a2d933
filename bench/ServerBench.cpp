// The server backend at the component's interface: one lookup session's
// page moves and searches (p50/p95/max of each over many runs on one
// warm connection), and many sessions at once paging and searching.
//
// The company must be on the server first, in a database named
// bench<documents> (bench1000000...):
//
//   trovex-company create postgresql://OWNER@HOST:PORT/bench1000000 --scale 1000000
//   TROVEX_BENCH_SERVER=postgresql://READER@HOST:PORT server_bench --benchmark_filter=/1000000
//
// TROVEX_BENCH_STANDBY (optional) names a hot standby of the same server:
// the load benchmarks then send every other session to it.
// TROVEX_BENCH_FILTER (optional) adds the session shape BM_Session/Filter.
#include <benchmark/benchmark.h>

#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

#include "accpac/AccpacError.h"
#include "accpac/AccpacField.h"
#include "accpac/postgres/ServerCompany.h"
#include "bench/BenchPage.h"

namespace {

QString serverUri(std::int64_t documents, bool standby) {
    const QByteArray base = qgetenv(standby ? "TROVEX_BENCH_STANDBY" : "TROVEX_BENCH_SERVER");
    return QString::fromLocal8Bit(base) + QStringLiteral("/bench%1").arg(documents);
}

using bench::page;
using bench::PageRows;
using bench::Start;

// Latencies of one kind of operation, in microseconds.
class Latencies {
public:
    void add(double us) {
        const std::lock_guard lock(mutex_);
        samples_.push_back(us);
    }
    // p50, p95 and max as counters named after `what`.
    void report(benchmark::State& state, const std::string& what) {
        const std::lock_guard lock(mutex_);
        if (samples_.empty()) return;
        std::sort(samples_.begin(), samples_.end());
        const auto at = [&](double q) {
            return samples_[std::min(samples_.size() - 1, std::size_t(q * samples_.size()))];
        };
        state.counters[what + "_p50_us"] = at(0.50);
        state.counters[what + "_p95_us"] = at(0.95);
        state.counters[what + "_max_us"] = samples_.back();
        state.counters[what + "_ops"] = double(samples_.size());
        samples_.clear();
    }

private:
    std::mutex mutex_;
    std::vector<double> samples_;
};

template <typename F>
double timed(F&& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count();
}

// Document numbers are a two-letter type and the document's sequence number.
QString documentNumber(std::int64_t n) { return QStringLiteral("IN%1").arg(n, 8, 10, QLatin1Char('0')); }

// The documents view of the company at `uri` on a session of its own, or
// nullptr with the benchmark skipped when it cannot be opened.
std::shared_ptr<accpac::AccpacView> documentsView(benchmark::State& state, const QString& uri) {
    try {
        return accpac::openServerCompany(uri)->OpenView(QStringLiteral("AR0036"), QStringLiteral("AR"));
    } catch (const accpac::AccpacError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        state.SkipWithError("the company cannot be opened");
        return nullptr;
    }
}

// --- one session ----------------------------------------------------------

struct Shape {
    const char* name;
    QString filter;
    bool ascending;
    bool putMiddle;  // start at the middle document
    bool putMax;     // start from the maximum key
};

// clang-format off
const std::vector<Shape> Shapes{
    {"FirstPage", "", true, false, false},
    {"MiddlePage", "", true, true, false},
    {"LastPage", "", false, false, true},
    {"CustomerUnpaid", "IDCUST=1200 AND SWPAID=0", true, false, false},
    {"KeyPrefix", "IDINVC LIKE \"IN0005%\"", true, false, false},
    {"StartsWithOtherColumn", "IDCUSTPO LIKE \"PO25%\"", true, false, false},
    // Prefixes the walk finds too few of (about one PO number in 1,500 and
    // in 15,000), read through the prefix index and sorted by key.
    {"StartsWithOtherColumnRare", "IDCUSTPO LIKE \"PO251%\"", true, false, false},
    {"StartsWithOtherColumnRarer", "IDCUSTPO LIKE \"PO2518%\"", true, false, false},
    // Order numbers follow the document numbers: a prefix's thousands (and
    // tens of thousands) of matches lie together, far along the key from
    // its first records.
    {"StartsWithOrderNumber", "IDORDERNBR LIKE \"ORD012%\"", true, false, false},
    {"StartsWithOrderNumberCommon", "IDORDERNBR LIKE \"ORD01%\"", true, false, false},
    {"StartsWithOrderNumberDigit", "IDORDERNBR LIKE \"ORD5%\"", true, false, false},
    {"ContainsRare", "IDCUSTPO LIKE \"%25183%\"", true, false, false},
    {"ContainsCommon", "IDINVC LIKE \"%000%\"", true, false, false},
    {"ContainsAbsent", "IDCUSTPO LIKE \"%QZX%\"", true, false, false},
    // A rare term that one of the planner's sampled statistics holds, so
    // it takes the term for a common one (on the measured 1e6 company).
    {"ContainsMisjudged", "IDCUSTPO LIKE \"%10114%\"", true, false, false},
    // Terms too rare for the walk to find a screenful and common enough
    // that the trigram index gives thousands of records: three and four
    // digits of a PO number (about one in 250 and one in 2,500).
    {"ContainsThreeDigits", "IDCUSTPO LIKE \"%471%\"", true, false, false},
    {"ContainsFourDigits", "IDCUSTPO LIKE \"%4711%\"", true, false, false},
    // A rare term whose trigrams are all one common trigram: the trigram
    // index's candidates are every PO number holding 111.
    {"ContainsCommonTrigrams", "IDCUSTPO LIKE \"%11111%\"", true, false, false},
    // The run after ORD of the order numbers from 0100000 (one document in
    // 180), which all lie together far along the key: the walk finds none
    // and the trigram index gives all of them to read and sort.
    {"ContainsClustered", "IDORDERNBR LIKE \"%D01%\"", true, false, false},
    // One or two characters, too short for trigrams: no matches; few
    // matches of a character a third of the records hold, three times
    // with one character between; a character only the last 3 % of the
    // key order holds.
    {"ContainsTwoChars", "IDCUSTPO LIKE \"%QZ%\"", true, false, false},
    {"ContainsOneChar", "IDCUSTPO LIKE \"%Q%\"", true, false, false},
    {"ContainsSpacedChar", "IDCUSTPO LIKE \"%9_9_9%\"", true, false, false},
    {"ContainsOneCharAtEnd", "IDINVC LIKE \"%T%\"", true, false, false},
    {"CustomerContains", "IDCUST=1200 AND SWPAID=0 AND IDINVC LIKE \"%123%\"", true, false, false},
};
// clang-format on

void BM_Session(benchmark::State& state, const Shape& shape) {
    const std::int64_t documents = state.range(0);
    auto view = documentsView(state, serverUri(documents, false));
    if (!view) return;
    Start start;
    if (shape.putMiddle) start = {QStringLiteral("IDINVC"), documentNumber(documents / 2)};
    if (shape.putMax) start = bench::topOf(QStringLiteral("IDINVC"));
    Latencies latencies;
    int rows = 0;
    for (auto _ : state) latencies.add(timed([&] { rows = page(*view, shape.filter, shape.ascending, start); }));
    latencies.report(state, "page");
    state.counters["rows"] = rows;
}

// A user's first lookup: a new session (connection and its setup), the
// first page, then the page moves the lookup window makes (the next and the
// previous batch and line from a key in the middle, the last batch), each a
// statement the connection has not read before, timed apart; then the
// first searches on the connection, a rare Contains term and a Starts with
// of another column, whose statements the server plans then; and then
// another lookup's first page on the same connection (a filter of its own).
// The second argument is the pause in milliseconds between the first page
// and the first move: 0, or a person's shortest look at the first page.
void BM_NewSession(benchmark::State& state) {
    const std::int64_t documents = state.range(0);
    const std::chrono::milliseconds pause(state.range(1));
    const QString uri = serverUri(documents, false);
    const QString middle = QStringLiteral("IDINVC %2 \"%1\"").arg(documentNumber(documents / 2));
    const Start top = bench::topOf(QStringLiteral("IDINVC"));
    Latencies opening, first, moves, contains, starts, other;
    for (auto _ : state) {
        std::shared_ptr<accpac::AccpacView> view;
        opening.add(timed([&] { view = documentsView(state, uri); }));
        if (!view) return;
        first.add(timed([&] { page(*view, QString(), true); }));
        std::this_thread::sleep_for(pause);
        moves.add(timed([&] { page(*view, middle.arg(QLatin1String(">=")), true); }));
        moves.add(timed([&] { page(*view, middle.arg(QLatin1String(">")), true); }));
        moves.add(timed([&] { page(*view, middle.arg(QLatin1String("<=")), false, top); }));
        moves.add(timed([&] { page(*view, middle.arg(QLatin1String("<")), false, top); }));
        moves.add(timed([&] { page(*view, QString(), false, top); }));
        contains.add(timed([&] { page(*view, QStringLiteral("IDCUSTPO LIKE \"%25183%\""), true); }));
        starts.add(timed([&] { page(*view, QStringLiteral("IDCUSTPO LIKE \"PO251%\""), true); }));
        other.add(timed([&] { page(*view, QStringLiteral("IDCUST=1200 AND SWPAID=0"), true); }));
    }
    opening.report(state, "open");
    first.report(state, "first");
    moves.report(state, "move");
    contains.report(state, "contains");
    starts.report(state, "starts");
    other.report(state, "other");
}

// --- many sessions at once -------------------------------------------------

Latencies pageTimes, searchTimes;

// Each thread is one user's lookup: its own session, page moves to random
// places in the documents and, when the second argument is N > 0, every Nth
// operation a search of a random rare term instead.
void BM_Load(benchmark::State& state) {
    const std::int64_t documents = state.range(0);
    const std::int64_t searchEvery = state.range(1);
    const bool standby = !qgetenv("TROVEX_BENCH_STANDBY").isEmpty() && state.thread_index() % 2 == 1;
    auto view = documentsView(state, serverUri(documents, standby));
    if (!view) return;
    std::mt19937_64 rng(std::uint64_t(state.thread_index()) * 7919 + 1);
    std::int64_t operations = 0;
    for (auto _ : state) {
        ++operations;
        if (searchEvery > 0 && operations % searchEvery == 0) {
            const QString term = QString::number(10000 + rng() % 90000);
            searchTimes.add(timed([&] { page(*view, "IDCUSTPO LIKE \"%" + term + "%\"", true); }));
        } else {
            const Start start{QStringLiteral("IDINVC"), documentNumber(std::int64_t(rng() % std::uint64_t(documents)))};
            pageTimes.add(timed([&] { page(*view, QString(), true, start); }));
        }
    }
    state.counters["ops_per_s"] = benchmark::Counter(double(operations), benchmark::Counter::kIsRate);
}

// The latencies the load before it collected, from all its sessions.
void BM_LoadLatencies(benchmark::State& state) {
    for (auto _ : state) {
    }
    pageTimes.report(state, "page");
    searchTimes.report(state, "search");
}

const std::vector<std::int64_t> Sizes{1'000'000, 10'000'000};

// A shape of one's own, to look into a term: TROVEX_BENCH_FILTER, a filter
// as a lookup writes it, read upward from the first record.
std::vector<Shape> shapes() {
    std::vector<Shape> all = Shapes;
    const QString own = qEnvironmentVariable("TROVEX_BENCH_FILTER");
    if (!own.isEmpty()) all.push_back({"Filter", own, true, false, false});
    return all;
}

void registerAll() {
    static const std::vector<Shape> all = shapes();
    for (const Shape& shape : all)
        for (std::int64_t n : Sizes)
            benchmark::RegisterBenchmark((std::string("BM_Session/") + shape.name).c_str(), BM_Session, shape)
                ->Arg(n)
                ->MinTime(1.0)
                ->Unit(benchmark::kMicrosecond);
    for (std::int64_t n : Sizes)
        benchmark::RegisterBenchmark("BM_NewSession", BM_NewSession)
            ->Args({n, 0})
            ->Args({n, 50})
            ->Iterations(400)
            ->Unit(benchmark::kMillisecond);
    for (std::int64_t n : Sizes) {
        for (std::int64_t searchEvery : {10, 0}) {
            benchmark::RegisterBenchmark("BM_Load", BM_Load)
                ->Args({n, searchEvery})
                ->Threads(32)
                ->MinTime(10.0)
                ->UseRealTime();
            benchmark::RegisterBenchmark("BM_LoadLatencies", BM_LoadLatencies)->Args({n, searchEvery})->Iterations(1);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
