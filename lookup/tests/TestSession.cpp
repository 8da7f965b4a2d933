// The one test company of a lookup test program.
#include "TestSession.h"

#include "tests/support/TestCompany.h"

namespace lookup::tests {

namespace {
testsupport::TestCompany& company() {
    static testsupport::TestCompany c(CompanyName);
    return c;
}
}  // namespace

std::shared_ptr<accpac::AccpacSession> testSession() {
    static const std::shared_ptr<accpac::AccpacSession> session = company().open();
    return session;
}

QString testCompanyPath() { return company().path(); }

}  // namespace lookup::tests
