// Vertical scroll bar: range, steps, Change when the value moves, KeyDown.
#include "window/controls/VScrollBar.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionFocusRect>
#include <QStyleOptionSlider>
#include <QWheelEvent>
#include <cstdlib>

#include "window/controls/KeyCodes.h"

namespace window {

VScrollBar::VScrollBar(QScrollBar* bar) : Control(bar) {
    bar->setOrientation(Qt::Vertical);
    bar->setTracking(false);
    // The system's scroll bars take the focus when clicked or tabbed to.
    bar->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(bar, &QScrollBar::valueChanged, receiver(), [this] { raiseUserEvent(Change, "Change"); });
}

template <class F>
void VScrollBar::changeByCode(F&& change) {
    const int before = bar()->value();
    {
        const QSignalBlocker quiet(bar());
        change();
    }
    if (bar()->value() != before && Change) Change();
}

int VScrollBar::Min() const { return bar()->minimum(); }
void VScrollBar::setMin(int v) {
    changeByCode([&] { bar()->setMinimum(v); });
}
int VScrollBar::Max() const { return bar()->maximum(); }
void VScrollBar::setMax(int v) {
    changeByCode([&] { bar()->setMaximum(v); });
}
int VScrollBar::Value() const { return bar()->value(); }
void VScrollBar::setValue(int v) {
    changeByCode([&] { bar()->setValue(v); });
}
int VScrollBar::SmallChange() const { return bar()->singleStep(); }
void VScrollBar::setSmallChange(int v) { bar()->setSingleStep(v); }
int VScrollBar::LargeChange() const { return bar()->pageStep(); }
void VScrollBar::setLargeChange(int v) { bar()->setPageStep(v); }

bool VScrollBar::keyPressed(QKeyEvent& e) {
    if (e.key() == Qt::Key_Tab || e.key() == Qt::Key_Backtab) return false;
    if (KeyDown) {
        const int code = virtualKeyCode(e.key()), shift = shiftState(e.modifiers());
        raiseUserEvent([&] { KeyDown(code, shift); }, "KeyDown");
    }
    return true;
}

bool VScrollBar::wheelTurned(QWheelEvent& e) {
    constexpr int Notch = 120;  // eighths of a degree
    const QPoint turn = e.angleDelta();
    if (std::abs(turn.x()) > std::abs(turn.y())) return true;  // a sideways wheel has nothing to move here
    wheelRest_ += turn.y();
    for (; wheelRest_ >= Notch; wheelRest_ -= Notch) bar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    for (; wheelRest_ <= -Notch; wheelRest_ += Notch) bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    e.accept();
    return true;
}

void FocusMarkingScrollBar::paintEvent(QPaintEvent* e) {
    QScrollBar::paintEvent(e);
    if (!hasFocus()) return;
    QStyleOptionSlider option;
    initStyleOption(&option);
    QStyleOptionFocusRect mark;
    mark.initFrom(this);
    mark.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
    const QRect thumb = style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    // With no room to move (the whole view in the grid) the mark goes round the track.
    mark.rect = (thumb.isValid() ? thumb : rect()).adjusted(2, 2, -2, -2);
    mark.backgroundColor = palette().color(QPalette::Button);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &mark, &painter, this);
}

QScrollBar* VScrollBar::bar() const { return static_cast<QScrollBar*>(widget_); }

}  // namespace window
