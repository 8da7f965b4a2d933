// The demo company that ships with the component: a small deterministic
// company for trying the lookups without an accounting system of one's own.
#pragma once

#include <QString>
#include <memory>

#include "accpac/AccpacSession.h"

namespace lookup {

// Where the demo company lives: demo-company-3.sqlite in the user's data folder
// for this application (QStandardPaths::AppDataLocation).
QString demoCompanyPath();

// Opens the demo company, creating it first when it does not exist yet.
// Several processes starting at once each build their own copy and keep the
// first one finished. Throws AccpacError when it cannot be made or opened.
std::shared_ptr<accpac::AccpacSession> openDemoCompany();

}  // namespace lookup
