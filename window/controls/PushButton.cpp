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

// The colour a colour value stands for in one colour group: a system colour
// (high bit set, the index in the low byte) taken from the application's
// palette for that group, or 0x00BBGGRR, which a disabled button shows
// half-way to its face so that it still looks disabled.
QColor colourOf(std::uint32_t value, QPalette::ColorGroup group, const QColor& face) {
    if ((value & 0x80000000u) == 0) {
        const QColor plain(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
        if (group != QPalette::Disabled) return plain;
        return QColor((plain.red() + face.red()) / 2, (plain.green() + face.green()) / 2,
                      (plain.blue() + face.blue()) / 2);
    }
    const QPalette palette = QApplication::palette();
    switch (value & 0xFFFFFFu) {
        case 0x05:
            return palette.color(group, QPalette::Base);  // window background
        case 0x08:
            return palette.color(group, QPalette::Text);  // window text
        case 0x0D:
            return palette.color(group, QPalette::Highlight);  // selected item
        case 0x0E:
            return palette.color(group, QPalette::HighlightedText);  // selected item text
        case 0x0F:
            return palette.color(group, QPalette::Button);  // button face
        case 0x12:
            return palette.color(group, QPalette::ButtonText);  // button text
        default:
            raiseInvalidPropertyValue();
    }
}

// Sets `role` in every colour group, the disabled one included, so that a
// disabled button keeps looking disabled whatever colours it was given.
// A button that already shows the colours keeps the palette it has: a
// palette set anew has a new identity, and the style names the pictures it
// caches after it, so each lookup's buttons would add names of their own
// (Qt 6.4 keeps a picture's name after the picture goes, about 1 kB a
// lookup for good). Kept, the inherited palette gives every lookup the same
// names, and the cache reuses them.
void setPaletteColour(QPushButton* button, QPalette::ColorRole role, std::uint32_t value) {
    QPalette palette = button->palette();
    bool changed = false;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor colour = colourOf(value, group, palette.color(group, QPalette::Button));
        if (palette.color(group, role) == colour) continue;
        palette.setColor(group, role, colour);
        changed = true;
    }
    if (changed) button->setPalette(palette);
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
    setPaletteColour(button(), QPalette::ButtonText, colour);
    textColour_ = colour;
}

void PushButton::setFaceColour(std::uint32_t colour) {
    setPaletteColour(button(), QPalette::Button, colour);
    faceColour_ = colour;
}

QPushButton* PushButton::button() const { return static_cast<QPushButton*>(widget_); }

}  // namespace window
