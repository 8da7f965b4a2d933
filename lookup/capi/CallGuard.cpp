// The last error of each thread that calls the C interfaces.
#include "lookup/capi/CallGuard.h"

namespace lookup::capi {

namespace {
thread_local std::string lastErrorText;
}

const char* lastError() { return lastErrorText.c_str(); }

void setLastError(const std::string& text) { lastErrorText = text; }

}  // namespace lookup::capi
