// Making a test's company: the demo company, then the test's own rows
// imported as CSV into the views it names.
#include "tests/support/TestCompany.h"

#include <QCoreApplication>
#include <QFile>
#include <stdexcept>

#include "accpac/postgres/Connection.h"
#include "accpac/postgres/ServerCompany.h"
#include "accpac/postgres/ServerCompanyLoad.h"
#include "accpac/sqlite/Database.h"
#include "accpac/sqlite/SqliteCompany.h"
#include "accpac/tools/CompanyWriter.h"

namespace testsupport {

namespace {

QString serverBase(const char* variable) {
    const QString base = qEnvironmentVariable(variable);
    if (base.isEmpty())
        throw std::runtime_error(std::string(variable) +
                                 " is not set: start a test server with scripts/pg-cluster (scripts/test does)");
    return base;
}

}  // namespace

bool onServer() { return qEnvironmentVariable("TROVEX_TEST_BACKEND") == QLatin1String("postgres"); }

TestCompany::TestCompany(const QString& name) {
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder for the test company");
    path_ = dir_.filePath(QStringLiteral("company.trovex"));
    accpac::createCompany(path_, {name, 0});
    if (onServer()) {
        // One database per test company; test programs run side by side.
        static int made = 0;
        database_ = QStringLiteral("company_%1_%2").arg(QCoreApplication::applicationPid()).arg(++made);
        accpac::postgres::Connection admin(serverBase("TROVEX_PG_OWNER") + QStringLiteral("/postgres"));
        admin.run(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(database_));
        admin.run(QStringLiteral("CREATE DATABASE %1").arg(database_));
    }
}

QString TestCompany::serverUri(bool owner) const {
    if (database_.isEmpty()) return {};
    return serverBase(owner ? "TROVEX_PG_OWNER" : "TROVEX_PG_PRIMARY") + u'/' + database_;
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
    copied_ = false;
}

void TestCompany::execute(const QString& sql) {
    accpac::sqlite::Database(path_, accpac::sqlite::Database::Mode::ReadWrite).exec(sql.toUtf8().constData());
    copied_ = false;
}

std::shared_ptr<accpac::AccpacSession> TestCompany::open() const {
    if (database_.isEmpty()) return accpac::openCompany(path_);
    if (!copied_) {
        accpac::loadServerCompany(serverUri(true), path_);
        copied_ = true;
    }
    return accpac::openServerCompany(serverUri());
}

QStringList numberedKeys(int count) {
    const int width = qMax(2, int(QString::number(count).size()));
    QStringList keys;
    for (int i = 1; i <= count; ++i) keys << QStringLiteral("%1").arg(i, width, 10, QLatin1Char('0'));
    return keys;
}

}  // namespace testsupport
