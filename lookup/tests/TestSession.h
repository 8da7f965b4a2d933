// The company the lookup tests run on: the demo company under the name
// "Test Company", made once per test program.
#pragma once

#include <QString>
#include <memory>

#include "accpac/AccpacSession.h"

namespace lookup::tests {

inline const QString CompanyName = QStringLiteral("Test Company");
inline const QString TitleAndCompany = QStringLiteral("ZQ Sage Accpac Finder: Test Company");

// A session on the shared test company (the same session for every caller).
std::shared_ptr<accpac::AccpacSession> testSession();
// The shared test company's file.
QString testCompanyPath();

}  // namespace lookup::tests
