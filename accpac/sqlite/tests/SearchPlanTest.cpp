// Searches through the key ranges and the search index (its hits sorted by
// key, or read in record-number order where that is key order) against the
// plain walk in key order: on random documents and random LIKE terms (letter case
// beyond ASCII, characters whose folding is shared, %, _, quotes, blanks,
// empty terms), every way to the records gives the same records in the same
// order, upward and downward, from put keys, under paging conditions and
// the lookups' standing filter, and when the walk hands over to the index
// in the middle of a browse. Whatever the way, no statement is left
// stepping between two calls, so a browse never holds the company. The
// records are imported twice, so the index is the one the second import
// rebuilt; then another program, through a plain SQLite connection without
// this program's SQL functions, inserts, rewrites (texts, keys, record
// numbers) and deletes records, which the index does not know.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <random>
#include <set>

#include "accpac/AccpacError.h"
#include "accpac/sqlite/SearchChanges.h"
#include "accpac/sqlite/SqliteSession.h"
#include "accpac/sqlite/Storage.h"
#include "accpac/sqlite/tests/SharedCompany.h"
#include "accpac/tools/CompanyWriter.h"

namespace {

using accpac::sqlite::SearchPlanning;

const QStringList Header{"IDCUST", "IDINVC", "IDORDERNBR", "IDCUSTPO", "SWPAID"};
// Letters that fold alike in several ways (the Kelvin sign and k, the long
// s and s, accented capitals), wildcards and quotes as text, and blanks.
const QStringList Alphabet{"a",      "A", "b", "é", "É", "k", "K", "\u212A", "s", "S",
                           "\u017F", "ß", "1", "2", " ", "%", "_", "'",      "x", "X"};

const QString SharedWord = "kés";

class Generator {
public:
    explicit Generator(unsigned seed) : rng_(seed) {}
    int pick(int n) { return int(rng_() % unsigned(n)); }
    QString text(int maxLength) {
        QString t;
        for (int n = pick(maxLength + 1); n > 0; --n) t += Alphabet[pick(int(Alphabet.size()))];
        return t;
    }
    // A random spelling of the same letters, as a user might type them.
    QString respelled(const QString& s) {
        QString out;
        for (const QChar c : s) out += pick(2) ? c.toUpper() : c.toLower();
        return out;
    }
    std::vector<QStringList> documents(int count) {
        std::vector<QStringList> rows;
        std::set<QString> identities;
        while (int(rows.size()) < count) {
            // A third of the PO numbers share a word, so that a search finds
            // many records, old and newly written ones interleaved.
            QStringList r{QStringList{"1100", "1200", "K1", "k1"}[pick(4)], text(6), text(5),
                          pick(3) ? text(7) : text(2) + respelled(SharedWord) + text(2), pick(4) ? "0" : "1"};
            if (r[1].isEmpty() || !identities.insert(r[1] + u'|' + r[0]).second) continue;
            rows.push_back(r);
        }
        return rows;
    }
    // A term: often a piece of a stored value in another spelling, so that
    // searches find something; sometimes a double quote, which no filter
    // can hold.
    QString term(const std::vector<QStringList>& rows, int column) {
        QString t;
        if (pick(8) == 0) {
            t = respelled(SharedWord);
        } else if (pick(3)) {
            const QString& value = rows[std::size_t(pick(int(rows.size())))][column];
            const int from = pick(int(value.size()) + 1);
            t = respelled(value.mid(from, 1 + pick(5)));
        } else {
            t = text(4);
        }
        if (pick(25) == 0) t.insert(pick(int(t.size()) + 1), u'"');
        return t;
    }

private:
    std::mt19937 rng_;
};

// A connection of another program that writes to the company: plain
// SQLite, without this program's SQL functions.
class ForeignWriter {
public:
    explicit ForeignWriter(const QString& path) {
        if (sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            ADD_FAILURE() << "cannot open " << path.toStdString();
    }
    ~ForeignWriter() { sqlite3_close_v2(db_); }
    // The rows of one statement, with `values` bound as texts to ?1, ?2...
    std::vector<QStringList> rows(const QString& sql, const QStringList& values = {}) {
        std::vector<QStringList> out;
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &s, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sql.toStdString() << ": " << sqlite3_errmsg(db_);
            return out;
        }
        for (int i = 0; i < values.size(); ++i) {
            const QByteArray v = values[i].toUtf8();
            sqlite3_bind_text(s, i + 1, v.constData(), int(v.size()), SQLITE_TRANSIENT);
        }
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
            QStringList row;
            for (int c = 0; c < sqlite3_column_count(s); ++c)
                row << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)));
            out.push_back(row);
        }
        if (rc != SQLITE_DONE) ADD_FAILURE() << sql.toStdString() << ": " << sqlite3_errmsg(db_);
        sqlite3_finalize(s);
        return out;
    }
    int count(const QString& sql, const QStringList& values = {}) {
        const auto r = rows(sql, values);
        return r.empty() ? -1 : r.front().front().toInt();
    }

