// A check box with the values 0 (unchecked) and 1 (checked).
#pragma once

#include "window/controls/Control.h"

class QCheckBox;

namespace window {

class CheckBox : public Control {
public:
    explicit CheckBox(QCheckBox* box);

    int Value() const;
    // Sets 0 or 1 (any other value throws 380); when the value changes,
    // raises Click before returning.
    void setValue(int value);

    // Raised when the value changes, by the user or by setValue.
    std::function<void()> Click;

    QCheckBox* box() const;
};

}  // namespace window
