// Making a test's company: the demo company, then the test's own rows
// imported as CSV into the views it names.
#include "tests/support/TestCompany.h"

#include <QFile>
#include <stdexcept>

#include "accpac/AccpacError.h"
#include "accpac/SqliteCompany.h"

namespace testsupport {

namespace {

// One CSV field, quoted when it holds a comma, a quote or a line break.
QString csvField(const QString& value) {
    if (!value.contains(QLatin1Char(',')) && !value.contains(QLatin1Char('"')) && !value.contains(QLatin1Char('\n')) &&
        !value.contains(QLatin1Char('\r')))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString csvLine(const QStringList& values) {
    QStringList fields;
    for (const QString& v : values) fields << csvField(v);
    return fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

}  // namespace

TestCompany::TestCompany(const QString& name) : name_(name) {
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder for the test company");
    path_ = dir_.filePath(QStringLiteral("company.trovex"));
    accpac::createCompany(path_, {name, 0});
}

void TestCompany::load(const QString& viewId, const QStringList& header, const QList<QStringList>& rows) {
    const QString csvPath = dir_.filePath(QStringLiteral("%1-%2.csv").arg(viewId).arg(++files_));
    QFile file(csvPath);
    if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write " + csvPath.toStdString());
    QString text = csvLine(header);
    for (const QStringList& row : rows) {
        if (row.size() != header.size())
            throw std::runtime_error("a row for " + viewId.toStdString() + " does not match its header");
        text += csvLine(row);
    }
    file.write(text.toUtf8());
    file.close();

    const accpac::ImportResult result = accpac::importCsv(path_, viewId, csvPath);
    if (!result.problems.isEmpty())
        throw std::runtime_error("import into " + viewId.toStdString() +
                                 " refused: " + result.problems.join(QStringLiteral("; ")).toStdString());
}

std::shared_ptr<accpac::AccpacSession> TestCompany::open() const { return accpac::openCompany(path_); }

QStringList numberedKeys(int count) {
    const int width = qMax(2, int(QString::number(count).size()));
    QStringList keys;
    for (int i = 1; i <= count; ++i) keys << QStringLiteral("%1").arg(i, width, 10, QLatin1Char('0'));
    return keys;
}

}  // namespace testsupport
