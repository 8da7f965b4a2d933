// A vertical scroll bar whose value stands for a place, not for pixels.
//
// The value changes only when the thumb comes to rest: a drag raises one
// Change when the thumb is let go, not one per pixel of the way.
#pragma once

#include <QScrollBar>

#include "window/controls/Control.h"

namespace window {

class VScrollBar : public Control {
public:
    explicit VScrollBar(QScrollBar* bar);

    int Min() const;
    void setMin(int v);  // Value is clamped into the new range (raising Change when it moves)
    int Max() const;
    void setMax(int v);  // Value is clamped into the new range (raising Change when it moves)
    int Value() const;
    // Sets the value (clamped to Min..Max); when it changes, raises Change
    // before returning.
    void setValue(int v);
    int SmallChange() const;  // an arrow click
    void setSmallChange(int v);
    int LargeChange() const;  // a click in the track
    void setLargeChange(int v);

    // Raised when the value changes, by the user or by setValue/setMin/setMax.
    std::function<void()> Change;
    // Raised for every key pressed while the bar has the focus (Tab aside),
    // with the Windows virtual-key code and the shift state. KeyDown is the
    // key's whole effect: the bar itself does not step for keys, because
    // its handler pages by the grid's row and a step of the thumb would
    // page a second time.
    std::function<void(int keyCode, int shift)> KeyDown;

    QScrollBar* bar() const;

protected:
    bool keyPressed(QKeyEvent& e) override;
    // Each notch of the wheel is one click on an arrow (one small step, and
    // one Change), however many lines the system scrolls per notch.
    bool wheelTurned(QWheelEvent& e) override;

private:
    // Applies a change of the bar made by code and raises Change when the
    // value moved.
    template <class F>
    void changeByCode(F&& change);

    int wheelRest_ = 0;  // eighths of a degree turned short of a whole notch
};

// The widget for a VScrollBar: a scroll bar that marks its thumb with the
// style's focus frame while it has the keyboard focus, as the system's
// scroll bars show theirs.
class FocusMarkingScrollBar : public QScrollBar {
public:
    explicit FocusMarkingScrollBar(QWidget* parent) : QScrollBar(parent) {}

protected:
    void paintEvent(QPaintEvent* e) override;
};

}  // namespace window
