// The server backend where it differs from a company file: texts beyond
// ASCII in key order and under LIKE, compared with the embedded backend on
// the same records; the roles it accepts; connections lost, refused and
// restored; and the hot standby, which serves lookups and shows what the
// primary writes once replayed.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <map>
#include <thread>

#include "accpac/AccpacError.h"
#include "accpac/ReadPause.h"
#include "accpac/filter/Filter.h"
#include "accpac/postgres/Connection.h"
#include "accpac/postgres/Schema.h"
#include "accpac/postgres/ServerCompany.h"
#include "accpac/postgres/ServerCompanyLoad.h"
#include "accpac/postgres/ServerSession.h"
#include "accpac/postgres/ServerView.h"
#include "accpac/sqlite/SqliteCompany.h"
#include "accpac/tests/Fixtures.h"
#include "tests/support/TestCompany.h"

namespace {

using namespace accpac;

// Account descriptions: letters whose folding differs from their lower case
// or takes another script, LIKE's own characters, and what COPY escapes.
// clang-format off
const QStringList Descriptions{
    "École normale", "élan vital", "ÉLAN", "Straße", "STRASSE", "ſtraight", "Ωmega", "ωmega", "ΣΊΣΥΦΟΣ",
    "σίσυφος", "Kelvin \u212A", "kelvin k", "İstanbul", "istanbul", "ǅemal", "ǆemal", "50% off", "5_0 off",
    "back\\slash", "tab\there", "line\nbreak", "Zürich 😀", "rent", "Rent Expense", "",
    // Stretches that repeat a character or alternate two, one longer than
    // the index of repeats tells apart.
    "Invoice 1111111", "ref 9090909", "ΩωΩωΩω", "xabababa 1111111111"};
// Account numbers whose UTF-8 bytes order differently from their letters.
const QStringList Numbers{
    "A", "a", "Z", "é", "É", "z", "~", "€", "😀", "Ω", "ß", "SS", "İ", "i", "1", "10", "2", " lead", "lead ",
    "ǅ", "ǆ", "K", "\u212A", "Æ", "æ", "1111", "90909", "ΩΩΩΩ", "abab"};
// clang-format on

QString serverDir() { return qEnvironmentVariable("TROVEX_PG_DIR"); }

// Records as key|description, in the order of their keys' UTF-8 bytes.
bool byKeyBytes(const QString& a, const QString& b) {
    return a.section(u'|', 0, 0).toUtf8() < b.section(u'|', 0, 0).toUtf8();
}

// key|description of the records a browse of `view` fetches, at most `limit` of them.
QStringList fetched(AccpacView& view, const QString& filter, bool ascending, qsizetype limit = -1) {
    view.ClearRecord();
    view.ResetBrowse(false);
    if (!ascending) view.Fields().Item("ACCTFMTTD").setMaxKey();
    view.Browse(filter, ascending);
    QStringList got;
    while (got.size() != limit && view.Fetch())
        got << view.Fields().Item("ACCTFMTTD").Value().toText() + u'|' +
                   view.Fields().Item("ACCTDESC").Value().toText();
    return got;
}
// Every record a browse of a new view of the accounts fetches.
QStringList browse(AccpacSession& session, const QString& filter, bool ascending) {
    return fetched(*session.OpenView("GL0001", "GL"), filter, ascending);
}

class Server : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        company_ = std::make_unique<testsupport::TestCompany>();
        QList<QStringList> rows;
        for (qsizetype i = 0; i < Numbers.size(); ++i)
            rows << QStringList{Numbers[i], QString::number(i), Descriptions[i % Descriptions.size()]};
        company_->load("GL0001", {"ACCTFMTTD", "ACCTID", "ACCTDESC"}, rows);
        server_ = company_->open();
        file_ = openCompany(company_->path());
    }
    static void TearDownTestSuite() {
        server_.reset();
        file_.reset();
        company_.reset();
    }
    static inline std::unique_ptr<testsupport::TestCompany> company_;
    static inline std::shared_ptr<AccpacSession> server_, file_;
};

