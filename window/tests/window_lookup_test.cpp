// Searching and ending a lookup over a real company with the real engine:
// automatic search while typing, Find, the Auto Search box, Select and its
// stand-ins (Enter, a double click on a data row), the refusal of several
// rows, Cancel, the options written by Select and Cancel and read back at
// the next activation, and the reload at each resize.
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "LookupRig.h"
#include "WindowTestSupport.h"
#include "errors/Settings.h"
#include "errors/modGeneral.h"
#include "tests/support/MessageCapture.h"
#include "window/ColumnSizing.h"
#include "window/controls/Twips.h"

using windowtest::accountKeys;
using windowtest::LookupRig;

namespace {

const QString Section = QStringLiteral("AutoFind");

QString like(const QString& field, const QString& pattern) { return field + " LIKE \"" + pattern + "\""; }

void tick(window::CheckBox& box) {
    QTest::mouseClick(box.box(), Qt::LeftButton, {}, QPoint(6, box.box()->height() / 2));
}

QPoint rowCentre(LookupRig& rig, int row) {
    QTableView* view = rig.grid().view();
    return view->visualRect(view->model()->index(row - 1, 0)).center();
}

void clickRow(LookupRig& rig, int row) {
    QTest::mouseClick(rig.grid().view()->viewport(), Qt::LeftButton, {}, rowCentre(rig, row));
}

// The thumb in the middle of the view: a click in the track below it.
void pageForward(LookupRig& rig) {
    QScrollBar* bar = rig.form().ScrollBar1.bar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, windowtest::scrollBarPart(bar, QStyle::SC_ScrollBarAddPage));
    QCOMPARE(rig.form().ScrollBar1.Value(), 50);
}

QString stored(const QString& key) { return errors::GetSetting(errors::gRegistry, Section, key, "none"); }

}  // namespace

class LookupTest : public QObject {
    Q_OBJECT

private slots:
    void init() { windowtest::freshRegistry(); }

    void firstShowingLoadsTheGridAndWaitsForTheUser() {
        LookupRig rig;
        QVERIFY(rig.show());
        QCOMPARE(rig.keys(), accountKeys(1, 13));
        QCOMPARE(rig.form().cboFindDesc.List(0), QStringLiteral("Account Number"));
        QCOMPARE(rig.form().cboFindby.Text(), QStringLiteral("ACCTFMTTD"));
        QCOMPARE(rig.form().cboCondition.Text(), QStringLiteral("Starts with"));
        QCOMPARE(rig.form().chkAuto.Value(), 0);
        QVERIFY(rig.form().pbxFind.Enabled());
        QVERIFY(!rig.form().pbxSelect.Enabled());
        QCOMPARE(rig.focus(), rig.form().txtSearch.widget());
        clickRow(rig, 3);
        QVERIFY(rig.form().pbxSelect.Enabled());
    }

    void autoSearchRunsOneSearchPerKeystrokeFromTheTop() {
        LookupRig rig;
        QVERIFY(rig.show());
        tick(rig.form().chkAuto);
        QVERIFY(!rig.form().pbxFind.Enabled());
        rig.browses.clear();

        pageForward(rig);
        QTest::keyClicks(rig.form().txtSearch.edit(), "A");
        pageForward(rig);
        QTest::keyClicks(rig.form().txtSearch.edit(), "B");
        QCOMPARE(rig.searches(), (QStringList{like("ACCTFMTTD", "A%"), like("ACCTFMTTD", "AB%")}));
        for (const windowtest::BrowseCall& b : rig.searchBrowses()) QCOMPARE(b.thumb, 0);
        QCOMPARE(rig.keys(), accountKeys(1, 13));
        QCOMPARE(rig.form().ScrollBar1.Value(), 0);
    }

    void withoutAutoSearchFindSearchesTheChosenColumnAndCondition() {
        LookupRig rig;
        QVERIFY(rig.show());
        QTest::keyClicks(rig.form().txtSearch.edit(), "AC0");
        QCOMPARE(rig.searches(), QStringList());

        QTest::mouseClick(rig.form().pbxFind.button(), Qt::LeftButton);
        QCOMPARE(rig.searches(), QStringList{like("ACCTFMTTD", "AC0%")});
        QCOMPARE(rig.keys(), accountKeys(21, 29));

        // Another column and "Contains" by the keyboard, then Find by its access key.
        rig.form().cboFindDesc.SetFocus();
        QTest::keyClick(rig.form().cboFindDesc.widget(), Qt::Key_Down);
        rig.form().cboCondition.SetFocus();
        QTest::keyClick(rig.form().cboCondition.widget(), Qt::Key_Down);
        QCOMPARE(rig.form().txtSearch.Text(), QStringLiteral("AC0"));  // a new column keeps the text
        QTest::keyClick(&rig.form(), Qt::Key_F, Qt::AltModifier);
        QTRY_COMPARE(rig.searches().size(), 2);
        QCOMPARE(rig.searches().last(), like("ACCTDESC", "%AC0%"));
    }

