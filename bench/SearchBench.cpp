// Searching a whole view as its user feels it: a lookup window over every
// document of AR0036 (the columns of the customer-document lookup, with no
// standing filter, so every record is reachable) at 10 thousand, 1 million
// and 10 million open documents, driven through the same events a person
// causes on the offscreen platform.
//
// For each term of a fixed corpus, automatic search is on, the text up to
// the term's last character is in the box, and the last keystroke is timed
// from the key press to its batch painted. The corpus holds, for the key
// column (document number) and for other text columns, with "Starts with"
// and "Contains":
//   common  terms most records match (the walk answers at once)
//   rare    terms only a few records match, near the end of the key order
//   absent  terms no record matches
//   short   terms of one or two characters no index can look up
//   deep    a long prefix of the document number (a few records)
// Counters give p50, p95 and the maximum per class in milliseconds, a page
// move (a click in the scroll bar's track) over the whole view and inside a
// rare term's result, the thumb dragged back to the top inside that result,
// and the process's peak memory (VmHWM_kB). Run one size per process to see
// its own peak: --benchmark_filter='/10000000$'.
//
// Companies are made once into $TROVEX_BENCH_DIR (else bench-data in the
// build folder) as company-<documents>.trovex and reused.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>

#include "bench/BenchCompany.h"
#include "bench/WindowBench.h"
#include "engine/Finder.h"
#include "errors/modGeneral.h"
#include "lookup/Application.h"
#include "lookup/MessageRouting.h"
#include "lookup/script/ScriptDriver.h"
#include "lookup/script/UserInput.h"
#include "window/frmTrovex.h"

namespace {

using bench::peakMemoryKb;

using Clock = std::chrono::steady_clock;

// The searchable columns in the window's column list, in grid order.
enum Column { DocumentNumber = 0, Receipt = 1, OrderNumber = 2, CustomerPo = 3 };
enum Condition { StartsWith = 0, Contains = 1 };

struct Term {
    const char* kind;
    Column column;
    Condition condition;
    QString text;
};

// The demo documents number their records 1..n in key order within each
// document type (IN, then IT, after CN and DN), and give 70 % of invoices an
// order number ORD + the record's number; the last invoices are at the end of
// the key order.
std::vector<Term> corpus(std::int64_t documents) {
    const std::int64_t last = documents + documents / 19;  // about the number of the last record
    const auto digits = [](std::int64_t n, int width) {
        return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
    };
    // A number near the end whose record is an invoice with an order number.
    const QString lateOrder = digits(last - 40, 7).left(6);  // ten records share it
    return {
        {"common", DocumentNumber, StartsWith, QStringLiteral("IN")},
        {"common", CustomerPo, StartsWith, QStringLiteral("PO")},
        {"common", CustomerPo, Contains, QStringLiteral("PO0")},
        {"common", OrderNumber, Contains, QStringLiteral("ORD")},
        {"common", DocumentNumber, Contains, QStringLiteral("N00")},
        {"rare", OrderNumber, StartsWith, QStringLiteral("ORD") + lateOrder},
        {"rare", OrderNumber, Contains, QStringLiteral("D") + lateOrder},
        {"rare", DocumentNumber, Contains, digits(last - 40, 8).left(7)},
        {"rare", CustomerPo, Contains, QStringLiteral("O99999")},
        {"absent", CustomerPo, StartsWith, QStringLiteral("PX9")},
        {"absent", CustomerPo, Contains, QStringLiteral("XYZ")},
        {"absent", OrderNumber, StartsWith, QStringLiteral("ORX")},
        {"absent", DocumentNumber, StartsWith, QStringLiteral("IN9")},
        {"absent", DocumentNumber, Contains, QStringLiteral("QQQ")},
        {"short", CustomerPo, StartsWith, QStringLiteral("Z")},
        {"short", OrderNumber, Contains, QStringLiteral("Q")},
        {"short", Receipt, Contains, QStringLiteral("R9")},
        {"short", DocumentNumber, Contains, QStringLiteral("T0")},
        {"deep", DocumentNumber, StartsWith, QStringLiteral("IN") + digits(last - 40, 8).left(7)},
        {"deep", DocumentNumber, StartsWith, QStringLiteral("in") + digits(last / 2, 8).left(7)},
    };
}

// The lookup over the whole document view, with `step` acting on its window.
void withWholeViewWindow(std::int64_t documents, const std::function<void(window::frmTrovex&)>& step) {
    const auto session = bench::company(documents);
    std::vector<lookup::script::Action> actions{lookup::script::Action::custom(step),
                                                lookup::script::Action::custom([](window::frmTrovex& w) {
                                                    lookup::script::clickControl(w, QStringLiteral("pbxCancel"));
                                                })};
    lookup::script::ScriptDriver driver(std::move(actions));
    driver.start();
    errors::gSession = session;
    errors::gRegistry = QStringLiteral("SearchBench");
    const auto view = session->OpenView(QStringLiteral("AR0036"), QStringLiteral("AR"));
    engine::Finder finder;
    finder.FinderCaption = QStringLiteral("Documents");
    finder.SetFinderView(session, view, accpac::Variant::string(accpac::MaxKeyText), 0);
    const char* columns[] = {"IDINVC",   "IDRMIT",   "IDORDERNBR", "IDCUSTPO",  "DATEDUE", "TRXTYPEID", "TRXTYPETXT",
                             "DATEINVC", "DATEDISC", "AMTDUETC",   "AMTDISCTC", "SWPAID",  "IDPREPAID"};
    std::int32_t n = 0;
    for (const char* c : columns) finder.AddFinderCol(QString::fromLatin1(c), n++, 1500, 1);
    finder.ResultField1 = QStringLiteral("0");
    finder.ResultField2 = QStringLiteral("1");
    finder.ShowFinder();
    if (!driver.finish()) std::fprintf(stderr, "%s\n", qPrintable(driver.failure()));
}

void paintGrid(window::frmTrovex& w) { w.FinderGrid.view()->viewport()->repaint(); }

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The longest time the window's events waited during the last timed
// action: how long the window stood frozen.
double lastFreezeMs = 0;

// Runs `action` and paints; its time in milliseconds. A timer that should
// fire every few milliseconds measures the longest wait of the window's
// events meanwhile (lastFreezeMs).
template <class F>
double timed(window::frmTrovex& w, F&& action) {
    const auto start = Clock::now();
    auto lastTurn = start;
    double longest = 0;
    QTimer turns;
    QObject::connect(&turns, &QTimer::timeout, [&] {
        longest = std::max(longest, msSince(lastTurn));
        lastTurn = Clock::now();
    });
    turns.start(2);
    action();
    paintGrid(w);
    lastFreezeMs = std::max(longest, msSince(lastTurn));
    return msSince(start);
}

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(p * double(v.size() - 1) + 0.5))];
}

