// Check box: Value 0/1 with Click on every change.
#include "window/controls/CheckBox.h"

#include <QCheckBox>
#include <QSignalBlocker>

#include "window/controls/ControlErrors.h"

namespace window {

CheckBox::CheckBox(QCheckBox* box) : Control(box) {
    QObject::connect(box, &QCheckBox::toggled, receiver(), [this] { raiseUserEvent(Click, "Click"); });
}

int CheckBox::Value() const { return box()->isChecked() ? 1 : 0; }

void CheckBox::setValue(int value) {
    if (value != 0 && value != 1) raiseInvalidPropertyValue();
    if (value == Value()) return;
    {
        const QSignalBlocker quiet(box());
        box()->setChecked(value == 1);
    }
    if (Click) Click();
}

QCheckBox* CheckBox::box() const { return static_cast<QCheckBox*>(widget_); }

}  // namespace window