    void checkingAutoSearch_data() {
        QTest::addColumn<bool>("searchColumn");
        QTest::addColumn<bool>("findEnabled");
        QTest::addColumn<int>("searches");
        QTest::newRow("with a column to search: Find off, a search at once") << true << false << 1;
        QTest::newRow("without one: Find stays, nothing is searched") << false << true << 0;
    }
    void checkingAutoSearch() {
        QFETCH(bool, searchColumn);
        QFETCH(bool, findEnabled);
        QFETCH(int, searches);
        // The status is not text, so it is not offered for searching.
        auto made = searchColumn
                        ? std::make_unique<LookupRig>()
                        : std::make_unique<LookupRig>(std::vector<windowtest::LookupColumn>{{"ACTIVESW", 1500}});
        LookupRig& rig = *made;
        QVERIFY(rig.show());
        rig.form().txtSearch.setText("AB1");
        tick(rig.form().chkAuto);
        QCOMPARE(rig.form().pbxFind.Enabled(), findEnabled);
        QCOMPARE(rig.searches().size(), searches);
        if (searches) QCOMPARE(rig.searches().first(), like("ACCTFMTTD", "AB1%"));

        tick(rig.form().chkAuto);
        QVERIFY(rig.form().pbxFind.Enabled());
        QCOMPARE(rig.searches().size(), searches);
    }

