// A push button with a caption (with & for its access key).
#pragma once

#include "window/controls/Control.h"

#include <cstdint>

class QPushButton;

namespace window {

class PushButton : public Control {
public:
    explicit PushButton(QPushButton* button);

    QString Caption() const;
    void setCaption(const QString& caption);
    // The button's look: 3 is the modern (XP) look, anything else the classic one.
    int Look() const;
    void setLook(int look);
    // Colours as the system gives them: 0x80000012 the button-text system
    // colour, 0x8000000F the button-face system colour, or 0x00BBGGRR.
    std::uint32_t TextColour() const;
    void setTextColour(std::uint32_t colour);
    std::uint32_t FaceColour() const;
    void setFaceColour(std::uint32_t colour);

    // Raised when the button is pressed (mouse, Space, or its access key).
    std::function<void()> Click;

    QPushButton* button() const;
};

}  // namespace window
