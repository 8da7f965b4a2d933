// The lookup window without an engine: its controls at their design places,
// the layout at every resize (and where it stops), the options read at
// activation, closing from the frame, the keys that must not close it, and
// column widths sized to their contents.
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>

#include "WindowTestSupport.h"
#include "errors/Settings.h"
#include "errors/modGeneral.h"
#include "tests/support/MessageCapture.h"
#include "window/ColumnSizing.h"
#include "window/controls/Twips.h"
#include "window/frmTrovex.h"

using window::frmTrovex;
using window::twipsToPixelsX;
using window::twipsToPixelsY;

namespace {

constexpr double DesignWidth = 9510, DesignHeight = 5535;

window::Control& control(frmTrovex& w, const QString& name) {
    const std::map<QString, window::Control*> controls = {
        {"FindByLabel", &w.FindByLabel}, {"cboFindDesc", &w.cboFindDesc}, {"cboCondition", &w.cboCondition},
        {"txtSearch", &w.txtSearch},     {"pbxFind", &w.pbxFind},         {"chkAuto", &w.chkAuto},
        {"cboFindby", &w.cboFindby},     {"txtScroll", &w.txtScroll},     {"FinderGrid", &w.FinderGrid},
        {"ScrollBar1", &w.ScrollBar1},   {"chkSize", &w.chkSize},         {"pbxSelect", &w.pbxSelect},
        {"pbxCancel", &w.pbxCancel},     {"Shape1", &w.Shape1},
    };
    return *controls.at(name);
}

// Resizes the window's inner area to `width` x `height` twips and lets the layout run.
void resizeTwips(frmTrovex& w, double width, double height) {
    w.resize(twipsToPixelsX(width), twipsToPixelsY(height));
    QTRY_COMPARE(w.size(), QSize(twipsToPixelsX(width), twipsToPixelsY(height)));
}

// Fills the grid from TAB-joined lines, the first being the header row.
void fillGrid(window::FlexGrid& grid, const QStringList& lines) {
    grid.setCols(int(lines.first().count('\t')) + 1);
    grid.setRows(2);
    const QStringList header = lines.first().split('\t');
    for (int c = 0; c < header.size(); ++c) grid.setTextMatrix(0, c, header[c]);
    for (int i = 1; i < lines.size(); ++i) grid.AddItem(lines[i], i);
    grid.RemoveItem(lines.size());  // the empty row the grid started with
}

double fitted(const frmTrovex& w, const QString& text) { return window::fittedColumnWidth(text, w.FinderGrid.font()); }

}  // namespace

class FormTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (window::twipsPerPixelX() != 15 || window::twipsPerPixelY() != 15)
            QSKIP("The design numbers are whole pixels at 96 DPI only");
        windowtest::freshRegistry();
        w = std::make_unique<frmTrovex>();
    }
    void cleanup() { w.reset(); }

    void opensCentredWithTheDesignedCaptionAndSize() {
        QVERIFY(windowtest::showActive(*w));
        QCOMPARE(w->windowTitle(), QStringLiteral("Sage Accpac Finder Form"));
        QCOMPARE(w->ScaleWidth(), DesignWidth);
        QCOMPARE(w->ScaleHeight(), DesignHeight);
        const QPoint offCentre = w->geometry().center() - w->screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 2, qPrintable(QString("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
    }

    void controlsAtDesignSize_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRectF>("twips");
        // The search area as designed; the rest as the layout places it.
        QTest::newRow("Find By label") << "FindByLabel" << QRectF(120, 165, 525, 195);
        QTest::newRow("column list") << "cboFindDesc" << QRectF(840, 120, 2895, 315);
        QTest::newRow("condition list") << "cboCondition" << QRectF(840, 600, 2895, 315);
        QTest::newRow("search box") << "txtSearch" << QRectF(840, 1080, 4575, 315);
        QTest::newRow("Find") << "pbxFind" << QRectF(3960, 120, 975, 375);
        QTest::newRow("Auto Search") << "chkAuto" << QRectF(3960, 600, 1335, 255);
        QTest::newRow("paging sink") << "txtScroll" << QRectF(4560, 240, 255, 165);
        QTest::newRow("Cancel") << "pbxCancel" << QRectF(8415, 5040, 975, 375);
        QTest::newRow("Select") << "pbxSelect" << QRectF(7335, 5040, 975, 375);
        QTest::newRow("Auto Size") << "chkSize" << QRectF(120, 5040, 2655, 255);
        QTest::newRow("grid") << "FinderGrid" << QRectF(120, 1560, 9270, 3360);
        QTest::newRow("scroll bar over the grid's right edge") << "ScrollBar1" << QRectF(9150, 1560, 240, 3360);
        QTest::newRow("frame 15 twips outside the grid") << "Shape1" << QRectF(105, 1545, 9300, 3390);
    }
    void controlsAtDesignSize() {
        QFETCH(QString, name);
        QFETCH(QRectF, twips);
        QVERIFY(windowtest::showActive(*w));
        const window::Control& c = control(*w, name);
        QCOMPARE(QRectF(c.Left(), c.Top(), c.Width(), c.Height()), twips);
        const QRect pixels = c.widget()->geometry();
        QCOMPARE(pixels.topLeft(), QPoint(int(twips.left() / 15), int(twips.top() / 15)));
        QCOMPARE(pixels.height(), int(twips.height() / 15));
        // A caption in a font wider than the design font may widen its control.
        QVERIFY(pixels.width() >= int(twips.width() / 15));
        if (!qobject_cast<QLabel*>(c.widget()) && !qobject_cast<QCheckBox*>(c.widget()))
            QCOMPARE(pixels.width(), int(twips.width() / 15));
    }

    void theFindButtonCoversThePagingSink() {
        QVERIFY(windowtest::showActive(*w));
        const QPoint sinkCentre = w->txtScroll.widget()->geometry().center();
        QCOMPARE(w->childAt(sinkCentre), w->pbxFind.widget());
        QVERIFY(w->cboFindby.widget()->isHidden());
        // and the scroll bar lies in front of the grid it overlaps
        QCOMPARE(w->childAt(w->ScrollBar1.widget()->geometry().center()), w->ScrollBar1.widget());
    }

    void layoutFollowsEveryResize() {
        QVERIFY(windowtest::showActive(*w));
        resizeTwips(*w, 12000, 7500);
        QCOMPARE(w->pbxCancel.Left(), 12000.0 - 975 - 120);
        QCOMPARE(w->pbxCancel.Top(), 7500.0 - 375 - 120);
        QCOMPARE(w->pbxSelect.Left(), w->pbxCancel.Left() - 975 - 105);
        QCOMPARE(w->chkSize.Top(), w->pbxCancel.Top());
        QCOMPARE(w->FinderGrid.Width(), 12000.0 - 240);
        QCOMPARE(w->FinderGrid.Height(), w->pbxCancel.Top() - 1560 - 120);
        QCOMPARE(w->ScrollBar1.Left(), 120 + w->FinderGrid.Width() - 240);
        QCOMPARE(w->ScrollBar1.Height(), w->FinderGrid.Height());
        QCOMPARE(w->txtSearch.Width(), 4575.0);  // the search area neither moves nor stretches
        QCOMPARE(w->chkSize.Left(), 120.0);
    }

    void narrowWindowsKeepTheWidthsTheyCannotHave_data() {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("gridWidth");
        QTest::addColumn<double>("frameWidth");
        QTest::newRow("240 wide: an empty grid") << 240.0 << 0.0 << 30.0;
        QTest::newRow("narrower than 240: the grid keeps its width") << 225.0 << 9270.0 << 15.0;
        QTest::newRow("narrower than 210: the frame keeps its width too") << 195.0 << 9270.0 << 9300.0;
    }
    void narrowWindowsKeepTheWidthsTheyCannotHave() {
        QFETCH(double, width);
        QFETCH(double, gridWidth);
        QFETCH(double, frameWidth);
        QVERIFY(windowtest::showActive(*w));
        testsupport::MessageCapture boxes;
        resizeTwips(*w, width, DesignHeight);
        QCOMPARE(w->FinderGrid.Width(), gridWidth);
        QCOMPARE(w->Shape1.Width(), frameWidth);
        QCOMPARE(w->ScrollBar1.Height(), w->FinderGrid.Height());  // the layout went on to the end
        QCOMPARE(boxes.texts(), QStringList());
    }

    void aWindowTooLowForTheGridStopsTheLayoutSilently() {
        QVERIFY(windowtest::showActive(*w));
        testsupport::MessageCapture boxes;
        resizeTwips(*w, DesignWidth, 1500);
        QCOMPARE(w->pbxCancel.Top(), 1500.0 - 375 - 120);  // the steps before the grid ran
        QCOMPARE(w->FinderGrid.Height(), 3360.0);
        QCOMPARE(w->Shape1.Height(), 3390.0);
        QCOMPARE(w->ScrollBar1.Top(), 1560.0);
        QCOMPARE(boxes.texts(), QStringList());

        resizeTwips(*w, DesignWidth, DesignHeight);
        QCOMPARE(w->pbxCancel.Top(), 5040.0);
        QCOMPARE(w->FinderGrid.Height(), 3360.0);
    }

    void activationReadsTheRememberedOptions_data() {
        QTest::addColumn<QString>("autoSearch");
        QTest::addColumn<QString>("autoSize");
        QTest::addColumn<int>("autoSearchValue");
        QTest::addColumn<int>("autoSizeValue");
        QTest::newRow("nothing stored yet") << QString() << QString() << 0 << 0;
        QTest::newRow("both on") << "1"
                                 << "1" << 1 << 1;
        QTest::newRow("both off") << "0"
                                  << "0" << 0 << 0;
        QTest::newRow("not a whole number counts as off") << "yes"
                                                          << "1.5" << 0 << 0;
        QTest::newRow("a number no box takes counts as off") << "2"
                                                             << "-1" << 0 << 0;
        QTest::newRow("blanks around the number") << " 1 "
                                                  << "1" << 1 << 1;
    }
    void activationReadsTheRememberedOptions() {
        QFETCH(QString, autoSearch);
        QFETCH(QString, autoSize);
        QFETCH(int, autoSearchValue);
        QFETCH(int, autoSizeValue);
        if (!autoSearch.isNull()) errors::SaveSetting(errors::gRegistry, "AutoFind", "CheckBox", autoSearch);
        if (!autoSize.isNull()) errors::SaveSetting(errors::gRegistry, "AutoFind", "AutoSize", autoSize);
        testsupport::MessageCapture boxes;
        QVERIFY(windowtest::showActive(*w));
        QCOMPARE(w->chkAuto.Value(), autoSearchValue);
        QCOMPARE(w->chkSize.Value(), autoSizeValue);
        QVERIFY(!w->pbxSelect.Enabled());
        QVERIFY(w->pbxFind.Enabled());  // no column to search yet: Find stays
        QVERIFY(w->txtSearch.hasFocus());
        QCOMPARE(boxes.texts(), QStringList());
    }

    void closingFromTheFrameWritesNothing() {
        QVERIFY(windowtest::showActive(*w));
        QTest::mouseClick(w->chkAuto.box(), Qt::LeftButton, {}, QPoint(6, w->chkAuto.box()->height() / 2));
        QCOMPARE(w->chkAuto.Value(), 1);
        QVERIFY(w->close());
        QVERIFY(!w->isVisible());
        QVERIFY(!w->isClosing());
        QCOMPARE(errors::GetSetting(errors::gRegistry, "AutoFind", "CheckBox", "none"), QStringLiteral("none"));
        QCOMPARE(errors::GetSetting(errors::gRegistry, "AutoFind", "AutoSize", "none"), QStringLiteral("none"));
    }

    void enterAndEscapeNeitherPressAButtonNorClose() {
        QVERIFY(windowtest::showActive(*w));
        testsupport::MessageCapture boxes;  // a pressed button would find no engine and say so
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) QTest::keyClick(w->txtSearch.edit(), key);
        QTest::qWait(150);
        QVERIFY(w->isVisible());
        QCOMPARE(boxes.texts(), QStringList());
    }

    void autoSizeSetsEachColumnByItsLongestText_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("keyHidden");
        QTest::addColumn<QStringList>("longest");
        QTest::newRow("a header longer than every cell") << QStringList{"Account Number\tType", "1000\tB", "2000\tI"}
                                                         << false << QStringList{"Account Number", "Type"};
        QTest::newRow("the most characters, not the widest text")
            << QStringList{"A\tB", "WWW\tx", "iiii\ty"} << false << QStringList{"iiii", "B"};
        QTest::newRow("the first of equally long texts")
            << QStringList{"H\tK", "WW\tab", "ii\tcd"} << false << QStringList{"WW", "ab"};
        QTest::newRow("outer blanks count as characters")
            << QStringList{"H\tK", "abcd\tx", "  ab  \ty"} << false << QStringList{"  ab  ", "K"};
        QTest::newRow("a hidden key column stays hidden")
            << QStringList{"Key\tName", "LONG-KEY-VALUE\tAl"} << true << QStringList{"", "Name"};
    }
    void autoSizeSetsEachColumnByItsLongestText() {
        QFETCH(QStringList, lines);
        QFETCH(bool, keyHidden);
        QFETCH(QStringList, longest);
        QVERIFY(windowtest::showActive(*w));
        fillGrid(w->FinderGrid, lines);
        if (keyHidden) w->FinderGrid.setColWidth(0, 0);
        QTest::mouseClick(w->chkSize.box(), Qt::LeftButton, {}, QPoint(6, w->chkSize.box()->height() / 2));
        QCOMPARE(w->chkSize.Value(), 1);
        for (int c = 0; c < longest.size(); ++c)
            QCOMPARE(w->FinderGrid.ColWidth(c), c == 0 && keyHidden ? 0.0 : fitted(*w, longest[c]));
        QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);  // the busy pointer is gone
        if (longest[0] == "iiii") QVERIFY(w->FinderGrid.ColWidth(0) < fitted(*w, "WWW"));

        // Unchecking leaves the widths as they are.
        const double width = w->FinderGrid.ColWidth(1);
        QTest::mouseClick(w->chkSize.box(), Qt::LeftButton, {}, QPoint(6, w->chkSize.box()->height() / 2));
        QCOMPARE(w->FinderGrid.ColWidth(1), width);
    }

    void headerDoubleClickSizesThatColumnToItsTrimmedLongestText_data() {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("measured");
        QTest::newRow("a longer text later wins") << QStringList{"   ab   ", "abcdef"} << "abcdef";
        // The comparison takes each text as it stands against the trimmed
        // candidate, so a padded short text can still replace a longer one.
        QTest::newRow("a padded text replaces a longer trimmed one") << QStringList{"abcdef", "   ab   "} << "ab";
        QTest::newRow("the header when it is longest") << QStringList{"x", "y"} << "H";
    }
    void headerDoubleClickSizesThatColumnToItsTrimmedLongestText() {
        QFETCH(QStringList, cells);
        QFETCH(QString, measured);
        QVERIFY(windowtest::showActive(*w));
        QStringList lines{"Key\tH"};
        for (const QString& cell : cells) lines << "k\t" + cell;
        fillGrid(w->FinderGrid, lines);
        w->FinderGrid.setColWidth(1, 3000);
        testsupport::MessageCapture boxes;  // a selection would find no engine and say so
        QHeaderView* header = w->FinderGrid.view()->horizontalHeader();
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {},
                           QPoint(header->sectionViewportPosition(1) + 10, header->height() / 2));
        QCOMPARE(w->FinderGrid.ColWidth(1), fitted(*w, measured));
        QCOMPARE(boxes.texts(), QStringList());
        QVERIFY(w->isVisible());
    }

    void doubleClickWhereNoColumnIsDoesNothing() {
        QVERIFY(windowtest::showActive(*w));
        fillGrid(w->FinderGrid, {"Key\tName", "1\tA"});
        w->FinderGrid.setColWidth(0, 600);
        w->FinderGrid.setColWidth(1, 600);
        testsupport::MessageCapture boxes;
        QHeaderView* header = w->FinderGrid.view()->horizontalHeader();
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->width() - 5, header->height() / 2));
        QCOMPARE(w->FinderGrid.ColWidth(0), 600.0);
        QCOMPARE(w->FinderGrid.ColWidth(1), 600.0);
        QCOMPARE(boxes.texts(), QStringList());
    }

    void pixelsToTwipsRoundsHalvesToEven_data() {
        QTest::addColumn<int>("pixels");
        QTest::addColumn<double>("twipsPerPixel");
        QTest::addColumn<int>("twips");
        QTest::newRow("96 DPI") << 10 << 15.0 << 150;
        QTest::newRow("a half rounds up to even") << 1 << 7.5 << 8;
        QTest::newRow("a half rounds down to even") << 3 << 7.5 << 22;
        QTest::newRow("more than a half") << 1 << 7.6 << 8;
        QTest::newRow("less than a half") << 3 << 7.4 << 22;
        QTest::newRow("nothing") << 0 << 7.5 << 0;
    }
    void pixelsToTwipsRoundsHalvesToEven() {
        QFETCH(int, pixels);
        QFETCH(double, twipsPerPixel);
        QFETCH(int, twips);
        QCOMPARE(window::PixelsToTwips(pixels, twipsPerPixel), twips);
    }

private:
    std::unique_ptr<frmTrovex> w;
};

QTEST_MAIN(FormTest)
#include "window_form_test.moc"