TEST_F(Server, OrdersAndSearchesTextsExactlyAsACompanyFile) {
    // The records themselves, in key order byte for byte, both ways.
    QStringList reference;
    for (qsizetype i = 0; i < Numbers.size(); ++i)
        reference << Numbers[i] + u'|' + Descriptions[i % Descriptions.size()];
    std::sort(reference.begin(), reference.end(), byKeyBytes);
    EXPECT_EQ(browse(*server_, "", true), reference);
    std::reverse(reference.begin(), reference.end());
    EXPECT_EQ(browse(*server_, "", false), reference);

    // A walk with no search term keeps its plan on the connection, one plan
    // for every value: each run's values must still find their own records.
    for (int run = 0; run < 10; ++run)
        for (const QString& filter :
             {QString("ACCTID = \"%1\"").arg(run), QString("ACCTFMTTD >= \"%1\"").arg(Numbers[run * 2]),
              QString("ACCTFMTTD < \"%1\" AND ACCTID <> \"%2\"").arg(Numbers[run + 3]).arg(run)})
            for (const bool ascending : {true, false})
                ASSERT_EQ(browse(*server_, filter, ascending), browse(*file_, filter, ascending))
                    << filter.toStdString() << (ascending ? "" : ", descending") << ", run " << run;

    // clang-format off
    const QStringList patterns{
        "%é%", "É%", "%LAN%", "%straße%", "%STRASSE%", "%s%", "ſ%", "%Ω%", "%σ%", "%ς%", "%k%", "%\u212A%",
        "İ%", "i%", "ǆ%", "ǅ%", "50%", "5_0%", "%\\%", "%\\s%", "%\t%", "%\n%", "_lan%", "%", "", "%%%", "%_%",
        "rent%", "%ZÜRICH%", "%😀", "%e_", "ÉCOLE NORMALE", "%a%e%", "%qz%", "%SS%", "% o%", "%Ωm%", "%ǅe%",
        "%k_l%", "%k\\%", "%b\t%", "%11111%", "%1111111%", "%111111111%", "%11111111111%", "%09090%",
        "%90909%", "%ωΩωω%", "%babab%", "%abab%", "%aab%", "%1111"};
    // clang-format on
    // On a description, and on the key's leading text, which a search also
    // bounds to the stretch of the key its matches lie in. A table this small
    // is read whole; a session whose server may not do that finds the records
    // of a term with a fixed character through the search indexes: trigrams
    // for runs of three characters or more, characters and pairs for shorter,
    // repeats for runs that repeat a character or alternate two.
    auto throughIndexes =
        openServerCompany(company_->serverUri() + "?options=-c%20enable_seqscan%3Doff%20-c%20enable_indexscan%3Doff");
    // A session whose walks fall short at once: every search reads the whole
    // table, or the search indexes, and sorts what it finds.
    auto shortWalks = openServerCompany(company_->serverUri() +
                                        "?options=-c%20trovex.walk_per_row%3D1%20-c%20trovex.walk_before_scan_per_row%"
                                        "3D1%20-c%20trovex.walk_further_per_row%3D1");
    for (const bool onKey : {false, true}) {
        for (const QString& pattern : patterns) {
            QStringList expected;
            for (qsizetype i = 0; i < Numbers.size(); ++i) {
                const QString& description = Descriptions[i % Descriptions.size()];
                const QString& searched = onKey ? Numbers[i] : description;
                if (filter::likeMatches(searched.toUtf8().toStdString(), pattern.toUtf8().toStdString()))
                    expected << Numbers[i] + u'|' + description;
            }
            std::sort(expected.begin(), expected.end(), byKeyBytes);
            const QString filter = (onKey ? "ACCTFMTTD" : "ACCTDESC") + QString(" LIKE \"") + pattern + '"';
            EXPECT_EQ(browse(*file_, filter, true), expected) << "company file, " << filter.toStdString();
            // The server plans a search's statement once for every term; the
            // tenth run of a search must find what the first found.
            for (int run = 0; run < 10; ++run)
                ASSERT_EQ(browse(*server_, filter, true), expected) << filter.toStdString() << ", run " << run;
            EXPECT_EQ(browse(*throughIndexes, filter, true), expected)
                << "through the indexes, " << filter.toStdString();
            EXPECT_EQ(browse(*shortWalks, filter, true), expected) << "short walks, " << filter.toStdString();
        }
    }
}

