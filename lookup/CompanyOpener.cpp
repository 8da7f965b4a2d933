// Choosing the backend by the form of the company's name.
#include "lookup/CompanyOpener.h"

#include "accpac/postgres/ServerCompany.h"
#include "accpac/sqlite/SqliteCompany.h"

namespace lookup {

std::shared_ptr<accpac::AccpacSession> openCompanyAt(const QString& where) {
    return accpac::isServerCompany(where) ? accpac::openServerCompany(where) : accpac::openCompany(where);
}

}  // namespace lookup
