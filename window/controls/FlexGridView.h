// The Qt view under the lookup grid: shows the FlexGridModel with rows of
// 255 twips (the header row too) and turns the user's keys and mouse into
// the grid's own terms (FlexGridInput). Only FlexGrid uses it.
#pragma once

#include <QTableView>

namespace window {

class FlexGridModel;

// What the user does to the grid, in grid rows and columns (0 = header).
class FlexGridInput {
public:
    virtual ~FlexGridInput() = default;
    virtual void userKeyPress(int charCode) = 0;
    // The user moved to data row `row` (keys or mouse); `extend` keeps the
    // current row and stretches the selected block to `row` instead.
    virtual void userSelect(int row, bool extend) = 0;
    virtual void userMouseAt(int row, int col) = 0;  // -1 where there is no cell
    virtual void userClick() = 0;
    virtual void userDblClick() = 0;
};

class FlexGridView : public QTableView {
public:
    explicit FlexGridView(QWidget* parent);

    // Hands the user's actions to `input` (nullptr: to no one).
    void setInput(FlexGridInput* input) { input_ = input; }
    int rowHeightPixels() const;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    static CursorAction cursorAction(int key);  // for the keys that move the current row
    void mouseAt(const QPoint& pos);

    FlexGridInput* input_ = nullptr;
    bool pressed_ = false;  // a press on a cell or the header awaits its release (Click)
};

}  // namespace window
