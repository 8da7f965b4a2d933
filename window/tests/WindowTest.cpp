// The lookup window over a real company with the real engine.
//
// Its grid and controls: rows added and removed as TAB-joined texts,
// handlers that a change made by code raises before it returns and only
// when the value changes, the system's error numbers for places that do not
// exist, and the report of an error a user's event lets out (none for error
// 5 inside the scroll bar's handler). The window: the layout at the design
// size and at every resize, column widths sized to their contents, the
// thumb's three places and each move of it as one step of the view, the
// paging keys at the grid's edge rows, searching while typing or by Find,
// the ways a lookup ends, and the options written when it ends and read at
// the next activation.
//
// The rig is a lookup as a preset runs it, with the window shown (not
// modally) so a test can act as the user. The company's accounts are
// "AB01".."AB20" then "AC01".."AC20", described as "Account AB01"...; the
// lookup shows the number (the order key), the description and the type, and
// hands back the number and the description.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QUuid>
#include <QWheelEvent>
#include <cmath>

#include "accpac/AccpacError.h"
#include "accpac/AccpacField.h"
#include "accpac/ReadPause.h"
#include "engine/Finder.h"
#include "errors/Settings.h"
#include "errors/modGeneral.h"
#include "tests/support/MessageCapture.h"
#include "tests/support/TestCompany.h"
#include "tests/support/ViewDecorator.h"
#include "window/ColumnSizing.h"
#include "window/controls/Twips.h"
#include "window/frmTrovex.h"

namespace {

constexpr double DesignWidth = 9510, DesignHeight = 5535;  // the window's inner size, twips
constexpr int LastRow = 13;                                // data rows at the design size

// Account numbers `first`..`last`, counted from 1 in key order.
inline QStringList accountKeys(int first = 1, int last = 40) {
    QStringList keys;
    for (const char* prefix : {"AB", "AC"})
        for (const QString& n : testsupport::numberedKeys(20)) keys << prefix + n;
    return keys.mid(first - 1, last - first + 1);
}

// The number of the AccpacError `statement` throws, 0 when it throws none.
template <class F>
long errorNumber(F&& statement) try {
    statement();
    return 0;
} catch (const accpac::AccpacError& e) {
    return e.number();
}

inline void tick(window::CheckBox& box) {
    QTest::mouseClick(box.box(), Qt::LeftButton, {}, QPoint(6, box.box()->height() / 2));
}

struct LookupRig {
    explicit LookupRig(const QStringList& fields = {"ACCTFMTTD", "ACCTDESC", "ACCTTYPE"}) {
        static const std::unique_ptr<testsupport::TestCompany> company = [] {
            auto made = std::make_unique<testsupport::TestCompany>(QStringLiteral("Window Test Company"));
            QList<QStringList> accounts;
            for (const QString& key : accountKeys()) accounts << QStringList{key, key, "Account " + key, "True", "B"};
            made->load("GL0001", {"ACCTFMTTD", "ACCTID", "ACCTDESC", "ACTIVESW", "ACCTTYPE"}, accounts);
            return made;
        }();  // lives as long as the test program and takes its folder with it
        errors::gSession = session = company->open();
        finder.SetFinderView(session, std::make_shared<BrowseWatch>(session->OpenView("GL0001", "GL"), *this),
                             accpac::MaxKeyText);
        for (int i = 0; i < fields.size(); ++i)
            finder.AddFinderCol(fields[i], i, 1500, window::FlexGrid::AlignLeftCenter);
        finder.ResultField1 = "0";
        finder.ResultField2 = "1";
    }
    ~LookupRig() { errors::gSession.reset(); }

    // At the design size, the window active; the first layout loads the grid.
    bool show() {
        form().resize(window::twipsToPixelsX(DesignWidth), window::twipsToPixelsY(DesignHeight));
        form().show();
        form().activateWindow();
        return QTest::qWaitForWindowActive(&form());
    }
    // To an inner size in twips; waits for the layout.
    void resizeTwips(double width, double height) {
        const QSize size(window::twipsToPixelsX(width), window::twipsToPixelsY(height));
        form().resize(size);
        QTRY_COMPARE(form().size(), size);
    }

    window::frmTrovex& form() { return finder.form(); }
    window::FlexGrid& grid() { return form().FinderGrid; }
    QWidget* focus() const { return QApplication::focusWidget(); }

