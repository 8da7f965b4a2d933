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
#include <functional>
#include <memory>

#include "accpac/AccpacSession.h"
#include "accpac/tools/CompanyWriter.h"

namespace accpac {

// How the commands reach the company a PATH names.
struct CompanyStore {
    std::function<std::shared_ptr<AccpacSession>(const QString& path)> open;
    std::function<void(const QString& path, const CreateOptions& options)> create;
    std::function<ImportResult(const QString& path, const QString& viewId, const QString& csvFile,
                               const ProgressReport& progress)>
        import;
    // Empty for stores that keep their search indexes current themselves.
    std::function<void(const QString& path, const ProgressReport& progress)> reindex;
};
// The store of company files.
CompanyStore companyFiles();
// The store that serves a PATH; programs that link other backends give
// their own, falling back on companyFiles.
using CompanyStores = std::function<CompanyStore(const QString& path)>;

// Runs one command (`args` without the program's name). Results go to
// `out`, errors and usage to `err`. Returns the exit code: 0, or 1 on any error.
int runCompanyTool(const QStringList& args, QTextStream& out, QTextStream& err, const CompanyStores& stores = {});

}  // namespace accpac
