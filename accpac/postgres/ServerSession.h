// A session on a company held by the server, and what its views share.
#pragma once

#include <memory>

#include "accpac/AccpacSession.h"
#include "accpac/postgres/Connection.h"

namespace accpac::postgres {

// The connection (made again when lost), the company's name and the
// session's messages. Views keep it alive.
class ServerContext {
public:
    explicit ServerContext(QString uri) : uri_(std::move(uri)) {}

    AccpacErrors errors;
    QString name;

    // Connects when there is no live connection, checks that the database is
    // a company the role may only read, and returns the company's name.
    QString connect();
    // Runs a read; nullopt when the read pause abandoned it (see
    // Connection::read). A connection found lost is made again and the read
    // repeated once; reads change nothing, so repeating one is harmless.
    // A budget stops the read as Connection::read does.
    std::optional<Result> query(const QString& sql, const std::vector<QByteArray>& params, int budget = -1,
                                bool* overBudget = nullptr);
    // Puts an Error message into the session's errors and throws it as an
    // AccpacFailure.
    [[noreturn]] void fail(const QString& description);

private:
    QString uri_;
    std::unique_ptr<Connection> connection_;
};

class ServerSession : public AccpacSession {
public:
    explicit ServerSession(const QString& uri);

    std::shared_ptr<AccpacView> OpenView(const QString& viewId, const QString& programId) override;
    AccpacCompany Company() override { return {context_->name}; }
    AccpacErrors& Errors() override { return context_->errors; }

private:
    std::shared_ptr<ServerContext> context_;
};

}  // namespace accpac::postgres
