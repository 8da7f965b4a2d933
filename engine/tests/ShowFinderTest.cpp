// Running a lookup: the window opens modally with the lookup's caption, the
// remembered maximized state and the chosen button look, and when it closes
// the session's errors are gone and the window is disposed of, whatever
// happened on the way. Each test closes the window from inside its modal
// loop by pressing Cancel, as a user would.
#include <gtest/gtest.h>

#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "FinderRig.h"
#include "errors/Settings.h"
#include "errors/modGeneral.h"
#include "tests/support/MessageCapture.h"
#include "window/frmTrovex.h"

using enginetest::FinderRig;

namespace {

// Runs ShowFinder; `whileOpen` sees the open window, then Cancel closes it.
// A window that does not close within ten seconds is closed by force and
// fails the test, so a test never waits for a click.
void showAndCancel(engine::Finder& finder, const std::function<void(window::frmTrovex&)>& whileOpen) {
    QPointer<window::frmTrovex> form = finder.myFinderForm.get();
    bool ran = false;
    QTimer::singleShot(0, [&, form] {
        if (!form) return;
        ran = true;
        whileOpen(*form);
        form->pbxCancel.button()->click();
    });
    QTimer::singleShot(10000, [form] {
        if (form && form->isVisible()) {
            ADD_FAILURE() << "the window did not close on Cancel";
            form->hide();
        }
    });
    finder.ShowFinder();
    EXPECT_TRUE(ran) << "the window was not shown modally";
}

struct MaxCase {
    const char* name;
    const char* stored;  // nullptr: no entry
    bool maximized;
    const char* error;  // the report of a value that is no truth value, or nullptr
};
void PrintTo(const MaxCase& c, std::ostream* os) { *os << c.name; }

class FinderMax : public ::testing::TestWithParam<MaxCase> {};

TEST_P(FinderMax, DecidesWhetherTheWindowOpensMaximized) {
    const MaxCase& c = GetParam();
    FinderRig rig{QStringLiteral("CP0014"), enginetest::employeeColumns(), 12};
    errors::gRegistry = QStringLiteral("EngineShowFinder") + QLatin1String(c.name);
    if (c.stored)
        errors::SaveSetting(errors::gRegistry, QStringLiteral("ConnectInfo"), QStringLiteral("FinderMax"),
                            QLatin1String(c.stored));
    testsupport::MessageCapture boxes;
    bool maximized = false;
    showAndCancel(rig.finder, [&](window::frmTrovex& f) { maximized = f.windowState() & Qt::WindowMaximized; });
    if (!c.error) {
        EXPECT_EQ(maximized, c.maximized);
        EXPECT_TRUE(boxes.texts().isEmpty());
    } else {
        EXPECT_EQ(boxes.texts(), QStringList{QLatin1String(c.error) +
                                             "\r\n\nIn Procedure: clsFinder.ShowFinder.\r\n\nPlease contact Quorvex "
                                             "if this error occurs frequently."});
    }
    // The clean-up ran in every case.
    EXPECT_FALSE(rig.finder.myFinderForm);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, FinderMax,
    ::testing::Values(MaxCase{"Missing", nullptr, false, nullptr}, MaxCase{"WordTrue", "True", true, nullptr},
                      MaxCase{"WordTrueAnyCase", "tRUE", true, nullptr}, MaxCase{"WordFalse", "FALSE", false, nullptr},
                      MaxCase{"MinusOne", "-1", true, nullptr}, MaxCase{"AnyNonZeroNumber", "2", true, nullptr},
                      MaxCase{"Zero", "0", false, nullptr},
                      MaxCase{"NoTruthValue", "yes", false,
                              "13; Type mismatch: \"yes\" is neither True, False nor a number."},
                      MaxCase{"EmptyText", "", false, "13; Type mismatch: \"\" is neither True, False nor a number."}),
    [](const auto& info) { return std::string(info.param.name); });

struct Look {
    std::uint32_t textColour = 0;
    std::uint32_t faceColour = 0;
    int look = 0;
};

class ButtonLook : public ::testing::TestWithParam<std::int16_t> {};

TEST_P(ButtonLook, FollowsTheHostsStyleFlag) {
    FinderRig rig{QStringLiteral("CP0014"), enginetest::employeeColumns(), 12};
    errors::gRegistry = QStringLiteral("EngineButtonLook");
    errors::gWinXP = GetParam();
    std::vector<Look> looks;
    std::vector<Look> design;
    {
        window::frmTrovex& f = rig.finder.form();
        for (window::PushButton* b : {&f.pbxFind, &f.pbxSelect, &f.pbxCancel})
            design.push_back({b->TextColour(), b->FaceColour(), b->Look()});
    }
    showAndCancel(rig.finder, [&](window::frmTrovex& f) {
        for (window::PushButton* b : {&f.pbxFind, &f.pbxSelect, &f.pbxCancel})
            looks.push_back({b->TextColour(), b->FaceColour(), b->Look()});
    });
    ASSERT_EQ(looks.size(), 3u);
    for (std::size_t i = 0; i < looks.size(); ++i) {
        if (GetParam()) {
            EXPECT_EQ(looks[i].look, 3) << i;
            EXPECT_EQ(looks[i].textColour, 0x80000012u) << i;
            EXPECT_EQ(looks[i].faceColour, design[i].faceColour) << i;
        } else {
            EXPECT_EQ(looks[i].faceColour, 0x8000000Fu) << i;
            EXPECT_EQ(looks[i].look, design[i].look) << i;
            EXPECT_EQ(looks[i].textColour, design[i].textColour) << i;
        }
    }
    errors::gWinXP = 0;
}

INSTANTIATE_TEST_SUITE_P(Flags, ButtonLook, ::testing::Values(std::int16_t(-1), std::int16_t(0)),
                         [](const auto& info) { return std::string(info.param ? "WindowsXP" : "Classic"); });

TEST(ShowFinder, ShowsTheCaptionLoadsAtTheFirstLayoutAndClearsTheSessionsErrors) {
    FinderRig rig{QStringLiteral("CP0014"), enginetest::employeeColumns(), 12};
    errors::gRegistry = QStringLiteral("EngineShowFinderCaption");
    rig.finder.FinderCaption = QStringLiteral("Test Company - Employees");
    rig.session->Errors().Put(accpac::ErrorPriority::Warning, QStringLiteral("Left over from the host."));
    QString caption;
    QStringList keys;
    showAndCancel(rig.finder, [&](window::frmTrovex& f) {
        caption = f.windowTitle();
        for (int r = 1; r < f.FinderGrid.Rows(); ++r) keys << f.FinderGrid.TextMatrix(r, 0);
        f.finderInstance->FinderResult3 = QStringLiteral("kept");
    });
    EXPECT_EQ(caption, "Test Company - Employees");
    EXPECT_EQ(keys.first(), "01");
    EXPECT_EQ(rig.session->Errors().Count(), 0);
    EXPECT_FALSE(rig.finder.myFinderForm);
    EXPECT_EQ(rig.finder.FinderResult3, "kept");
}

TEST(ShowFinder, CancelAfterAStartValueLoadReturnsNoResult) {
    FinderRig rig{QStringLiteral("CP0014"), enginetest::employeeColumns(), 12};
    errors::gRegistry = QStringLiteral("EngineShowFinderCancel");
    QString during;
    showAndCancel(rig.finder, [&](window::frmTrovex&) {
        rig.prepare(QStringLiteral("05"));  // a layout with text in the search box
        during = rig.finder.FinderResult1;
    });
    EXPECT_EQ(during, "05");
    EXPECT_EQ(rig.finder.FinderResult1, "");
    EXPECT_EQ(rig.finder.FinderResult2, "");
}

}  // namespace