private:
    sqlite3* db_ = nullptr;
};

// True when a statement of the connection is part way through its records.
bool statementStepping(sqlite3* db) {
    for (sqlite3_stmt* s = sqlite3_next_stmt(db, nullptr); s; s = sqlite3_next_stmt(db, s))
        if (sqlite3_stmt_busy(s)) return true;
    return false;
}

class SearchPlans : public WithSharedCompany<> {
protected:
    static void SetUpTestSuite() {
        WithSharedCompany::SetUpTestSuite();
        Generator g(7);
        // The first records are replaced; none of their texts may be found again.
        const auto toList = [](const std::vector<QStringList>& rows) {
            return QList<QStringList>(rows.begin(), rows.end());
        };
        company_->load("AR0036", Header, {{"1100", "ZQZQ1", "ZQZQORDER", "ZQZQPO", "0"}});
        rows_ = g.documents(320);
        company_->load("AR0036", Header, toList(rows_));
        writeAsAnotherProgram(g);
    }

    // Inserts, rewrites and deletes documents as the accounting programs
    // do, then reads the documents back into rows_.
    static void writeAsAnotherProgram(Generator& g) {
        ForeignWriter w(company_->path());
        const accpac::sqlite::ViewDef& view = *accpac::sqlite::findView("AR0036");
        // A new document: a copy of another with the texts searched for and the key replaced.
        QStringList columns, copied;
        for (const auto& f : view.fields) {
            columns << accpac::sqlite::quoteIdentifier(f.name);
            const int h = int(Header.indexOf(f.name));
            copied << (h >= 0 && h < 4 ? QString("?%1").arg(h + 1) : columns.back());
        }
        const QString insert = QString("INSERT INTO AR0036 (%1) SELECT %2 FROM AR0036 WHERE trovex_rowid = ?5")
                                   .arg(columns.join(", "), copied.join(", "));
        std::set<QString> identities;
        for (const QStringList& r : rows_) identities.insert(r[1] + u'|' + r[0]);
        const auto fresh = [&] {
            for (;;)
                if (QStringList d = g.documents(1).front(); identities.insert(d[1] + u'|' + d[0]).second) return d;
        };
        const QString any = QString::number(g.pick(int(rows_.size())) + 1);
        w.rows("BEGIN");
        for (int i = 0; i < 200; ++i) {
            const QString number = QString::number(g.pick(int(rows_.size()) + 40) + 1);
            const QStringList d = fresh();
            switch (g.pick(8)) {
                case 0:
                    w.rows(insert, {d[0], d[1], d[2], d[3], any});
                    break;
                case 1:  // the document moves in key order
                    w.rows("UPDATE AR0036 SET IDINVC = ?1, IDCUST = ?2 WHERE trovex_rowid = ?3", {d[1], d[0], number});
                    break;
                case 2:
                    w.rows("UPDATE AR0036 SET IDCUSTPO = ?1, IDORDERNBR = ?2 WHERE trovex_rowid = ?3",
                           {d[3], d[2], number});
                    break;
                case 3:  // nothing searched changes
                    w.rows("UPDATE AR0036 SET SWPAID = 1 - SWPAID, IDCUSTPO = IDCUSTPO WHERE trovex_rowid = ?1",
                           {number});
                    break;
                case 4:  // the record number changes, under its other name, nothing else
                    w.rows(
                        "UPDATE AR0036 SET rowid = (SELECT max(trovex_rowid) + 1 FROM AR0036) "
                        "WHERE trovex_rowid = ?1",
                        {number});
                    break;
                case 5:
                    w.rows("DELETE FROM AR0036 WHERE trovex_rowid = ?1", {number});
                    break;
                case 6:  // the last record goes, and a new one takes its number
                    w.rows("DELETE FROM AR0036 WHERE trovex_rowid = (SELECT max(trovex_rowid) FROM AR0036)");
                    w.rows(insert, {d[0], d[1], d[2], d[3], any});
                    break;
                case 7:  // the document moves in key order by its customer, which is not searched
                    w.rows("UPDATE OR IGNORE AR0036 SET IDCUST = ?1 WHERE trovex_rowid = ?2", {d[0], number});
                    break;
            }
        }
        w.rows("COMMIT");
        rows_.clear();
        for (QStringList& r : w.rows("SELECT IDCUST, IDINVC, IDORDERNBR, IDCUSTPO, SWPAID FROM AR0036"))
            rows_.push_back(std::move(r));
    }

