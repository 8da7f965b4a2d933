// The functions on the stack at a point of a test program, innermost first,
// by their C++ names read from the debug information (inlined functions and
// lambdas included), e.g. "engine::Finder::FillFinderGrid(QString&)".
//
// A fault injector keeps them for the call it failed, so a test can tell
// which procedure made that call without asking the procedure.
#pragma once

#include <QStringList>

namespace testsupport {

// `skip` frames above the caller's are left out.
QStringList callStack(int skip = 0);

}  // namespace testsupport
