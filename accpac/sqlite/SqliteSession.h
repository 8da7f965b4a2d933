// A session on one company file, and what its views share with it.
#pragma once

#include <memory>

#include "accpac/AccpacSession.h"
#include "accpac/sqlite/Database.h"

namespace accpac::sqlite {

// The open file, the company's name and the session's messages. Views keep
// it alive, so a view that outlives its session still reads and reports.
struct CompanyContext {
    explicit CompanyContext(const QString& path) : db(path, Database::Mode::ReadOnly) {}
    Database db;
    QString name;
    AccpacErrors errors;

    // Puts an Error message into the session's errors and throws it as an
    // AccpacFailure.
    [[noreturn]] void fail(const QString& description);
};

class SqliteSession : public AccpacSession {
public:
    // Opens the company read-only; throws AccpacFailure when the file is
    // missing or is not a company.
    explicit SqliteSession(const QString& path);

    std::shared_ptr<AccpacView> OpenView(const QString& viewId, const QString& programId) override;
    AccpacCompany Company() override { return {context_->name}; }
    AccpacErrors& Errors() override { return context_->errors; }
    // The session's connection (read-only, query-only).
    Database& database() { return context_->db; }

private:
    std::shared_ptr<CompanyContext> context_;
};

}  // namespace accpac::sqlite
