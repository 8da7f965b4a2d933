// The process's read pause.
#include "accpac/ReadPause.h"

namespace accpac {

namespace {

ReadPause& installed() {
    static ReadPause pause;
    return pause;
}

}  // namespace

void setReadPause(ReadPause pause) { installed() = std::move(pause); }

bool readAbandoned() {
    const ReadPause& pause = installed();
    return pause && pause();
}

}  // namespace accpac
