// Opening the company a host names: a postgresql:// (or postgres://) URI
// opens a company on a PostgreSQL server, anything else a company file.
#pragma once

#include <QString>
#include <memory>

#include "accpac/AccpacSession.h"

namespace lookup {

// Opens the company read-only. Throws AccpacError (AccpacFailure) when it
// cannot: a missing file or one that is no company, a server that cannot be
// reached, a database that is no company, a role that may write.
std::shared_ptr<accpac::AccpacSession> openCompanyAt(const QString& where);

}  // namespace lookup
