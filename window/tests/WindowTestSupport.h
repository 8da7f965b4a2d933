// What the window's tests share: catching the error number of a statement,
// a settings name of their own, and showing a window until it is active.
#pragma once

#include <QPoint>
#include <QString>
#include <QStyle>
#include <QWidget>

class QScrollBar;

#include "accpac/AccpacError.h"

namespace windowtest {

// The number of the AccpacError `statement` throws, 0 when it throws none.
template <class F>
long errorNumber(F&& statement) {
    try {
        statement();
    } catch (const accpac::AccpacError& e) {
        return e.number();
    }
    return 0;
}

// A settings name no other test uses, made the lookup's (gRegistry).
QString freshRegistry();

// Shows `w` and waits until it is the active window; false when it never is.
bool showActive(QWidget& w);

// The centre of one part of a scroll bar (an arrow, the track above or
// below the thumb, the thumb), where a click on that part lands.
QPoint scrollBarPart(QScrollBar* bar, QStyle::SubControl part);
// Drags the thumb to `value` and lets it go, as the user does.
void dragThumb(QScrollBar* bar, int value);

}  // namespace windowtest
