// Connecting to a company on the server read-only and opening its views.
#include "accpac/postgres/ServerSession.h"

#include <algorithm>

#include "accpac/postgres/Schema.h"
#include "accpac/postgres/ServerCompany.h"
#include "accpac/postgres/ServerView.h"

namespace accpac::postgres {

namespace {

// Every statement of the session reads the company's schema only, in a
// read-only transaction; a role without a statement limit of its own gets
// the component's. Every read the views keep prepared has one best plan for
// all values, its shape fixed by the statement (ServerView.cpp): the server
// plans it once instead of for each run, which for a search, its folded
// texts expanded in place, costs more than reading the rows. A lookup reads
// a screenful: compiling it to machine code (jit), which the server does for
// a search of a large company, on every run, or handing parts of it to
// worker processes costs more than it could save.
QString sessionSetupSql() {
    return QStringLiteral(
               "SELECT set_config('search_path', '%1', false), "
               "set_config('default_transaction_read_only', 'on', false), "
               "set_config('plan_cache_mode', 'force_generic_plan', false), "
               "set_config('jit', 'off', false), set_config('max_parallel_workers_per_gather', '0', false), "
               "CASE WHEN current_setting('statement_timeout') = '0' "
               "THEN set_config('statement_timeout', '%2s', false) END, "
               "pg_is_in_recovery(), current_user, %3, "
               "current_setting('trovex.walk_per_row', true), "
               "current_setting('trovex.walk_before_scan_per_row', true), "
               "current_setting('trovex.walk_further_per_row', true)")
        .arg(QLatin1String(CompanySchema))
        .arg(StatementTimeoutSeconds)
        .arg(mayChangeDataSql());
}

}  // namespace

QString ServerContext::connect() {
    if (connection_ && !connection_->broken()) return name;
    connection_.reset();
    auto made = std::make_unique<Connection>(uri_);
    const Result setup = made->query(sessionSetupSql());
    const bool standby = setup.isTrue(0, 6);
    const auto setting = [&](int column, int otherwise) {
        bool given = false;
        const int value = setup.text(0, column).toInt(&given);
        // A role's setting is capped so that the walk's length, this times
        // the rows a read asks for, stays a count the server takes.
        constexpr int MostPerRow = 100'000;  // times the largest read (4,096) fits an int
        return given && value > 0 ? std::min(value, MostPerRow) : otherwise;
    };
    walkPerRow_ = setting(9, DefaultWalkPerRow);
    walkBeforeScanPerRow_ = setting(10, DefaultWalkBeforeScanPerRow);
    walkFurtherPerRow_ = setting(11, DefaultWalkFurtherPerRow);
    if (!standby && setup.isTrue(0, 8))
        throw AccpacError(errnum::AccpacFailure,
                          QStringLiteral("The role \"%1\" may change the company's data; lookups connect with a role "
                                         "that may only read it.")
                              .arg(setup.text(0, 7)));
    Result marker(nullptr);
    try {
        marker = made->query(readMarkerSql());
    } catch (const AccpacError& e) {
        throw AccpacError(errnum::AccpacFailure,
                          QStringLiteral("The database is not a company: %1").arg(e.description()));
    }
    if (marker.rows() != 1)
        throw AccpacError(errnum::AccpacFailure, QStringLiteral("The database has no company name."));
    if (marker.number(0, 1) != ServerFormat)
        throw AccpacError(errnum::AccpacFailure,
                          QStringLiteral("The company's format is %1, this program reads format %2: load the company "
                                         "again with trovex-company create.")
                              .arg(marker.number(0, 1))
                              .arg(ServerFormat));
    name = marker.text(0, 0);
    connection_ = std::move(made);
    return name;
}

std::optional<Result> ServerContext::queryPrepared(const QString& sql, const std::vector<QByteArray>& params) {
    return retried([&](Connection& c) { return c.readPrepared(sql, params); });
}

void ServerContext::planAhead(const std::vector<Connection::Statement>& statements, bool wait) {
    if (connection_ && !connection_->broken()) connection_->planAhead(statements, wait);
}

std::optional<Result> ServerContext::retried(const std::function<std::optional<Result>(Connection&)>& read) {
    const bool hadConnection = connection_ != nullptr;
    try {
        connect();
        return read(*connection_);
    } catch (const AccpacError& e) {
        const bool lost = connection_ && connection_->broken();
        // Only a connection that was live before this read is worth a second
        // try: the server may have closed it while the window stood idle.
        if (!lost || !hadConnection) {
            if (lost) connection_.reset();
            fail(e.description());
        }
        connection_.reset();
    }
    try {
        connect();
        return read(*connection_);
    } catch (const AccpacError& e) {
        if (connection_ && connection_->broken()) connection_.reset();
        fail(e.description());
    }
}

ServerSession::ServerSession(const QString& uri) : context_(std::make_shared<ServerContext>(uri)) {
    context_->connect();
}

std::shared_ptr<AccpacView> ServerSession::OpenView(const QString& viewId, const QString& programId) {
    return std::make_shared<ServerView>(context_, context_->viewToOpen(viewId, programId));
}

}  // namespace accpac::postgres

namespace accpac {

bool isServerCompany(const QString& where) {
    return where.startsWith(QLatin1String("postgresql://")) || where.startsWith(QLatin1String("postgres://"));
}

std::shared_ptr<AccpacSession> openServerCompany(const QString& uri) {
    return std::make_shared<postgres::ServerSession>(uri);
}

}  // namespace accpac
