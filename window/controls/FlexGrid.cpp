// The lookup grid's properties and events over FlexGridModel and FlexGridView.
#include "window/controls/FlexGrid.h"

#include <QHeaderView>
#include <algorithm>
#include <cmath>
#include <vector>

#include "window/controls/ControlErrors.h"
#include "window/controls/FlexGridModel.h"
#include "window/controls/FlexGridView.h"
#include "window/controls/Twips.h"

namespace window {

struct FlexGrid::Impl : FlexGridInput {
    Impl(FlexGrid& grid, FlexGridView* view) : grid(grid), view(view) {
        view->setModel(&model);
        view->setInput(this);
        widths.assign(size_t(model.gridCols()), defaultWidth());
    }
    ~Impl() override { view->setInput(nullptr); }

    double defaultWidth() const { return pixelsToTwipsX(view->horizontalHeader()->defaultSectionSize()); }

    void checkRow(int r) const {
        if (r < 0 || r >= model.gridRows()) raiseInvalidArrayIndex();
    }
    void checkCol(int c) const {
        if (c < 0 || c >= model.gridCols()) raiseInvalidArrayIndex();
    }

    // Moves the current cell, collapsing the block onto it. Returns whether
    // the current cell changed (the caller raises EnterCell).
    bool place(int r, int c) {
        const bool moved = r != block().row1 || c != block().col1;
        model.setSelectedBlock({r, c, r, c});
        showCurrent();
        return moved;
    }
    // Keeps the selected block inside the grid after rows or columns went;
    // a current cell that went moves to the nearest one (raising EnterCell).
    void keepSelectionInside() {
        FlexGridModel::Block b = block();
        const int lastRow = model.gridRows() - 1, lastCol = model.gridCols() - 1;
        const bool moved = b.row1 > lastRow || b.col1 > lastCol;
        b.row1 = std::min(b.row1, lastRow);
        b.row2 = std::min(b.row2, lastRow);
        b.col1 = std::min(b.col1, lastCol);
        b.col2 = std::min(b.col2, lastCol);
        setBlock(b);
        if (moved) {
            showCurrent();
            raise(grid.EnterCell);
        }
    }

    const FlexGridModel::Block& block() const { return model.selectedBlock(); }
    void setBlock(const FlexGridModel::Block& b) { model.setSelectedBlock(b); }

    // Keeps the view's current index on the grid's current cell, so that
    // the user's next key moves from there, and keeps that row in sight.
    void showCurrent() {
        const int r = block().row1, c = block().col1;
        if (r < 1) {
            view->selectionModel()->clearCurrentIndex();
            return;
        }
        const QModelIndex current = model.index(r - 1, c);
        view->selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
        view->scrollTo(current);
    }

    void applyWidth(int col) {
        const int px = twipsToPixelsX(widths[size_t(col)]);
        view->setColumnHidden(col, px == 0);
        if (px > 0) view->setColumnWidth(col, px);
    }

    // The rows that must be in sight are the header and a batch: as many
    // rows of 255 twips as the grid's height holds, one fewer when the
    // columns together are at least as wide as the grid (the horizontal
    // scroll bar then takes the room of the last one).
    void fitRows() {
        double total = 0;
        for (double w : widths) total += w;
        const bool bar = model.gridCols() > 1 && grid.Width() <= total;
        const int batch = int(std::floor(grid.Height() / RowHeightTwips)) - (bar ? 1 : 0);
        view->fitRows(1 + std::max(batch, 0), bar);
    }

    void raise(const std::function<void()>& handler) {
        if (handler) handler();
    }

    // --- the user's actions -------------------------------------------------
    void userKeyPress(int charCode) override {
        if (grid.KeyPress) grid.raiseUserEvent([&] { grid.KeyPress(charCode); }, "KeyPress");
    }
    void userSelect(int row, int col, bool extend) override {
        if (extend) {
            setBlock({block().row1, block().col1, row, block().col2});
            return;
        }
        // The user's moves select the whole row, as the window's own
        // selections do; a click on a cell makes its column the current one,
        // so moving to another cell of the current row is a move too.
        grid.raiseUserEvent(
            [&] {
                const bool moved = place(row, col >= 0 ? col : block().col1);
                setBlock({row, block().col1, row, model.gridCols() - 1});
                if (moved) raise(grid.EnterCell);
            },
            "EnterCell");
    }
    void userMouseAt(int row, int col) override {
        mouseRow = row;
        mouseCol = col;
    }
    void userClick() override { grid.raiseUserEvent(grid.Click, "Click"); }
    void userDblClick() override { grid.raiseUserEvent(grid.DblClick, "DblClick"); }

