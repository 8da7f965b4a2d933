// Stack frames through libbacktrace, which reads the DWARF line and function
// tables of the program and of every shared library it loaded.
#include "tests/support/CallSite.h"

#include <backtrace.h>
#include <cxxabi.h>

#include <cstdlib>
#include <memory>

namespace testsupport {

namespace {

backtrace_state* state() {
    // One state for the process: libbacktrace keeps what it read in it, and
    // it cannot be freed.
    static backtrace_state* s = backtrace_create_state(nullptr, 1, nullptr, nullptr);
    return s;
}

QString demangled(const char* name) {
    int status = 0;
    const std::unique_ptr<char, decltype(&std::free)> plain(abi::__cxa_demangle(name, nullptr, nullptr, &status),
                                                            &std::free);
    return QString::fromUtf8(status == 0 && plain ? plain.get() : name);
}

int frame(void* data, std::uintptr_t, const char*, int, const char* function) {
    if (function) static_cast<QStringList*>(data)->append(demangled(function));
    return 0;
}

}  // namespace

QStringList callStack(int skip) {
    QStringList frames;
    backtrace_full(state(), skip + 1, frame, nullptr, &frames);
    return frames;
}

}  // namespace testsupport
