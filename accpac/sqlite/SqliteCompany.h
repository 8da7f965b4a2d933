// The embedded backend: one company is one SQLite file, opened read-only;
// the component never changes accounting data. The company tools
// (accpac/tools/CompanyWriter.h) make and load company files.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "accpac/AccpacSession.h"

namespace accpac {

// Opens a company read-only. A missing file or one that is not a company
// throws AccpacFailure.
std::shared_ptr<AccpacSession> openCompany(const QString& path);

// Every view ID the catalogue knows, sorted.
QStringList catalogueViewIds();

}  // namespace accpac
