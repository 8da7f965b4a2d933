// Loading companies into a PostgreSQL server, for trovex-company and tests.
//
// These connect with a role that may create and change the company (its
// database's owner); the component itself never calls them. Each load is
// one transaction with the records sent by COPY: lookups running meanwhile
// see the company as it was until the load commits, and a failed load
// leaves it as it was.
#pragma once

#include <QString>

#include "accpac/tools/CompanyWriter.h"

namespace accpac {

// Replaces the company in the URI's database with a copy of a company
// file: its name, every view's records, the indexes; then lets every role
// that may connect to the database read it. Throws AccpacFailure.
void loadServerCompany(const QString& uri, const QString& companyFile);

// createCompany, on the server.
void createServerCompany(const QString& uri, const CreateOptions& options);

// importCsv, on the server: the same checks and problems, then the view's
// records replaced in one transaction.
ImportResult importServerCsv(const QString& uri, const QString& viewId, const QString& csvFile);

}  // namespace accpac
