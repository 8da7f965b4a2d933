// A one-line text box.
#pragma once

#include "window/controls/Control.h"

class QLineEdit;

namespace window {

class TextBox : public Control {
public:
    explicit TextBox(QLineEdit* edit);

    QString Text() const;
    // Replaces the text; when it differs, raises Change before returning.
    void setText(const QString& text);

    // Raised on every change of the text, typed or set.
    std::function<void()> Change;
    // Raised for every key pressed while the box has the focus (Tab aside,
    // which moves the focus), before the box handles the key: the Windows
    // virtual-key code and the shift state (1 Shift, 2 Ctrl, 4 Alt). The box
    // then handles the key as usual, except that Alt with a character (an
    // access key no control took) types nothing.
    std::function<void(int keyCode, int shift)> KeyDown;

    QLineEdit* edit() const;

protected:
    bool keyPressed(QKeyEvent& e) override;
};

}  // namespace window
