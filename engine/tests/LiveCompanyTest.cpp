// Lookups beside another program that posts to the same company (the sqlite3
// shell in its own process): a lookup waiting for its user never holds the
// writer up, and every page move shows the records as they are now, none
// twice and none that existed throughout left out.
#include <QProcess>
#include <random>

#include "FinderRig.h"
#include "tests/support/CompanyWriter.h"

namespace enginetest {
namespace {

using testsupport::CompanyWriter;

const Columns NameColumns{{"EMPLOYEE", 1500}, {"FULLNAME", 3000}};
constexpr int Stable = 120;  // employees E0000, E0002, ... that stay throughout

QString stableKey(int i) { return QStringLiteral("E%1").arg(2 * i, 4, 10, QLatin1Char('0')); }

// Every change the writer makes: renames stable employees, adds and removes
// employees with odd numbers between them.
QString renameSql(const QString& key, int version) {
    return QStringLiteral("UPDATE \"CP0014\" SET \"FULLNAME\" = '%1 v%2' WHERE \"EMPLOYEE\" = '%1';")
        .arg(key)
        .arg(version);
}
QString addSql(int number) {
    return QStringLiteral(
               "UPDATE temp.proto SET \"EMPLOYEE\" = 'E%1', \"FULLNAME\" = 'E%1 new';"
               "INSERT OR REPLACE INTO main.\"CP0014\" SELECT * FROM temp.proto;")
        .arg(number, 4, 10, QLatin1Char('0'));
}
QString removeSql(int number) {
    return QStringLiteral("DELETE FROM \"CP0014\" WHERE \"EMPLOYEE\" = 'E%1';").arg(number, 4, 10, QLatin1Char('0'));
}

class LiveCompany : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        QList<QStringList> rows;
        for (int i = 0; i < Stable; ++i) rows << QStringList{stableKey(i), stableKey(i) + " v0", "1"};
        company_.load("CP0014", {"EMPLOYEE", "FULLNAME", "STATUS"}, rows);
        writer_ = std::make_unique<CompanyWriter>(company_.path());
        QString mode;
        ASSERT_TRUE(writer_->run(QStringLiteral("PRAGMA journal_mode = %1;").arg(GetParam()), &mode));
        ASSERT_EQ(mode.trimmed().toUpper(), QString(GetParam()).toUpper());
        // The writer's own durability is of no interest here, only its speed.
        ASSERT_TRUE(
            writer_->run("PRAGMA synchronous = OFF;"
                         "CREATE TEMP TABLE proto AS SELECT * FROM \"CP0014\" LIMIT 1;"));
    }

    // The records now in the company, in key order, as "key|name".
    QStringList current() {
        auto view = company_.open()->OpenView("CP0014", "CP");
        view->Browse("", true);
        QStringList records;
        while (view->Fetch())
            records << view->Fields().Item("EMPLOYEE").Value().toText() + "|" +
                           view->Fields().Item("FULLNAME").Value().toText();
        return records;
    }
    static QStringList shown(FinderRig& rig) {
        QStringList rows;
        for (int r = 1; r < rig.grid().Rows(); ++r)
            rows << rig.grid().TextMatrix(r, 0) + "|" + rig.grid().TextMatrix(r, 1);
        return rows;
    }
    // The grid shows a run of the records now in the company, in order:
    // current names, no record twice, none left out between its first and last row.
    void expectCurrentRun(FinderRig& rig, const std::string& after) {
        const QStringList rows = shown(rig), now = current();
        ASSERT_FALSE(rows.isEmpty()) << after;
        const qsizetype first = now.indexOf(rows.front());
        ASSERT_GE(first, 0) << after << ": " << rows.front().toStdString() << " is not current";
        EXPECT_EQ(rows, now.mid(first, rows.size())) << after;
    }

    testsupport::TestCompany company_{QStringLiteral("Live Company")};
    std::unique_ptr<CompanyWriter> writer_;
};

