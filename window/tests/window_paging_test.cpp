// Scrolling and keyboard paging over a real company with the real engine:
// the thumb's three places, each move of the thumb as one step of the view,
// the paging keys at the grid's edge rows (in the paging sink and on the
// scroll bar), and a grid too short to page by keys.
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include "LookupRig.h"
#include "WindowTestSupport.h"
#include "tests/support/MessageCapture.h"

using windowtest::AccountCount;
using windowtest::accountKeys;
using windowtest::LookupRig;

namespace {

constexpr int LastRow = 13;  // 13 records a batch at the design size

QScrollBar* bar(LookupRig& rig) { return rig.form().ScrollBar1.bar(); }

void clickBar(LookupRig& rig, QStyle::SubControl part) {
    QTest::mouseClick(bar(rig), Qt::LeftButton, {}, windowtest::scrollBarPart(bar(rig), part));
}

// Clicks data row `row` of the grid.
void clickRow(LookupRig& rig, int row) {
    QTableView* view = rig.grid().view();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(row - 1, 0)).center());
}

// Puts the selection on `row` as the user does: a click, or for the last
// row (which lies below the grid's lower edge, the header taking a row's
// height) a click on the row above it and Down.
void selectRow(LookupRig& rig, int row) {
    if (row < LastRow) {
        clickRow(rig, row);
        return;
    }
    clickRow(rig, row - 1);
    QTest::keyClick(rig.grid().view(), Qt::Key_Down);
}

}  // namespace

class PagingTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        windowtest::freshRegistry();
        boxes = std::make_unique<testsupport::MessageCapture>();
    }
    void cleanup() {
        QCOMPARE(boxes->texts(), QStringList());  // no step of a test reports an error
        boxes.reset();
    }

    void theFirstBatchPutsTheThumbAtTheTop() {
        LookupRig rig;
        QVERIFY(rig.show());
        QCOMPARE(rig.keys(), accountKeys(1, LastRow));
        QCOMPARE(rig.form().ScrollBar1.Value(), 0);
        QCOMPARE(rig.form().ScrollBar1.Max(), 100);
        QCOMPARE(rig.form().ScrollBar1.Height(), rig.grid().Height());
    }

    // From the middle of the view (a batch from record 13), one click on a
    // part of the scroll bar.
    void eachClickOnTheScrollBarIsOneStepOfTheView_data() {
        QTest::addColumn<int>("part");
        QTest::addColumn<int>("firstKey");
        QTest::addColumn<int>("thumb");
        QTest::newRow("down arrow: one record forward") << int(QStyle::SC_ScrollBarAddLine) << 14 << 50;
        QTest::newRow("up arrow: one record back") << int(QStyle::SC_ScrollBarSubLine) << 12 << 50;
        QTest::newRow("track below the thumb: a batch forward") << int(QStyle::SC_ScrollBarAddPage) << 25 << 50;
        QTest::newRow("track above the thumb: a batch back to the top") << int(QStyle::SC_ScrollBarSubPage) << 1 << 0;
    }
    void eachClickOnTheScrollBarIsOneStepOfTheView() {
        QFETCH(int, part);
        QFETCH(int, firstKey);
        QFETCH(int, thumb);
        LookupRig rig;
        QVERIFY(rig.show());
        clickBar(rig, QStyle::SC_ScrollBarAddPage);
        QCOMPARE(rig.keys(), accountKeys(13, 13 + LastRow - 1));  // a batch forward keeps the old last row
        QCOMPARE(rig.form().ScrollBar1.Value(), 50);

        clickBar(rig, QStyle::SubControl(part));
        QCOMPARE(rig.keys(), accountKeys(firstKey, firstKey + LastRow - 1));
        QCOMPARE(rig.form().ScrollBar1.Value(), thumb);
        QCOMPARE(rig.focus(), rig.form().txtSearch.widget());  // back to the search box after a step
    }

    void draggingTheThumb_data() {
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("firstKey");
        QTest::addColumn<int>("thumb");
        QTest::newRow("to the bottom: the last batch") << 100 << AccountCount - LastRow + 1 << 100;
        QTest::newRow("to the top: the first batch") << 0 << 1 << 0;
        QTest::newRow("a little up: a batch back") << 48 << 1 << 0;
        QTest::newRow("a little down: a batch forward") << 53 << 25 << 50;
    }
    void draggingTheThumb() {
        QFETCH(int, to);
        QFETCH(int, firstKey);
        QFETCH(int, thumb);
        LookupRig rig;
        QVERIFY(rig.show());
        clickBar(rig, QStyle::SC_ScrollBarAddPage);
        QCOMPARE(rig.form().ScrollBar1.Value(), 50);
        windowtest::dragThumb(bar(rig), to);
        QCOMPARE(rig.keys(), accountKeys(firstKey, firstKey + LastRow - 1));
        QCOMPARE(rig.form().ScrollBar1.Value(), thumb);
    }

    void atTheBottomTheThumbStaysAtTheBottomAndComesBackUp() {
        LookupRig rig;
        QVERIFY(rig.show());
        windowtest::dragThumb(bar(rig), 100);
        QCOMPARE(rig.form().ScrollBar1.Value(), 100);
        clickBar(rig, QStyle::SC_ScrollBarAddLine);  // nothing below the last record
        QCOMPARE(rig.keys(), accountKeys(AccountCount - LastRow + 1, AccountCount));
        QCOMPARE(rig.form().ScrollBar1.Value(), 100);
        clickBar(rig, QStyle::SC_ScrollBarSubLine);
        QCOMPARE(rig.keys(), accountKeys(AccountCount - LastRow, AccountCount - 1));
        QCOMPARE(rig.form().ScrollBar1.Value(), 50);
    }

    // A view that fits in the grid leaves the thumb nowhere to go; once the
    // view is larger than the grid again the thumb has its places back.
    void aViewThatFitsHasNoThumbRange() {
        LookupRig rig;
        QVERIFY(rig.show());
        rig.form().txtSearch.setText("AB0");
        QTest::mouseClick(rig.form().pbxFind.button(), Qt::LeftButton);
        QCOMPARE(rig.keys(), accountKeys(1, 9));
        QCOMPARE(rig.form().ScrollBar1.Max(), 0);
        QCOMPARE(rig.form().ScrollBar1.Value(), 0);
        const int browsesBefore = int(rig.browses.size());
        clickBar(rig, QStyle::SC_ScrollBarAddPage);
        QCOMPARE(int(rig.browses.size()), browsesBefore);

        rig.form().txtSearch.setText("");
        QTest::mouseClick(rig.form().pbxFind.button(), Qt::LeftButton);
        QCOMPARE(rig.form().ScrollBar1.Max(), 100);
        clickBar(rig, QStyle::SC_ScrollBarAddPage);
        QCOMPARE(rig.keys(), accountKeys(13, 13 + LastRow - 1));
        QCOMPARE(rig.form().ScrollBar1.Value(), 50);
    }

    // The keys in the paging sink, which has the focus while the selection
    // is on an edge row of a full grid; the batch starts at record 13.
    void pagingKeysAtTheEdgeRows_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("firstKey");
        QTest::addColumn<int>("rowAfter");
        QTest::addColumn<QString>("focus");
        QTest::newRow("Down at the last row: a record forward, still on the last row")
            << LastRow << int(Qt::Key_Down) << 14 << LastRow << "txtScroll";
        QTest::newRow("Up at the first row: a record back, still on the first row")
            << 1 << int(Qt::Key_Up) << 12 << 1 << "txtScroll";
        QTest::newRow("Page Down at the last row: a batch forward, on its last row")
            << LastRow << int(Qt::Key_PageDown) << 25 << LastRow << "txtScroll";
        // The thumb goes to the top, and a thumb that moves hands the
        // keyboard to the search box.
        QTest::newRow("Page Up at the first row: back to the first batch")
            << 1 << int(Qt::Key_PageUp) << 1 << 1 << "txtSearch";
        QTest::newRow("Page Down at the first row: to the last row")
            << 1 << int(Qt::Key_PageDown) << 13 << LastRow << "txtScroll";
        QTest::newRow("Page Up at the last row: to the first row")
            << LastRow << int(Qt::Key_PageUp) << 13 << 1 << "txtScroll";
        QTest::newRow("Down at the first row: back into the grid") << 1 << int(Qt::Key_Down) << 13 << 2 << "FinderGrid";
        QTest::newRow("Up at the last row: back into the grid")
            << LastRow << int(Qt::Key_Up) << 13 << LastRow - 1 << "FinderGrid";
        QTest::newRow("another key: nothing") << LastRow << int(Qt::Key_Home) << 13 << LastRow << "txtScroll";
    }
    void pagingKeysAtTheEdgeRows() {
        QFETCH(int, row);
        QFETCH(int, key);
        QFETCH(int, firstKey);
        QFETCH(int, rowAfter);
        QFETCH(QString, focus);
        LookupRig rig;
        QVERIFY(rig.show());
        clickBar(rig, QStyle::SC_ScrollBarAddPage);
        selectRow(rig, row);
        QCOMPARE(rig.focus(), rig.form().txtScroll.widget());

        QTest::keyClick(rig.focus(), Qt::Key(key));
        QCOMPARE(rig.keys(), accountKeys(firstKey, firstKey + LastRow - 1));
        QCOMPARE(rig.grid().Row(), rowAfter);
        QCOMPARE(rig.grid().RowSel(), rowAfter);
        QCOMPARE(rig.focus()->objectName(), focus);
        QCOMPARE(rig.form().ScrollBar1.Value(), firstKey == 1 ? 0 : 50);
    }

    void downThroughTheGridReachesTheSinkAndPagesOn() {
        LookupRig rig;
        QVERIFY(rig.show());
        clickRow(rig, 2);
        QCOMPARE(rig.focus(), rig.grid().view());
        QVERIFY(rig.form().pbxSelect.Enabled());  // the grid was entered
        for (int row = 3; row <= LastRow; ++row) QTest::keyClick(rig.focus(), Qt::Key_Down);
        QCOMPARE(rig.grid().Row(), LastRow);
        QCOMPARE(rig.focus(), rig.form().txtScroll.widget());

        QTest::keyClick(rig.focus(), Qt::Key_Down);
        QCOMPARE(rig.keys(), accountKeys(2, LastRow + 1));
        QCOMPARE(rig.grid().Row(), LastRow);
        QCOMPARE(rig.grid().TextMatrix(LastRow, 0), accountKeys(LastRow + 1, LastRow + 1).first());
        // The thumb left the top, and a thumb that moves hands the keyboard
        // to the search box; in the middle of the view it stays put.
        QCOMPARE(rig.form().ScrollBar1.Value(), 50);
        QCOMPARE(rig.focus(), rig.form().txtSearch.widget());
        selectRow(rig, LastRow);
        for (int step = 0; step < 3; ++step) QTest::keyClick(rig.focus(), Qt::Key_Down);
        QCOMPARE(rig.keys(), accountKeys(5, LastRow + 4));
        QCOMPARE(rig.focus(), rig.form().txtScroll.widget());
    }

    // A grid of 12 rows or fewer keeps the focus at its edges: the arrows
    // stay the grid's own and page nothing.
    void aShortGridKeepsTheFocusAtItsEdges() {
        LookupRig rig;
        QVERIFY(rig.show(2175 + 11 * 255));  // room for 11 records under the header
        QCOMPARE(rig.grid().Rows(), 12);
        clickRow(rig, 2);
        for (int step = 0; step < 12; ++step) QTest::keyClick(rig.focus(), Qt::Key_Down);
        QCOMPARE(rig.grid().Row(), 11);
        QCOMPARE(rig.focus(), rig.grid().view());
        QCOMPARE(rig.keys(), accountKeys(1, 11));
        QTest::keyClick(rig.focus(), Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(rig.grid().Row(), 1);
        QCOMPARE(rig.focus(), rig.grid().view());
    }

    // Keys on the scroll bar, from a batch that starts at record 13: at the
    // edge rows as in the paging sink, elsewhere inside the batch; the bar
    // itself never moves for a key, and the focus goes to the grid (or on
    // to the sink at an edge row).
    void keysOnTheScrollBar_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("firstKey");
        QTest::addColumn<int>("rowAfter");
        QTest::addColumn<bool>("sinkHasFocus");
        QTest::newRow("Page Down in the middle: to the last row")
            << 5 << int(Qt::Key_PageDown) << 13 << LastRow << true;
        QTest::newRow("Page Up in the middle: to the first row") << 5 << int(Qt::Key_PageUp) << 13 << 1 << true;
        QTest::newRow("Down in the middle: one row down") << 5 << int(Qt::Key_Down) << 13 << 6 << false;
        QTest::newRow("Up in the middle: one row up") << 5 << int(Qt::Key_Up) << 13 << 4 << false;
        QTest::newRow("Page Down at the last row: a batch forward")
            << LastRow << int(Qt::Key_PageDown) << 25 << LastRow << true;
        QTest::newRow("Up at the first row: a record back") << 1 << int(Qt::Key_Up) << 12 << 1 << true;
        QTest::newRow("another key: nothing but the focus") << 5 << int(Qt::Key_Home) << 13 << 5 << false;
    }
    void keysOnTheScrollBar() {
        QFETCH(int, row);
        QFETCH(int, key);
        QFETCH(int, firstKey);
        QFETCH(int, rowAfter);
        QFETCH(bool, sinkHasFocus);
        LookupRig rig;
        QVERIFY(rig.show());
        clickBar(rig, QStyle::SC_ScrollBarAddPage);
        selectRow(rig, row);
        rig.form().ScrollBar1.SetFocus();
        QCOMPARE(rig.form().scrollbarFocus, std::int16_t(-1));

        QTest::keyClick(bar(rig), Qt::Key(key));
        QCOMPARE(rig.keys(), accountKeys(firstKey, firstKey + LastRow - 1));
        QCOMPARE(rig.grid().Row(), rowAfter);
        QCOMPARE(rig.focus(), sinkHasFocus ? rig.form().txtScroll.widget() : rig.grid().view());
        QCOMPARE(rig.form().ScrollBar1.Value(), 50);
        QCOMPARE(rig.form().scrollbarFocus, std::int16_t(0));
        QCOMPARE(rig.form().scrollkey, std::int16_t(0));
    }

private:
    std::unique_ptr<testsupport::MessageCapture> boxes;
};

QTEST_MAIN(PagingTest)
#include "window_paging_test.moc"
