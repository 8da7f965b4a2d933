// Connecting to the company server and running statements through libpq.
#include "accpac/postgres/Connection.h"

#include <libpq-fe.h>
#include <poll.h>

#include <QDeadlineTimer>
#include <algorithm>
#include <cerrno>

#include "accpac/AccpacError.h"
#include "accpac/ReadPause.h"
#include "accpac/catalogue/StoredForm.h"

namespace accpac::postgres {

namespace {

// How long a read waits for the server between two questions to the read
// pause: short enough that an abandoned read stops before the next key.
constexpr int PauseIntervalMilliseconds = 10;
// How many statements a connection keeps prepared.
constexpr int PreparedStatements = 64;

[[noreturn]] void throwFailure(const QString& description) { throw AccpacError(errnum::AccpacFailure, description); }

// The server's notices ("table does not exist, skipping") are no concern of
// the user's; failures arrive as errors.
void ignoreNotice(void*, const char*) {}

QString connectionMessage(const pg_conn* conn) { return QString::fromUtf8(PQerrorMessage(conn)).trimmed(); }

// Throws unless the result is one of the statuses the caller expects.
PGresult* checked(pg_conn* conn, PGresult* result, ExecStatusType expected, const char* doing) {
    if (result && PQresultStatus(result) == expected) return result;
    const QString why = result && *PQresultErrorMessage(result)
                            ? QString::fromUtf8(PQresultErrorMessage(result)).trimmed()
                            : connectionMessage(conn);
    PQclear(result);
    throwFailure(QStringLiteral("The company server failed %1: %2").arg(QLatin1String(doing), why));
}

}  // namespace

Result::~Result() { PQclear(result_); }

Result& Result::operator=(Result&& other) noexcept {
    if (this != &other) {
        PQclear(result_);
        result_ = other.result_;
        other.result_ = nullptr;
    }
    return *this;
}

int Result::rows() const { return PQntuples(result_); }
const char* Result::value(int row, int column) const { return PQgetvalue(result_, row, column); }
int Result::length(int row, int column) const { return PQgetlength(result_, row, column); }
std::int64_t Result::number(int row, int column) const { return std::strtoll(value(row, column), nullptr, 10); }

Connection::Connection(const QString& uri) {
    // Defaults first: the URI, expanded after them, overrides any it sets.
    // Texts travel as UTF-8 whatever the URI or the environment asks for:
    // the encoding comes after the URI, so it wins, and is set as the
    // connection starts rather than by a statement of its own.
    const QByteArray connect = QByteArray::number(ConnectTimeoutSeconds);
    const QByteArray idle = QByteArray::number(LostLinkSeconds / 3);
    const QByteArray userTimeout = QByteArray::number(LostLinkSeconds * 1000);
    const QByteArray target = uri.toUtf8();
    const char* const keywords[] = {
        "connect_timeout",  "keepalives",       "keepalives_idle", "keepalives_interval", "keepalives_count",
        "tcp_user_timeout", "application_name", "dbname",          "client_encoding",     nullptr};
    const char* const values[] = {connect.constData(),     "1",      idle.constData(),   "2",    "3",
                                  userTimeout.constData(), "trovex", target.constData(), "UTF8", nullptr};
    conn_ = PQconnectdbParams(keywords, values, 1);
    if (!conn_) throwFailure(QStringLiteral("The company server cannot be reached: out of memory."));
    if (PQstatus(conn_) != CONNECTION_OK ||
        (PQclientEncoding(conn_) != pg_char_to_encoding("UTF8") && PQsetClientEncoding(conn_, "UTF8") != 0)) {
        const QString why = connectionMessage(conn_);
        PQfinish(conn_);
        conn_ = nullptr;
        throwFailure(QStringLiteral("The company server cannot be reached: %1").arg(why));
    }
    PQsetNoticeProcessor(conn_, ignoreNotice, nullptr);
}

Connection::~Connection() { PQfinish(conn_); }

bool Connection::broken() const { return !conn_ || PQstatus(conn_) != CONNECTION_OK; }

Result Connection::query(const QString& sql, const std::vector<QByteArray>& params) {
    return *execute(sql, params, false);
}

std::optional<Result> Connection::readPrepared(const QString& sql, const std::vector<QByteArray>& params) {
    if (!settle(true)) return std::nullopt;
    auto name = prepared_.constFind(sql);
    if (name == prepared_.constEnd()) {
        // A connection keeps a few statements: a session's views, orders and
        // read sizes. Beyond them (filters of many shapes) each runs unprepared.
        if (prepared_.size() >= PreparedStatements) return execute(sql, params, true);
        if (broken()) throwFailure(QStringLiteral("The company server failed a query: the connection is lost."));
        const QByteArray made = "trovex_" + QByteArray::number(++named_);
        if (!await(PQsendPrepare(conn_, made.constData(), sql.toUtf8().constData(), int(params.size()), nullptr), true))
            return std::nullopt;
        name = prepared_.insert(sql, made);
        ++preparedOnRead_;
    }
    std::vector<const char*> values;
    values.reserve(params.size());
    for (const QByteArray& p : params) values.push_back(p.constData());
    return await(!broken() && PQsendQueryPrepared(conn_, name->constData(), int(params.size()), values.data(), nullptr,
                                                  nullptr, 0),
                 true);
}

void Connection::planAhead(const std::vector<Statement>& statements, bool wait) {
    if (!settle(true) || broken() || !PQenterPipelineMode(conn_)) return;
    bool sending = true;
    for (const Statement& s : statements) {
        if (isPrepared(s.sql)) continue;
        if (prepared_.size() + qsizetype(planning_.size()) >= PreparedStatements / 2) break;
        const QByteArray name = "trovex_" + QByteArray::number(++named_);
        // Explaining a prepared statement makes the plan its runs use;
        // nulls stand for the values, which the plan does not depend on.
        QByteArray plan = "EXPLAIN (COSTS OFF) EXECUTE " + name;
        if (s.params > 0) plan += '(' + QByteArrayList(s.params, "NULL").join(", ") + ')';
        sending = PQsendPrepare(conn_, name.constData(), s.sql.toUtf8().constData(), s.params, nullptr) &&
                  PQsendQueryParams(conn_, plan.constData(), 0, nullptr, nullptr, nullptr, nullptr, 0);
        if (!sending) break;
        planning_.emplace_back(s.sql, name);
    }
    if (planning_.empty() && sending) {
        PQexitPipelineMode(conn_);
        return;
    }
    if (!sending || !PQpipelineSync(conn_)) {
        drop();
        return;
    }
    if (wait) settle(true);
}

bool Connection::settle(bool abandonable) {
    if (planning_.empty()) return true;
    // Each statement gives its Prepare's result and its plan's, each
    // followed by a null; the sync point ends them. A statement the server
    // refused stops the rest, which come back aborted.
    std::vector<bool> made(planning_.size());
    bool synced = false;
    std::size_t command = 0;
    while (!synced && !broken() && command <= 2 * planning_.size()) {
        // A plan waits for a lock on a table as a read does; the read after
        // it may be abandoned meanwhile. The server is told to stop, and the
        // connection, inside its pipeline, goes.
        if (!answered(abandonable)) {
            askToStop();
            drop();
            return false;
        }
        PGresult* result = PQgetResult(conn_);
        if (!result) {
            ++command;
            continue;
        }
        const ExecStatusType status = PQresultStatus(result);
        PQclear(result);
        synced = status == PGRES_PIPELINE_SYNC;
        if (command % 2 == 0 && command / 2 < made.size() && status == PGRES_COMMAND_OK) made[command / 2] = true;
    }
    // A connection left inside the pipeline cannot serve the next read.
    if (!synced || !PQexitPipelineMode(conn_)) {
        drop();
        return true;
    }
    for (std::size_t i = 0; i < planning_.size(); ++i)
        if (made[i]) prepared_.insert(planning_[i].first, planning_[i].second);
    planning_.clear();
    return true;
}

void Connection::drop() {
    PQfinish(conn_);
    conn_ = nullptr;
    planning_.clear();
}

bool Connection::isPrepared(const QString& sql) const {
    return prepared_.contains(sql) ||
           std::any_of(planning_.begin(), planning_.end(), [&](const auto& p) { return p.first == sql; });
}

std::optional<Result> Connection::execute(const QString& sql, const std::vector<QByteArray>& params, bool abandonable) {
    if (!settle(abandonable)) return std::nullopt;
    if (broken()) throwFailure(QStringLiteral("The company server failed a query: the connection is lost."));
    const QByteArray text = sql.toUtf8();
    std::vector<const char*> values;
    values.reserve(params.size());
    for (const QByteArray& p : params) values.push_back(p.constData());
    // Unnamed: the server plans each run for the values it gets, so a search
    // never inherits a plan made for another term.
    return await(
        PQsendQueryParams(conn_, text.constData(), int(params.size()), nullptr, values.data(), nullptr, nullptr, 0),
        abandonable);
}

bool Connection::answered(bool abandonable) {
    // Wait for the answer without blocking in libpq, so that the read pause
    // is asked between the server's packets.
    while (PQisBusy(conn_)) {
        pollfd socket{PQsocket(conn_), POLLIN, 0};
        const int ready = poll(&socket, 1, abandonable ? PauseIntervalMilliseconds : -1);
        if (ready < 0 && errno != EINTR) break;
        if (ready > 0 && !PQconsumeInput(conn_)) break;  // the connection is lost: PQgetResult says why
        if (abandonable && accpac::readAbandoned()) return false;
    }
    return true;
}

std::optional<Result> Connection::await(bool sent, bool abandonable) {
    if (!sent) checked(conn_, nullptr, PGRES_TUPLES_OK, "a query");
    if (!answered(abandonable)) {
        cancel();
        return std::nullopt;
    }
    // One statement gives one result, then none; an error may come instead.
    PGresult* result = PQgetResult(conn_);
    PGresult* extra = nullptr;
    while ((extra = PQgetResult(conn_))) PQclear(extra);
    if (result && PQresultStatus(result) == PGRES_COMMAND_OK) return Result(result);
    return Result(checked(conn_, result, PGRES_TUPLES_OK, "a query"));
}

void Connection::askToStop() {
    char why[256];
    if (PGcancel* request = PQgetCancel(conn_)) {
        PQcancel(request, why, int(sizeof why));
        PQfreeCancel(request);
    }
}

void Connection::cancel() {
    askToStop();
    // The statement ends with an error (or its rows, had it just finished);
    // either is dropped. A server that does not say so in time keeps the
    // statement no longer: the connection goes, and the next read makes one.
    const QDeadlineTimer deadline(CancelWaitMilliseconds);
    while (PQisBusy(conn_) && !deadline.hasExpired()) {
        pollfd socket{PQsocket(conn_), POLLIN, 0};
        const int ready = poll(&socket, 1, int(std::max<qint64>(1, deadline.remainingTime())));
        if ((ready < 0 && errno != EINTR) || (ready > 0 && !PQconsumeInput(conn_))) break;
    }
    if (PQisBusy(conn_) || PQstatus(conn_) != CONNECTION_OK) {
        drop();
        return;
    }
    PGresult* rest = nullptr;
    while ((rest = PQgetResult(conn_))) PQclear(rest);
}

void Connection::run(const QString& sql) {
    settle(false);
    PQclear(checked(conn_, PQexec(conn_, sql.toUtf8().constData()), PGRES_COMMAND_OK, "a statement"));
}

void Connection::copyIn(const QString& copySql, const std::function<bool(QByteArray&)>& next) {
    settle(false);
    PQclear(checked(conn_, PQexec(conn_, copySql.toUtf8().constData()), PGRES_COPY_IN, "to start a copy"));
    QByteArray chunk;
    const char* abandoned = nullptr;
    try {
        while (next(chunk)) {
            if (PQputCopyData(conn_, chunk.constData(), int(chunk.size())) != 1) break;
            chunk.clear();
        }
    } catch (...) {
        abandoned = "the records could not be read";
        PQputCopyEnd(conn_, abandoned);
        PQclear(PQgetResult(conn_));
        throw;
    }
    PQputCopyEnd(conn_, nullptr);
    PGresult* result = PQgetResult(conn_);
    // Drain what follows so the connection is ready for the next statement.
    PGresult* extra = nullptr;
    while ((extra = PQgetResult(conn_))) PQclear(extra);
    PQclear(checked(conn_, result, PGRES_COMMAND_OK, "to copy the records"));
}

QString quoteName(const QString& name) { return catalogue::quoteIdentifier(name); }

}  // namespace accpac::postgres
