// A thin owner of one connection to the company server.
//
// Every failure becomes an AccpacError (AccpacFailure) whose description
// carries the server's or libpq's own message. Values travel only as
// parameters beside the statement text, never inside it.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

struct pg_conn;
struct pg_result;

namespace accpac::postgres {

// The rows of one statement.
class Result {
public:
    explicit Result(pg_result* result) : result_(result) {}
    ~Result();
    Result(Result&& other) noexcept : result_(other.result_) { other.result_ = nullptr; }
    Result& operator=(Result&& other) noexcept;
    Result(const Result&) = delete;
    Result& operator=(const Result&) = delete;

    int rows() const;
    // A value in the server's text form (UTF-8), and its length in bytes.
    const char* value(int row, int column) const;
    int length(int row, int column) const;
    QByteArray bytes(int row, int column) const { return QByteArray(value(row, column), length(row, column)); }
    QString text(int row, int column) const { return QString::fromUtf8(value(row, column), length(row, column)); }
    std::int64_t number(int row, int column) const;
    bool isTrue(int row, int column) const { return *value(row, column) == 't'; }

private:
    pg_result* result_ = nullptr;
};

class Connection {
public:
    // Connects to the server a libpq URI names. The time limits below apply
    // unless the URI sets them itself. Throws when no connection is made.
    explicit Connection(const QString& uri);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Runs one statement with text parameters $1, $2, ... and returns its
    // rows. Throws when the server refuses it or the connection is lost.
    Result query(const QString& sql, const std::vector<QByteArray>& params = {});
    // The same for a read the user may abandon, of a statement whose best
    // plan is the same for every value (its shape decides it): while the
    // server works, the process's read pause (accpac/ReadPause.h) is asked
    // often whether the read is still wanted; when it is not, the server is
    // told to stop the statement and no rows come back. The statement is
    // prepared on this connection the first time, so later runs skip the
    // server's parsing and, where the session asks for one plan for all
    // values, planning.
    std::optional<Result> readPrepared(const QString& sql, const std::vector<QByteArray>& params);
    // A statement readPrepared may run later: its text and how many
    // parameters it takes.
    struct Statement {
        QString sql;
        int params = 0;
    };
    // Has those of `statements` the connection has not prepared yet
    // prepared and planned (one plan for all values) without running them,
    // all in one round trip: their first runs then cost what any later run
    // costs, however soon they come. With `wait`, it waits for the answers;
    // without, it returns at once and the server plans while the user looks
    // at the rows, the next use of the connection taking the answers first.
    // Only while the connection has room for as many again: the reads it is
    // asked for come first. An optimisation: a statement the server refuses
    // is left unprepared, and a wait for the answers the read pause abandons
    // costs the connection, which the next read makes again.
    void planAhead(const std::vector<Statement>& statements, bool wait);
    // True when the statement is prepared, or being prepared by planAhead.
    bool isPrepared(const QString& sql) const;
    // How many statements readPrepared found unprepared and prepared itself.
    int preparedOnRead() const { return preparedOnRead_; }
    // Runs statements without parameters or rows, several at once.
    void run(const QString& sql);
    // COPY ... FROM STDIN fed by `next`, which fills its argument with the
    // following chunk of COPY text and returns false when there is none.
    void copyIn(const QString& copySql, const std::function<bool(QByteArray&)>& next);
    // True once the connection to the server is lost.
    bool broken() const;

private:
    // Sends the statement and waits for its result; nullopt when `abandonable`
    // and the read pause abandoned it.
    std::optional<Result> execute(const QString& sql, const std::vector<QByteArray>& params, bool abandonable);
    // Waits for the answer to what was just sent (`sent` false when libpq
    // could not send it), as execute describes.
    std::optional<Result> await(bool sent, bool abandonable);
    // Asks the server to stop the running statement and reads what is left of
    // it; a server that does not answer in time costs the connection.
    void cancel();
    // Sends the server the request to stop the running statement.
    void askToStop();
    // Takes the answers to what planAhead sent, if any; false when the read
    // pause abandoned the wait (`abandonable`), which costs the connection.
    bool settle(bool abandonable);
    // Waits until libpq holds the next answer or the connection fails;
    // false when `abandonable` and the read pause abandoned the read.
    bool answered(bool abandonable);
    // Closes a connection whose state is unknown; the next read makes a new one.
    void drop();

    pg_conn* conn_ = nullptr;
    QHash<QString, QByteArray> prepared_;  // statement text -> its name on this connection
    int named_ = 0;                        // names given, kept or not (an abandoned one may exist)
    int preparedOnRead_ = 0;
    std::vector<std::pair<QString, QByteArray>> planning_;  // sent by planAhead, not yet answered: text, name
};

// How long a lookup waits for the server before it reports a failure.
constexpr int ConnectTimeoutSeconds = 5;      // a server that does not answer the connection
constexpr int StatementTimeoutSeconds = 15;   // one statement, set when the role has no limit of its own
constexpr int LostLinkSeconds = 15;           // a network link that stops carrying data (TCP keepalives)
constexpr int CancelWaitMilliseconds = 2000;  // a statement told to stop, before its connection is dropped

// `name` as an SQL identifier: between double quotes, inner quotes doubled,
// as every backend quotes them (catalogue::quoteIdentifier).
QString quoteName(const QString& name);

}  // namespace accpac::postgres
