// Mouse and keyboard events for the lookup window's controls.
#include "lookup/script/UserInput.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionSlider>
#include <QTableView>
#include <QTest>

#include "window/frmTrovex.h"

namespace lookup::script {

namespace {

struct NamedControl {
    const char* name;
    window::Control& (*of)(window::frmTrovex&);
};

// In the window's tab order.
const NamedControl Controls[] = {
    {"cboFindDesc", [](window::frmTrovex& w) -> window::Control& { return w.cboFindDesc; }},
    {"cboCondition", [](window::frmTrovex& w) -> window::Control& { return w.cboCondition; }},
    {"txtSearch", [](window::frmTrovex& w) -> window::Control& { return w.txtSearch; }},
    {"pbxFind", [](window::frmTrovex& w) -> window::Control& { return w.pbxFind; }},
    {"chkAuto", [](window::frmTrovex& w) -> window::Control& { return w.chkAuto; }},
    {"cboFindby", [](window::frmTrovex& w) -> window::Control& { return w.cboFindby; }},
    {"txtScroll", [](window::frmTrovex& w) -> window::Control& { return w.txtScroll; }},
    {"FinderGrid", [](window::frmTrovex& w) -> window::Control& { return w.FinderGrid; }},
    {"ScrollBar1", [](window::frmTrovex& w) -> window::Control& { return w.ScrollBar1; }},
    {"chkSize", [](window::frmTrovex& w) -> window::Control& { return w.chkSize; }},
    {"pbxSelect", [](window::frmTrovex& w) -> window::Control& { return w.pbxSelect; }},
    {"pbxCancel", [](window::frmTrovex& w) -> window::Control& { return w.pbxCancel; }},
};

QTableView& gridView(window::frmTrovex& w) { return *w.FinderGrid.view(); }

// The rectangle of grid cell (row >= 1, column) in the grid's viewport,
// after scrolling it into view as a person would.
QRect cellRect(window::frmTrovex& w, int row, int column) {
    const int rows = w.FinderGrid.Rows(), cols = w.FinderGrid.Cols();
    if (row < 1 || row >= rows || column < 0 || column >= cols)
        throw InputError(QStringLiteral("the grid has no cell %1, %2 (rows 0 to %3, columns 0 to %4)")
                             .arg(row)
                             .arg(column)
                             .arg(rows - 1)
                             .arg(cols - 1));
    QTableView& view = gridView(w);
    const QModelIndex index = view.model()->index(row - 1, column);
    view.scrollTo(index);
    const QRect rect = view.visualRect(index);
    if (rect.isEmpty())
        throw InputError(QStringLiteral("cell %1, %2 is hidden (its column has no width)").arg(row).arg(column));
    return rect;
}

QPoint headerPoint(window::frmTrovex& w, int column) {
    if (column < 0 || column >= w.FinderGrid.Cols())
        throw InputError(QStringLiteral("the grid has no column %1").arg(column));
    QHeaderView& header = *gridView(w).horizontalHeader();
    const int left = header.sectionViewportPosition(column);
    const int width = header.sectionSize(column);
    if (width <= 0 || left < 0) throw InputError(QStringLiteral("column %1 is hidden or out of view").arg(column));
    return {left + width / 2, header.height() / 2};
}

QComboBox& listBox(window::frmTrovex& w, const QString& list) {
    if (list == QLatin1String("cboFindDesc")) return *w.cboFindDesc.box();
    if (list == QLatin1String("cboCondition")) return *w.cboCondition.box();
    throw InputError(QStringLiteral("\"%1\" is not a list").arg(list));
}

QStyleOptionSlider scrollOption(const QScrollBar& bar) {
    QStyleOptionSlider opt;
    opt.initFrom(&bar);
    opt.subControls = QStyle::SC_All;
    opt.activeSubControls = QStyle::SC_None;
    opt.orientation = bar.orientation();
    opt.minimum = bar.minimum();
    opt.maximum = bar.maximum();
    opt.sliderPosition = bar.sliderPosition();
    opt.sliderValue = bar.value();
    opt.singleStep = bar.singleStep();
    opt.pageStep = bar.pageStep();
    opt.upsideDown = bar.invertedAppearance();
    if (bar.orientation() == Qt::Horizontal) opt.state |= QStyle::State_Horizontal;
    return opt;
}

QRect scrollPart(const QScrollBar& bar, QStyle::SubControl part) {
    const QStyleOptionSlider opt = scrollOption(bar);
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, &bar);
}

// What a person's double click delivers: press, release, double click,
// release. (QTest's own double click for widgets sends the third alone.)
void doubleClickAt(QWidget* widget, const QPoint& at) {
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, at);
}

// A key pressed and released on `target`, carrying `text` as a keyboard's
// events do: the widget's own key handling (and the window's shortcuts and
// filters before it) sees exactly what a person's key would give it.
void sendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QPointer<QWidget> alive(target);
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    if (!alive) return;  // the key closed the window
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

void requireVisible(QWidget* widget, const QString& name) {
    if (!widget->isVisible()) throw InputError(name + QStringLiteral(" is not visible"));
}

}  // namespace

QWidget* controlWidget(window::frmTrovex& w, const QString& name) {
    for (const NamedControl& c : Controls)
        if (name == QLatin1String(c.name)) return c.of(w).widget();
    return nullptr;
}

QString controlName(window::frmTrovex& w, const QWidget* widget) {
    for (; widget && widget != &w; widget = widget->parentWidget())
        for (const NamedControl& c : Controls)
            if (c.of(w).widget() == widget) return QString::fromLatin1(c.name);
    return QString();
}

