// A person's mouse and keyboard on the lookup window, as real Qt events.
//
// Each function sends the events a person's action would cause (through
// QTest or QCoreApplication::sendEvent), so the window's own handlers run
// exactly as they do for a person: nothing here sets a control's value
// directly. A request the window cannot satisfy (a row it does not show, an
// entry a list does not have) throws InputError saying why.
#pragma once

#include <QString>
#include <Qt>
#include <stdexcept>

class QWidget;
namespace window {
class frmTrovex;
}

namespace lookup::script {

class InputError : public std::runtime_error {
public:
    explicit InputError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// The widget of a named control ("pbxFind", "FinderGrid", ...), or nullptr.
QWidget* controlWidget(window::frmTrovex& w, const QString& name);
// The name of the control `widget` belongs to, or "" when it is none of them.
QString controlName(window::frmTrovex& w, const QWidget* widget);
// The widget that receives the keyboard: the window's focused control.
QWidget* keyboardTarget(window::frmTrovex& w);

// Types any text, one key event per character carrying it ("é", "€", an
// emoji), as a keyboard or input method delivers it.
void typeText(window::frmTrovex& w, const QString& text);
void pressKey(window::frmTrovex& w, int key, Qt::KeyboardModifiers modifiers);
// A click in the middle of a control (on a check box: on its box).
void clickControl(window::frmTrovex& w, const QString& name);
// A click on a grid cell: row 0 is the header, data rows from 1.
void clickCell(window::frmTrovex& w, int row, int column);
void doubleClickRow(window::frmTrovex& w, int row);
void doubleClickHeader(window::frmTrovex& w, int column);
// A click on ScrollBar1's arrows (line) or on its track beside the thumb (page).
void clickScrollBar(window::frmTrovex& w, bool down, bool page);
// Drags ScrollBar1's thumb to where `value` lies and lets it go there.
void dragThumb(window::frmTrovex& w, int value);
// Chooses entry `position` of a list (cboFindDesc, cboCondition) with the
// keyboard, as a person does after tabbing to it: Home, then Down.
void chooseEntry(window::frmTrovex& w, const QString& list, int position);
// The position of an entry's text in a list; throws when it has none.
int entryPosition(window::frmTrovex& w, const QString& list, const QString& text);

}  // namespace lookup::script