    void selectionHandsBackTheRowAndEndsTheLookup_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("the Select button") << "button";
        QTest::newRow("its access key") << "access key";
        QTest::newRow("Enter in the grid, Select disabled") << "enter";
        QTest::newRow("a double click on the row") << "double click";
    }
    void selectionHandsBackTheRowAndEndsTheLookup() {
        QFETCH(QString, how);
        LookupRig rig;
        QVERIFY(rig.show());
        clickRow(rig, 4);
        if (how == "button") {
            QTest::mouseClick(rig.form().pbxSelect.button(), Qt::LeftButton);
        } else if (how == "access key") {
            QTest::keyClick(&rig.form(), Qt::Key_S, Qt::AltModifier);
        } else if (how == "enter") {
            rig.form().pbxSelect.setEnabled(false);
            QTest::keyClick(rig.grid().view(), Qt::Key_Return);
        } else {
            QTest::mouseDClick(rig.grid().view()->viewport(), Qt::LeftButton, {}, rowCentre(rig, 4));
        }
        QTRY_VERIFY(!rig.form().isVisible());
        QCOMPARE(rig.finder.FinderResult1, accountKeys(4, 4).first());
        QCOMPARE(rig.finder.FinderResult2, "Account " + accountKeys(4, 4).first());
        QCOMPARE(rig.finder.FinderResult3, QString());  // no third result column
        QVERIFY(rig.form().isClosing());
    }

    void aThirdResultColumnIsHandedBackToo() {
        LookupRig rig;
        rig.finder.ResultField3 = "2";
        QVERIFY(rig.show());
        clickRow(rig, 2);
        QTest::keyClick(rig.grid().view(), Qt::Key_Return);
        QCOMPARE(rig.finder.FinderResult3, QStringLiteral("Balance Sheet"));
    }

    void aDoubleClickOnTheHeaderSizesThatColumnAndSelectsNothing() {
        LookupRig rig;
        QVERIFY(rig.show());
        QHeaderView* header = rig.grid().view()->horizontalHeader();
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {},
                           QPoint(header->sectionViewportPosition(1) + 10, header->height() / 2));
        QCOMPARE(rig.grid().ColWidth(1), window::fittedColumnWidth("Account AB01", rig.grid().font()));
        QVERIFY(rig.form().isVisible());
        QCOMPARE(rig.finder.FinderResult1, QString());
    }

    void severalSelectedRowsAreRefusedAndTheLookupEndsWithoutAResult() {
        LookupRig rig;
        QVERIFY(rig.show());
        clickRow(rig, 2);
        QTest::mouseClick(rig.grid().view()->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowCentre(rig, 5));
        QCOMPARE(rig.grid().RowSel(), 5);
        rig.finder.FinderResult1 = "before";
        testsupport::MessageCapture boxes;
        QTest::mouseClick(rig.form().pbxSelect.button(), Qt::LeftButton);
        QCOMPARE(boxes.boxes().size(), size_t(1));
        QCOMPARE(boxes.boxes()[0].title, QStringLiteral("Invalid Selection"));
        QCOMPARE(boxes.boxes()[0].text, QStringLiteral("Please make only one selection."));
        QCOMPARE(boxes.boxes()[0].icon, errors::MessageIcon::Exclamation);
        QCOMPARE(boxes.boxes()[0].buttons, 0);
        QVERIFY(!rig.form().isVisible());
        QCOMPARE(rig.finder.FinderResult1, QStringLiteral("before"));
        QCOMPARE(stored("CheckBox"), QStringLiteral("0"));  // closed as any lookup closes
    }

    void cancelEmptiesTheFirstTwoResults() {
        LookupRig rig;
        QVERIFY(rig.show());
        rig.finder.FinderResult1 = "one";
        rig.finder.FinderResult2 = "two";
        rig.finder.FinderResult3 = "three";
        QTest::keyClick(&rig.form(), Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(!rig.form().isVisible());
        QCOMPARE(rig.finder.FinderResult1, QString());
        QCOMPARE(rig.finder.FinderResult2, QString());
        QCOMPARE(rig.finder.FinderResult3, QStringLiteral("three"));
        QCOMPARE(rig.form().ScrollBar1.Value(), 0);
    }

    void optionsAreWrittenByClosingAndReadAtTheNextActivation_data() {
        QTest::addColumn<QString>("close");
        QTest::addColumn<QString>("written");
        QTest::newRow("Select writes them") << "select"
                                            << "1";
        QTest::newRow("Cancel writes them") << "cancel"
                                            << "1";
        QTest::newRow("the frame writes nothing") << "frame"
                                                  << "none";
    }
    void optionsAreWrittenByClosingAndReadAtTheNextActivation() {
        QFETCH(QString, close);
        QFETCH(QString, written);
        {
            LookupRig rig;
            QVERIFY(rig.show());
            tick(rig.form().chkAuto);
            tick(rig.form().chkSize);
            if (close == "select") {
                clickRow(rig, 1);
                QTest::mouseClick(rig.form().pbxSelect.button(), Qt::LeftButton);
            } else if (close == "cancel") {
                QTest::mouseClick(rig.form().pbxCancel.button(), Qt::LeftButton);
            } else {
                rig.form().close();
            }
            QVERIFY(!rig.form().isVisible());
            QCOMPARE(stored("CheckBox"), written);
            QCOMPARE(stored("AutoSize"), written);
        }
        LookupRig next;
        QVERIFY(next.show());
        const int on = written == "1" ? 1 : 0;
        QCOMPARE(next.form().chkAuto.Value(), on);
        QCOMPARE(next.form().chkSize.Value(), on);
        QCOMPARE(next.form().pbxFind.Enabled(), !on);
        QCOMPARE(next.searches(), QStringList());  // activation starts no search
        if (on) QCOMPARE(next.grid().ColWidth(1), window::fittedColumnWidth("Account AB01", next.grid().font()));
    }

    void everyResizeReloadsButATooLowWindowDoesNot() {
        LookupRig rig;
        QVERIFY(rig.show());
        pageForward(rig);
        const size_t browses = rig.browses.size();
        rig.form().resize(rig.form().width(), window::twipsToPixelsY(1500));
        QTRY_COMPARE(rig.form().height(), window::twipsToPixelsY(1500));
        QCOMPARE(rig.browses.size(), browses);
        QCOMPARE(rig.keys(), accountKeys(13, 25));

        rig.form().resize(rig.form().width(), window::twipsToPixelsY(windowtest::DesignHeight + 255 * 2));
        QTRY_COMPARE(rig.browses.size(), browses + 1);
        QCOMPARE(rig.keys(), accountKeys(1, 15));  // two rows more, from the top
        QCOMPARE(rig.form().ScrollBar1.Value(), 0);
    }

    // The whole road through the engine's ShowFinder: modal, and over when
    // the row is selected.
    void showFinderReturnsWhenARowIsSelected() {
        LookupRig rig;
        errors::gWinXP = -1;
        QTimer::singleShot(0, [&] {
            QVERIFY(QTest::qWaitForWindowActive(&rig.form()));
            QCOMPARE(rig.form().windowTitle(), QStringLiteral("Finder - Accounts"));
            QCOMPARE(rig.form().pbxSelect.Look(), window::PushButton::ModernLook);
            clickRow(rig, 6);
            QTest::keyClick(rig.grid().view(), Qt::Key_Return);
        });
        rig.finder.ShowFinder();
        errors::gWinXP = 0;
        QCOMPARE(rig.finder.FinderResult1, accountKeys(6, 6).first());
        QVERIFY(!rig.finder.myFinderForm);
    }
};

QTEST_MAIN(LookupTest)
#include "window_lookup_test.moc"