    static int changesNoted() {
        return ForeignWriter(company_->path()).count("SELECT count(*) FROM AR0036_search_changed");
    }
    // Whether the file marks the documents as numbered in key order, which
    // the browses along key 0 then use.
    static bool keyOrderMarked() {
        return ForeignWriter(company_->path()).count("SELECT count(*) FROM trovex_key_order WHERE view = 'AR0036'") ==
               1;
    }

    // The records a browse gives (document and customer), one a line, or the error it raises.
    static std::string browse(SearchPlanning planning, int walkBudget, const QString& filter, const QString& put,
                              bool putMaximum, bool ascending) {
        auto session = std::dynamic_pointer_cast<accpac::sqlite::SqliteSession>(company_->open());
        // Every term counts as neither rare nor common, so the walk runs
        // with the budget given and may hand over.
        session->setSearchPlanning(planning, {walkBudget, 0, 1'000'000});
        auto view = session->OpenView("AR0036", "AR");
        view->setOrder(0);
        view->ClearRecord();
        view->ResetBrowse(false);
        if (putMaximum)
            view->Fields().Item("IDINVC").setMaxKey();
        else if (!put.isNull())
            view->Fields().Item("IDINVC").setValue(accpac::Variant::string(put));
        sqlite3* db = session->database().handle();
        QStringList got;
        try {
            view->Browse(filter, ascending);
            EXPECT_FALSE(statementStepping(db)) << "after Browse";
            while (view->Fetch()) {
                EXPECT_FALSE(statementStepping(db)) << "after record " << got.size() + 1;
                got << view->Fields().Item("IDINVC").Value().asString() + u'|' +
                           view->Fields().Item("IDCUST").Value().asString();
            }
        } catch (const accpac::AccpacError& e) {
            got << "error: " + e.description();
        }
        return got.join(u'\n').toStdString();
    }

