// Making a test's company: the demo company, then the test's own rows
// imported as CSV into the views it names.
#include "tests/support/TestCompany.h"

#include <QFile>
#include <stdexcept>

#include "accpac/sqlite/SqliteCompany.h"
#include "accpac/tools/CompanyWriter.h"
#include "accpac/sqlite/Database.h"

namespace testsupport {

TestCompany::TestCompany(const QString& name) {
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder for the test company");
    path_ = dir_.filePath(QStringLiteral("company.trovex"));
    accpac::createCompany(path_, {name, 0});
}

void TestCompany::load(const QString& viewId, const QStringList& header, const QList<QStringList>& rows) {
    // Every field quoted, quotes doubled, so any text arrives as written.
    QString text;
    for (const QStringList& row : QList<QStringList>{header} + rows) {
        if (row.size() != header.size())
            throw std::runtime_error("a row for " + viewId.toStdString() + " does not match its header");
        QStringList fields;
        for (QString value : row) fields << '"' + value.replace('"', QStringLiteral("\"\"")) + '"';
        text += fields.join(',') + QStringLiteral("\r\n");
    }
    const QString csvPath = dir_.filePath(QStringLiteral("%1-%2.csv").arg(viewId).arg(++files_));
    QFile file(csvPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
        throw std::runtime_error("cannot write " + csvPath.toStdString());
    file.close();
    const accpac::ImportResult result = accpac::importCsv(path_, viewId, csvPath);
    if (!result.problems.isEmpty())
        throw std::runtime_error("import into " + viewId.toStdString() +
                                 " refused: " + result.problems.join(QStringLiteral("; ")).toStdString());
}

void TestCompany::execute(const QString& sql) {
    accpac::sqlite::Database(path_, accpac::sqlite::Database::Mode::ReadWrite).exec(sql.toUtf8().constData());
}

std::shared_ptr<accpac::AccpacSession> TestCompany::open() const { return accpac::openCompany(path_); }

QStringList numberedKeys(int count) {
    const int width = qMax(2, int(QString::number(count).size()));
    QStringList keys;
    for (int i = 1; i <= count; ++i) keys << QStringLiteral("%1").arg(i, width, 10, QLatin1Char('0'));
    return keys;
}

}  // namespace testsupport
