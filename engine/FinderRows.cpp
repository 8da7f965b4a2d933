// The steps every load and every move shares: resetting the view and putting
// the values that position a browse, the key conditions of the filters, and
// turning the view's current record into a grid row while remembering its
// order-key text. None has a trap: a failure reaches the operation that
// called it, which reports it with its own label.

#include "accpac/AccpacField.h"
#include "engine/Finder.h"
#include "engine/FinderInternal.h"
#include "window/frmTrovex.h"

namespace engine {

using detail::bound;

accpac::AccpacView& Finder::view() { return bound(FinderView); }

accpac::AccpacFields& Finder::fields() { return bound(FinderFields); }

window::FlexGrid& Finder::grid() { return form().FinderGrid; }

std::int16_t Finder::rowsThatFit() { return std::int16_t(window::FlexGrid::wholeRows(grid().Height())); }

FinderCol& Finder::columnAt(std::int32_t index) {
    if (index < 0 || std::size_t(index) >= FinderCols.size())
        throw accpac::AccpacError(accpac::errnum::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    return FinderCols[std::size_t(index)];
}

void Finder::resetView() {
    view().ClearRecord();
    view().ResetBrowse(false);
}

void Finder::putPreset() {
    if (!PresetValue.isEmpty()) fields().Item(PresetField).setValue(PresetValue);
}

void Finder::putMaxKey() {
    // A descending browse starts from the value put into the key; the
    // maximum the lookup gave stands for the top of the key range, so the
    // browse starts at the view's last record whatever its keys read.
    fields().Item(OrderKeyField).setMaxKey(MaxKeyValue);
}

QString Finder::keyCondition(const QString& op, const QString& key) const {
    return OrderKeyField + op + QLatin1Char('"') + key + QLatin1Char('"');
}

QString Finder::keyFilter(const QString& op, const QString& key) const {
    // The key condition comes last so that paging stays inside the filter the
    // grid was loaded with (a search, the lookup's standing filter).
    if (CurrentFilter.isEmpty()) return keyCondition(op, key);
    return CurrentFilter + QStringLiteral(" AND ") + keyCondition(op, key);
}

QStringList Finder::rowCells(const KeyTargets& keys, errors::Trap* goOn) {
    QStringList cells;
    cells.reserve(qsizetype(FinderCols.size()));
    QString s;
    for (std::size_t c = 0; c < FinderCols.size(); ++c) {
        // Going on after a failing cell leaves it with the text before it, as
        // the statement that failed did not change it.
        if (goOn)
            (*goOn)([&] { s = ColumnText(FinderCols[c]); });
        else
            s = ColumnText(FinderCols[c]);
        cells << s;
        if (c == std::size_t(OrderKeyCol))
            for (QString* key : keys) *key = s;
    }
    return cells;
}

QString Finder::rowText(const KeyTargets& keys) { return rowCells(keys).join(QLatin1Char('\t')); }

namespace {
// The targets of one row's key: `each`, and for the first row also `first`.
std::vector<QString*> rowKeys(QString* each, const std::vector<QString*>& first, bool firstRow) {
    std::vector<QString*> keys{each};
    if (firstRow) keys.insert(keys.end(), first.begin(), first.end());
    return keys;
}
}  // namespace

int Finder::fillRows(bool& more, const KeyTargets& firstRowKeys, errors::Trap* goOn) {
    auto step = [goOn](auto&& statement) {
        if (goOn)
            (*goOn)(statement);
        else
            statement();
    };
    window::FlexGrid& g = grid();
    int n = 0;
    step([&] { more = view().Fetch(); });
    // Stopping only when the batch is full reads one record past it: the end
    // of the view is known when that read finds nothing.
    while (n < BatchRows && more) {
        step([&] { g.setRows(n + 2); });
        const QStringList cells = rowCells(rowKeys(&BatchBottomKey, firstRowKeys, n == 0), goOn);
        // Cell by cell, so a text holding a TAB stays in its cell.
        for (int c = 0; c < int(cells.size()); ++c) step([&] { g.setTextMatrix(n + 1, c, cells[c]); });
        ++n;
        step([&] { more = view().Fetch(); });
    }
    return n;
}

int Finder::fillRowsAbove(int limit, bool& more, bool dropEmptyRow, const KeyTargets& firstRowKeys) {
    window::FlexGrid& g = grid();
    int k = 0;
    more = view().Fetch();
    // The records come downwards; inserting each under the header leaves the
    // rows in ascending order with the topmost key in BatchTopKey.
    while (k < limit && more) {
        g.AddItem(rowText(rowKeys(&BatchTopKey, firstRowKeys, k == 0)), 1);
        more = view().Fetch();
        if (k == 0 && dropEmptyRow) g.setRows(2);
        ++k;
    }
    return k;
}

void Finder::selectGridRow(int row) {
    window::FlexGrid& g = grid();
    g.setRow(row);
    g.setCol(0);
    g.setRowSel(g.Row());
    g.setColSel(g.Cols() - 1);
}

}  // namespace engine
