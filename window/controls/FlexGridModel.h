// The cells of the lookup grid and its selected block, as a Qt table model.
//
// Grid row 0 is the header row: it is the model's horizontal header, and
// grid rows 1..n-1 are model rows 0..n-2. The model keeps exactly the rows
// of one batch, so every operation costs at most the rows of one screen.
// Only FlexGrid uses it.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

namespace window {

class FlexGridModel : public QAbstractTableModel {
public:
    // The selected block, corners in grid rows/columns in any order.
    struct Block {
        int row1 = 1, col1 = 0, row2 = 1, col2 = 0;
    };

    FlexGridModel();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int gridRows() const { return int(rows_.size()); }  // header included
    int gridCols() const { return cols_; }
    void setGridRows(int n);  // n >= 1; new rows empty
    void setGridCols(int n);  // n >= 1; new cells empty
    const QString& text(int row, int col) const { return rows_[size_t(row)][col]; }
    void setText(int row, int col, const QString& text);
    // Inserts a row at grid row `row` (1..gridRows()); missing cells are
    // empty, extra ones dropped.
    void insertGridRow(int row, QStringList cells);
    void removeGridRow(int row);  // 1..gridRows()-1
    int alignment(int col) const { return alignments_[size_t(col)]; }
    void setAlignment(int col, int code);
    void setSelectedBlock(const Block& block);
    // The selected rows are painted in the highlight colours while the grid
    // has the keyboard, and in a paler shade of them while it has not.
    void setKeyboardHere(bool here);
    const Block& selectedBlock() const { return block_; }

private:
    bool selected(int row) const;
    QStringList emptyRow() const;

    std::vector<QStringList> rows_;  // rows_[0] is the header row
    int cols_ = 2;
    std::vector<int> alignments_;  // grid alignment codes 0..9, one per column
    Block block_;
    bool keyboardHere_ = false;
};

// Qt alignment for a grid alignment code (0..8 left/centre/right by
// top/centre/bottom, 9 general = left-centre).
Qt::Alignment qtAlignment(int code);

}  // namespace window
