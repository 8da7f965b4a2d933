// Moving the batch over the view: to the top or the bottom, a batch or a
// record forward or back, and telling whether the view's first or last
// record is in the grid. No record positions are kept: each move re-browses
// from the key texts at the edges of the grid with one keyed browse, so a
// move costs one screenful of records whatever the size of the view.
// A move that cannot go further returns before it touches the view.
#include "accpac/Blanks.h"
#include "engine/Finder.h"
#include "engine/FinderInternal.h"
#include "window/frmTrovex.h"

namespace engine {

using detail::engineTrap;

void Finder::GOTOTOP() {
    if (keptForLater([this] { GOTOTOP(); })) return;
    const LoadRun run(*this);
    engineTrap("GOTOTOP").endOnError([&] {
        if (TopKey == BatchTopKey) return;
        BatchTopKey = TopKey;
        resetView();
        putPreset();
        view().Browse(CurrentFilter, true);
        ClearFinderGrid();
        bool more = false;
        fillRows(more, {});
        if (!more) BottomKey = BatchBottomKey;
    });
}

void Finder::GOTOBOT() {
    if (keptForLater([this] { GOTOBOT(); })) return;
    const LoadRun run(*this);
    engineTrap("GOTOBOT").endOnError([&] {
        if (BottomKey == BatchBottomKey) return;
        resetView();
        putMaxKey();
        view().Browse(CurrentFilter, false);
        ClearFinderGrid();
        // The first record read downwards is the last of the view.
        bool more = false;
        fillRowsAbove(BatchRows, more, true, {&BatchBottomKey, &BottomKey});
        selectGridRow(grid().Rows() - 1);
    });
}

void Finder::NEXTBATCH() {
    if (keptForLater([this] { NEXTBATCH(); })) return;
    const LoadRun run(*this);
    engineTrap("NEXTBATCH").endOnError([&] {
        if (BottomKey == BatchBottomKey) return;
        // The new batch begins with the old last row, so the user keeps their place.
        BatchTopKey = BatchBottomKey;
        resetView();
        putPreset();
        view().Browse(keyFilter(QStringLiteral(" >= "), BatchTopKey), true);
        ClearFinderGrid();
        bool more = false;
        const int n = fillRows(more, {});
        if (!(n == BatchRows && more)) {
            BottomKey = BatchBottomKey;
            if (n < BatchRows) {
                // The view ended inside the batch: fill it up with the records
                // before it, so the last page is as full as any other.
                resetView();
                putMaxKey();
                view().Browse(keyFilter(QStringLiteral(" < "), BatchTopKey), false);
                fillRowsAbove(BatchRows - n, more, false, {});
            }
        }
        selectGridRow(grid().Rows() - 1);
    });
}

void Finder::PREVBATCH() {
    if (keptForLater([this] { PREVBATCH(); })) return;
    const LoadRun run(*this);
    engineTrap("PREVBATCH").endOnError([&] {
        if (TopKey == BatchTopKey) return;
        // The new batch ends with the old first row, so the user keeps their place.
        BatchBottomKey = BatchTopKey;
        resetView();
        putMaxKey();
        view().Browse(keyFilter(QStringLiteral(" <= "), BatchBottomKey), false);
        ClearFinderGrid();
        bool more = false;
        const int n = fillRowsAbove(BatchRows, more, true, {});
        if (n == BatchRows) return;

        // The start of the view came inside the batch: fill it up with the
        // records after it.
        window::FlexGrid& g = grid();
        resetView();
        view().Browse(keyFilter(QStringLiteral(" > "), BatchBottomKey), true);
        more = view().Fetch();
        for (int m = 0; m < BatchRows - n; ++m) {
            if (!more) {
                BottomKey = BatchBottomKey;
                return;
            }
            g.AddItem(rowText({&BatchBottomKey}));
            more = view().Fetch();
        }
        if (!more) BottomKey = BatchBottomKey;
    });
}

void Finder::NEXTLINE() {
    if (keptForLater([this] { NEXTLINE(); })) return;
    const LoadRun run(*this);
    engineTrap("NEXTlINE").endOnError([&] {
        if (BottomKey == BatchBottomKey) return;
        resetView();
        putPreset();
        view().Browse(keyFilter(QStringLiteral(" > "), BatchBottomKey), true);
        if (!view().Fetch()) return;

        // One row out at the top, one in at the bottom: the rest of the grid
        // stays. The new row comes in first, so that a batch of one row never
        // passes through an empty grid (whose empty row would stay above it).
        window::FlexGrid& g = grid();
        const int r = g.Row();
        g.AddItem(rowText({&BatchBottomKey}));
        g.RemoveItem(1);
        BatchTopKey = accpac::trimBlanks(g.TextMatrix(1, OrderKeyCol));
        // The selection stays on its record, which moved up a row.
        if (r != 1) selectGridRow(r - 1);
        if (!view().Fetch()) BottomKey = BatchBottomKey;
    });
}

void Finder::PREVLINE() {
    if (keptForLater([this] { PREVLINE(); })) return;
    const LoadRun run(*this);
    engineTrap("PREVLINE").endOnError([&] {
        if (TopKey == BatchTopKey) return;
        resetView();
        putMaxKey();
        view().Browse(keyFilter(QStringLiteral(" < "), BatchTopKey), false);
        if (!view().Fetch()) return;

        // The new row comes in first, as in NEXTLINE.
        window::FlexGrid& g = grid();
        int r = g.Row();
        g.AddItem(rowText({&BatchTopKey}), 1);
        g.RemoveItem(g.Rows() - 1);
        BatchBottomKey = accpac::trimBlanks(g.TextMatrix(g.Rows() - 1, OrderKeyCol));
        // The selection follows its record down a row; on the last row it stays there.
        if (r != g.Rows() - 1) ++r;
        selectGridRow(r);
    });
}

bool Finder::atTop() { return TopKey == BatchTopKey; }

bool Finder::atBot() { return BottomKey == BatchBottomKey; }

}  // namespace engine
