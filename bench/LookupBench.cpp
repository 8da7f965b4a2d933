// How a lookup feels to its user, over the demo company and over a company
// with 10 million open documents: from the method call to the first batch
// painted in the window, one page move through the window (a click in the
// scroll bar's track), and one keystroke of automatic search (a reload under
// a LIKE filter). Each runs the customer-document lookup (FindAP_Documents
// for customer 1200) in a real window on the offscreen platform, through the
// same events a person causes.
//
// The figures should stay within a factor of two of each other at both
// sizes, and the process's peak memory (counter VmHWM_kB, from
// /proc/self/status) should not grow with the company: a lookup holds one
// batch, never the view. Peak memory only grows within a process, so compare
// it with one size per run: --benchmark_filter='/0(/|$)' and then '/10000000(/|$)'.
//
// Companies are made once into $TROVEX_BENCH_DIR (else bench-data in the
// build folder) as company-<documents>.trovex, the names the backend's
// benchmark uses, and reused; the 10-million one takes many minutes to make.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <map>

#include "accpac/AccpacError.h"
#include "accpac/sqlite/SqliteCompany.h"
#include "bench/BenchCompany.h"
#include "bench/WindowBench.h"
#include "lookup/Application.h"
#include "lookup/MessageRouting.h"
#include "lookup/Trovex.h"
#include "lookup/script/ScriptDriver.h"
#include "lookup/script/UserInput.h"
#include "window/frmTrovex.h"

namespace {

using bench::peakMemoryKb;

const QString Registry = QStringLiteral("LookupBench");
const QString Customer = QStringLiteral("1200");

using bench::company;

// Runs one user action; a window that cannot take it ends the benchmark with the reason.
template <class F>
bool measured(benchmark::State& state, F&& action) {
    try {
        action();
        return true;
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return false;
    }
}

// Paints the grid now, so a measured step includes putting its batch on screen.
void paintGrid(window::frmTrovex& w) { w.FinderGrid.view()->viewport()->repaint(); }

// Runs the customer-document lookup with `step` acting on its window, then cancels it.
void withWindow(std::int64_t documents, const std::function<void(window::frmTrovex&)>& step) {
    std::vector<lookup::script::Action> actions{lookup::script::Action::custom(step),
                                                lookup::script::Action::custom([](window::frmTrovex& w) {
                                                    lookup::script::clickControl(w, QStringLiteral("pbxCancel"));
                                                })};
    lookup::script::ScriptDriver driver(std::move(actions));
    driver.start();
    lookup::Trovex trovex;
    trovex.FindAP_Documents(company(documents), Registry, 0, Customer, 0);
    if (!driver.finish()) std::fprintf(stderr, "%s\n", qPrintable(driver.failure()));
}

// Waits for the first paint of a lookup grid, then cancels that lookup.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::Paint || painted_) return false;
        for (QObject* o = watched; o; o = o->parent()) {
            if (auto* w = qobject_cast<window::frmTrovex*>(o); w && watched == w->FinderGrid.view()->viewport()) {
                painted_ = true;
                at_ = std::chrono::steady_clock::now();
                // After this paint: the batch is on screen, the lookup can end.
                QMetaObject::invokeMethod(
                    w, [w] { lookup::script::clickControl(*w, QStringLiteral("pbxCancel")); }, Qt::QueuedConnection);
                break;
            }
        }
        return false;
    }
    bool painted_ = false;
    std::chrono::steady_clock::time_point at_;
};

void BM_CallToFirstBatchOnScreen(benchmark::State& state) {
    const auto session = company(state.range(0));
    for (auto _ : state) {
        FirstPaint watch;
        qApp->installEventFilter(&watch);
        lookup::Trovex trovex;
        const auto start = std::chrono::steady_clock::now();
        trovex.FindAP_Documents(session, Registry, 0, Customer, 0);
        qApp->removeEventFilter(&watch);
        if (!watch.painted_) {
            state.SkipWithError("the grid was never painted");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(watch.at_ - start).count());
    }
    state.counters["VmHWM_kB"] = peakMemoryKb();
}

void BM_PageMoveThroughWindow(benchmark::State& state) {
    withWindow(state.range(0), [&state](window::frmTrovex& w) {
        // Down a batch and back up again, by turns: every click is one page move.
        bool down = true;
        for (auto _ : state) {
            if (!measured(state, [&] { lookup::script::clickScrollBar(w, down, true); })) break;
            paintGrid(w);
            down = !down;
        }
    });
    state.counters["VmHWM_kB"] = peakMemoryKb();
}

// The same page move without painting: the engine's keyed browse and the
// grid's one screenful of rows, which is what must not grow with the view.
void BM_PageMoveEngineOnly(benchmark::State& state) {
    withWindow(state.range(0), [&state](window::frmTrovex& w) {
        bool down = true;
        for (auto _ : state) {
            if (down)
                w.finderInstance->NEXTBATCH();
            else
                w.finderInstance->PREVBATCH();
            w.updateScroll();
            down = !down;
        }
    });
}

void BM_AutoSearchKeystroke(benchmark::State& state) {
    withWindow(state.range(0), [&state](window::frmTrovex& w) {
        lookup::script::clickControl(w, QStringLiteral("chkAuto"));  // on: every change of the text searches
        lookup::script::clickControl(w, QStringLiteral("txtSearch"));
        // A letter, then Backspace: each keystroke reloads the grid.
        bool letter = true;
        for (auto _ : state) {
            QTest::keyClick(w.txtSearch.widget(), letter ? Qt::Key_I : Qt::Key_Backspace);
            paintGrid(w);
            letter = !letter;
        }
        lookup::script::clickControl(w, QStringLiteral("chkAuto"));  // the option is remembered: leave it off
    });
    state.counters["VmHWM_kB"] = peakMemoryKb();
}

constexpr std::int64_t Demo = 0;
constexpr std::int64_t TenMillion = 10'000'000;

BENCHMARK(BM_CallToFirstBatchOnScreen)->Arg(Demo)->Arg(TenMillion)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageMoveThroughWindow)->Arg(Demo)->Arg(TenMillion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageMoveEngineOnly)->Arg(Demo)->Arg(TenMillion)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AutoSearchKeystroke)->Arg(Demo)->Arg(TenMillion)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::runWindowBenchmarks(argc, argv); }