    // Compares random searches of every way with the walk; the comparison
    // means something only when many searches find records.
    static void expectEveryWayGivesTheWalksRecords(unsigned seed, int rounds) {
        Generator g(seed);
        const QStringList fields{"IDINVC", "IDCUSTPO", "IDORDERNBR", "IDCUST"};
        int found = 0, partial = 0;
        for (int round = 0; round < rounds; ++round) {
            const int f = g.pick(int(fields.size()));
            const QString term = g.term(rows_, Header.indexOf(fields[f]));
            const QString pattern = g.pick(2) ? term + '%' : '%' + term + '%';
            QString filter = fields[f] + " LIKE \"" + pattern + '"';
            switch (g.pick(5)) {
                case 0:  // the lookups' standing filter
                    filter = "IDCUST=1200 AND SWPAID=0 AND " + filter;
                    break;
                case 1:  // a paging condition on the order key
                    filter = QString("IDINVC %1 \"%2\" AND (%3)")
                                 .arg(QStringList{">", ">=", "<", "<="}[g.pick(4)],
                                      rows_[std::size_t(g.pick(int(rows_.size())))][1], filter);
                    break;
                case 2:  // two terms
                    filter += " AND " + fields[(f + 1) % fields.size()] + " LIKE \"%" +
                              g.term(rows_, Header.indexOf(fields[(f + 1) % fields.size()])) + "%\"";
                    break;
                case 3:  // a term that need not hold
                    filter += " OR IDCUST = \"1100\"";
                    break;
            }
            const bool ascending = g.pick(2);
            const int start = g.pick(3);  // none, a put document number, the maximum key
            const QString put = start == 1 ? g.respelled(rows_[std::size_t(g.pick(int(rows_.size())))][1]) : QString();
            SCOPED_TRACE(filter.toStdString() + (ascending ? " up" : " down") + " from " +
                         (start == 2 ? std::string("max") : put.toStdString()));
            const std::string walked = browse(SearchPlanning::WalkOnly, 0, filter, put, start == 2, ascending);
            EXPECT_EQ(browse(SearchPlanning::IndexFirst, 0, filter, put, start == 2, ascending), walked);
            // A tiny budget: the walk hands over after a few records.
            EXPECT_EQ(browse(SearchPlanning::Cheapest, 1, filter, put, start == 2, ascending), walked);
            const auto records = std::count(walked.begin(), walked.end(), '\n') + !walked.empty();
            found += records > 0 && !walked.starts_with("error");
            partial += records > 2 && records < 200;
        }
        EXPECT_GT(found, rounds * 3 / 8);
        EXPECT_GT(partial, rounds * 3 / 20);
    }

    static inline std::vector<QStringList> rows_;
};

TEST_F(SearchPlans, EveryWayGivesTheWalksRecords) {
    EXPECT_GT(changesNoted(), 50);
    EXPECT_TRUE(keyOrderMarked());
    expectEveryWayGivesTheWalksRecords(11, 400);
}

// A refill forgets the noted records without renumbering them, so the
// browses along key 0 go back to counting and walking; an import writes in
// key order again.
TEST_F(SearchPlans, ARefillOrALaterImportEmptiesTheChangeTable) {
    // A browse in record-number order that the refill interrupts between
    // two runs goes on after its last record, in key order, the other way.
    for (const QString& filter : {"IDCUSTPO LIKE \"%" + SharedWord + "%\"", QString("IDCUSTPO LIKE \"%k%\"")}) {
        SCOPED_TRACE(filter.toStdString());
        if (!keyOrderMarked()) {
            company_->load("AR0036", Header, QList<QStringList>(rows_.begin(), rows_.end()));
            Generator g(29);
            writeAsAnotherProgram(g);
        }
        ASSERT_TRUE(keyOrderMarked());
        ASSERT_GT(changesNoted(), 50);
        const std::string walked = browse(SearchPlanning::WalkOnly, 0, filter, QString(), false, true);
        auto view = company_->open()->OpenView("AR0036", "AR");
        view->setOrder(0);
        view->Browse(filter, true);
        QStringList got;
        while (view->Fetch()) {
            got << view->Fields().Item("IDINVC").Value().asString() + u'|' +
                       view->Fields().Item("IDCUST").Value().asString();
            if (got.size() == 20) accpac::reindexCompany(company_->path());
        }
        ASSERT_GT(got.size(), 20);
        EXPECT_EQ(got.join(u'\n').toStdString(), walked);
    }
    EXPECT_EQ(changesNoted(), 0);
    EXPECT_FALSE(keyOrderMarked());
    expectEveryWayGivesTheWalksRecords(13, 100);
    Generator g(17);
    writeAsAnotherProgram(g);
    ASSERT_GT(changesNoted(), 50);
    // This time the file comes in key order (IDINVC, IDCUST, byte by byte),
    // which the import keeps instead of sorting.
    std::sort(rows_.begin(), rows_.end(), [](const QStringList& a, const QStringList& b) {
        return std::pair(a[1].toUtf8(), a[0].toUtf8()) < std::pair(b[1].toUtf8(), b[0].toUtf8());
    });
    company_->load("AR0036", Header, QList<QStringList>(rows_.begin(), rows_.end()));
    EXPECT_EQ(changesNoted(), 0);
    EXPECT_TRUE(keyOrderMarked());
    expectEveryWayGivesTheWalksRecords(19, 100);
}

