// The CSV import on any file: it loads the records or lists problems by
// line, never anything else, and a refused file leaves the view as it was.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

#include "accpac/AccpacError.h"
#include "accpac/sqlite/SqliteCompany.h"
#include "accpac/tools/CompanyWriter.h"

namespace {

struct Company {
    Company() {
        if (!dir.isValid()) std::abort();
        accpac::createCompany(path, {QStringLiteral("Fuzz Company"), 0});
    }
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("company.trovex"));
    QString csv = dir.filePath(QStringLiteral("input.csv"));
};

// The records of the distribution codes, as one text.
QString records(const QString& company) {
    auto view = accpac::openCompany(company)->OpenView(QStringLiteral("AR0015"), QStringLiteral("AR"));
    view->Browse(QString(), true);
    QString all;
    while (view->Fetch())
        for (int i = 0; i < view->Fields().Count(); ++i) all += view->Fields().Item(i).Value().toText() + u'\t';
    return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Company company;
    QFile file(company.csv);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    const QString before = records(company.path);
    const accpac::ImportResult result = accpac::importCsv(company.path, QStringLiteral("AR0015"), company.csv);
    if (!result.problems.isEmpty()) {
        for (const QString& p : result.problems)
            if (!p.startsWith(QStringLiteral("line ")) && !p.startsWith(QStringLiteral("and "))) std::abort();
        if (result.rows != 0 || records(company.path) != before) std::abort();
    }
    return 0;
}
