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

void frmTrovex::ScrollBar1_GotFocus() { scrollbarFocus = -1; }
void frmTrovex::ScrollBar1_LostFocus() { scrollbarFocus = 0; }

// A key on the scroll bar pages like the keys at the grid's edge rows, and
// moves the selection inside the batch elsewhere; the focus then goes to
// the grid, or to the paging sink when the selection is on an edge row.
void frmTrovex::ScrollBar1_KeyDown(int keyCode, int) {
    const FlagScope whileKeyHandled(scrollkey);
    if (!pageAtEdgeRow(keyCode)) {
        switch (keyCode) {
            case vk::PageDown:
                Select_EdgeRow(false);
                break;
            case vk::PageUp:
                Select_EdgeRow(true);
                break;
            case vk::Up:
                Move_Selection(true);
                break;
            case vk::Down:
                Move_Selection(false);
                break;
            default:
                break;
        }
    }
    FinderGrid.SetFocus();
    if (FinderGrid.Row() == FinderGrid.Rows() - 1 || FinderGrid.Row() == 1) txtScroll.SetFocus();
    updateScroll();
}

// A key in the paging sink, which has the focus only while the selection
// is on an edge row of the grid.
void frmTrovex::txtScroll_KeyDown(int keyCode, int) {
    pageAtEdgeRow(keyCode);
    updateScroll();
}

// The paging keys at the first and the last row of the batch: towards the
// view's edge they page (a record with the arrows, a batch with the page
// keys) and keep the selection on that edge row; away from it they jump to
// the other edge row or step back into the grid. Returns false, doing
// nothing, when the selection is on neither edge row. The first row is
// tested first, so a grid of one data row pages both ways.
bool frmTrovex::pageAtEdgeRow(int keyCode) {
    const int row = FinderGrid.Row();
    if (row == 1) {
        switch (keyCode) {
            case vk::PageDown:
                Select_EdgeRow(false);
                break;
            case vk::PageUp:
                engine().PREVBATCH();
                break;
            case vk::Up:
                engine().PREVLINE();
                Select_EdgeRow(true);
                break;
            case vk::Down:
                Move_Selection(false);
                break;
            default:
                break;
        }
        return true;
    }
    if (row == FinderGrid.Rows() - 1) {
        switch (keyCode) {
            case vk::PageDown:
                engine().NEXTBATCH();
                break;
            case vk::PageUp:
                Select_EdgeRow(true);
                break;
            case vk::Up:
                Move_Selection(true);
                break;
            case vk::Down:
                engine().NEXTLINE();
                Select_EdgeRow(false);
                break;
            default:
                break;
        }
        return true;
    }
    return false;
}

// The grid's current row changed. On a grid of a full screen, reaching its
// first or last row hands the keyboard to the paging sink, so the next
// paging key pages the view. While the scroll bar is used with the mouse
// it keeps the focus.
void frmTrovex::FinderGrid_EnterCell() {
    if (scrollbarFocus && !scrollkey) return;
    const int row = FinderGrid.Row(), rows = FinderGrid.Rows();
    if (rows >= PagingRows && (row == rows - 1 || row == 1)) txtScroll.SetFocus();
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
