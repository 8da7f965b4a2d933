// Loads that keep the window alive: while a load reads for long, the window
// paints and takes keys; a newer search, move or Cancel abandons the load.
//
// Everything still runs on the user-interface thread, one load at a time.
// While a load runs, the engine's read pause lets the window's events
// through every PumpInterval. A load or move that those events ask for is not run
// inside the pause, where it would nest in the running read: it is kept,
// and the pause tells the backend to abandon the running read, which then
// ends as if the view had no more records. The running load unwinds, and
// the kept one runs after it; of several kept, only the latest runs, so
// what remains on screen is the result of the user's last request. Loads
// that the engine's own control changes start (PrepareFinder setting the
// search box) are not kept: they run at once, as they always have.
#include <QCoreApplication>

#include "accpac/ReadPause.h"
#include "engine/Finder.h"
#include "window/frmTrovex.h"

namespace engine {

namespace {

// How long a read runs between two turns of the window's events: well
// under what a person notices as a frozen window.
constexpr auto PumpInterval = std::chrono::milliseconds(40);

}  // namespace

Finder::LoadRun::LoadRun(Finder& finder) : finder_(finder) {
    if (finder_.loadDepth_++ > 0) return;
    finder_.lastPump_ = std::chrono::steady_clock::now();
    accpac::setReadPause([&finder] { return finder.readPause(); });
}

Finder::LoadRun::~LoadRun() {
    if (--finder_.loadDepth_ > 0) return;
    accpac::setReadPause({});
    // The running load has ended: the latest request made meanwhile runs now.
    while (finder_.keptLoad_) {
        const std::function<void()> next = std::exchange(finder_.keptLoad_, {});
        next();
    }
}

bool Finder::keptForLater(std::function<void()> operation) {
    if (!pumping_) return false;
    keptLoad_ = std::move(operation);
    return true;
}

bool Finder::readPause() {
    if (keptLoad_) return true;
    if (loadDepth_ == 0 || pumping_) return false;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastPump_ < PumpInterval) return false;
    // Only a window that was on screen can be closed meanwhile: the first
    // load runs before the window is shown, and a slow read there must not
    // end as if the user had closed it.
    const bool shown = myFinderForm && myFinderForm->isVisible();
    pumping_ = true;
    QCoreApplication::processEvents();
    pumping_ = false;
    lastPump_ = std::chrono::steady_clock::now();
    // A newer request, or a window closed meanwhile, ends this read.
    return keptLoad_ || (shown && !myFinderForm->isVisible());
}

}  // namespace engine
