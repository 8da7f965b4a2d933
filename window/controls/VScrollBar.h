// A vertical scroll bar whose value stands for a place, not for pixels.
#pragma once

#include "window/controls/Control.h"

class QScrollBar;

namespace window {

class VScrollBar : public Control {
public:
    explicit VScrollBar(QScrollBar* bar);

    int Min() const;
    void setMin(int v);
    int Max() const;
    void setMax(int v);  // Value is clamped into the new range (raising Change when it moves)
    int Value() const;
    // Sets the value (clamped to Min..Max); when it changes, raises Change
    // before returning.
    void setValue(int v);
    int SmallChange() const;
    void setSmallChange(int v);
    int LargeChange() const;
    void setLargeChange(int v);

    // Raised when the value changes, by the user or by setValue/setMax.
    std::function<void()> Change;
    // Raised for every key pressed while the bar has the focus, before the
    // bar handles it (Windows virtual-key code, shift state).
    std::function<void(int keyCode, int shift)> KeyDown;

    QScrollBar* bar() const;
};

}  // namespace window
