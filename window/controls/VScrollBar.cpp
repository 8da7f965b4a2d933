// Vertical scroll bar: range, steps, Change when the value moves, KeyDown.
#include "window/controls/VScrollBar.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalBlocker>

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

QScrollBar* VScrollBar::bar() const { return static_cast<QScrollBar*>(widget_); }

}  // namespace window
