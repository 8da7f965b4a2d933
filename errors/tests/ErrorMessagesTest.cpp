// The texts of error reports: the component's own format, the accounting
// system's messages (first three and last two), trimming, and the traps of
// the reporting procedures themselves.
#include "BoxCapture.h"
#include "accpac/AccpacError.h"
#include "accpac/SqliteCompany.h"
#include "errors/modGeneral.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using errors::ErrorACCPAC;
using errors::ErrorMessenger;

namespace {

const QString Tail = QStringLiteral("Please contact Quorvex if this error occurs frequently.");

QString messengerText(const QString& head, const QString& label) {
    return head + "\r\n\nIn Procedure: " + label + ".\r\n\n" + Tail;
}

// A real company session whose error list the tests fill.
class ErrorReporting : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new QTemporaryDir;
        path = dir->filePath("errors.trovex");
        accpac::createCompany(path, {});
    }
    static void TearDownTestSuite() { delete dir; }
    void SetUp() override {
        errors::gSession = accpac::openCompany(path);
    }
    void TearDown() override { errors::gSession.reset(); }

    static inline QTemporaryDir* dir = nullptr;
    static inline QString path;
};

}  // namespace

TEST(ErrorMessenger, ShowsNumberDescriptionAndLocationInThreeParagraphs) {
    BoxCapture cap;
    ErrorMessenger(5, "Invalid procedure call or argument", "", "clsFinder.GOTOBOT");
    ASSERT_EQ(cap.boxes.size(), 1u);
    EXPECT_EQ(cap.boxes[0].title, "Sage Accpac Finder Error");
    EXPECT_EQ(cap.boxes[0].icon, errors::MessageIcon::Exclamation);
    EXPECT_EQ(cap.boxes[0].buttons, 0);
    EXPECT_EQ(cap.boxes[0].text, messengerText("5; Invalid procedure call or argument", "clsFinder.GOTOBOT"));
}

TEST(ErrorMessenger, TrimsBlanksOnlyAndShowsInformationWhenNotBlank) {
    BoxCapture cap;
    ErrorMessenger(13, "  Type mismatch\t ", "  two words  ", " frmTrovex.Form_Resize ");
    ErrorMessenger(13, "Type mismatch", "    ", "frmTrovex.Form_Resize");
    ASSERT_EQ(cap.boxes.size(), 2u);
    // A tab is not a blank: it stays, and so does the blank before it.
    EXPECT_EQ(cap.boxes[0].text, "13; Type mismatch\t\r\n\nInformation: two words\r\n\nIn Procedure: "
                                 "frmTrovex.Form_Resize.\r\n\n" + Tail);
    EXPECT_EQ(cap.boxes[1].text, messengerText("13; Type mismatch", "frmTrovex.Form_Resize"));
}

TEST(ErrorMessenger, NumberZeroShowsNothing) {
    BoxCapture cap;
    ErrorMessenger(0, "nothing", "", "x.y");
    EXPECT_TRUE(cap.boxes.empty());
}

TEST(ErrorMessenger, AFailingBoxIsReportedOnceInTheTrapsOwnWords) {
    int calls = 0;
    std::vector<QString> shown;
    auto previous = errors::setMessageSink([&](const errors::MessageBoxRequest& r) {
        if (calls++ == 0) throw accpac::AccpacError(7, "Out of memory");
        shown.push_back(r.text);
        return 1;
    });
    ErrorMessenger(9, "Subscript out of range", "", "clsFinder.AddFinderCol");
    errors::setMessageSink(std::move(previous));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "7: Out of memory\r\n\nIn Procedure: clsTrovex.modGeneral.ErrorMessenger.\r\n\n"
                        "Please contact Quorvex if the error occurs frequently.");
}

TEST_F(ErrorReporting, WithoutAccountingMessagesFallsBackToTheMessengerAndKeepsTheList) {
    BoxCapture cap;
    ErrorACCPAC(91, "Object variable not set", "clsFinder.FillFinderGrid");
    EXPECT_EQ(cap.texts(), std::vector<QString>{messengerText("91; Object variable not set", "clsFinder.FillFinderGrid")});
}

TEST_F(ErrorReporting, SevenMessagesShowTheFirstThreeAndTheLastTwoThenEmptyTheList) {
    auto& errs = errors::gSession->Errors();
    for (int i = 1; i <= 7; ++i) errs.Put(accpac::ErrorPriority::Error, QString(" message %1 ").arg(i));
    BoxCapture cap;
    ErrorACCPAC(-2147467259, "Automation error", "clsZQ_TVX.FindAP_Accounts");
    std::vector<QString> expected;
    for (int i : {1, 2, 3, 6, 7})
        expected.push_back(QString("Error:  message %1 \r\n\nIn Procedure: clsZQ_TVX.FindAP_Accounts.\r\n\n").arg(i) +
                           Tail);
    EXPECT_EQ(cap.texts(), expected);
    EXPECT_EQ(errs.Count(), 0);
}

TEST_F(ErrorReporting, TwoMessagesHideTheLanguageError) {
    auto& errs = errors::gSession->Errors();
    errs.Put(accpac::ErrorPriority::Warning, "first");
    errs.Put(accpac::ErrorPriority::SevereError, "second");
    BoxCapture cap;
    ErrorACCPAC(5, "Invalid procedure call", "clsFinder.GOTOTOP");
    ASSERT_EQ(cap.boxes.size(), 2u);
    EXPECT_TRUE(cap.boxes[0].text.startsWith("Warning: first\r\n"));
    EXPECT_TRUE(cap.boxes[1].text.startsWith("Severe Error: second\r\n"));
}

TEST(ErrorACCPAC, WithoutASessionReportsItsOwnFailure) {
    errors::gSession.reset();
    BoxCapture cap;
    ErrorACCPAC(5, "Invalid procedure call", "clsFinder.GOTOTOP");
    ASSERT_EQ(cap.boxes.size(), 1u);
    EXPECT_EQ(cap.boxes[0].text,
              messengerText("91; Object variable or With block variable not set", "modGeneral.ErrorACCPAC"));
}
