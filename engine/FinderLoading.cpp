// Loading one batch into the grid: the first batch under a filter
// (FillFinderGrid), a batch placed at a start value the user typed
// (StartFinderWith), rebuilding the grid's header and batch size for its
// height (SetupFinderGrid), and the display text of a field (ColumnText).
#include "accpac/AccpacField.h"
#include "accpac/Blanks.h"
#include "engine/Finder.h"
#include "engine/FinderInternal.h"
#include "window/frmTrovex.h"

namespace engine {

using detail::engineTrap;

namespace {

constexpr double HorizontalScrollBarTwips = 240;

// "FIELD op "value"" plus the load's filter in brackets, so that an OR in
// the filter cannot escape the start condition.
QString startCondition(const QString& keyCondition, const QString& filter) {
    if (filter.isEmpty()) return keyCondition;
    return keyCondition + QStringLiteral(" AND (") + filter + QLatin1Char(')');
}

}  // namespace

QString Finder::Pickup_Presentation_String(const FinderCol& column, std::int16_t code) {
    QString text;
    engineTrap("Pickup_Presentation_String").endOnError([&] {
        const accpac::AccpacPresentationList& list = fields().Item(column.fieldname).PresentationList();
        for (int i = 0; i < list.Count(); ++i) {
            if (list.Item(i).Value == code) {
                text = list.Item(i).Text;
                return;
            }
        }
    });
    return text;
}

QString Finder::ColumnText(const FinderCol& column) {
    const accpac::AccpacField& field = fields().Item(column.fieldname);
    const accpac::Variant& value = field.Value();
    QString text;
    if (field.PresentationType() == accpac::PresentationCoded) {
        if (value.type() == accpac::Variant::Type::Boolean || value.isNull()) {
            // A flag shows the list entry by position: 0 for false, 1 for true.
            const bool on = !value.isNull() && value.asBool();
            text = field.PresentationList().Item(on ? 1 : 0).Text;
        } else {
            text = Pickup_Presentation_String(column, accpac::presentationCode(value));
        }
    } else {
        text = value.toText();
    }
    return accpac::trimBlanks(text);
}

void Finder::ClearFinderGrid() {
    window::FlexGrid& g = grid();
    const int r = g.Rows() - 2;
    g.AddItem(QString());
    for (int i = 0; i <= r; ++i) g.RemoveItem(1);
}

void Finder::SetupFinderGrid() {
    ClearFinderGrid();
    window::FlexGrid& g = grid();
    double total = 0;
    for (std::size_t c = 0; c < FinderCols.size(); ++c) {
        const FinderCol& col = FinderCols[c];
        g.setTextMatrix(0, int(c), accpac::trimBlanks(fields().Item(col.fieldname).Description()));
        g.setColWidth(int(c), col.ColWidth);
        g.setColAlignment(int(c), col.Alignment);
        total += g.ColWidth(int(c));
    }
    // Columns wider than the grid bring a horizontal scroll bar, which covers
    // the bottom row; the batch is then one row shorter so no record hides under it.
    const bool horizontalBar = window::FlexGrid::horizontalBarExpected(int(FinderCols.size()), g.Width(), total);
    if (horizontalBar) {
        BatchRows = std::int16_t(VisibleRows - 1);
        form().ScrollBar1.setHeight(g.Height() - HorizontalScrollBarTwips);
    } else {
        BatchRows = VisibleRows;
        form().ScrollBar1.setHeight(g.Height());
    }
    selectGridRow(1);
}

void Finder::FillFinderGrid(QString& filter) {
    // A failing step is reported and the load goes on, so one bad cell or
    // fetch still leaves the user a grid to work with.
    errors::Trap trap = engineTrap("FillFinderGrid");
    BottomKey.clear();
    BatchBottomKey.clear();
    trap([&] { OrderKeyField = accpac::trimBlanks(columnAt(OrderKeyCol).fieldname); });
    FinderResult1.clear();
    FinderResult2.clear();

    // The first load passes the standing filter itself; a search adds its
    // own condition to it.
    QString f;
    if (StartFilter.isEmpty())
        f = filter;
    else if (filter.isEmpty() || filter == StartFilter)
        f = StartFilter;
    else
        f = StartFilter + QStringLiteral(" AND ") + filter;
    CurrentFilter = f;

    trap([&] {
        // The document view reads through its composed header view, which
        // wants a record of its own first.
        if (view().ViewID() == QLatin1String("AR0042")) detail::bound(ViewAR0041).Fetch();
    });
    trap([&] {
        const QString id = view().ViewID();
        if (id != QLatin1String("AR0041") && id != QLatin1String("AR0042")) resetView();
    });
    trap([&] { putPreset(); });
    trap([&] { view().setOrder(ViewOrder); });
    trap([&] { view().Browse(f, true); });
    trap([&] { VisibleRows = rowsThatFit(); });
    trap([&] { SetupFinderGrid(); });

    bool more = false;
    const int n = fillRows(more, {&BatchTopKey, &TopKey}, &trap);
    if (n < BatchRows) BottomKey = BatchBottomKey;
    trap([&] { form().updateScroll(); });
}

void Finder::StartFinderWith(QString& filter, const QString& startValue) {
    engineTrap("StartFinderWith").endOnError([&] {
        CurrentFilter = filter;
        FinderResult1 = startValue;
        FinderResult2.clear();

        // The first record under the filter, whatever the start value, is the
        // top of the view for the scroll bar and for paging back.
        resetView();
        putPreset();
        view().setOrder(ViewOrder);
        view().Browse(filter, true);
        view().Fetch();
        OrderKeyField = columnAt(OrderKeyCol).fieldname;
        TopKey = accpac::trimBlanks(fields().Item(OrderKeyField).Value().toText());

        resetView();
        view().setOrder(ViewOrder);
        view().Browse(QLatin1Char(' ') + startCondition(keyCondition(QStringLiteral(" >= "), startValue), filter),
                      true);
        VisibleRows = rowsThatFit();
        SetupFinderGrid();

        bool more = false;
        const int n = fillRows(more, {&BatchTopKey});
        int selRow = 1;
        if (n < BatchRows) {
            // Too few records from the start value on: fill the batch up with
            // those just before it, so the grid is full and the user sees
            // where the start value would be.
            resetView();
            putMaxKey();
            view().setOrder(ViewOrder);
            view().Browse(startCondition(keyCondition(QStringLiteral(" < "), startValue), filter), false);
            const int k = fillRowsAbove(BatchRows - n, more, n == 0, {});
            // The first record at or after the start value, or with none, the
            // nearest one before it (the last row).
            selRow = 1 + k - (n == 0 && k > 0 ? 1 : 0);
        }
        selectGridRow(selRow);
        if (!view().Fetch()) BottomKey = BatchBottomKey;
        form().updateScroll();
    });
}

}  // namespace engine
