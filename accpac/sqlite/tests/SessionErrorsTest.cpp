// Sessions and views when things go wrong, and the promise never to write:
// files that are no company, unknown views, keys and fields, bad filters,
// odd search texts, closed views; each failure an AccpacFailure with the
// system's message in the session's errors, and the view still usable.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>

#include "accpac/AccpacError.h"
#include "accpac/sqlite/SqliteCompany.h"
#include "accpac/sqlite/SqliteSession.h"
#include "accpac/sqlite/SqliteView.h"
#include "accpac/sqlite/tests/SharedCompany.h"
#include "accpac/tests/Fixtures.h"
#include "tests/support/CompanyWriter.h"

namespace {

using namespace accpac;
using accpac::fixtures::expectError;

QByteArray digest(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

int fetchAll(AccpacView& view, const QString& filter) {
    view.ClearRecord();
    view.ResetBrowse(false);
    view.Browse(filter, true);
    int n = 0;
    while (view.Fetch()) ++n;
    return n;
}

class Session : public WithSharedCompany<> {
protected:
    // Runs `action`, which must fail as the accounting system fails: an
    // AccpacFailure whose description mentions `mentions` and is also the one
    // message in the session's errors, with priority Error.
    void expectReported(const std::function<void()>& action, const QString& mentions) {
        session_->Errors().Clear();
        const QString said = expectError(errnum::AccpacFailure, action);
        EXPECT_TRUE(said.contains(mentions)) << said.toStdString();
        ASSERT_EQ(session_->Errors().Count(), 1);
        EXPECT_EQ(session_->Errors().Item(0).Priority(), ErrorPriority::Error);
        EXPECT_EQ(session_->Errors().Item(0).Description(), said);
    }
    std::shared_ptr<AccpacSession> session_ = company_->open();
};

TEST_F(Session, UnknownViewWrongProgramUnknownKeyAndFieldAreReported) {
    EXPECT_EQ(session_->Company().Name, "Test Company");
    expectReported([&] { session_->OpenView("AR9999", "AR"); }, "AR9999");
    expectReported([&] { session_->OpenView("AR0036", "GL"); }, "AR0036");
    auto view = session_->OpenView("AR0037", "AR");
    expectReported([&] { view->setOrder(5); }, "5");
    EXPECT_EQ(view->Order(), 0);
    expectReported([&] { view->Fields().Item("NOSUCHFIELD"); }, "NOSUCHFIELD");
}

// A filter the view cannot read, unreadable text, an unknown field or a
// value of the wrong type (the filter tests cover every kind of refusal).
TEST_F(Session, BadFilterFailsTheBrowseWithItsMessageAndLeavesTheViewUsable) {
    auto view = session_->OpenView("AR0036", "AR");
    const std::pair<const char*, const char*> cases[] = {
        {"IDCUST = \"12", "IDCUST"}, {"NOSUCH = 1", "NOSUCH"}, {"DATEDUE = \"yesterday\"", "yesterday"}};
    for (const auto& [filter, mentions] : cases) {
        expectReported([&] { fetchAll(*view, filter); }, mentions);
        EXPECT_FALSE(view->Fetch());
        EXPECT_GT(fetchAll(*view, "IDCUST=1200"), 0);
    }
}

TEST_F(Session, FetchFindsNothingWithoutABrowseOrPastTheEndAndAClosedViewRefusesEveryCall) {
    auto view = session_->OpenView("GL0001", "GL");
    EXPECT_FALSE(view->Fetch());
    fetchAll(*view, "");
    EXPECT_FALSE(view->Fetch());
    view->Close();
    for (const auto& call : std::initializer_list<std::function<void()>>{
             [&] { view->Browse("", true); }, [&] { view->Fetch(); }, [&] { view->Fields(); },
             [&] { view->setOrder(0); }, [&] { view->Close(); }})
        expectReported(call, "closed");
}

TEST_F(Session, ComposedViewsAreLinkedWithoutKeepingThemAlive) {
    auto receipts = session_->OpenView("AR0042", "AR");
    auto batches = session_->OpenView("AR0041", "AR");
    receipts->Compose({batches, nullptr});
    batches->Compose({receipts});
    const auto& own = dynamic_cast<sqlite::SqliteView&>(*receipts);
    ASSERT_EQ(own.composed().size(), 2u);
    EXPECT_EQ(own.composed()[0], batches);
    EXPECT_EQ(own.composed()[1], nullptr);
    std::weak_ptr<AccpacView> gone = batches;
    batches.reset();
    EXPECT_TRUE(gone.expired());
    EXPECT_EQ(own.composed()[0], nullptr);
}

TEST_F(Session, NeverWritesTheCompany) {
    const QByteArray before = digest(company_->path());
    for (const QString& id : catalogueViewIds()) {
        auto view = session_->OpenView(id, id.left(2));
        fetchAll(*view, "");
        view->ClearRecord();
        view->ResetBrowse(false);
        view->Fields().Item(0).setMaxKey();
        view->Browse("", false);
        while (view->Fetch()) {
        }
    }
    auto& own = dynamic_cast<sqlite::SqliteSession&>(*session_);
    EXPECT_THROW(own.database().exec("DELETE FROM AR0036"), AccpacError);
    EXPECT_THROW(own.database().exec("CREATE TABLE scratch (x)"), AccpacError);
    session_.reset();
    EXPECT_EQ(digest(company_->path()), before);
}

// Files that are no company: missing, a folder, text, empty, another
// database. Opening fails naming the file and the real cause, and leaves the
// file as it was.
TEST(OpenCompany, RefusesFilesThatAreNoCompanyNamingTheCause) {
    QTemporaryDir dir;
    const QString text = dir.filePath("text.trovex"), empty = dir.filePath("empty.trovex");
    for (const auto& [path, content] : {std::pair{text, "IDCUST,IDINVC\n1200,IN1\n"}, std::pair{empty, ""}}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    const QString other = dir.filePath("other.trovex");
    sqlite::Database(other, sqlite::Database::Mode::Create).exec("CREATE TABLE customers (id TEXT)");
    const std::pair<QString, const char*> files[] = {{dir.filePath("missing.trovex"), "does not exist"},
                                                     {dir.path(), "is a folder"},
                                                     {text, "is not a company: it is not a database"},
                                                     {empty, "is not a company: it has no company marker"},
                                                     {other, "is not a company: it has no company marker"}};
    for (const auto& [path, cause] : files) {
        const QByteArray before = QFileInfo(path).isFile() ? digest(path) : QByteArray();
        const QString said = expectError(errnum::AccpacFailure, [&] { openCompany(path); });
        EXPECT_TRUE(said.contains(path) && said.contains(QLatin1String(cause))) << said.toStdString();
        EXPECT_EQ(QFileInfo(path).isFile() ? digest(path) : QByteArray(), before) << path.toStdString();
    }
}

// A company another program holds locked for writing (without a write-ahead
// log, where readers must wait): opening waits a moment and then says the
// company is busy, not that it is no company; with the log, opening reads at
// once what was committed.
TEST(OpenCompany, WaitsForAWriterThenSaysTheCompanyIsBusy) {
    testsupport::TestCompany company;
    testsupport::CompanyWriter writer(company.path());
    ASSERT_TRUE(writer.run("PRAGMA journal_mode = DELETE; BEGIN EXCLUSIVE; DELETE FROM \"GL0001\";"));
    QElapsedTimer waited;
    waited.start();
    const QString said = expectError(errnum::AccpacFailure, [&] { openCompany(company.path()); });
    EXPECT_TRUE(said.contains("is busy: another program is writing to it") && !said.contains("not a company"))
        << said.toStdString();
    EXPECT_GE(waited.elapsed(), sqlite::BusyTimeoutMs / 2);
    ASSERT_TRUE(writer.run("ROLLBACK; PRAGMA journal_mode = WAL; BEGIN IMMEDIATE; DELETE FROM \"GL0001\";"));
    const int accounts = fetchAll(*company.open()->OpenView("GL0001", "GL"), "");
    EXPECT_GT(accounts, 0);
    ASSERT_TRUE(writer.run("COMMIT;"));
    EXPECT_EQ(fetchAll(*company.open()->OpenView("GL0001", "GL"), ""), 0);
    EXPECT_EQ(writer.errors(), "");
}

}  // namespace
