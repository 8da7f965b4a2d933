// Scrolling and keyboard paging.
//
// The grid holds one batch; the scroll bar stands for where that batch lies
// in the whole view (thumb at the top, in the middle, at the bottom), and
// every move of its thumb is one engine step. The paging keys move the
// selection inside the grid as usual; at the grid's first and last rows the
// focus goes to txtScroll, whose keys page the view instead.
#include "accpac/AccpacError.h"
#include "errors/ErrorTrap.h"
#include "window/FlagScope.h"
#include "window/controls/KeyCodes.h"
#include "window/frmTrovex.h"

namespace window {

namespace {
constexpr int ThumbMiddle = 50;  // a batch that is neither at the top nor at the bottom
constexpr int ThumbRange = 100;  // Max while the view is larger than the grid
// A grid of fewer rows (header included) keeps the focus at its edge rows,
// so the arrows stay the grid's own there.
constexpr int PagingRows = 13;
}  // namespace

void frmTrovex::updateScroll() {
    FinderEngine& finder = engine();
    if (finder.atTop() && finder.atBot()) {
        // The whole view is in the grid: the thumb has nowhere to go. The
        // thumb is at Min once Max is 0, and lastScroll says so first, so
        // that the change this raises pages nothing (the batch already
        // shows the whole view, and its selection stays).
        lastScroll = std::int16_t(ScrollBar1.Min());
        ScrollBar1.setMax(0);
        return;
    }
    // The places 0, 50 and 100 need the range back once the view no
    // longer fits (after a search that had narrowed it, or a smaller
    // window); the thumb is at Min then, so this moves nothing.
    if (ScrollBar1.Max() != ThumbRange) ScrollBar1.setMax(ThumbRange);
    if (finder.atTop())
        placeThumb(ScrollBar1.Min());
    else if (finder.atBot())
        placeThumb(ScrollBar1.Max());
    else
        placeThumb(ThumbMiddle);
    if (chkSize.Value() == 1) Size_GridColumns();
}

// Puts the thumb home before a search loads and when the window closes.
void frmTrovex::Reset_Scroll() { placeThumb(ScrollBar1.Min()); }

// Moves the thumb by code: lastScroll first, so the change this raises
// sees no movement and pages nothing.
void frmTrovex::placeThumb(int value) {
    lastScroll = std::int16_t(value);
    ScrollBar1.setValue(value);
}

// The thumb moved, by the user or by code. A move to either end jumps to
// that end of the view; one step pages a record, more a batch. The thumb
// then goes back to where the batch lies, and the search box gets the
// focus back.
void frmTrovex::ScrollBar1_Change() {
    errors::Trap(QStringLiteral("frmTrovex.ScrollBar1_Change"), errors::Via::Messenger)
        .endOnError(
            [&] {
                const int value = ScrollBar1.Value();
                const auto delta = std::int16_t(value - lastScroll);
                if (delta != 0) {
                    if (value == ScrollBar1.Min()) {
                        engine().GOTOTOP();
                        lastScroll = std::int16_t(ScrollBar1.Min());
                        return;
                    }
                    if (value == ScrollBar1.Max()) {
                        engine().GOTOBOT();
                        updateScroll();
                        return;
                    }
                    if (delta == 1)
                        engine().NEXTLINE();
                    else if (delta == -1)
                        engine().PREVLINE();
                    else if (delta > 1)
                        engine().NEXTBATCH();
                    else
                        engine().PREVBATCH();
                    updateScroll();
                }
                if (chkSize.Value() == 1) Size_GridColumns();
                if (txtSearch.Enabled()) txtSearch.SetFocus();
            },
            accpac::errnum::InvalidProcedureCall);
}

void frmTrovex::ScrollBar1_GotFocus() { scrollbarFocus = accpac::IntegerTrue; }
void frmTrovex::ScrollBar1_LostFocus() { scrollbarFocus = accpac::IntegerFalse; }

// A key on the scroll bar pages like the keys at the grid's edge rows, and
// moves the selection inside the batch elsewhere; the focus then goes to
// the grid, or to the paging sink when the selection is on an edge row.
void frmTrovex::ScrollBar1_KeyDown(int keyCode, int) {
    const FlagScope whileKeyHandled(scrollkey);
    pageOrMoveSelection(keyCode);
    FinderGrid.SetFocus();
    if (onEdgeRow()) txtScroll.SetFocus();
    updateScroll();
}

// A key in the paging sink, which has the focus while the selection is on
// an edge row of the grid (elsewhere its keys do nothing).
void frmTrovex::txtScroll_KeyDown(int keyCode, int) {
    if (onEdgeRow()) pageOrMoveSelection(keyCode);
    updateScroll();
}

bool frmTrovex::onEdgeRow() const { return FinderGrid.Row() == 1 || FinderGrid.Row() == FinderGrid.Rows() - 1; }

// A paging key that points past the edge row the selection is on (Up or
// Page Up on the first row, Down or Page Down on the last) pages the view
// by a record or a batch, keeping the selection on that edge row after a
// record; any other paging key moves the selection inside the batch (Page
// Up and Page Down to the first and last row, Up and Down by one row). The
// first row is tested first, so a grid of one data row pages only back.
void frmTrovex::pageOrMoveSelection(int keyCode) {
    const int row = FinderGrid.Row();
    if (row == 1 && keyCode == vk::PageUp) {
        engine().PREVBATCH();
    } else if (row == 1 && keyCode == vk::Up) {
        engine().PREVLINE();
        Select_EdgeRow(true);
    } else if (row != 1 && row == FinderGrid.Rows() - 1 && keyCode == vk::PageDown) {
        engine().NEXTBATCH();
    } else if (row != 1 && row == FinderGrid.Rows() - 1 && keyCode == vk::Down) {
        engine().NEXTLINE();
        Select_EdgeRow(false);
    } else if (keyCode == vk::PageDown || keyCode == vk::PageUp) {
        Select_EdgeRow(keyCode == vk::PageUp);
    } else if (keyCode == vk::Up || keyCode == vk::Down) {
        Move_Selection(keyCode == vk::Up);
    }
}

// The grid's current row changed. On a grid of a full screen, reaching its
// first or last row hands the keyboard to the paging sink, so the next
// paging key pages the view. While the scroll bar is used with the mouse
// it keeps the focus.
void frmTrovex::FinderGrid_EnterCell() {
    if (scrollbarFocus && !scrollkey) return;
    if (FinderGrid.Rows() >= PagingRows && onEdgeRow()) txtScroll.SetFocus();
}

void frmTrovex::Select_EdgeRow(bool first) { selectWholeRow(first ? 1 : FinderGrid.Rows() - 1); }

// One row up or down inside the batch (nothing past its edge rows), and the
// focus back to the grid.
void frmTrovex::Move_Selection(bool up) {
    const int row = FinderGrid.Row();
    if (up ? row <= 1 : row >= FinderGrid.Rows() - 1) return;
    selectWholeRow(up ? row - 1 : row + 1);
    FinderGrid.SetFocus();
}

void frmTrovex::selectWholeRow(int row) {
    FinderGrid.setRow(row);
    FinderGrid.setRowSel(row);
    FinderGrid.setCol(0);
    FinderGrid.setColSel(FinderGrid.Cols() - 1);
}

}  // namespace window
