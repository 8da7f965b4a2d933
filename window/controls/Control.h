// The part every control of the lookup window shares: a Qt widget placed in
// twips, enabled or not, that can take the focus and come to the front.
//
// Handlers are plain functions that the window assigns. A change made by
// code raises its handler directly, before the setter returns, so an error
// in the handler reaches the code that made the change (and its trap). A
// change the user makes reaches the handler from the toolkit: there the
// control is the last stop, and an error the handler lets out is reported
// with the label "frmTrovex.<control>_<event>" instead of running into Qt.
#pragma once

#include <QPointer>
#include <QString>
#include <functional>

class QWidget;
class QObject;
class QKeyEvent;
class QWheelEvent;

namespace window {

class Control {
public:
    explicit Control(QWidget* widget);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Position and size in twips, relative to the window's inner area, as
    // last set (the widget itself sits at the nearest whole pixels).
    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    // Setters throw 380 (invalid property value) for a negative width or
    // height and then change nothing.
    void setLeft(double twips);
    void setTop(double twips);
    void setWidth(double twips);
    void setHeight(double twips);
    void move(double left, double top, double width, double height);

    bool Enabled() const;
    void setEnabled(bool on);
    bool Visible() const;  // not hidden itself (the window may still be hidden)
    void setVisible(bool on);
    // Gives the control the focus (raising GotFocus/LostFocus when the
    // window is active; otherwise the control gets the focus when the window
    // shows). A control that is hidden or disabled throws 5.
    void SetFocus();
    bool hasFocus() const;
    void ZOrder(int position = 0);  // 0 brings to the front, 1 sends to the back

    QWidget* widget() const { return widget_; }

    // Raised when the control gains or loses the focus within the window;
    // a switch to another window (a message box) is not a focus change.
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;

protected:
    // Raises `handler` for an event the user caused (see above); `event` is
    // the event's name in the label.
    void raiseUserEvent(const std::function<void()>& handler, const char* event) const;
    // A key pressed while the control has the focus, before the widget sees
    // it. Returns true when the key is used up and the widget must not act
    // on it. By default the widget goes on.
    virtual bool keyPressed(QKeyEvent& e);
    // A turn of the mouse wheel over the control, before the widget sees it.
    // Returns true when it is used up. By default the widget goes on.
    virtual bool wheelTurned(QWheelEvent& e);
    // The widget's place or size has just been set from the twips values.
    virtual void geometryChanged() {}
    // The object that receives the widget's signals and events on the
    // control's behalf; connections made with it as context end with the
    // control.
    QObject* receiver() const { return events_; }

    QWidget* widget_;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;  // twips, as last set

private:
    friend class ControlEvents;
    void applyGeometry();
    QPointer<QObject> events_;  // the widget's event filter, child of the widget
};

}  // namespace window
