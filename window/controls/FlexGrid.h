// The grid of the lookup window: a table of text cells addressed by row and
// column from 0, whose row 0 is the fixed header row.
//
// Rows counts the header row too, so data rows are 1..Rows()-1. The grid has
// at least one data row: Rows() >= 2 always (removing the last data row
// leaves an empty one, as the loads expect). Rows are 255 twips high where
// the grid's height allows; the header and as many data rows as the height
// holds in such rows (one fewer when the columns need a horizontal scroll
// bar) are always in sight together, so the grid never scrolls by rows.
// The selection runs from (Row, Col) to (RowSel, ColSel); its rows are
// highlighted whole. Setting Row or Col moves the current cell and collapses the
// selection to it, then raises EnterCell before returning when the current
// cell changed; the user's moves raise it too. Every operation costs at most
// the rows of one batch.
#pragma once

#include <memory>

#include "window/controls/Control.h"

class QFont;
class QTableView;

namespace window {

class FlexGrid : public Control {
public:
    static constexpr double RowHeightTwips = 255;
    static constexpr int AlignLeftCenter = 1;
    static constexpr int AlignRightCenter = 7;

    // Makes the grid's own view as a child of `parent`.
    explicit FlexGrid(QWidget* parent);
    ~FlexGrid() override;

    int Rows() const;
    // Sets the number of rows (header included, at least 2; less throws
    // 380). New rows are empty; rows beyond the count are dropped, and a
    // current row among them moves up to the last row (raising EnterCell).
    void setRows(int n);
    int Cols() const;
    void setCols(int n);  // at least 1, else throws 380; new columns are empty

    int Row() const;
    void setRow(int r);  // 0..Rows()-1 else throws 381; raises EnterCell when it changes
    int Col() const;
    void setCol(int c);  // 0..Cols()-1 else throws 381; raises EnterCell when it changes
    int RowSel() const;
    void setRowSel(int r);  // 0..Rows()-1 else throws 381
    int ColSel() const;
    void setColSel(int c);  // 0..Cols()-1 else throws 381

    // Cell text; row 0 is the header. Outside the grid throws 381.
    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    // Twips, as set; 0 hides the column. Negative widths throw 380, a column
    // outside the grid 381.
    double ColWidth(int col) const;
    void setColWidth(int col, double twips);
    // Alignment codes 0..9 (1 left-centre, 7 right-centre); others throw 380.
    int ColAlignment(int col) const;
    void setColAlignment(int col, int code);

    // Adds a row whose cells are the TAB-separated texts of `line`, at the
    // end (index -1) or at `index` (1..Rows()), pushing the rows below down.
    // Other indexes throw 381.
    void AddItem(const QString& line, int index = -1);
    // Removes data row `index` (1..Rows()-1); when it was the only data row,
    // an empty one takes its place. Other indexes throw 381.
    void RemoveItem(int index);

    // The cell under the mouse at the last mouse event over the grid (row 0
    // for the header; -1 where there is no cell).
    int MouseRow() const;
    int MouseCol() const;

    QString FontName() const;
    double FontSize() const;
    const QFont& font() const;

    // Events.
    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void(int charCode)> KeyPress;
    std::function<void()> EnterCell;

    QTableView* view() const;
    // The grid also shows where the focus is while `standIn` has it (a
    // control that takes the grid's keys on its behalf).
    void setFocusStandIn(QWidget* standIn);

protected:
    void geometryChanged() override;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace window
