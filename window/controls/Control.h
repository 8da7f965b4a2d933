// The part every control of the lookup window shares: a Qt widget placed in
// twips, enabled or not, that can take the focus and come to the front.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace window {

class Control {
public:
    explicit Control(QWidget* widget) : widget_(widget) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Position and size in twips, relative to the window's inner area.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    // Setters throw 380 (invalid property value) for a negative width or height.
    void setLeft(double twips);
    void setTop(double twips);
    void setWidth(double twips);
    void setHeight(double twips);
    void move(double left, double top, double width, double height);

    bool Enabled() const;
    void setEnabled(bool on);
    bool Visible() const;
    void setVisible(bool on);
    // Gives the control the focus; a control that cannot take it (hidden,
    // disabled, window not shown) throws 5 (invalid procedure call).
    void SetFocus();
    bool hasFocus() const;
    void ZOrder(int position = 0);  // 0 brings to the front

    QWidget* widget() const { return widget_; }

    // Focus handlers, raised when the control gains or loses the focus.
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;

protected:
    QWidget* widget_;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;  // twips, as last set
};

}  // namespace window
