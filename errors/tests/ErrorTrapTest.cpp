// A trap either goes on with the next statement or ends the procedure, and
// may end silently on one number; either way no error escapes it.
#include "BoxCapture.h"
#include "accpac/AccpacError.h"
#include "errors/ErrorTrap.h"
#include "errors/modGeneral.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {
[[noreturn]] void fail(long n) { throw accpac::AccpacError(n, QStringLiteral("failure %1").arg(n)); }
}  // namespace

TEST(ErrorTrap, ReportAndGoOnRunsEveryStatement) {
    errors::gSession.reset();
    BoxCapture cap;
    errors::Trap trap("frmTrovex.Form_Resize", errors::Via::Messenger);
    std::vector<int> ran;
    EXPECT_FALSE(trap([&] { fail(9); }));
    EXPECT_TRUE(trap([&] { ran.push_back(2); }));
    EXPECT_FALSE(trap([&] { throw std::runtime_error("disk full"); }));
    EXPECT_TRUE(trap([&] { ran.push_back(4); }));
    EXPECT_EQ(ran, (std::vector<int>{2, 4}));
    ASSERT_EQ(cap.boxes.size(), 2u);
    EXPECT_TRUE(cap.boxes[0].text.startsWith("9; failure 9\r\n\nIn Procedure: frmTrovex.Form_Resize."));
    EXPECT_TRUE(cap.boxes[1].text.startsWith("-2147467259; disk full"));
}

TEST(ErrorTrap, EndOnErrorSkipsTheRestAndCanBeSilentOnOneNumber) {
    errors::gSession.reset();
    BoxCapture cap;
    errors::Trap trap("clsFinder.PrepareFinder", errors::Via::Messenger);
    int steps = 0;
    EXPECT_FALSE(trap.endOnError([&] { ++steps; fail(380); ++steps; }, 380));
    EXPECT_EQ(steps, 1);
    EXPECT_TRUE(cap.boxes.empty());
    EXPECT_FALSE(trap.endOnError([&] { fail(5); }, 380));
    ASSERT_EQ(cap.boxes.size(), 1u);
    EXPECT_TRUE(cap.boxes[0].text.contains("In Procedure: clsFinder.PrepareFinder."));
}

TEST(ErrorTrap, ViaAccpacWithoutSessionStillReportsWithoutEscaping) {
    errors::gSession.reset();
    BoxCapture cap;
    errors::Trap trap("clsFinder.GOTOBOT", errors::Via::ACCPAC);
    EXPECT_FALSE(trap([&] { fail(5); }));
    ASSERT_EQ(cap.boxes.size(), 1u);
    EXPECT_TRUE(cap.boxes[0].text.contains("modGeneral.ErrorACCPAC"));
}