// After each load or move the lookup waits; meanwhile the writer, which will
// not wait for any lock, changes a record, and (with a write-ahead log) folds
// the log back into the company completely, which no reader may hold up.
TEST_P(LiveCompany, AWaitingLookupNeverHoldsUpTheWriter) {
    FinderRig rig{QStringLiteral("CP0014"), NameColumns, 12, company_.open()};
    CompanyWriter impatient(company_.path(), 0);
    const bool wal = QString(GetParam()) == "WAL";
    const std::pair<const char*, Act> waits[] = {
        {"first load", [](FinderRig& r) { r.prepare(); }},
        {"NEXTBATCH", [](FinderRig& r) { r.finder.NEXTBATCH(); }},
        {"NEXTLINE", [](FinderRig& r) { r.finder.NEXTLINE(); }},
        {"GOTOBOT", [](FinderRig& r) { r.finder.GOTOBOT(); }},
        {"PREVLINE", [](FinderRig& r) { r.finder.PREVLINE(); }},
        {"PREVBATCH", [](FinderRig& r) { r.finder.PREVBATCH(); }},
        {"search", [](FinderRig& r) { r.find("FULLNAME", 1, "v"); }},
        {"load at a start value", [](FinderRig& r) { r.prepare("E0101"); }},
    };
    int version = 0;
    for (const auto& [name, act] : waits) {
        act(rig);
        QString checkpoint;
        ASSERT_TRUE(impatient.run(renameSql(stableKey(3), ++version) + (wal ? "PRAGMA wal_checkpoint(TRUNCATE);" : ""),
                                  &checkpoint));
        EXPECT_EQ(impatient.errors(), "") << "while the lookup waited after " << name;
        if (wal) {
            EXPECT_EQ(checkpoint.trimmed(), "0|0|0") << "the log was held up after " << name;
        }
    }
}

// Between page moves the writer renames, adds and removes records; after
// every move the grid shows the company as it is now.
TEST_P(LiveCompany, EveryPageMoveShowsTheRecordsAsTheyAreNow) {
    FinderRig rig{QStringLiteral("CP0014"), NameColumns, 12, company_.open()};
    const std::pair<const char*, Move> moves[] = {
        {"NEXTBATCH", &F::NEXTBATCH}, {"PREVBATCH", &F::PREVBATCH}, {"GOTOTOP", &F::GOTOTOP}, {"GOTOBOT", &F::GOTOBOT}};
    std::mt19937 random(7);
    rig.prepare();
    expectCurrentRun(rig, "the first load");
    for (int step = 0; step < 60; ++step) {
        QString writes;
        for (int w = 0; w < 4; ++w) {
            const int i = int(random() % (Stable - 1));
            switch (random() % 3) {
                case 0:
                    writes += renameSql(stableKey(i), step * 10 + w);
                    break;
                case 1:
                    writes += addSql(2 * i + 1);
                    break;
                default:
                    writes += removeSql(2 * i + 1);
                    break;
            }
        }
        ASSERT_TRUE(writer_->run(writes));
        const auto& [name, move] = moves[random() % std::size(moves)];
        // A move that cannot go further leaves the grid as it was.
        const bool still = (move == &F::NEXTBATCH || move == &F::GOTOBOT) ? rig.finder.atBot() : rig.finder.atTop();
        (rig.finder.*move)();
        if (still) continue;
        expectCurrentRun(rig, "step " + std::to_string(step) + ", " + name);
    }
    EXPECT_EQ(writer_->errors(), "");
}

// The writer posts as fast as it can while the lookup walks the whole view
// down and up again: each walk meets every record that stayed, in order, and
// no record twice.
TEST_P(LiveCompany, WalksMeetEveryRecordThatStayedWhileTheWriterRuns) {
    FinderRig rig{QStringLiteral("CP0014"), NameColumns, 12, company_.open()};
    QString script;
    for (int n = 0; n < 900; ++n)
        script += n % 3 == 0   ? renameSql(stableKey(n % Stable), n)
                  : n % 3 == 1 ? addSql(2 * (n % (Stable - 1)) + 1)
                               : removeSql(2 * ((n / 3) % (Stable - 1)) + 1);
    writer_->send(script);
    rig.prepare();
    QStringList expected;
    for (int i = 0; i < Stable; ++i) expected << stableKey(i);
    for (int walk = 0; walk < 4; ++walk) {
        const bool down = walk % 2 == 0;
        QStringList met = rig.keys();
        for (int guard = 0; guard < 1000 && !(down ? rig.finder.atBot() : rig.finder.atTop()); ++guard) {
            down ? rig.finder.NEXTBATCH() : rig.finder.PREVBATCH();
            const QStringList batch = rig.keys();
            ASSERT_TRUE(std::is_sorted(batch.begin(), batch.end()) &&
                        std::adjacent_find(batch.begin(), batch.end()) == batch.end())
                << "walk " << walk << ": " << batch.join(' ').toStdString();
            // A batch begins with the row it moved from, and the last one is
            // filled up with records already met: only what lies beyond is new.
            for (const QString& k : batch)
                if (down && k > met.back()) met << k;
            for (auto k = batch.rbegin(); k != batch.rend(); ++k)
                if (!down && *k < met.front()) met.prepend(*k);
        }
        QStringList stayed;
        for (const QString& k : met)
            if (k.mid(1).toInt() % 2 == 0) stayed << k;
        EXPECT_EQ(stayed, expected) << "walk " << walk;
    }
    ASSERT_TRUE(writer_->run(""));
    EXPECT_EQ(writer_->errors(), "");
}

INSTANTIATE_TEST_SUITE_P(JournalModes, LiveCompany, ::testing::Values("WAL", "DELETE"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace enginetest
