// Connecting to the company server and running statements through libpq.
#include "accpac/postgres/Connection.h"

#include <libpq-fe.h>

#include "accpac/AccpacError.h"
#include "accpac/catalogue/StoredForm.h"

namespace accpac::postgres {

namespace {

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
    const QByteArray connect = QByteArray::number(ConnectTimeoutSeconds);
    const QByteArray idle = QByteArray::number(LostLinkSeconds / 3);
    const QByteArray userTimeout = QByteArray::number(LostLinkSeconds * 1000);
    const QByteArray target = uri.toUtf8();
    const char* const keywords[] = {"connect_timeout",     "keepalives",       "keepalives_idle",
                                    "keepalives_interval", "keepalives_count", "tcp_user_timeout",
                                    "application_name",    "dbname",           nullptr};
    const char* const values[] = {connect.constData(),     "1",      idle.constData(),   "2",    "3",
                                  userTimeout.constData(), "trovex", target.constData(), nullptr};
    conn_ = PQconnectdbParams(keywords, values, 1);
    if (!conn_) throwFailure(QStringLiteral("The company server cannot be reached: out of memory."));
    // Texts travel as UTF-8 whatever the URI or the environment asks for.
    if (PQstatus(conn_) != CONNECTION_OK || PQsetClientEncoding(conn_, "UTF8") != 0) {
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
    const QByteArray text = sql.toUtf8();
    std::vector<const char*> values;
    values.reserve(params.size());
    for (const QByteArray& p : params) values.push_back(p.constData());
    // Unnamed and unprepared: the server plans each run for the values it
    // gets, so a search never inherits a plan made for another term.
    PGresult* result =
        PQexecParams(conn_, text.constData(), int(params.size()), nullptr, values.data(), nullptr, nullptr, 0);
    if (result && PQresultStatus(result) == PGRES_COMMAND_OK) return Result(result);
    return Result(checked(conn_, result, PGRES_TUPLES_OK, "a query"));
}

void Connection::run(const QString& sql) {
    PQclear(checked(conn_, PQexec(conn_, sql.toUtf8().constData()), PGRES_COMMAND_OK, "a statement"));
}

void Connection::copyIn(const QString& copySql, const std::function<bool(QByteArray&)>& next) {
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
