// A push button with a caption (with & before its access key), a look and
// colours.
//
// The look and colours take the values the host's button control took:
// look 3 is the modern look, anything else the classic one; colours are
// system colours (0x80000000 + a system colour index, e.g. 0x80000012 the
// button text, 0x8000000F the button face) or plain 0x00BBGGRR values. They
// map to a Qt style and the button's palette.
#pragma once

#include <cstdint>

#include "window/controls/Control.h"

class QPushButton;

namespace window {

class PushButton : public Control {
public:
    static constexpr int ModernLook = 3;
    static constexpr std::uint32_t ButtonTextColour = 0x80000012;
    static constexpr std::uint32_t ButtonFaceColour = 0x8000000F;

    explicit PushButton(QPushButton* button);

    QString Caption() const;
    void setCaption(const QString& caption);
    int Look() const { return look_; }
    void setLook(int look);  // 3: modern (Fusion), else classic (Windows)
    std::uint32_t TextColour() const { return textColour_; }
    void setTextColour(std::uint32_t colour);  // an unknown system colour throws 380
    std::uint32_t FaceColour() const { return faceColour_; }
    void setFaceColour(std::uint32_t colour);  // an unknown system colour throws 380

    // Raised when the button is pressed (mouse, Space, or its access key);
    // a disabled button cannot be pressed.
    std::function<void()> Click;

    QPushButton* button() const;

private:
    int look_ = 0;
    std::uint32_t textColour_ = ButtonTextColour;
    std::uint32_t faceColour_ = ButtonFaceColour;
};

}  // namespace window