// Every view's triggers run on a connection without this program's SQL
// functions, and note a record inserted, one whose searched text changed
// and one whose first key changed.
TEST_F(SearchPlans, WritersWithoutOurFunctionsNoteTheirChanges) {
    ForeignWriter w(company_->path());
    int viewsWritten = 0;
    for (const accpac::sqlite::ViewDef& view : accpac::sqlite::catalogue()) {
        const QStringList searched = accpac::sqlite::searchedFields(view);
        if (searched.isEmpty() || w.count("SELECT count(*) FROM " + accpac::sqlite::tableName(view)) == 0) continue;
        SCOPED_TRACE(view.id.toStdString());
        const QString table = accpac::sqlite::tableName(view);
        const QString field = accpac::sqlite::quoteIdentifier(searched.front());
        w.rows("BEGIN");
        const QString first = w.rows("SELECT min(trovex_rowid) FROM " + table).front().front();
        const QString last = w.rows("SELECT max(trovex_rowid) FROM " + table).front().front();
        w.rows("CREATE TEMP TABLE kept AS SELECT * FROM " + table + " WHERE trovex_rowid = ?1", {first});
        w.rows("DELETE FROM " + table + " WHERE trovex_rowid = ?1", {first});
        w.rows("INSERT INTO " + table + " SELECT * FROM temp.kept");
        // Twice: the record is noted once.
        for (int i = 0; i < 2; ++i)
            w.rows(QString("UPDATE %1 SET %2 = %2 || 'x' WHERE trovex_rowid = ?1").arg(table, field), {last});
        // A record moved along the first key by its last segment, searched or not.
        const QString moved =
            w.rows("SELECT min(trovex_rowid) FROM " + table + " WHERE trovex_rowid > ?1", {first}).front().front();
        const QString& segment = view.keys.front().segments.back();
        w.rows(QString("UPDATE %1 SET %2 = %2 %3 WHERE trovex_rowid = ?1")
                   .arg(table, accpac::sqlite::quoteIdentifier(segment),
                        view.field(segment)->type == accpac::FieldType::String ? "|| 'x'" : "+ 1000000"),
               {moved});
        for (const QString& record : {first, last, moved})
            EXPECT_EQ(
                w.count("SELECT count(*) FROM " + accpac::sqlite::searchChangesTableName(view) + " WHERE record = ?1",
                        {record}),
                1);
        w.rows("ROLLBACK");
        ++viewsWritten;
    }
    EXPECT_GT(viewsWritten, 5);
}

TEST_F(SearchPlans, ReplacedRecordsAreNotFound) {
    for (const char* filter : {"IDINVC LIKE \"zqzq%\"", "IDCUSTPO LIKE \"%qzqp%\"", "IDORDERNBR LIKE \"zqzqo%\""})
        for (const SearchPlanning planning : {SearchPlanning::IndexFirst, SearchPlanning::Cheapest})
            EXPECT_EQ(browse(planning, 1, filter, QString(), false, true), "") << filter;
}

}  // namespace