// A Starts with walks the records whose folded texts start with the
// prefix's first characters, as the server counts and folds them; a prefix
// the component cut or folded otherwise would walk another group and miss
// every match.
TEST_F(Server, APrefixsGroupIsTheServersOwnStartOfTheFoldedText) {
    postgres::Connection connection(company_->serverUri());
    for (const QString& text : Descriptions + Numbers) {
        const QByteArray folded = QByteArray::fromStdString(filter::foldedText(text.toUtf8().toStdString()));
        if (QString::fromUtf8(folded).toUcs4().size() < postgres::OrderedPrefixLength) continue;
        const postgres::Result server = connection.query(
            QStringLiteral("SELECT %1").arg(postgres::orderedPrefixSql("trovex.trovex_fold($1)")), {text.toUtf8()});
        EXPECT_EQ(postgres::orderedPrefixValue(folded), server.bytes(0, 0)) << text.toStdString();
    }
}

TEST_F(Server, ALookupsFirstBrowsePlansItsPageMovesSoNoneWaitsForAPlan) {
    auto context = std::make_shared<postgres::ServerContext>(company_->serverUri());
    context->connect();
    postgres::ServerView view(context, context->viewToOpen("GL0001", "GL"));
    // The window's page moves: the lookup's filter and a comparison with the
    // key at an edge of the grid, or the filter alone to the bottom.
    const QString edge = Numbers[Numbers.size() / 2];
    // clang-format off
    const std::vector<std::pair<QString, bool>> moves{
        {"ACCTFMTTD >= \"%1\"", true}, {"ACCTFMTTD > \"%1\"", true}, {"ACCTFMTTD <= \"%1\"", false},
        {"ACCTFMTTD < \"%1\"", false}, {"", false}};
    // clang-format on
    int prepared = 0;
    for (const QString& lookup : {QString(), QString("ACCTDESC LIKE \"%e%\""), QString("ACCTID <> \"3\"")}) {
        fetched(view, lookup, true, 12);
        EXPECT_EQ(context->preparedOnRead(), ++prepared) << lookup.toStdString();
        for (const auto& [move, ascending] : moves) {
            QString filter = move.isEmpty() ? move : move.arg(edge);
            if (!lookup.isEmpty()) filter = filter.isEmpty() ? lookup : lookup + " AND " + filter;
            // The moves are planned, not run: each finds its own records.
            EXPECT_EQ(fetched(view, filter, ascending, 12), browse(*file_, filter, ascending).mid(0, 12))
                << filter.toStdString();
            EXPECT_EQ(context->preparedOnRead(), prepared) << filter.toStdString() << " waited for a plan";
        }
    }
}

TEST_F(Server, OpensOnlyCompaniesWithARoleThatCannotWriteThem) {
    const auto expectRefused = [](const QString& uri, const QString& mentions) {
        const QString said = fixtures::expectError(errnum::AccpacFailure, [&] { openServerCompany(uri); });
        EXPECT_TRUE(said.contains(mentions)) << uri.toStdString() << ": " << said.toStdString();
    };
    EXPECT_EQ(server_->Company().Name, "Test Company");
    expectRefused(company_->serverUri(true), "trovex_owner");
    expectRefused(qEnvironmentVariable("TROVEX_PG_PRIMARY") + "/postgres", "not a company");
    expectRefused(company_->serverUri().replace(QRegularExpression(":\\d+/"), ":1/"), "cannot be reached");
    // A company of another format, loaded by an earlier version.
    const QString database = company_->serverUri().section(u'/', -1);
    postgres::Connection admin(qEnvironmentVariable("TROVEX_PG_SUPERUSER") + u'/' + database);
    admin.run(QStringLiteral("UPDATE trovex.trovex_company SET format = %1").arg(postgres::ServerFormat - 1));
    expectRefused(company_->serverUri(), "load the company again");
    admin.run(QStringLiteral("UPDATE trovex.trovex_company SET format = %1").arg(postgres::ServerFormat));
}