    // Column 0 of every data row, top to bottom.
    QStringList keys() {
        QStringList list;
        for (int r = 1; r < grid().Rows(); ++r) list << grid().TextMatrix(r, 0);
        return list;
    }
    // The browses that loaded a search result. The lookup has no fixed
    // filter: a search result is loaded by its LIKE condition alone, and
    // paging inside it adds key conditions.
    QStringList searches() { return browses.filter(QRegularExpression(R"(^\d+: \w+ LIKE "[^"]*"$)")); }

    // On the cell of `row` in column `col`, or right of the last column (-1).
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {}, bool twice = false, int col = 0) {
        QTableView* view = grid().view();
        QPoint centre = view->visualRect(view->model()->index(row - 1, std::max(col, 0))).center();
        if (col < 0) centre.setX(view->horizontalHeader()->length() + 20);
        if (twice)
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, modifiers, centre);
        else
            QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, centre);
    }
    void clickBar(QStyle::SubControl part) {
        QScrollBar* bar = form().ScrollBar1.bar();
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = Qt::Vertical;
        option.maximum = bar->maximum();
        option.sliderPosition = option.sliderValue = bar->value();
        option.pageStep = bar->pageStep();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar).center());
    }
    // Notches of the mouse wheel over `target` (negative: towards the user).
    void turnWheel(QWidget* target, int eighths) {
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QWheelEvent turn(at, target->mapToGlobal(at), QPoint(), QPoint(0, eighths), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &turn);
    }
    void dragThumb(int value) {  // and lets it go
        form().ScrollBar1.bar()->setSliderDown(true);
        form().ScrollBar1.bar()->setSliderPosition(value);
        form().ScrollBar1.bar()->setSliderDown(false);
    }

    // The real engine, whose step a record forward can be made to fail with
    // a chosen error number before it moves, as a failure the scroll bar's
    // handler meets.
    struct Engine : engine::Finder {
        long nextLineFails = 0;
        void NEXTLINE() override {
            if (nextLineFails) throw accpac::AccpacError(nextLineFails, "Injected failure");
            engine::Finder::NEXTLINE();
        }
    };

    QStringList browses;  // every browse the engine made, as "thumb: filter"
    Engine finder;

    // Searches read as long as over millions of records: each fetch under a
    // LIKE filter first spends this long reading, calling the read pause as
    // the backend does, and ends the browse when the pause abandons it.
    std::chrono::milliseconds searchReads{0};
    bool searching = false;
    int abandonedReads = 0;

    // Notes each browse with the place of the thumb at that moment.
    struct BrowseWatch : testsupport::ViewDecorator {
        BrowseWatch(std::shared_ptr<accpac::AccpacView> inner, LookupRig& rig)
            : ViewDecorator(std::move(inner)), rig(rig) {}
        void before(const testsupport::ViewCall& call) override {
            if (call.op != testsupport::ViewOp::Browse) return;
            rig.browses << QString::number(rig.form().ScrollBar1.Value()) + ": " + call.text;
            rig.searching = call.text.contains(" LIKE ");
        }
        bool Fetch() override {
            QElapsedTimer reading;
            reading.start();
            while (rig.searching && reading.elapsed() < rig.searchReads.count()) {
                if (accpac::readAbandoned()) {
                    ++rig.abandonedReads;
                    rig.searching = false;
                    return false;
                }
            }
            return ViewDecorator::Fetch();
        }
        LookupRig& rig;
    };

    std::shared_ptr<accpac::AccpacSession> session;
};

// A search as the rig notes it: made with the thumb at the top.
QString like(const QString& field, const QString& pattern) { return "0: " + field + " LIKE \"" + pattern + "\""; }
QString stored(const QString& key) { return errors::GetSetting(errors::gRegistry, "AutoFind", key, "none"); }
QRectF twips(const window::Control& c) { return QRectF(c.Left(), c.Top(), c.Width(), c.Height()); }
QStringList batchFrom(int first) { return accountKeys(first, first + LastRow - 1); }

// The data rows of `grid` that are painted whole in its viewport, from the top.
int rowsInSight(const window::FlexGrid& grid) {
    QTableView* view = grid.view();
    int shown = 0;
    for (int r = 1; r < grid.Rows(); ++r) {
        const QRect cell = view->visualRect(view->model()->index(r - 1, 0));
        if (cell.top() >= 0 && cell.bottom() < view->viewport()->height()) ++shown;
    }
    return shown;
}

// The darkest grey of what `widget` paints: its caption, on a button.
int darkest(QWidget* widget) {
    const QImage picture = widget->grab().toImage();
    int dark = 255;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) dark = std::min(dark, qGray(picture.pixel(x, y)));
    return dark;
}

// Every data row of `grid`, its cells joined by blanks, the rows by "|".
QString texts(const window::FlexGrid& grid) {
    QStringList rows;
    for (int r = 1; r < grid.Rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid.Cols(); ++c) cells << grid.TextMatrix(r, c);
        rows << cells.join(' ');
    }
    return rows.join('|');
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testsupport::MessageCapture> boxes;
    std::unique_ptr<LookupRig> rig;  // shown at the design size before each test

    window::frmTrovex& w() { return rig->form(); }
    int thumb() { return w().ScrollBar1.Value(); }
    void press(window::PushButton& button) { QTest::mouseClick(button.button(), Qt::LeftButton); }

