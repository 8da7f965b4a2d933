// trovex-company: makes demo companies, loads views from CSV files and
// prints what a browse fetches, in company files or on a PostgreSQL server.
// The commands live in the company tools library (accpac/tools/CompanyTool.h)
// so that tests run them too.
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "accpac/postgres/ServerCompany.h"
#include "accpac/postgres/ServerCompanyLoad.h"
#include "accpac/tools/CompanyTool.h"
#include "accpac/tools/ScratchFiles.h"

int main(int argc, char** argv) {
    accpac::removeScratchFilesOnInterrupt();
    QCoreApplication app(argc, argv);
    QTextStream out(stdout), err(stderr);
    // A postgresql:// URI names a company on a server; anything else a company file.
    return accpac::runCompanyTool(app.arguments().mid(1), out, err, [](const QString& path) {
        if (!accpac::isServerCompany(path)) return accpac::companyFiles();
        // The server's load is one COPY in one transaction: no progress to show.
        return accpac::CompanyStore{
            accpac::openServerCompany,
            accpac::createServerCompany,
            [](const QString& uri, const QString& viewId, const QString& csvFile, const accpac::ProgressReport&) {
                return accpac::importServerCsv(uri, viewId, csvFile);
            },
            // The server keeps its search indexes current itself.
            {}};
    });
}
