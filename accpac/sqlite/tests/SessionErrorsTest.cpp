// Sessions and views when things go wrong, and the promise never to write:
// files that are no company, unknown views, keys and fields, bad filters,
// odd search texts, closed views; each failure an AccpacFailure with the
// system's message in the session's errors, and the view still usable.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "accpac/AccpacError.h"
#include "accpac/SqliteCompany.h"
#include "accpac/sqlite/SqliteSession.h"
#include "accpac/sqlite/SqliteView.h"
#include "accpac/sqlite/tests/SharedCompany.h"

namespace {

using namespace accpac;

QByteArray digest(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// Runs `action`, which must fail as the accounting system fails: an
// AccpacFailure whose description is also the one message in the session's
// errors, with priority Error.
void expectReported(AccpacSession& session, const std::function<void()>& action, const QString& mentions) {
    session.Errors().Clear();
    try {
        action();
        FAIL() << "no error; expected one mentioning " << mentions.toStdString();
    } catch (const AccpacError& e) {
        EXPECT_EQ(e.number(), errnum::AccpacFailure);
        EXPECT_TRUE(e.description().contains(mentions)) << e.description().toStdString();
        ASSERT_EQ(session.Errors().Count(), 1);
        EXPECT_EQ(session.Errors().Item(0).Priority(), ErrorPriority::Error);
        EXPECT_EQ(session.Errors().Item(0).Description(), e.description());
    }
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
    std::shared_ptr<AccpacSession> session_ = company_->open();
};

TEST_F(Session, UnknownViewWrongProgramUnknownKeyAndFieldAreReported) {
    expectReported(
        *session_, [&] { session_->OpenView("AR9999", "AR"); }, "AR9999");
    expectReported(
        *session_, [&] { session_->OpenView("AR0036", "GL"); }, "AR0036");
    auto view = session_->OpenView("AR0037", "AR");
    expectReported(
        *session_, [&] { view->setOrder(5); }, "5");
    EXPECT_EQ(view->Order(), 0);
    expectReported(
        *session_, [&] { view->Fields().Item("NOSUCHFIELD"); }, "NOSUCHFIELD");
}

class BadFilter : public Session, public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(BadFilter, FailsTheBrowseWithTheFiltersMessageAndLeavesTheViewUsable) {
    auto view = session_->OpenView("AR0036", "AR");
    const auto [filter, mentions] = GetParam();
    expectReported(
        *session_, [&] { fetchAll(*view, QString::fromUtf8(filter)); }, QString::fromUtf8(mentions));
    EXPECT_FALSE(view->Fetch());
    EXPECT_GT(fetchAll(*view, "IDCUST=1200"), 0);
}

INSTANTIATE_TEST_SUITE_P(Texts, BadFilter,
                         ::testing::Values(std::pair{"IDCUST = \"12", "IDCUST"}, std::pair{"NOSUCH = 1", "NOSUCH"},
                                           std::pair{"DATEDUE = \"yesterday\"", "yesterday"},
                                           std::pair{"AMTDUETC LIKE \"1%\"", "AMTDUETC"},
                                           std::pair{"(IDCUST = 1200", "IDCUST"}, std::pair{"IDCUST", "IDCUST"},
                                           std::pair{"IDCUST = 1200 AND", "IDCUST"},
                                           std::pair{"AMTDUETC > 1.0001", "AMTDUETC"},
                                           std::pair{"TRXTYPEID = 99999", "TRXTYPEID"}));

// Texts a user may type into a search: quotes, percent signs, SQL. They are
// values, never statements, and find what a plain match finds.
TEST_F(Session, SearchTextsAreValuesNotStatements) {
    auto view = session_->OpenView("AR0036", "AR");
    EXPECT_EQ(fetchAll(*view, "IDCUST = \"1200' OR 1=1 --\""), 0);
    EXPECT_EQ(fetchAll(*view, "IDCUSTPO LIKE \"%'%\""), 0);
    EXPECT_EQ(fetchAll(*view, "IDCUSTPO LIKE \"%%%\""), fetchAll(*view, ""));
    EXPECT_EQ(fetchAll(*view, "IDCUST = 1200; DROP TABLE AR0036"), 0);
    EXPECT_GT(fetchAll(*view, ""), 600);
}

TEST_F(Session, AClosedViewRefusesEveryCall) {
    auto view = session_->OpenView("GL0001", "GL");
    view->Close();
    expectReported(
        *session_, [&] { view->Browse("", true); }, "closed");
    expectReported(
        *session_, [&] { view->Fetch(); }, "closed");
    expectReported(
        *session_, [&] { view->Fields(); }, "closed");
    expectReported(
        *session_, [&] { view->setOrder(0); }, "closed");
    expectReported(
        *session_, [&] { view->Close(); }, "closed");
}

TEST_F(Session, FetchWithoutABrowseOrPastTheEndFindsNothing) {
    auto view = session_->OpenView("AR0041", "AR");
    EXPECT_FALSE(view->Fetch());
    fetchAll(*view, "");
    EXPECT_FALSE(view->Fetch());
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
        view->Fields().Item(0).setValue(Variant::string(MaxKeyText));
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

TEST_F(Session, NamesTheCompany) { EXPECT_EQ(session_->Company().Name, "Test Company"); }

struct NotACompany {
    const char* name;
    std::function<void(const QString& path)> make;
};

void PrintTo(const NotACompany& n, std::ostream* os) { *os << n.name; }

class OpenFailure : public ::testing::TestWithParam<NotACompany> {};

TEST_P(OpenFailure, ThrowsNamingTheFileAndLeavesItAsItWas) {
    QTemporaryDir dir;
    const QString path = dir.filePath("file.trovex");
    GetParam().make(path);
    const bool existed = QFile::exists(path);
    try {
        openCompany(path);
        FAIL() << "opened";
    } catch (const AccpacError& e) {
        EXPECT_EQ(e.number(), errnum::AccpacFailure);
        EXPECT_TRUE(e.description().contains(path)) << e.description().toStdString();
    }
    EXPECT_EQ(QFile::exists(path), existed);
}

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

INSTANTIATE_TEST_SUITE_P(Files, OpenFailure,
                         ::testing::Values(NotACompany{"Missing", [](const QString&) {}},
                                           NotACompany{"Text",
                                                       [](const QString& p) { write(p, "IDCUST,IDINVC\n1200,IN1\n"); }},
                                           NotACompany{"Empty", [](const QString& p) { write(p, ""); }},
                                           NotACompany{"OtherDatabase",
                                                       [](const QString& p) {
                                                           sqlite::Database db(p, sqlite::Database::Mode::Create);
                                                           db.exec("CREATE TABLE customers (id TEXT)");
                                                       }}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
