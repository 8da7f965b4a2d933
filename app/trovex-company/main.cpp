// trovex-company: makes demo companies, loads views from CSV files and
// prints what a browse fetches. The commands live in the company tools library
// (accpac/tools/CompanyTool.h) so that tests run them too.
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "accpac/tools/CompanyTool.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout), err(stderr);
    return accpac::runCompanyTool(app.arguments().mid(1), out, err);
}
