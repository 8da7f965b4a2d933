// Push button: caption, Click, and the host's look and colour values in Qt terms.
#include "window/controls/PushButton.h"

#include <QApplication>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>

#include "window/controls/ControlErrors.h"

namespace window {

namespace {

// One style object per look for the whole program, owned by the application.
QStyle* lookStyle(int look) {
    static QStyle* modern = nullptr;
    static QStyle* classic = nullptr;
    QStyle*& style = look == PushButton::ModernLook ? modern : classic;
    if (!style) {
        style = QStyleFactory::create(look == PushButton::ModernLook ? QStringLiteral("Fusion")
                                                                     : QStringLiteral("Windows"));
        if (style) style->setParent(qApp);
    }
    return style;
}

// The colour a colour value stands for: a system colour (high bit set, the
// index in the low byte) taken from the application's palette, or 0x00BBGGRR.
QColor colourOf(std::uint32_t value) {
    if ((value & 0x80000000u) == 0)
        return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
    const QPalette palette = QApplication::palette();
    switch (value & 0xFFFFFFu) {
        case 0x05:
            return palette.color(QPalette::Base);  // window background
        case 0x08:
            return palette.color(QPalette::Text);  // window text
        case 0x0D:
            return palette.color(QPalette::Highlight);  // selected item
        case 0x0E:
            return palette.color(QPalette::HighlightedText);  // selected item text
        case 0x0F:
            return palette.color(QPalette::Button);  // button face
        case 0x12:
            return palette.color(QPalette::ButtonText);  // button text
        default:
            raiseInvalidPropertyValue();
    }
}

void setPaletteColour(QPushButton* button, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = button->palette();
    palette.setColor(role, colour);
    button->setPalette(palette);
}

}  // namespace

PushButton::PushButton(QPushButton* button) : Control(button) {
    // Enter is no button's key in the lookup window (it selects in the
    // grid), so no button is a dialog default.
    button->setAutoDefault(false);
    button->setDefault(false);
    QObject::connect(button, &QPushButton::clicked, receiver(), [this] { raiseUserEvent(Click, "Click"); });
}

QString PushButton::Caption() const { return button()->text(); }
void PushButton::setCaption(const QString& caption) { button()->setText(caption); }

void PushButton::setLook(int look) {
    look_ = look;
    button()->setStyle(lookStyle(look));
}

void PushButton::setTextColour(std::uint32_t colour) {
    setPaletteColour(button(), QPalette::ButtonText, colourOf(colour));
    textColour_ = colour;
}

void PushButton::setFaceColour(std::uint32_t colour) {
    setPaletteColour(button(), QPalette::Button, colourOf(colour));
    faceColour_ = colour;
}

QPushButton* PushButton::button() const { return static_cast<QPushButton*>(widget_); }

}  // namespace window
