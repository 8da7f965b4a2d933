// The texts of error reports — the component's own format and the
// accounting system's messages (the first three and the last two) — and the
// two behaviours of a trap. No error escapes either.
#include <gtest/gtest.h>

#include <stdexcept>

#include "accpac/AccpacError.h"
#include "errors/ErrorTrap.h"
#include "errors/modGeneral.h"
#include "tests/support/MessageCapture.h"
#include "tests/support/TestCompany.h"

using errors::ErrorACCPAC;
using errors::ErrorMessenger;

namespace {

const QString Tail = QStringLiteral("Please contact Quorvex if this error occurs frequently.");

using testsupport::errorReport;

[[noreturn]] void fail(long n) { throw accpac::AccpacError(n, QStringLiteral("failure %1").arg(n)); }

// Reports start without a session unless a test opens one.
class ErrorReporting : public ::testing::Test {
protected:
    void SetUp() override { errors::gSession.reset(); }
    void TearDown() override { errors::gSession.reset(); }
    void openSession() { errors::gSession = company.open(); }

    testsupport::TestCompany company;
    testsupport::MessageCapture boxes;
};

}  // namespace

TEST_F(ErrorReporting, MessengerShowsTrimmedParagraphsAndNothingForNumberZero) {
    ErrorMessenger(5, "Invalid procedure call or argument", "", "clsFinder.GOTOBOT");
    // Blanks are trimmed, a tab is not a blank; information of blanks counts as none.
    ErrorMessenger(13, "  Type mismatch\t ", "  two words  ", " frmTrovex.Form_Resize ");
    ErrorMessenger(13, "Type mismatch", "    ", "frmTrovex.Form_Resize");
    ErrorMessenger(0, "nothing", "", "x.y");
    ASSERT_EQ(boxes.boxes().size(), 3u);
    EXPECT_EQ(boxes.boxes()[0].title, "Sage Accpac Finder Error");
    EXPECT_EQ(boxes.boxes()[0].icon, errors::MessageIcon::Exclamation);
    EXPECT_EQ(boxes.boxes()[0].buttons, 0);
    EXPECT_EQ(boxes.texts(), QStringList({errorReport("5; Invalid procedure call or argument", "clsFinder.GOTOBOT"),
                                          "13; Type mismatch\t\r\n\nInformation: two words\r\n\nIn Procedure: "
                                          "frmTrovex.Form_Resize.\r\n\n" +
                                              Tail,
                                          errorReport("13; Type mismatch", "frmTrovex.Form_Resize")}));
}

TEST_F(ErrorReporting, AFailingBoxIsReportedOnceInTheMessengersOwnWords) {
    int calls = 0;
    QStringList shown;
    auto previous = errors::setMessageSink([&](const errors::MessageBoxRequest& r) {
        if (calls++ == 0) throw accpac::AccpacError(7, "Out of memory");
        shown << r.text;
        return 1;
    });
    ErrorMessenger(9, "Subscript out of range", "", "clsFinder.AddFinderCol");
    errors::setMessageSink(std::move(previous));
    EXPECT_EQ(shown, QStringList{"7: Out of memory\r\n\nIn Procedure: clsTrovex.modGeneral.ErrorMessenger.\r\n\n"
                                 "Please contact Quorvex if the error occurs frequently."});
}

TEST_F(ErrorReporting, AccountingMessagesShowTheFirstThreeAndLastTwoUntrimmedThenEmptyTheList) {
    openSession();
    auto& errs = errors::gSession->Errors();
    ErrorACCPAC(91, "Object variable not set", "clsFinder.FillFinderGrid");  // none: the messenger, list kept
    for (int i = 1; i <= 7; ++i) errs.Put(accpac::ErrorPriority::Error, QString(" message %1 ").arg(i));
    ErrorACCPAC(-2147467259, "Automation error", "clsZQ_TVX.FindAP_Accounts");
    EXPECT_EQ(errs.Count(), 0);
    errs.Put(accpac::ErrorPriority::Warning, "first");
    errs.Put(accpac::ErrorPriority::SevereError, "second");
    ErrorACCPAC(5, "Invalid procedure call", "clsFinder.GOTOTOP");  // the language error is not shown
    QStringList expected{errorReport("91; Object variable not set", "clsFinder.FillFinderGrid")};
    for (int i : {1, 2, 3, 6, 7})
        expected << errorReport(QString("Error:  message %1 ").arg(i), "clsZQ_TVX.FindAP_Accounts");
    expected << errorReport("Warning: first", "clsFinder.GOTOTOP")
             << errorReport("Severe Error: second", "clsFinder.GOTOTOP");
    EXPECT_EQ(boxes.texts(), expected);
}

TEST_F(ErrorReporting, TrapGoesOnOrEndsAndCanBeSilentOnOneNumber) {
    errors::Trap goOn("frmTrovex.Form_Resize", errors::Via::Messenger);
    std::vector<int> ran;
    EXPECT_FALSE(goOn([&] { fail(9); }));
    EXPECT_TRUE(goOn([&] { ran.push_back(2); }));
    EXPECT_FALSE(goOn([&] { throw std::runtime_error("disk full"); }));
    EXPECT_TRUE(goOn([&] { ran.push_back(4); }));
    EXPECT_EQ(ran, (std::vector<int>{2, 4}));

    errors::Trap end("clsFinder.PrepareFinder", errors::Via::ACCPAC);
    int steps = 0;
    EXPECT_FALSE(end.endOnError(
        [&] {
            ++steps;
            fail(380);
            ++steps;
        },
        380));  // silent
    EXPECT_FALSE(end.endOnError([&] { fail(5); }, 380));
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(
        boxes.texts(),
        QStringList({errorReport("9; failure 9", "frmTrovex.Form_Resize"),
                     errorReport("-2147467259; disk full", "frmTrovex.Form_Resize"),
                     // without a session the accounting report names its own failure
                     errorReport("91; Object variable or With block variable not set", "modGeneral.ErrorACCPAC")}));
}
