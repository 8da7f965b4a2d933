// A session on a company held by the server, and what its views share.
#pragma once

#include <functional>
#include <memory>

#include "accpac/AccpacSession.h"
#include "accpac/catalogue/SessionContext.h"
#include "accpac/postgres/Connection.h"

namespace accpac::postgres {

// Records walked per row asked for: a common term's first screen comes
// from the walk, a rare term's costs a few milliseconds of walking before the
// search indexes find it (ServerView.cpp).
constexpr int DefaultWalkPerRow = 200;
// The same for a search with no run of three characters, which reads the
// texts holding its characters and pairs (as many as a third of the
// records for a digit), or the whole table, when its walk falls short: the
// walk may go further before that costs more than it saves.
constexpr int DefaultWalkBeforeScanPerRow = 3200;
// The same for a search whose first walk found a few matches but not a
// screenful: matches that often (one in a few thousand records) are too
// many to read through the trigram index (a record read each, thousands),
// and the walk finds a screenful of them sooner.
constexpr int DefaultWalkFurtherPerRow = 2500;

// The connection (made again when lost), besides what every session shares
// with its views.
class ServerContext : public catalogue::SessionContext {
public:
    explicit ServerContext(QString uri) : uri_(std::move(uri)) {}

    // Connects when there is no live connection, checks that the database is
    // a company the role may only read, and returns the company's name.
    QString connect();
    // Runs a read the connection keeps prepared (Connection::readPrepared);
    // nullopt when the read pause abandoned it. A connection found lost is
    // made again and the read repeated once; reads change nothing, so
    // repeating one is harmless.
    std::optional<Result> queryPrepared(const QString& sql, const std::vector<QByteArray>& params);
    // True when the connection has prepared the read already.
    bool isPrepared(const QString& sql) const { return connection_ && connection_->isPrepared(sql); }
    // Has the live connection prepare and plan reads it is likely to run
    // soon (Connection::planAhead); nothing without one.
    void planAhead(const std::vector<Connection::Statement>& statements, bool wait);
    // The live connection's Connection::preparedOnRead (0 without one).
    int preparedOnRead() const { return connection_ ? connection_->preparedOnRead() : 0; }

    // How many records a search walks in key order per row it asks for
    // before it reads the search indexes instead: the role's or the
    // database's setting trovex.walk_per_row, or DefaultWalkPerRow.
    int walkPerRow() const { return walkPerRow_; }
    // How many records a search with no run of three characters walks per
    // row asked for before it reads the index of characters and pairs, or
    // the whole table, instead: the setting
    // trovex.walk_before_scan_per_row, or DefaultWalkBeforeScanPerRow.
    int walkBeforeScanPerRow() const { return walkBeforeScanPerRow_; }
    // How many records a search walks per row asked for when its first walk
    // found a few matches: the setting trovex.walk_further_per_row, or
    // DefaultWalkFurtherPerRow.
    int walkFurtherPerRow() const { return walkFurtherPerRow_; }

private:
    // Runs `read` on the connection, made again and the read repeated once
    // when it was lost.
    std::optional<Result> retried(const std::function<std::optional<Result>(Connection&)>& read);

    QString uri_;
    std::unique_ptr<Connection> connection_;
    int walkPerRow_ = DefaultWalkPerRow;
    int walkBeforeScanPerRow_ = DefaultWalkBeforeScanPerRow;
    int walkFurtherPerRow_ = DefaultWalkFurtherPerRow;
};

class ServerSession : public catalogue::CatalogueSession {
public:
    explicit ServerSession(const QString& uri);

    std::shared_ptr<AccpacView> OpenView(const QString& viewId, const QString& programId) override;

private:
    catalogue::SessionContext& context() override { return *context_; }

    std::shared_ptr<ServerContext> context_;
};

}  // namespace accpac::postgres
