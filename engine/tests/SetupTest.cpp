// Setting a lookup up and running it: the companion views the engine opens
// and composes for the views that need them, the key number it sets, the
// search controls PrepareFinder presets, and the window ShowFinder opens
// and disposes of.
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "FinderRig.h"
#include "errors/Settings.h"
#include "errors/modGeneral.h"

namespace enginetest {
namespace {

TEST(SetFinderView, OpensAndComposesTheCompanionViewsInOrder) {
    struct {
        const char* viewId;
        QStringList opened;    // "ID/PROGRAM" in order, the caller's own view first
        QStringList composed;  // "ID(companions)" in order
    } const bindings[] = {
        // clang-format off
        {"GL0001", {"GL0001/GL"}, {}},
        {"TX0001", {"TX0001/TX", "TX0002/TX", "TX0001/TX"}, {"TX0002(TX0001)", "TX0001(TX0002)"}},
        {"TX0002", {"TX0002/TX", "TX0002/TX", "TX0001/TX"}, {"TX0002(TX0001)", "TX0001(TX0002)"}},
        {"AR0042", {"AR0042/AR", "AR0041/AR", "AR0042/AR", "AR0044/AR", "AR0045/AR", "AR0043/AR", "AR0061/AR"},
                   {"AR0041(AR0042)", "AR0042(AR0041,AR0043,AR0044)", "AR0044(AR0042,AR0045)", "AR0045(AR0044)",
                    "AR0043(AR0042)", "AR0061(AR0041,AR0042,AR0043,AR0044,AR0045)"}},
        {"IC0750", {"IC0750/IC", "IC0310/IC", "IC0750/IC", "IC0330/IC"},
                   {"IC0310(IC0750,IC0330,,,,,)", "IC0750(IC0310)", "IC0330(IC0310,,)"}},
        // clang-format on
    };
    for (const auto& b : bindings) {
        SCOPED_TRACE(b.viewId);
        FinderRig rig{b.viewId, {}};
        QStringList opened, composed;
        for (const testsupport::ViewCall& c : rig.log->calls()) {
            if (c.op == ViewOp::OpenView) opened << c.viewId + "/" + c.text;
            if (c.op == ViewOp::Compose) composed << c.viewId + "(" + c.text + ")";
        }
        EXPECT_EQ(opened, b.opened);
        EXPECT_EQ(composed, b.composed);
        // The engine browses a view of the ID given, and sets its key number;
        // the caller's view lends only its ID when the engine opens its own.
        ASSERT_TRUE(rig.finder.FinderView);
        EXPECT_EQ(rig.finder.FinderView->ViewID(), b.viewId);
        EXPECT_EQ(rig.finder.FinderView == rig.view, b.opened.size() == 1);
        EXPECT_EQ(rig.finder.FinderFields, &rig.finder.FinderView->Fields());
        ASSERT_EQ(rig.log->count(ViewOp::Order), 1);
        EXPECT_EQ(rig.log->of(ViewOp::Order)[0].viewId, b.viewId);
    }
}

TEST(SetFinderView, TheKeyNumberGivenIsSetBeforeEveryLoadAndKeptByMoves) {
    FinderRig rig{QStringLiteral("IC0310"), {{"FMTITEMNO", 1500}, {"DESC", 3000}}, 5, nullptr, 1};
    rig.prepare();
    rig.finder.NEXTBATCH();
    QStringList orders;
    for (const testsupport::ViewCall& c : rig.log->of(ViewOp::Order)) orders << c.text;
    EXPECT_EQ(orders, (QStringList{"1", "1"}));  // the binding's and the load's
}

// The search lists offer the text columns only. Without a fourth text column
// (for FinderDefault 2), or without any, a list position that does not exist
// ends the preparation silently, before the first load.
TEST(PrepareFinder, BuildsTheSearchListsAndPresetsTheControls) {
    const QStringList texts{"EMPLOYEE:Employee Number", "FULLNAME:Full Name", "LASTNAME:Last Name",
                            "FIRSTNAME:First Name"};
    const Columns five{
        {"EMPLOYEE", 1500}, {"FULLNAME", 2000}, {"LASTNAME", 1500}, {"FIRSTNAME", 1500}, {"HIREDATE", 1000}};
    const Columns four{five[0], five[1], five[2], five[4]};
    struct {
        const char* name;
        Columns columns;
        std::int16_t skipFirst, finderDefault;
        QStringList fields;    // the search lists as "FIELD:Description"
        int field, condition;  // the positions chosen
        const char* text;      // the search box's text
        bool loads;
    } const cases[] = {
        // clang-format off
        {"TextColumnsOnly", EmployeeColumns, 0, 0, texts.mid(0, 2), 0, 0, "", true},
        {"SkipFirst", EmployeeColumns, -1, 0, texts.mid(1, 1), 0, 0, "", true},
        {"SeedInTheSearchBox", EmployeeColumns, 0, 1, texts.mid(0, 2), 0, 0, "First", true},
        {"FourthFieldContainsTheSeed", five, 0, 2, texts, 3, 1, "First", true},
        {"NoFourthField", four, 0, 2, texts.mid(0, 3), 0, 0, "", false},
        {"NoTextColumn", {{"HIREDATE", 1000}, {"PAYFREQ", 1000}}, 0, 0, {}, -1, -1, "", false},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FinderRig rig{QStringLiteral("CP0014"), c.columns};
        rig.finder.SkipFirst = c.skipFirst;
        rig.finder.FinderDefault = c.finderDefault;
        rig.finder.FinderSeed = QStringLiteral("First");
        window::frmTrovex& f = rig.finder.form();
        f.txtSearch.setText(QStringLiteral("left over"));
        f.pbxFind.setEnabled(false);
        f.scrollbarFocus = f.scrollkey = accpac::IntegerTrue;
        for (int layout = 0; layout < 2; ++layout) {  // the second builds the lists afresh
            rig.log->clear();
            rig.prepare();
        }
        QStringList fields;
        for (int i = 0; i < f.cboFindby.ListCount(); ++i) fields << f.cboFindby.List(i) + ":" + f.cboFindDesc.List(i);
        EXPECT_EQ(fields, c.fields);
        EXPECT_EQ(f.cboFindDesc.ListCount(), c.fields.size());
        EXPECT_EQ(f.cboFindDesc.ListIndex(), c.field);
        EXPECT_EQ(f.cboFindby.ListIndex(), c.field);  // the window keeps the two lists together
        EXPECT_EQ(f.cboCondition.ListIndex(), c.condition);
        EXPECT_EQ(f.cboCondition.List(0) + "|" + f.cboCondition.List(1),
                  c.fields.isEmpty() ? "|" : "Starts with|Contains");
        EXPECT_EQ(f.txtSearch.Text(), c.text);
        EXPECT_TRUE(f.pbxFind.Enabled() && f.scrollbarFocus == 0 && f.scrollkey == 0);
        EXPECT_EQ(f.FinderGrid.Cols(), int(c.columns.size()));
        EXPECT_EQ(rig.log->count(ViewOp::Browse), c.loads ? 1 : 0);
        EXPECT_EQ(rig.keys(), c.loads ? keys(1, 12) : QStringList{""});  // the search box held no start text
    }
}

// Header texts are the fields' descriptions; codes show through their
// lists (a code in no entry shows nothing), flags by position, one-character
// codes by their character, texts trimmed of blanks only; and rows inserted
// whole when paging back match the rows written cell by cell.
TEST(GridLoad, WritesTheHeaderAndTheDisplayTextOfEachKindOfField) {
    FinderRig rig{QStringLiteral("CP0014"),
                  {{"EMPLOYEE", 900}, {"STATUS", 1000, 7}, {"PARTTIME", 1100}, {"PAYFREQ", 1200}, {"HIREDATE", 1300}}};
    rig.prepare();
    window::FlexGrid& g = rig.grid();
    auto row = [&](int r) {  // the header row with each column's width and alignment
        QStringList cells;
        for (int c = 0; c < g.Cols(); ++c)
            cells << (r ? g.TextMatrix(r, c)
                        : QStringLiteral("%1 %2/%3").arg(g.TextMatrix(0, c)).arg(g.ColWidth(c)).arg(g.ColAlignment(c)));
        return cells.join('|');
    };
    EXPECT_EQ(row(0), "Employee Number 900/1|Status 1000/7|Employment 1100/1|Pay Frequency 1200/1|Hire Date 1300/1");
    EXPECT_EQ(row(1), "01|Active|Part-time|Daily|2020-01-01");
    EXPECT_EQ(row(2), "02|Active|Full-time|Weekly|2020-01-02");
    EXPECT_EQ(row(5), "05|Inactive|Part-time|Monthly|2020-01-05");
    EXPECT_EQ(row(7), "07|Active|Part-time||2020-01-07");
    rig.finder.NEXTLINE();
    rig.finder.PREVLINE();
    EXPECT_EQ(row(1), "01|Active|Part-time|Daily|2020-01-01");
    FinderRig accounts{QStringLiteral("GL0001"), {{"ACCTDESC", 2700}, {"ACTIVESW", 900}, {"ACCTTYPE", 1300}}};
    accounts.prepare();
    EXPECT_EQ(accounts.keys(0), (QStringList{"Cash\tat bank", "Payables", "Retained"}));  // the TAB stays in its cell
    EXPECT_EQ(accounts.keys(1), (QStringList{"Active", "Inactive", "Active"}));
    EXPECT_EQ(accounts.keys(2), (QStringList{"Balance Sheet", "Income Statement", "Retained Earnings"}));
}

// 3000 twips hold 11 rows, one less when more than one column is as wide as
// the grid or wider and brings a horizontal scroll bar; a grid lower than a
// row shows none.
TEST(GridLoad, TakesTheRowsThatFitTheGrid) {
    struct {
        Columns columns;
        double height;
        int rows;
        double scrollBar;  // the vertical scroll bar's height
    } const cases[] = {
        // clang-format off
        {{{"EMPLOYEE", 1500}, {"FULLNAME", 2000}}, 3000, 11, 3000},
        {{{"EMPLOYEE", 6000}, {"FULLNAME", 6000}}, 3000, 10, 2760},
        {{{"EMPLOYEE", 4500}, {"FULLNAME", 4755}}, 3000, 10, 2760},
        {{{"EMPLOYEE", 12000}}, 3000, 11, 3000},
        {{{"EMPLOYEE", 1500}, {"FULLNAME", 2000}}, 200, 0, 200},
        // clang-format on
    };
    for (const auto& c : cases) {
        FinderRig rig{QStringLiteral("CP0014"), c.columns};
        rig.grid().setWidth(9255);
        rig.grid().setHeight(c.height);
        rig.prepare();
        EXPECT_EQ(rig.keys(), c.rows ? keys(1, c.rows) : QStringList{""});
        EXPECT_EQ(rig.finder.form().ScrollBar1.Height(), c.scrollBar);
    }
}

// The window opens with the lookup's caption, maximized as the FinderMax
// setting says (a text read as any truth value is; the value tests cover its
// spellings) and with the buttons in the host's style. While it is open the
// test reads it, loads at a start value and presses Cancel; afterwards the
// first two results are empty, the session's errors and the window gone.
TEST(ShowFinder, OpensTheWindowAsTheHostAsksAndCleansUpAfterCancel) {
    struct {
        const char* stored;  // the FinderMax setting, nullptr for none
        bool maximized;
        const char* error;   // the report of a value that is no truth value, or nullptr
        std::int16_t winXP;  // the host's style flag
    } const cases[] = {
        // clang-format off
        {nullptr, false, nullptr, 0}, {"True", true, nullptr, -1}, {"0", false, nullptr, 0}, {"-1", true, nullptr, 0},
        {"yes", false, "13; Type mismatch: \"yes\" is neither True, False nor a number.", -1},
        {"", false, "13; Type mismatch: \"\" is neither True, False nor a number.", 0},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(none)");
        FinderRig rig;
        errors::gRegistry = QStringLiteral("EngineShowFinder") + (c.stored ? c.stored : "Missing");
        if (c.stored) errors::SaveSetting(errors::gRegistry, "ConnectInfo", "FinderMax", c.stored);
        errors::gWinXP = c.winXP;
        rig.finder.FinderCaption = QStringLiteral("Test Company - Employees");
        if (!c.error) rig.session->Errors().Put(accpac::ErrorPriority::Warning, QStringLiteral("Left over."));
        QList<QList<std::uint32_t>> shown;  // each button's text colour, face colour and look
        QPointer<window::frmTrovex> form = rig.finder.myFinderForm.get();
        bool maximized = false;
        QStringList seen;
        QTimer::singleShot(0, [&] {
            maximized = form->windowState() & Qt::WindowMaximized;
            for (window::PushButton* b : {&form->pbxFind, &form->pbxSelect, &form->pbxCancel})
                shown << QList<std::uint32_t>{b->TextColour(), b->FaceColour(), std::uint32_t(b->Look())};
            seen << form->windowTitle() << rig.keys().value(0);
            rig.prepare(QStringLiteral("05"));
            seen << rig.finder.FinderResult1;
            rig.finder.FinderResult3 = QStringLiteral("kept");
            form->pbxCancel.button()->click();
        });
        QTimer::singleShot(10000, [form] {  // a window still open is closed by force, and fails the test
            if (!form || !form->isVisible()) return;
            ADD_FAILURE() << "the window did not close on Cancel";
            form->hide();
        });
        testsupport::MessageCapture boxes;
        rig.finder.ShowFinder();
        errors::gWinXP = 0;
        EXPECT_EQ(boxes.texts(), c.error ? QStringList{errorReport(c.error, "clsFinder.ShowFinder")} : QStringList());
        EXPECT_TRUE(c.error || maximized == c.maximized);
        // The look is 3 and the text the button-text colour with the flag; the face
        // has the button-face colour without it (the colours are the buttons' own).
        EXPECT_EQ(shown, decltype(shown)(3, {0x80000012u, 0x8000000Fu, c.winXP ? 3u : 0u}));
        seen << rig.finder.FinderResult1 << rig.finder.FinderResult2 << rig.finder.FinderResult3;
        EXPECT_EQ(seen, QStringList({"Test Company - Employees", "01", "05", "", "", "kept"}));
        EXPECT_EQ(rig.session->Errors().Count(), 0);
        EXPECT_FALSE(rig.finder.myFinderForm);
    }
}

}  // namespace
}  // namespace enginetest
