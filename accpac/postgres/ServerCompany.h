// Companies on a PostgreSQL server: where a company file would be named, a
// libpq connection URI (postgresql://user@host:port/database) names a
// database that holds one company, loaded by trovex-company.
//
// openServerCompany connects as a role that may only read the company; a
// role that could change its data is refused, unless the server is a hot
// standby, which refuses every change itself. Each statement runs in its own
// read-only transaction, so a standby replaying the primary's changes is
// never held up by an open lookup.
#pragma once

#include <QString>
#include <memory>

#include "accpac/AccpacSession.h"

namespace accpac {

// True when `where` is a server URI rather than a company file's path.
bool isServerCompany(const QString& where);

// Opens the company of a server URI. Throws AccpacFailure when the server
// cannot be reached, the database is not a company, or the role may write.
// A connection lost later is made again by the next browse; when that
// fails, the browse reports it and the one after tries again.
std::shared_ptr<AccpacSession> openServerCompany(const QString& uri);

}  // namespace accpac
