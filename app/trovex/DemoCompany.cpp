// Locating and creating the demo company on first use.
#include "DemoCompany.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "accpac/AccpacError.h"
#include "accpac/sqlite/SqliteCompany.h"
#include "accpac/tools/CompanyWriter.h"

namespace lookup {

// The name carries the company format the demo was made in, so that a
// program reading a newer format makes its own demo instead of refusing the
// one an older program left behind.
QString demoCompanyPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/demo-company-3.sqlite");
}

std::shared_ptr<accpac::AccpacSession> openDemoCompany() {
    const QString path = demoCompanyPath();
    if (!QFileInfo::exists(path)) {
        const QString folder = QFileInfo(path).absolutePath();
        if (!QDir().mkpath(folder))
            throw accpac::AccpacError(accpac::errnum::AccpacFailure,
                                      QStringLiteral("Cannot create the folder ") + folder);
        // Built under a private name and moved into place, so no process ever
        // opens a half-written company.
        const QString building = path + QStringLiteral(".%1.part").arg(QCoreApplication::applicationPid());
        accpac::createCompany(building, accpac::CreateOptions{});
        if (!QFile::rename(building, path)) QFile::remove(building);  // another process was first
    }
    return accpac::openCompany(path);
}

}  // namespace lookup