TEST_F(Server, ALostConnectionIsMadeAgainAndARefusedOneIsReportedUntilItIsBack) {
    postgres::Connection admin(qEnvironmentVariable("TROVEX_PG_SUPERUSER") + "/postgres");
    const QString database = company_->serverUri().section(u'/', -1);
    const auto cutReaders = [&] {
        admin.query(
            "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = $1 AND usename = "
            "'trovex_reader'",
            {database.toUtf8()});
    };
    auto session = company_->open();
    const QStringList all = browse(*session, "", true);
    ASSERT_FALSE(all.isEmpty());

    // Between two page moves the server ends the connection: the next one
    // connects again without a word.
    cutReaders();
    EXPECT_EQ(browse(*session, "", true), all);

    // While the server refuses connections, each browse reports it and the
    // view stays usable; once it accepts them again the same session reads on.
    admin.run(QStringLiteral("ALTER DATABASE %1 ALLOW_CONNECTIONS false").arg(database));
    cutReaders();
    for (int attempt = 0; attempt < 2; ++attempt) {
        session->Errors().Clear();
        EXPECT_THROW(browse(*session, "", true), AccpacError);
        ASSERT_EQ(session->Errors().Count(), 1);
        EXPECT_TRUE(session->Errors().Item(0).Description().contains("company server"))
            << session->Errors().Item(0).Description().toStdString();
    }
    admin.run(QStringLiteral("ALTER DATABASE %1 ALLOW_CONNECTIONS true").arg(database));
    EXPECT_EQ(browse(*session, "", true), all);
}