QWidget* keyboardTarget(window::frmTrovex& w) {
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() == &w) return focus;
    if (QWidget* own = w.focusWidget()) return own;
    return &w;
}

void typeText(window::frmTrovex& w, const QString& text) {
    // One key per character as the user sees it, so an emoji's two UTF-16
    // halves travel in one event, as a keyboard or an input method sends them.
    QWidget* target = keyboardTarget(w);
    for (const char32_t c : text.toUcs4()) {
        const QString typed = QString::fromUcs4(&c, 1);
        const bool shifted = QChar::isUpper(c);
        // A keyboard names the key by the character's capital, whatever the layout.
        sendKey(target, int(QChar::toUpper(c)), shifted ? Qt::ShiftModifier : Qt::NoModifier, typed);
    }
}

void pressKey(window::frmTrovex& w, int key, Qt::KeyboardModifiers modifiers) {
    // Through the shortcut map first, as a key from the keyboard goes, so
    // that Alt and a letter presses a button's access key.
    QTest::keyClick(keyboardTarget(w), Qt::Key(key), modifiers);
}

void clickControl(window::frmTrovex& w, const QString& name) {
    if (name == QLatin1String("FinderGrid")) {
        // Into the grid at its current cell, as a person clicks where the highlight is.
        const int row = std::max(1, w.FinderGrid.Row());
        clickCell(w, row, std::max(0, w.FinderGrid.Col()));
        return;
    }
    QWidget* widget = controlWidget(w, name);
    if (!widget) throw InputError(QStringLiteral("no control \"%1\"").arg(name));
    requireVisible(widget, name);
    QPoint at = widget->rect().center();
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        // On the box itself: a click beside a short caption misses the control.
        QStyleOptionButton opt;
        opt.initFrom(box);
        at = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, box).center();
    }
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
}

void clickCell(window::frmTrovex& w, int row, int column) {
    if (row == 0) {
        QTest::mouseClick(gridView(w).horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          headerPoint(w, column));
        return;
    }
    QTest::mouseClick(gridView(w).viewport(), Qt::LeftButton, Qt::NoModifier, cellRect(w, row, column).center());
}

void doubleClickRow(window::frmTrovex& w, int row) {
    doubleClickAt(gridView(w).viewport(), cellRect(w, row, 0).center());
}

void doubleClickHeader(window::frmTrovex& w, int column) {
    doubleClickAt(gridView(w).horizontalHeader()->viewport(), headerPoint(w, column));
}

void clickScrollBar(window::frmTrovex& w, bool down, bool page) {
    QScrollBar& bar = *w.ScrollBar1.bar();
    requireVisible(&bar, QStringLiteral("ScrollBar1"));
    const QStyle::SubControl part = page ? (down ? QStyle::SC_ScrollBarAddPage : QStyle::SC_ScrollBarSubPage)
                                         : (down ? QStyle::SC_ScrollBarAddLine : QStyle::SC_ScrollBarSubLine);
    const QRect rect = scrollPart(bar, part);
    if (rect.isEmpty()) throw InputError(QStringLiteral("ScrollBar1 shows no such part where its thumb is now"));
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, rect.center());
}

void dragThumb(window::frmTrovex& w, int value) {
    QScrollBar& bar = *w.ScrollBar1.bar();
    requireVisible(&bar, QStringLiteral("ScrollBar1"));
    const QRect thumb = scrollPart(bar, QStyle::SC_ScrollBarSlider);
    const QRect groove = scrollPart(bar, QStyle::SC_ScrollBarGroove);
    if (thumb.isEmpty() || bar.maximum() == bar.minimum())
        throw InputError(
            QStringLiteral("ScrollBar1's thumb cannot move (range %1 to %2)").arg(bar.minimum()).arg(bar.maximum()));
    const int target = std::clamp(value, bar.minimum(), bar.maximum());
    const int span = groove.height() - thumb.height();
    const int top = groove.top() + QStyle::sliderPositionFromValue(bar.minimum(), bar.maximum(), target, span,
                                                                   bar.invertedAppearance());
    const QPoint grip = thumb.center();
    const QPoint drop(grip.x(), top + (grip.y() - thumb.top()));
    QTest::mousePress(&bar, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(&bar, drop);
    QTest::mouseRelease(&bar, Qt::LeftButton, Qt::NoModifier, drop);
}

int entryPosition(window::frmTrovex& w, const QString& list, const QString& text) {
    QComboBox& box = listBox(w, list);
    const int found = box.findText(text, Qt::MatchExactly);
    if (found >= 0) return found;
    QStringList entries;
    for (int i = 0; i < box.count(); ++i) entries << box.itemText(i);
    throw InputError(QStringLiteral("%1 has no entry \"%2\" (its entries: %3)")
                         .arg(list, text, entries.join(QStringLiteral(" | "))));
}

void chooseEntry(window::frmTrovex& w, const QString& list, int position) {
    QComboBox& box = listBox(w, list);
    if (position < 0 || position >= box.count())
        throw InputError(
            QStringLiteral("%1 has no position %2 (it has %3 entries)").arg(list).arg(position).arg(box.count()));
    requireVisible(&box, list);
    box.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&box, Qt::Key_Home);
    for (int i = 0; i < position; ++i) QTest::keyClick(&box, Qt::Key_Down);
}

}  // namespace lookup::script
