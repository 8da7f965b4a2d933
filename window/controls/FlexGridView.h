// The Qt view under the lookup grid: shows the FlexGridModel with the header
// and the rows of one batch, all in sight at once, and turns the user's keys
// and mouse into the grid's own terms (FlexGridInput). Only FlexGrid uses it.
#pragma once

#include <QPointer>
#include <QTableView>

namespace window {

class FlexGridModel;

// What the user does to the grid, in grid rows and columns (0 = header).
class FlexGridInput {
public:
    virtual ~FlexGridInput() = default;
    virtual void userKeyPress(int charCode) = 0;
    // The user moved to data row `row`, column `col` (keys or mouse; -1: the
    // column stays); `extend` keeps the current row and stretches the
    // selected block to `row` instead.
    virtual void userSelect(int row, int col, bool extend) = 0;
    // Row and column under the mouse, each -1 where there is none (right of
    // the last column a data row is still a row).
    virtual void userMouseAt(int row, int col) = 0;
    virtual void userClick() = 0;
    virtual void userDblClick() = 0;
};

class FlexGridView : public QTableView {
public:
    explicit FlexGridView(QWidget* parent);

    // Hands the user's actions to `input` (nullptr: to no one).
    void setInput(FlexGridInput* input) { input_ = input; }
    // Lays the header and the data rows out so that `rows` of them (the
    // header included) are wholly in sight at the view's present size; when
    // `barExpected` the horizontal scroll bar is always there and the rows
    // fit above it. Rows are never higher than designed.
    void fitRows(int rows, bool barExpected);
    int rowHeightPixels() const { return rowPixels_; }
    // The view also shows where the focus is while `standIn` has it (a
    // control that takes the grid's keys on its behalf).
    void setFocusStandIn(QWidget* standIn);
    // Keeps `index`'s column in sight; the rows are all in sight already, so
    // the view never scrolls by rows.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    static CursorAction cursorAction(int key);  // for the keys that move the current row
    void mouseAt(const QPoint& pos);
    void layOutRows();
    bool showsFocus() const;
    void focusMoved();  // the keyboard came to the grid or its stand-in, or left

    FlexGridInput* input_ = nullptr;
    bool pressed_ = false;  // a press on a cell or the header awaits its release (Click)
    int rowsInSight_ = 2;   // header included
    int rowPixels_ = 0;
    QPointer<QWidget> focusStandIn_;
};

}  // namespace window