TEST_F(Server, AnAbandonedReadStopsOnTheServerAndTheConnectionReadsOn) {
    // The company's table is locked, so a read of it waits on the server
    // until the statement limit, as a long search would run on.
    const QString database = company_->serverUri().section(u'/', -1);
    postgres::Connection admin(qEnvironmentVariable("TROVEX_PG_SUPERUSER") + u'/' + database);
    const auto readersRunning = [&] {
        return admin
            .query(
                "SELECT count(*) FROM pg_stat_activity WHERE datname = $1 AND usename = 'trovex_reader' "
                "AND state = 'active'",
                {database.toUtf8()})
            .number(0, 0);
    };
    auto session = company_->open();
    const QStringList all = browse(*session, "", true);
    auto view = session->OpenView("GL0001", "GL");
    admin.run("BEGIN; LOCK TABLE trovex.\"GL0001\" IN ACCESS EXCLUSIVE MODE");

    // A newer keystroke abandons the read a little after it started: the
    // browse ends at once with no rows, and the server stops the statement.
    QElapsedTimer started;
    started.start();
    int asked = 0;
    setReadPause([&] { return ++asked > 0 && started.elapsed() > 200; });
    view->Browse("ACCTDESC LIKE \"%e%\"", true);
    const bool fetched = view->Fetch();
    setReadPause({});
    EXPECT_FALSE(fetched);
    EXPECT_GT(asked, 1) << "the read pause is asked while the server works";
    EXPECT_LT(started.elapsed(), 1000 * postgres::StatementTimeoutSeconds / 3) << "the read waited for the server";
    const QDeadlineTimer deadline(5'000);
    while (readersRunning() > 0 && !deadline.hasExpired()) QThread::msleep(20);
    EXPECT_EQ(readersRunning(), 0) << "the abandoned statement still runs on the server";

    // Once the table is free, the same session and view read as before.
    admin.run("COMMIT");
    view->Browse("", true);
    QStringList got;
    while (view->Fetch()) got << view->Fields().Item("ACCTFMTTD").Value().toText();
    EXPECT_EQ(got.size(), all.size());
    EXPECT_EQ(browse(*session, "", true), all);
}

// Runs scripts/pg-cluster `command` on the servers in `dir`.
void cluster(const char* command, const QString& dir = serverDir()) {
    QProcess p;
    p.start(qEnvironmentVariable("TROVEX_SOURCE_DIR") + "/scripts/pg-cluster", {command, dir});
    ASSERT_TRUE(p.waitForFinished(90'000) && p.exitCode() == 0)
        << command << ": " << p.readAllStandardError().toStdString();
}

// The standby replays what the primary commits; a lookup on it sees a
// record once the primary's position has been replayed.
void waitForStandby(const QString& primaryUri, const QString& standbyUri) {
    postgres::Connection primary(primaryUri);
    const QByteArray position = primary.query("SELECT pg_current_wal_lsn()::text").bytes(0, 0);
    const QDeadlineTimer deadline(30'000);
    for (;;) {
        try {
            postgres::Connection standby(standbyUri);
            if (standby.query("SELECT pg_last_wal_replay_lsn() >= $1::pg_lsn", {position}).isTrue(0, 0)) return;
        } catch (const AccpacError&) {
            // The database itself may not have reached the standby yet.
        }
        ASSERT_FALSE(deadline.hasExpired()) << "the standby did not replay the primary's changes";
        QThread::msleep(50);
    }
}

TEST_F(Server, TheStandbyServesLookupsShowsThePrimarysWritesAndSurvivesARestart) {
    const QString standbyUri =
        qEnvironmentVariable("TROVEX_PG_STANDBY") + u'/' + company_->serverUri().section(u'/', -1);
    waitForStandby(company_->serverUri(), standbyUri);
    // A role that may write on the primary may look up on the standby,
    // which refuses every write itself.
    EXPECT_NO_THROW(openServerCompany(QString(standbyUri).replace("trovex_reader@", "trovex_owner@")));
    auto session = openServerCompany(standbyUri);
    const QStringList before = browse(*session, "", true);
    EXPECT_EQ(before, browse(*server_, "", true));

    QTemporaryDir dir;
    const QString csv = dir.filePath("accounts.csv");
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("ACCTFMTTD,ACCTID,ACCTDESC\r\n9000,9000,Suspense\r\n");
    file.close();
    const ImportResult imported = importServerCsv(company_->serverUri(true), "GL0001", csv);
    ASSERT_TRUE(imported.problems.isEmpty()) << imported.problems.join("; ").toStdString();
    waitForStandby(company_->serverUri(), standbyUri);
    EXPECT_EQ(browse(*session, "", true), QStringList{"9000|Suspense"});

    // A standby restart costs the lookups running meanwhile an error, not the session.
    cluster("stop-standby");
    EXPECT_THROW(browse(*session, "", true), AccpacError);
    cluster("start-standby");
    waitForStandby(company_->serverUri(), standbyUri);
    EXPECT_EQ(browse(*session, "", true), QStringList{"9000|Suspense"});
}

TEST(ServerPromotion, AStandbyPromotedDuringLookupsKeepsServingThem) {
    // A primary and standby of this test's own, as promoting one ends it as a standby.
    QTemporaryDir dir;
    cluster("start", dir.path());
    QFile env(dir.filePath("env"));
    ASSERT_TRUE(env.open(QIODevice::ReadOnly));
    std::map<QByteArray, QByteArray> was, uris;
    for (const QByteArray& line : env.readAll().split('\n'))
        if (const qsizetype at = line.indexOf('='); at > 0) uris[line.left(at)] = line.mid(at + 1);
    for (const char* name : {"TROVEX_PG_PRIMARY", "TROVEX_PG_OWNER", "TROVEX_PG_SUPERUSER"}) {
        was[name] = qgetenv(name);
        qputenv(name, uris[name]);
    }
    {
        testsupport::TestCompany company;
        company.load("GL0001", {"ACCTFMTTD", "ACCTID", "ACCTDESC"}, {{"9000", "9000", "Suspense"}});
        const QStringList expected = browse(*company.open(), "", true);
        ASSERT_EQ(expected, QStringList{"9000|Suspense"});
        const QString standbyUri = uris["TROVEX_PG_STANDBY"] + u'/' + company.serverUri().section(u'/', -1);
        waitForStandby(company.serverUri(), standbyUri);
        auto session = openServerCompany(standbyUri);

        // Each lookup while the standby is promoted reads its records or
        // reports the accounting interface's error, none waits past the time
        // limits, and the lookups after it read on.
        std::atomic<bool> promoted = false;
        std::thread promote([&] {
            cluster("promote-standby", dir.path());
            promoted = true;
        });
        int read = 0;
        for (int run = 0; run < 10 || !promoted; ++run) {
            QElapsedTimer took;
            took.start();
            try {
                EXPECT_EQ(browse(*session, "ACCTDESC LIKE \"%spen%\"", true), expected);
                EXPECT_EQ(browse(*session, "", true), expected);
                ++read;
            } catch (const AccpacError& e) {
                EXPECT_EQ(e.number(), errnum::AccpacFailure);
            }
            EXPECT_LT(took.elapsed(), 1000 * (postgres::ConnectTimeoutSeconds + postgres::StatementTimeoutSeconds));
        }
        promote.join();
        EXPECT_GT(read, 0);
        EXPECT_EQ(browse(*session, "", true), expected);
        EXPECT_EQ(browse(*openServerCompany(standbyUri), "", true), expected);
    }
    for (const auto& [name, value] : was) qputenv(name.constData(), value);
    cluster("stop", dir.path());
}

}  // namespace
