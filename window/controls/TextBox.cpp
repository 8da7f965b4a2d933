// Text box: Change on every change of the text, KeyDown before the box acts.
#include "window/controls/TextBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include "window/controls/KeyCodes.h"

namespace window {

TextBox::TextBox(QLineEdit* edit) : Control(edit) {
    // `textEdited` is the user's typing only; changes made by code raise
    // Change themselves.
    QObject::connect(edit, &QLineEdit::textEdited, receiver(), [this] { raiseUserEvent(Change, "Change"); });
}

QString TextBox::Text() const { return edit()->text(); }

void TextBox::setText(const QString& text) {
    if (text == edit()->text()) return;
    {
        const QSignalBlocker quiet(edit());
        edit()->setText(text);
    }
    if (Change) Change();
}

bool TextBox::keyPressed(QKeyEvent& e) {
    if (e.key() == Qt::Key_Tab || e.key() == Qt::Key_Backtab) return false;
    if (KeyDown) {
        const int code = virtualKeyCode(e.key()), shift = shiftState(e.modifiers());
        raiseUserEvent([&] { KeyDown(code, shift); }, "KeyDown");
    }
    // Alt with a letter is an access key: one that no enabled control takes
    // goes nowhere, and never into the text. (Alt with Ctrl is how some
    // keyboards type characters, and stays typing.)
    const Qt::KeyboardModifiers chord = e.modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier);
    return chord == Qt::AltModifier && !e.text().isEmpty();
}

QLineEdit* TextBox::edit() const { return static_cast<QLineEdit*>(widget_); }

}  // namespace window