private slots:
    void init() {
        errors::gRegistry = "WindowTest-" + QUuid::createUuid().toString(QUuid::WithoutBraces);  // its own settings
        boxes = std::make_unique<testsupport::MessageCapture>();
        rig = std::make_unique<LookupRig>();
        QVERIFY(rig->show());
    }
    void cleanup() {
        rig.reset();
        QCOMPARE(boxes->texts(), QStringList());  // no step of a test reports an error
        boxes.reset();
    }

    void gridAddItemAndRemoveItem() {
        window::FlexGrid grid(&w());
        grid.setCols(3);
        grid.setTextMatrix(1, 0, "a");
        grid.AddItem("c\tC\t3");        // at the end
        grid.AddItem("z\tZ\t9", 1);     // at row 1, pushing the rows down
        grid.AddItem("\tq", 4);         // at Rows(), the end; missing cells are empty
        grid.AddItem("q\tQ\t7\t0", 2);  // cells past the last column are dropped
        QCOMPARE(texts(grid), "z Z 9|q Q 7|a  |c C 3| q ");
        QCOMPARE(errorNumber([&] { grid.AddItem("x", 0); }), 381L);
        QCOMPARE(errorNumber([&] { grid.AddItem("x", 7); }), 381L);
        QCOMPARE(errorNumber([&] { grid.RemoveItem(6); }), 381L);
        QCOMPARE(errorNumber([&] { grid.setRows(1); }), 380L);
        grid.RemoveItem(2);
        QCOMPARE(texts(grid), "z Z 9|a  |c C 3| q ");
        while (grid.Rows() > 2) grid.RemoveItem(1);
        grid.RemoveItem(1);  // the last data row is emptied, not removed
        QCOMPARE(texts(grid), "  ");
    }

    void gridEnterCellIsRaisedOncePerChangeBeforeTheSetterReturns() {
        window::FlexGrid grid(&w());
        grid.setCols(3);
        grid.setRows(6);
        QList<int> cells;
        grid.EnterCell = [&] { cells << grid.Row() * 10 + grid.Col(); };
        grid.setRow(3);
        QCOMPARE(cells, QList<int>{30});
        grid.setRow(3);
        grid.setRowSel(5);
        grid.setColSel(2);
        QCOMPARE(cells.size(), 1);
        grid.setCol(2);
        QCOMPARE(cells, (QList<int>{30, 32}));
        // Rows that take the current row away bring it to the new last row.
        grid.setRows(3);
        QCOMPARE(cells, (QList<int>{30, 32, 22}));
        grid.RemoveItem(2);
        QCOMPARE(cells.last(), 12);
    }

    // Each handler notes the value it sees, which must already be the new one.
    void handlersRunOncePerChangeMadeByCode() {
        window::CheckBox check(new QCheckBox(&w()));
        window::TextBox text(new QLineEdit(&w()));
        window::VScrollBar scroll(new QScrollBar(&w()));
        window::ComboList list(new QComboBox(&w()));
        for (const char* entry : {"Starts with", "Contains"}) list.AddItem(entry);
        QStringList seen;
        check.Click = [&] { seen << "check " + QString::number(check.Value()); };
        text.Change = [&] { seen << "text " + text.Text(); };
        scroll.Change = [&] { seen << "thumb " + QString::number(scroll.Value()); };
        list.Click = [&] { seen << "list " + QString::number(list.ListIndex()); };
        for (int value : {1, 1}) check.setValue(value);
        for (const char* value : {"ab", "ab", ""}) text.setText(value);
        scroll.setMax(80);                                           // the thumb at 0 stays
        for (int value : {50, 50, 150}) scroll.setValue(value);      // the last clamped into the range
        scroll.setMax(0);                                            // below the thumb: it moves
        for (int index : {1, 1}) list.setListIndex(index);           // chosen again is chosen
        QCOMPARE(errorNumber([&] { list.setListIndex(2); }), 380L);  // a position the list does not have
        QCOMPARE(errorNumber([&] { list.setListIndex(-2); }), 380L);
        QCOMPARE(errorNumber([&] { check.setValue(2); }), 380L);
        list.setListIndex(-1);
        QCOMPARE(seen, (QStringList{"check 1", "text ab", "text ", "thumb 50", "thumb 80", "thumb 0", "list 1",
                                    "list 1", "list -1"}));
    }

    // An error from a user's event has nowhere to go but the report; the
    // same error from a change made by code reaches the code.
    void userEventErrorsAreReportedWithTheHandlersLabel() {
        window::CheckBox check(new QCheckBox("Box", &w()));
        check.widget()->setObjectName("chkSample");
        check.move(100, 100, 1500, 255);
        check.Click = [] { throw accpac::AccpacError(9, "Subscript out of range"); };
        testsupport::MessageCapture report;
        tick(check);
        QCOMPARE(report.texts(),
                 QStringList{testsupport::errorReport("9; Subscript out of range", "frmTrovex.chkSample_Click")});
        QCOMPARE(errorNumber([&] { check.setValue(0); }), 9L);
        QCOMPARE(report.texts().size(), 1);
    }

    void pixelsToTwipsRoundsHalvesToEven() {
        QCOMPARE(window::PixelsToTwips(1, 7.5), 8);
        QCOMPARE(window::PixelsToTwips(3, 7.5), 22);
    }

    void layoutAtTheDesignSizeAndAtEveryResize() {
        if (window::twipsPerPixelX() != 15 || window::twipsPerPixelY() != 15)
            QSKIP("The design numbers are whole pixels at 96 DPI only");
        QCOMPARE(twips(w().pbxCancel), QRectF(8415, 5040, 975, 375));
        QCOMPARE(twips(w().pbxSelect), QRectF(7335, 5040, 975, 375));
        QCOMPARE(twips(w().FinderGrid), QRectF(120, 1560, 9270, 3360));
        QCOMPARE(twips(w().ScrollBar1), QRectF(9150, 1560, 240, 3360));
        QCOMPARE(twips(w().Shape1), QRectF(105, 1545, 9300, 3390));
        QCOMPARE(w().pbxCancel.widget()->geometry(), QRect(561, 336, 65, 25));
        QCOMPARE(w().childAt(w().txtScroll.widget()->geometry().center()), w().pbxFind.widget());  // the sink is hidden

        // Too low for the grid: the layout stops silently before it, and nothing is loaded.
        rig->clickBar(QStyle::SC_ScrollBarAddPage);
        const qsizetype browses = rig->browses.size();
        rig->resizeTwips(DesignWidth, 1500);
        QCOMPARE(w().pbxCancel.Top(), 1500.0 - 375 - 120);
        QCOMPARE(w().FinderGrid.Height(), 3360.0);
        QCOMPARE(rig->browses.size(), browses);
        QCOMPARE(rig->keys(), batchFrom(13));

        // Any other size: laid out, and loaded from the top; the search area stays as designed.
        rig->resizeTwips(12000, DesignHeight + 2 * 255);
        QCOMPARE(w().pbxSelect.Left(), 12000.0 - 975 - 120 - 975 - 105);
        QCOMPARE(twips(w().FinderGrid), QRectF(120, 1560, 12000 - 240, 3360 + 2 * 255));
        QCOMPARE(twips(w().ScrollBar1), QRectF(12000 - 360, 1560, 240, 3360 + 2 * 255));
        QCOMPARE(twips(w().txtSearch), QRectF(840, 1080, 4575, 315));
        QCOMPARE(rig->keys(), accountKeys(1, 15));
    }

    // Auto Size sizes every column by its text with the most characters; a
    // double click on the header sizes the column under it by its longest
    // text, trimmed. "-" is a width of 600 left as it was (only the header
    // sizes one column), "" a hidden column.
    void columnWidthsFollowTheLongestText_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("measured");
        QTest::newRow("a header longer than every cell")
            << QStringList{"Account Number\tType", "1000\tB", "2000\tI"} << QStringList{"Account Number", "Type"};
        QTest::newRow("the most characters, not the widest text")
            << QStringList{"A\tB", "WWW\tx", "iiii\ty"} << QStringList{"iiii", "B"};
        QTest::newRow("the first of equally long texts")
            << QStringList{"H\tK", "WW\tab", "ii\tcd"} << QStringList{"WW", "ab"};
        QTest::newRow("a hidden column 0 stays hidden")
            << QStringList{"Key\tName", "LONG-KEY-VALUE\tAl"} << QStringList{"", "Name"};
        QTest::newRow("header: outer blanks trimmed")
            << QStringList{"Key\tH", "k\t   ab   ", "k\tabcdef"} << QStringList{"-", "abcdef"};
        // Each text is compared as it stands with the trimmed candidate.
        QTest::newRow("header: a padded text replaces a longer one")
            << QStringList{"Key\tH", "k\tabcdef", "k\t   ab   "} << QStringList{"-", "ab"};
    }
    void columnWidthsFollowTheLongestText() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, measured);
        window::FlexGrid& grid = rig->grid();
        grid.setCols(measured.size());
        grid.setRows(lines.size());
        for (int r = 0; r < lines.size(); ++r)
            for (int c = 0; c < measured.size(); ++c) grid.setTextMatrix(r, c, lines[r].section('\t', c, c));
        for (int c = 0; c < measured.size(); ++c) grid.setColWidth(c, measured[c].isEmpty() ? 0 : 600);
        QHeaderView* header = grid.view()->horizontalHeader();
        if (measured.first() == "-")
            QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, {header->sectionViewportPosition(1) + 10, 5});
        else
            tick(w().chkSize);
        for (int c = 0; c < measured.size(); ++c) {
            const double fitted = measured[c].isEmpty() ? 0 : window::fittedColumnWidth(measured[c], grid.font());
            QCOMPARE(grid.ColWidth(c), measured[c] == "-" ? 600 : fitted);
        }
        QCOMPARE(w().cursor().shape(), Qt::ArrowCursor);  // the busy pointer is gone
        QVERIFY(w().isVisible());                         // and nothing was selected
    }

    // The thumb follows the batch through the view: each click on a part
    // of the scroll bar (and each drag, -1) is one step of the view. A
    // batch forward keeps the old last row; a drag a little up is a batch
    // back; at the bottom the down arrow finds nothing below the last record.
    void theThumbIsAtTheTopTheBottomOrInTheMiddle() {
        const struct {
            int part, to, firstKey, thumb;
        } steps[] = {{QStyle::SC_ScrollBarAddPage, 0, 13, 50},
                     {QStyle::SC_ScrollBarAddLine, 0, 14, 50},
                     {QStyle::SC_ScrollBarSubLine, 0, 13, 50},
                     {QStyle::SC_ScrollBarAddPage, 0, 25, 50},
                     {QStyle::SC_ScrollBarSubPage, 0, 13, 50},
                     {-1, 48, 1, 0},
                     {-1, 100, 28, 100},
                     {QStyle::SC_ScrollBarAddLine, 0, 28, 100},
                     {QStyle::SC_ScrollBarSubLine, 0, 27, 50},
                     {-1, 0, 1, 0}};
        for (const auto& step : steps) {
            if (step.part < 0)
                rig->dragThumb(step.to);
            else
                rig->clickBar(QStyle::SubControl(step.part));
            QCOMPARE(rig->keys(), batchFrom(step.firstKey));
            QCOMPARE(thumb(), step.thumb);
            if (step.part >= 0 && step.thumb == 50) QCOMPARE(rig->focus(), w().txtSearch.widget());  // a step
        }

        // A view that fits in the grid leaves the thumb nowhere to go, until
        // the view is larger than the grid again.
        w().txtSearch.setText("AB0");
        press(w().pbxFind);
        QCOMPARE(rig->keys(), accountKeys(1, 9));
        QCOMPARE(w().ScrollBar1.Max(), 0);
        const qsizetype browses = rig->browses.size();
        rig->clickBar(QStyle::SC_ScrollBarAddPage);
        QCOMPARE(rig->browses.size(), browses);
        w().txtSearch.setText("");
        press(w().pbxFind);
        QCOMPARE(w().ScrollBar1.Max(), 100);
    }

    // An error inside the scroll bar's Change handler ends it: error 5 (a
    // hidden search box refuses the focus the step hands it) silently, any
    // other number with the handler's report.
    void errorsInTheScrollBarsChange_data() {
        QTest::addColumn<bool>("searchBoxHidden");
        QTest::addColumn<long>("stepFails");  // the error number of the step, 0 for none
        QTest::addColumn<int>("firstKey");
        QTest::addColumn<QStringList>("reports");
        QTest::newRow("focus refused") << true << 0L << 2 << QStringList();
        QTest::newRow("step fails with 5") << false << 5L << 1 << QStringList();
        QTest::newRow("step fails with 9")
            << false << 9L << 1
            << QStringList{testsupport::errorReport("9; Injected failure", "frmTrovex.ScrollBar1_Change")};
    }
    void errorsInTheScrollBarsChange() {
        QFETCH(bool, searchBoxHidden);
        QFETCH(long, stepFails);
        QFETCH(int, firstKey);
        QFETCH(QStringList, reports);
        w().txtSearch.setVisible(!searchBoxHidden);
        rig->finder.nextLineFails = stepFails;
        testsupport::MessageCapture report;
        rig->clickBar(QStyle::SC_ScrollBarAddLine);
        QCOMPARE(rig->keys(), batchFrom(firstKey));
        QCOMPARE(report.texts(), reports);
    }

    // On an edge row of a full grid the keys go to the paging sink, or are
    // pressed on the scroll bar ("bar: " rows), also after a click on another
    // cell of that row ("click: " rows); the batch starts at record 13. The focus ends in the sink on an edge row, else
    // in the grid, but a thumb that moves to the top hands it to the search box.
    void pagingKeys_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("firstKey");
        QTest::addColumn<int>("rowAfter");
        const int down = Qt::Key_Down, up = Qt::Key_Up, pageDown = Qt::Key_PageDown, pageUp = Qt::Key_PageUp;
        QTest::newRow("Down at the last row: a record on") << LastRow << down << 14 << LastRow;
        QTest::newRow("Up at the first row: a record back") << 1 << up << 12 << 1;
        QTest::newRow("Page Down at the last row: a batch on") << LastRow << pageDown << 25 << LastRow;
        QTest::newRow("Page Up at the first row: a batch back") << 1 << pageUp << 1 << 1;
        QTest::newRow("Page Down at the first row: to the last") << 1 << pageDown << 13 << LastRow;
        QTest::newRow("Page Up at the last row: to the first") << LastRow << pageUp << 13 << 1;
        QTest::newRow("Down at the first row: into the grid") << 1 << down << 13 << 2;
        QTest::newRow("Up at the last row: into the grid") << LastRow << up << 13 << LastRow - 1;
        QTest::newRow("another key: nothing") << LastRow << int(Qt::Key_Home) << 13 << LastRow;
        QTest::newRow("bar: Page Down in the middle") << 5 << pageDown << 13 << LastRow;
        QTest::newRow("bar: Down in the middle") << 5 << down << 13 << 6;
        QTest::newRow("bar: another key: to the grid") << 5 << int(Qt::Key_Home) << 13 << 5;
        QTest::newRow("click: Down at the last row") << LastRow << down << 14 << LastRow;
        QTest::newRow("click: Page Down at the last row") << LastRow << pageDown << 25 << LastRow;
        QTest::newRow("click: Up at the first row") << 1 << up << 12 << 1;
        QTest::newRow("click: Page Up at the first row") << 1 << pageUp << 1 << 1;
    }
    void pagingKeys() {
        QFETCH(int, row);
        QFETCH(int, key);
        QFETCH(int, firstKey);
        QFETCH(int, rowAfter);
        rig->clickBar(QStyle::SC_ScrollBarAddPage);
        rig->clickRow(row < LastRow ? row : row - 1);  // the last row lies under the grid's lower edge
        if (row == LastRow) QTest::keyClick(rig->focus(), Qt::Key_Down);
        const QByteArray tag = QTest::currentDataTag();
        if (tag.startsWith("bar: "))
            w().ScrollBar1.SetFocus();
        else
            QCOMPARE(rig->focus(), w().txtScroll.widget());
        if (tag.startsWith("click: ")) {  // on another cell of the edge row: the keys still page
            rig->clickRow(row, {}, false, 2);
            QCOMPARE(rig->grid().Col(), 2);
        }
        QTest::keyClick(rig->focus(), Qt::Key(key));
        QCOMPARE(rig->keys(), batchFrom(firstKey));
        QCOMPARE(rig->grid().Row(), rowAfter);
        QCOMPARE(rig->grid().RowSel(), rowAfter);
        QCOMPARE(thumb(), firstKey == 1 ? 0 : 50);
        QCOMPARE(rig->focus(), firstKey == 1                          ? w().txtSearch.widget()
                               : rowAfter == 1 || rowAfter == LastRow ? w().txtScroll.widget()
                                                                      : rig->grid().view());
    }

    // A grid of 13 rows or more (the header included) hands the keys at its
    // edge rows to the paging sink; a shorter one keeps them as its own.
    void theEdgeRowsOfShortGrids_data() {
        QTest::addColumn<int>("dataRows");
        QTest::newRow("12 rows: the grid keeps the keys") << 11;
        QTest::newRow("13 rows: the sink pages") << 12;
    }
    void theEdgeRowsOfShortGrids() {
        QFETCH(int, dataRows);
        QWidget* const edge = dataRows >= 12 ? w().txtScroll.widget() : rig->grid().view();
        rig->resizeTwips(DesignWidth, 2175 + dataRows * 255);
        QCOMPARE(rig->grid().Rows(), dataRows + 1);
        rig->clickRow(2);
        QTest::keyClick(rig->focus(), Qt::Key_Up);  // to row 1
        QCOMPARE(rig->focus(), edge);
        for (int step = 1; step < dataRows; ++step) QTest::keyClick(rig->focus(), Qt::Key_Down);
        QCOMPARE(rig->grid().Row(), dataRows);
        QCOMPARE(rig->focus(), edge);
        QTest::keyClick(rig->focus(), Qt::Key_Down);
        QCOMPARE(rig->keys(), dataRows >= 12 ? accountKeys(2, 13) : accountKeys(1, 11));
    }

    // Every record of the batch is painted whole, the first one directly
    // under the header, after every kind of move: the batch is as long as
    // the grid's height holds in rows of 255 twips (one fewer above a
    // horizontal bar), and the rows are laid out to that.
    void everyRecordOfTheBatchIsInSight_data() {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<int>("dataRows");
        QTest::addColumn<bool>("bar");
        QTest::newRow("design size") << DesignWidth << DesignHeight << 13 << false;
        QTest::newRow("larger") << 12000.0 << 7000.0 << 18 << false;
        QTest::newRow("narrow: a horizontal bar") << 4500.0 << DesignHeight << 12 << true;
        QTest::newRow("narrow and tall: a horizontal bar") << 4500.0 << 7000.0 << 17 << true;
        QTest::newRow("one data row") << DesignWidth << 2675.0 << 1 << false;
    }
    void everyRecordOfTheBatchIsInSight() {
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(int, dataRows);
        QFETCH(bool, bar);
        rig->resizeTwips(width, height);
        QTableView* view = rig->grid().view();
        const QStringList steps{"load", "batch on", "record on", "to the bottom", "record back", "batch back"};
        for (const QString& step : steps) {
            if (step == "batch on") rig->clickBar(QStyle::SC_ScrollBarAddPage);
            if (step == "record on") rig->clickBar(QStyle::SC_ScrollBarAddLine);
            if (step == "to the bottom") rig->dragThumb(100);
            if (step == "record back") rig->clickBar(QStyle::SC_ScrollBarSubLine);
            if (step == "batch back") rig->clickBar(QStyle::SC_ScrollBarSubPage);
            QVERIFY2(view->isVisible(), qPrintable(step));
            QCOMPARE(rig->grid().Rows() - 1, dataRows);
            QCOMPARE(rowsInSight(rig->grid()), dataRows);
            QCOMPARE(view->rowAt(0), 0);
            QCOMPARE(view->horizontalScrollBar()->isVisible(), bar);
            QVERIFY(view->rowHeight(0) >= view->fontMetrics().height());
            QCOMPARE(view->horizontalHeader()->height(), view->rowHeight(0));
        }
    }

    // The modern and the classic look: a disabled button paints its caption
    // lighter than an enabled one (Select is disabled at activation).
    void aDisabledButtonLooksDisabled_data() {
        QTest::addColumn<bool>("modern");
        QTest::newRow("modern look") << true;
        QTest::newRow("classic look") << false;
    }
    void aDisabledButtonLooksDisabled() {
        QFETCH(bool, modern);
        for (window::PushButton* button : {&w().pbxFind, &w().pbxSelect, &w().pbxCancel}) {
            if (modern) {
                button->setLook(window::PushButton::ModernLook);
                button->setTextColour(window::PushButton::ButtonTextColour);
            } else {
                button->setFaceColour(window::PushButton::ButtonFaceColour);
            }
        }
        QVERIFY(!w().pbxSelect.Enabled());
        QVERIFY(darkest(w().pbxSelect.widget()) > darkest(w().pbxCancel.widget()) + 40);
        tick(w().chkAuto);  // Find, too, while Auto Search is on
        QVERIFY(darkest(w().pbxFind.widget()) > darkest(w().pbxCancel.widget()) + 40);
    }

    // Alt with a letter that no enabled button takes types nothing, chooses
    // no column by its letter and searches nothing.
    void altWithALetterNeverTypes_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("autoSearch");
        QTest::addColumn<bool>("inList");
        QTest::newRow("Alt+S, Select disabled") << int(Qt::Key_S) << false << false;
        QTest::newRow("Alt+X, no such button") << int(Qt::Key_X) << false << false;
        QTest::newRow("Alt+F, Find disabled by Auto Search") << int(Qt::Key_F) << true << false;
        QTest::newRow("Alt+D in the column list") << int(Qt::Key_D) << false << true;
    }
    void altWithALetterNeverTypes() {
        QFETCH(int, key);
        QFETCH(bool, autoSearch);
        QFETCH(bool, inList);
        if (autoSearch) tick(w().chkAuto);
        w().txtSearch.SetFocus();
        QTest::keyClicks(w().txtSearch.edit(), "AC");
        const QStringList searched = rig->searches();
        QWidget* target = inList ? w().cboFindDesc.widget() : w().txtSearch.widget();
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key), Qt::AltModifier);
        QCOMPARE(w().txtSearch.Text(), QStringLiteral("AC"));
        QCOMPARE(w().cboFindDesc.ListIndex(), 0);
        QCOMPARE(rig->searches(), searched);
        QVERIFY(w().isVisible());
    }

    // One notch of the wheel, over the grid or over the scroll bar, is one
    // click on an arrow of the bar; half notches add up.
    void oneNotchOfTheWheelIsOneRecord_data() {
        QTest::addColumn<bool>("overGrid");
        QTest::newRow("over the grid") << true;
        QTest::newRow("over the scroll bar") << false;
    }
    void oneNotchOfTheWheelIsOneRecord() {
        QFETCH(bool, overGrid);
        QWidget* under = overGrid ? rig->grid().view()->viewport() : w().ScrollBar1.widget();
        rig->turnWheel(under, -120);
        QCOMPARE(rig->keys(), batchFrom(2));
        QCOMPARE(thumb(), 50);
        for (int half : {-60, -60}) rig->turnWheel(under, half);
        QCOMPARE(rig->keys(), batchFrom(3));
        rig->turnWheel(under, 240);
        QCOMPARE(rig->keys(), batchFrom(1));
        QCOMPARE(thumb(), 0);
        QCOMPARE(rig->grid().view()->verticalScrollBar()->value(), 0);
    }

    // Where the keyboard is shows: the grid's current row carries the focus
    // mark while the grid or its paging sink has the focus, and the scroll
    // bar's thumb while the bar has it.
    void theKeyboardFocusShows() {
        rig->clickRow(4);
        QWidget* rows = rig->grid().view()->viewport();
        const QRect row4 = rig->grid().view()->visualRect(rig->grid().view()->model()->index(3, 0));
        w().txtSearch.SetFocus();
        const QImage unfocused = rows->grab().toImage();
        const QImage bar = w().ScrollBar1.widget()->grab().toImage();
        for (window::Control* holder : std::initializer_list<window::Control*>{&rig->grid(), &w().txtScroll}) {
            holder->SetFocus();
            QTRY_VERIFY(holder->hasFocus());
            const QImage focused = rows->grab().toImage();
            QVERIFY(focused != unfocused);
            // Only the current row changes (the pictures are in device pixels).
            const int below = int(std::ceil((row4.bottom() + 2) * focused.devicePixelRatio()));
            QCOMPARE(focused.copy(0, below, focused.width(), 50), unfocused.copy(0, below, focused.width(), 50));
        }
        w().ScrollBar1.SetFocus();
        QTRY_VERIFY(w().ScrollBar1.hasFocus());
        QVERIFY(w().ScrollBar1.widget()->grab().toImage() != bar);
    }

    // A grid one data row high steps a record at a time both ways, with no
    // empty row left above the record.
    void aGridOfOneDataRowStepsBothWays() {
        rig->resizeTwips(DesignWidth, 2675);
        QCOMPARE(rig->keys(), accountKeys(1, 1));
        for (int first : {2, 3}) {
            rig->clickBar(QStyle::SC_ScrollBarAddLine);
            QCOMPARE(rig->keys(), accountKeys(first, first));
        }
        for (int first : {2, 1}) {
            rig->clickBar(QStyle::SC_ScrollBarSubLine);
            QCOMPARE(rig->keys(), accountKeys(first, first));
        }
        QCOMPARE(thumb(), 0);
    }

    // A search that reads for long keeps the window painting and taking keys;
    // a newer keystroke, Find or Cancel abandons it, and only the result of
    // the last request stays on screen.
    void longSearchesGiveWayToNewerRequests_data() {
        QTest::addColumn<QString>("newer");
        QTest::newRow("keystroke") << "keystroke";
        QTest::newRow("Find") << "Find";
        QTest::newRow("Cancel") << "Cancel";
    }
    void longSearchesGiveWayToNewerRequests() {
        QFETCH(QString, newer);
        const bool autoSearch = newer != "Find";  // Find is disabled under auto search
        if (autoSearch) tick(w().chkAuto);
        QTest::keyClicks(w().txtSearch.edit(), "A");
        rig->searchReads = std::chrono::milliseconds(150);
        rig->browses.clear();
        int paints = 0;
        struct PaintCount : QObject {
            int& n;
            explicit PaintCount(int& n) : n(n) {}
            bool eventFilter(QObject*, QEvent* e) override { return (n += e->type() == QEvent::Paint), false; }
        } paintCount(paints);
        w().txtSearch.edit()->installEventFilter(&paintCount);
        // The newer request arrives while the search for "AB" reads.
        QTimer::singleShot(60, &w(), [&] {
            if (newer == "Cancel") return press(w().pbxCancel);
            QTest::keyClicks(w().txtSearch.edit(), "1");
            if (newer == "Find") press(w().pbxFind);
        });
        QTest::keyClicks(w().txtSearch.edit(), "B");
        if (!autoSearch) press(w().pbxFind);
        QCOMPARE(rig->abandonedReads, 1);
        QVERIFY(paints > 0);  // the box showed what was typed during the read
        QCOMPARE(rig->searches().first(), like("ACCTFMTTD", "AB%"));
        if (newer == "Cancel") {
            QVERIFY(!w().isVisible());
            QCOMPARE(rig->searches().size(), 1);
            QCOMPARE(rig->finder.FinderResult1, QString());
            return;
        }
        QCOMPARE(rig->searches().last(), like("ACCTFMTTD", "AB1%"));
        QCOMPARE(rig->keys(), accountKeys(10, 19));  // AB10..AB19: the last request's result
        QCOMPARE(w().txtSearch.Text(), QStringLiteral("AB1"));
    }

    void withoutAutoSearchFindSearchesTheChosenColumnAndCondition() {
        QTest::keyClicks(w().txtSearch.edit(), "AC0");
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) QTest::keyClick(w().txtSearch.edit(), key);
        QVERIFY(w().isVisible());  // neither key presses a button or closes the window
        QCOMPARE(rig->searches(), QStringList());
        press(w().pbxFind);
        QCOMPARE(rig->searches(), QStringList{like("ACCTFMTTD", "AC0%")});
        QCOMPARE(rig->keys(), accountKeys(21, 29));

        // Another column and "Contains", then Find by its access key.
        w().cboFindDesc.setListIndex(1);
        w().cboCondition.setListIndex(1);
        QCOMPARE(w().txtSearch.Text(), QStringLiteral("AC0"));  // a new column keeps the text
        QTest::keyClick(&w(), Qt::Key_F, Qt::AltModifier);
        QTRY_COMPARE(rig->searches().size(), 2);
        QCOMPARE(rig->searches().last(), like("ACCTDESC", "%AC0%"));
    }

    // Auto Search runs one search per keystroke, from the top wherever the
    // thumb was; checking it with a text to search searches at once.
    void checkingAutoSearch() {
        tick(w().chkAuto);
        QVERIFY(!w().pbxFind.Enabled());
        for (const char* key : {"A", "B"}) {
            rig->clickBar(QStyle::SC_ScrollBarAddPage);
            QCOMPARE(thumb(), 50);
            QTest::keyClicks(w().txtSearch.edit(), key);
        }
        QCOMPARE(rig->searches(), (QStringList{like("ACCTFMTTD", "A%"), like("ACCTFMTTD", "AB%")}));
        tick(w().chkAuto);
        QVERIFY(w().pbxFind.Enabled());
        w().txtSearch.setText("AB1");
        QCOMPARE(rig->searches().size(), 2);
        tick(w().chkAuto);
        QVERIFY(!w().pbxFind.Enabled());
        QCOMPARE(rig->searches().last(), like("ACCTFMTTD", "AB1%"));

        // The status is not text, so a lookup of it alone has no column to
        // search: Find stays, and nothing is searched.
        rig = std::make_unique<LookupRig>(QStringList{"ACTIVESW"});
        QVERIFY(rig->show());
        tick(w().chkAuto);
        QVERIFY(w().pbxFind.Enabled());
        QCOMPARE(rig->searches(), QStringList());
    }

    // The results before the lookup ends are "one", "two" and "three"; the
    // lookup hands back no third result.
    void endingTheLookup_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("results");
        const QStringList row4{"AB04", "Account AB04", "three"};
        QTest::newRow("Select") << "select" << row4;
        QTest::newRow("Enter in the grid, Select disabled") << "enter" << row4;
        QTest::newRow("a double click on the row, Select disabled") << "double click" << row4;
        QTest::newRow("a double click right of the row's last column") << "double click past" << row4;
        QTest::newRow("Cancel empties the first two") << "cancel" << QStringList{"", "", "three"};
        QTest::newRow("two rows selected: refused") << "two rows" << QStringList{"one", "two", "three"};
    }
    void endingTheLookup() {
        QFETCH(QString, how);
        QFETCH(QStringList, results);
        QVERIFY(!w().pbxSelect.Enabled());  // until the grid is entered
        rig->finder.FinderResult1 = "one";
        rig->finder.FinderResult2 = "two";
        rig->finder.FinderResult3 = "three";
        rig->clickRow(4);
        QVERIFY(w().pbxSelect.Enabled());
        if (how == "enter" || how.startsWith("double click")) w().pbxSelect.setEnabled(false);
        if (how == "two rows") rig->clickRow(6, Qt::ShiftModifier);
        testsupport::MessageCapture refusal;
        if (how == "enter")
            QTest::keyClick(rig->grid().view(), Qt::Key_Return);
        else if (how.startsWith("double click"))
            rig->clickRow(4, {}, true, how == "double click past" ? -1 : 0);
        else
            press(how == "cancel" ? w().pbxCancel : w().pbxSelect);
        QTRY_VERIFY(!w().isVisible());
        QCOMPARE((QStringList{rig->finder.FinderResult1, rig->finder.FinderResult2, rig->finder.FinderResult3}),
                 results);
        QCOMPARE(refusal.boxes().size(), size_t(how == "two rows"));
        if (how != "two rows") return;
        QCOMPARE(refusal.boxes()[0].title, QStringLiteral("Invalid Selection"));
        QCOMPARE(refusal.boxes()[0].text, QStringLiteral("Please make only one selection."));
        QCOMPARE(refusal.boxes()[0].icon, errors::MessageIcon::Exclamation);
        QCOMPARE(refusal.boxes()[0].buttons, 0);
    }

    void optionsAreWrittenBySelectAndCancelAndReadAtTheNextActivation_data() {
        QTest::addColumn<QString>("close");
        QTest::newRow("Select writes them") << "select";
        QTest::newRow("Cancel writes them") << "cancel";
        QTest::newRow("the frame writes nothing") << "frame";
    }
    void optionsAreWrittenBySelectAndCancelAndReadAtTheNextActivation() {
        QFETCH(QString, close);
        const QString written = close == "frame" ? "none" : "1";
        const QStringList firstLoad = rig->browses;
        tick(w().chkAuto);
        tick(w().chkSize);
        rig->clickRow(1);
        if (close == "frame")
            w().close();
        else
            press(close == "cancel" ? w().pbxCancel : w().pbxSelect);
        QVERIFY(!w().isVisible());
        QCOMPARE(stored("CheckBox"), written);
        QCOMPARE(stored("AutoSize"), written);

        rig = std::make_unique<LookupRig>();
        QVERIFY(rig->show());
        const int on = written == "1";
        QCOMPARE(w().chkAuto.Value(), on);
        QCOMPARE(w().chkSize.Value(), on);
        QCOMPARE(w().pbxFind.Enabled(), !on);
        QCOMPARE(rig->browses, firstLoad);  // the first load as always: activation starts no search
        if (on) QCOMPARE(rig->grid().ColWidth(1), window::fittedColumnWidth("Account AB01", rig->grid().font()));
    }
};

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
