// Geometry in twips, focus, stacking, and the edge between the toolkit's
// events and the window's handlers.
#include "window/controls/Control.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QWidget>

#include "errors/ErrorTrap.h"
#include "window/controls/ControlErrors.h"
#include "window/controls/Twips.h"

namespace window {

// Watches the widget for focus changes and keys and hands them to the control.
class ControlEvents : public QObject {
public:
    ControlEvents(Control& control, QWidget* widget) : QObject(widget), control_(control) {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
            case QEvent::FocusIn:
                if (withinWindow(*static_cast<QFocusEvent*>(e))) control_.raiseUserEvent(control_.GotFocus, "GotFocus");
                return false;
            case QEvent::FocusOut:
                if (withinWindow(*static_cast<QFocusEvent*>(e)))
                    control_.raiseUserEvent(control_.LostFocus, "LostFocus");
                return false;
            case QEvent::KeyPress:
                return control_.keyPressed(*static_cast<QKeyEvent*>(e));
            case QEvent::Wheel:
                return control_.wheelTurned(*static_cast<QWheelEvent*>(e));
            default:
                return false;
        }
    }

private:
    // Focus that leaves with the whole window (to a message box, another
    // program) comes back with it: the control never lost it in between.
    static bool withinWindow(const QFocusEvent& e) {
        return e.reason() != Qt::ActiveWindowFocusReason && e.reason() != Qt::PopupFocusReason;
    }

    Control& control_;
};

Control::Control(QWidget* widget) : widget_(widget), events_(new ControlEvents(*this, widget)) {}

Control::~Control() { delete events_.data(); }

void Control::setLeft(double twips) {
    left_ = twips;
    applyGeometry();
}

void Control::setTop(double twips) {
    top_ = twips;
    applyGeometry();
}

void Control::setWidth(double twips) {
    if (twips < 0) raiseInvalidPropertyValue();
    width_ = twips;
    applyGeometry();
}

void Control::setHeight(double twips) {
    if (twips < 0) raiseInvalidPropertyValue();
    height_ = twips;
    applyGeometry();
}

void Control::move(double left, double top, double width, double height) {
    if (width < 0 || height < 0) raiseInvalidPropertyValue();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    applyGeometry();
}

void Control::applyGeometry() {
    // Both edges are rounded, not the size, so that neighbours designed to
    // touch still touch after the conversion.
    const int x = twipsToPixelsX(left_), y = twipsToPixelsY(top_);
    widget_->setGeometry(x, y, twipsToPixelsX(left_ + width_) - x, twipsToPixelsY(top_ + height_) - y);
    geometryChanged();
}

bool Control::Enabled() const { return widget_->isEnabled(); }
void Control::setEnabled(bool on) { widget_->setEnabled(on); }
bool Control::Visible() const { return !widget_->isHidden(); }
void Control::setVisible(bool on) { widget_->setVisible(on); }

void Control::SetFocus() {
    if (!widget_->isVisibleTo(widget_->window()) || !widget_->isEnabled()) raiseInvalidProcedureCall();
    widget_->setFocus(Qt::OtherFocusReason);
}

bool Control::hasFocus() const { return widget_->hasFocus(); }

void Control::ZOrder(int position) {
    if (position == 0)
        widget_->raise();
    else
        widget_->lower();
}

void Control::raiseUserEvent(const std::function<void()>& handler, const char* event) const {
    if (!handler) return;
    QString label = widget_->objectName() + QLatin1Char('_') + QLatin1String(event);
    const QString owner = widget_->window()->objectName();
    if (!owner.isEmpty()) label = owner + QLatin1Char('.') + label;
    errors::Trap(label, errors::Via::Messenger)(handler);
}

bool Control::keyPressed(QKeyEvent&) { return false; }

bool Control::wheelTurned(QWheelEvent&) { return false; }

}  // namespace window