void report(benchmark::State& state, const std::string& name, const std::vector<double>& ms) {
    state.counters[name + "_p50_ms"] = percentile(ms, 0.5);
    state.counters[name + "_p95_ms"] = percentile(ms, 0.95);
    state.counters[name + "_max_ms"] = ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end());
}

// Puts the search on `term` with its last keystroke still to come.
void prepareSearch(window::frmTrovex& w, const Term& term) {
    lookup::script::chooseEntry(w, QStringLiteral("cboFindDesc"), term.column);
    lookup::script::chooseEntry(w, QStringLiteral("cboCondition"), term.condition);
    w.txtSearch.setText(term.text.chopped(1));  // searches, untimed
}

void BM_WholeViewSearch(benchmark::State& state) {
    const std::int64_t documents = state.range(0);
    const int rounds = documents >= 10'000'000 ? 1 : 5;  // a walk of ten million records takes seconds
    std::map<std::string, std::vector<double>> keystrokes, freezes;
    std::vector<double> pageWhole, pageInResult, thumbTopInResult;
    for (auto _ : state) {
        withWholeViewWindow(documents, [&](window::frmTrovex& w) {
            // On: every keystroke searches (the option is remembered, so look first).
            if (w.chkAuto.Value() != 1) lookup::script::clickControl(w, QStringLiteral("chkAuto"));
            const std::vector<Term> terms = corpus(documents);
            for (int round = 0; round < rounds; ++round) {
                for (const Term& term : terms) {
                    prepareSearch(w, term);
                    const QChar last = term.text.back();
                    keystrokes[term.kind].push_back(
                        timed(w, [&] { QTest::keyClick(w.txtSearch.widget(), last.toLatin1()); }));
                    freezes[term.kind].push_back(lastFreezeMs);
                    keystrokes[std::string(term.column == DocumentNumber ? "key_" : "nonkey_") +
                               (term.condition == StartsWith ? "startswith" : "contains")]
                        .push_back(keystrokes[term.kind].back());
                    if (std::string(term.kind) == "rare" || std::string(term.kind) == "deep") {
                        // Inside the result: to its end, back a batch, and home again.
                        window::FinderEngine& f = *w.finderInstance;
                        pageInResult.push_back(timed(w, [&] {
                            f.GOTOBOT();
                            w.updateScroll();
                        }));
                        pageInResult.push_back(timed(w, [&] {
                            f.PREVBATCH();
                            w.updateScroll();
                        }));
                        thumbTopInResult.push_back(timed(w, [&] {
                            f.GOTOTOP();
                            w.updateScroll();
                        }));
                    }
                }
            }
            w.txtSearch.setText(QString());  // the whole view again
            for (int i = 0; i < 40; ++i)
                pageWhole.push_back(timed(w, [&] { lookup::script::clickScrollBar(w, i % 2 == 0, true); }));
            lookup::script::clickControl(w, QStringLiteral("chkAuto"));  // leave it off
        });
    }
    std::vector<double> all;
    for (const char* kind : {"common", "rare", "absent", "short", "deep"}) {
        report(state, kind, keystrokes[kind]);
        report(state, std::string(kind) + "_freeze", freezes[kind]);
        if (std::string(kind) != "short") all.insert(all.end(), keystrokes[kind].begin(), keystrokes[kind].end());
    }
    for (const char* kind : {"key_startswith", "key_contains", "nonkey_startswith", "nonkey_contains"})
        report(state, kind, keystrokes[kind]);
    report(state, "indexable", all);
    report(state, "page_whole", pageWhole);
    report(state, "page_in_result", pageInResult);
    report(state, "thumb_top_in_result", thumbTopInResult);
    state.counters["VmHWM_kB"] = peakMemoryKb();
}

BENCHMARK(BM_WholeViewSearch)->Arg(10'000)->Arg(1'000'000)->Arg(10'000'000)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) { return bench::runWindowBenchmarks(argc, argv); }
