// The company tool's commands, for the trovex-company program and its tests:
//
//   create PATH [--name TEXT] [--scale N]
//   import PATH VIEWID FILE.csv
//   browse PATH VIEWID [--order N] [--filter TEXT] [--desc] [--put FIELD=VALUE]... [--limit N]
//
// browse prints the records a browse fetches, tab-separated, field names
// first, each value in its default text form.
#pragma once

#include <QStringList>
#include <QTextStream>

namespace accpac {

// Runs one command (`args` without the program's name). Results go to
// `out`, errors and usage to `err`. Returns the exit code: 0, or 1 on any error.
int runCompanyTool(const QStringList& args, QTextStream& out, QTextStream& err);

}  // namespace accpac
