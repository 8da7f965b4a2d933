// Drop-down list: positions from 0, -1 for none, Click on every choice.
#include "window/controls/ComboList.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "window/controls/ControlErrors.h"

namespace window {

ComboList::ComboList(QComboBox* box) : Control(box) {
    box->setEditable(false);
    // `activated` is the user's choice only; choices made by code raise
    // Click themselves.
    QObject::connect(box, &QComboBox::activated, receiver(), [this] { raiseUserEvent(Click, "Click"); });
}

void ComboList::Clear() {
    const QSignalBlocker quiet(box());
    box()->clear();
}

void ComboList::AddItem(const QString& text) {
    const QSignalBlocker quiet(box());
    const int chosen = box()->currentIndex();
    box()->addItem(text);
    // Qt chooses the first entry added to an empty list; the list keeps
    // what was chosen, as the system's lists do.
    box()->setCurrentIndex(chosen);
}

int ComboList::ListCount() const { return box()->count(); }

QString ComboList::List(int index) const {
    return index >= 0 && index < box()->count() ? box()->itemText(index) : QString();
}

int ComboList::ListIndex() const { return box()->currentIndex(); }

void ComboList::setListIndex(int index) {
    if (index < -1 || index >= box()->count()) raiseInvalidPropertyValue();
    {
        const QSignalBlocker quiet(box());
        box()->setCurrentIndex(index);
    }
    if (Click) Click();
}

QString ComboList::Text() const { return List(ListIndex()); }

QComboBox* ComboList::box() const { return static_cast<QComboBox*>(widget_); }

}  // namespace window