    FlexGrid& grid;
    FlexGridView* view;
    FlexGridModel model;
    std::vector<double> widths;  // twips as set, one per column
    int mouseRow = -1, mouseCol = -1;
};

FlexGrid::FlexGrid(QWidget* parent) : Control(new FlexGridView(parent)) {
    d = std::make_unique<Impl>(*this, static_cast<FlexGridView*>(widget_));
}

FlexGrid::~FlexGrid() = default;

void FlexGrid::geometryChanged() {
    if (d) d->fitRows();
}

int FlexGrid::Rows() const { return d->model.gridRows(); }

void FlexGrid::setRows(int n) {
    if (n < 2) raiseInvalidPropertyValue();
    d->model.setGridRows(n);
    d->keepSelectionInside();
}

int FlexGrid::Cols() const { return d->model.gridCols(); }

void FlexGrid::setCols(int n) {
    if (n < 1) raiseInvalidPropertyValue();
    const int before = Cols();
    d->model.setGridCols(n);
    d->widths.resize(size_t(n), d->defaultWidth());
    for (int c = before; c < n; ++c) d->applyWidth(c);
    d->fitRows();
    d->keepSelectionInside();
}

int FlexGrid::Row() const { return d->block().row1; }

void FlexGrid::setRow(int r) {
    d->checkRow(r);
    if (d->place(r, Col())) d->raise(EnterCell);
}

int FlexGrid::Col() const { return d->block().col1; }

void FlexGrid::setCol(int c) {
    d->checkCol(c);
    if (d->place(Row(), c)) d->raise(EnterCell);
}

int FlexGrid::RowSel() const { return d->block().row2; }

void FlexGrid::setRowSel(int r) {
    d->checkRow(r);
    FlexGridModel::Block b = d->block();
    b.row2 = r;
    d->setBlock(b);
}

int FlexGrid::ColSel() const { return d->block().col2; }

void FlexGrid::setColSel(int c) {
    d->checkCol(c);
    FlexGridModel::Block b = d->block();
    b.col2 = c;
    d->setBlock(b);
}

QString FlexGrid::TextMatrix(int row, int col) const {
    d->checkRow(row);
    d->checkCol(col);
    return d->model.text(row, col);
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
    d->checkRow(row);
    d->checkCol(col);
    d->model.setText(row, col, text);
}

double FlexGrid::ColWidth(int col) const {
    d->checkCol(col);
    return d->widths[size_t(col)];
}

void FlexGrid::setColWidth(int col, double twips) {
    d->checkCol(col);
    if (twips < 0) raiseInvalidPropertyValue();
    d->widths[size_t(col)] = twips;
    d->applyWidth(col);
    d->fitRows();
}

int FlexGrid::ColAlignment(int col) const {
    d->checkCol(col);
    return d->model.alignment(col);
}

void FlexGrid::setColAlignment(int col, int code) {
    d->checkCol(col);
    if (code < 0 || code > 9) raiseInvalidPropertyValue();
    d->model.setAlignment(col, code);
}

void FlexGrid::AddItem(const QString& line, int index) {
    if (index == -1) index = Rows();
    if (index < 1 || index > Rows()) raiseInvalidArrayIndex();
    d->model.insertGridRow(index, line.split(QLatin1Char('\t')));
}

void FlexGrid::RemoveItem(int index) {
    if (index < 1 || index >= Rows()) raiseInvalidArrayIndex();
    if (Rows() == 2) {
        // The grid keeps one data row: the only one is emptied instead.
        for (int c = 0; c < Cols(); ++c) d->model.setText(1, c, QString());
        return;
    }
    d->model.removeGridRow(index);
    d->keepSelectionInside();
}

int FlexGrid::MouseRow() const { return d->mouseRow; }
int FlexGrid::MouseCol() const { return d->mouseCol; }

QString FlexGrid::FontName() const { return d->view->font().family(); }
double FlexGrid::FontSize() const { return d->view->font().pointSizeF(); }
const QFont& FlexGrid::font() const { return d->view->font(); }

QTableView* FlexGrid::view() const { return d->view; }

void FlexGrid::setFocusStandIn(QWidget* standIn) { d->view->setFocusStandIn(standIn); }

}  // namespace window
