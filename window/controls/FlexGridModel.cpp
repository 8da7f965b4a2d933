// Cell storage, header row and selection colours of the lookup grid.
#include "window/controls/FlexGridModel.h"

#include <QGuiApplication>
#include <QPalette>
#include <algorithm>

namespace window {

namespace {
constexpr int GeneralAlignment = 9;

// The highlight a third of the way from the background, for a selection the
// keyboard is not on.
QColor paleHighlight() {
    const QPalette palette = QGuiApplication::palette();
    const QColor high = palette.color(QPalette::Highlight), base = palette.color(QPalette::Base);
    auto mix = [](int h, int b) { return (h + 2 * b) / 3; };
    return QColor(mix(high.red(), base.red()), mix(high.green(), base.green()), mix(high.blue(), base.blue()));
}
}  // namespace

Qt::Alignment qtAlignment(int code) {
    if (code < 0 || code > 8) return Qt::AlignLeft | Qt::AlignVCenter;
    static const Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static const Qt::Alignment vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return horizontal[code / 3] | vertical[code % 3];
}

FlexGridModel::FlexGridModel() : alignments_(size_t(cols_), GeneralAlignment) { rows_.assign(2, emptyRow()); }

QStringList FlexGridModel::emptyRow() const {
    QStringList row;
    row.reserve(cols_);
    for (int c = 0; c < cols_; ++c) row.append(QString());
    return row;
}

int FlexGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : gridRows() - 1; }
int FlexGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : cols_; }

// The lookup selects by row: the rows of the block are highlighted whole,
// whichever cell of them is the current one.
bool FlexGridModel::selected(int row) const {
    return row >= std::min(block_.row1, block_.row2) && row <= std::max(block_.row1, block_.row2);
}

QVariant FlexGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row() + 1, col = index.column();
    switch (role) {
        case Qt::DisplayRole:
            return text(row, col);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(qtAlignment(alignment(col)));
        case Qt::BackgroundRole:
            if (!selected(row)) return {};
            if (keyboardHere_) return QGuiApplication::palette().brush(QPalette::Highlight);
            return paleHighlight();
        case Qt::ForegroundRole:
            if (!selected(row)) return {};
            return QGuiApplication::palette().brush(keyboardHere_ ? QPalette::HighlightedText : QPalette::Text);
        default:
            return {};
    }
}

QVariant FlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= cols_) return {};
    if (role == Qt::DisplayRole) return text(0, section);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

Qt::ItemFlags FlexGridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void FlexGridModel::setGridRows(int n) {
    const int now = gridRows();
    if (n > now) {
        beginInsertRows({}, now - 1, n - 2);
        rows_.resize(size_t(n), emptyRow());
        endInsertRows();
    } else if (n < now) {
        beginRemoveRows({}, n - 1, now - 2);
        rows_.resize(size_t(n));
        endRemoveRows();
    }
}

void FlexGridModel::setGridCols(int n) {
    const int now = cols_;
    if (n == now) return;
    if (n > now)
        beginInsertColumns({}, now, n - 1);
    else
        beginRemoveColumns({}, n, now - 1);
    cols_ = n;
    for (QStringList& row : rows_) {
        while (row.size() < n) row.append(QString());
        while (row.size() > n) row.removeLast();
    }
    alignments_.resize(size_t(n), GeneralAlignment);
    if (n > now)
        endInsertColumns();
    else
        endRemoveColumns();
}

void FlexGridModel::setText(int row, int col, const QString& text) {
    rows_[size_t(row)][col] = text;
    if (row == 0)
        emit headerDataChanged(Qt::Horizontal, col, col);
    else
        emit dataChanged(index(row - 1, col), index(row - 1, col), {Qt::DisplayRole});
}

void FlexGridModel::insertGridRow(int row, QStringList cells) {
    while (cells.size() < cols_) cells.append(QString());
    while (cells.size() > cols_) cells.removeLast();
    beginInsertRows({}, row - 1, row - 1);
    rows_.insert(rows_.begin() + row, std::move(cells));
    endInsertRows();
}

void FlexGridModel::removeGridRow(int row) {
    beginRemoveRows({}, row - 1, row - 1);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
}

void FlexGridModel::setAlignment(int col, int code) {
    alignments_[size_t(col)] = code;
    emit dataChanged(index(0, col), index(rowCount() - 1, col), {Qt::TextAlignmentRole});
}

void FlexGridModel::setKeyboardHere(bool here) {
    if (here == keyboardHere_) return;
    keyboardHere_ = here;
    setSelectedBlock(block_);
}

void FlexGridModel::setSelectedBlock(const Block& block) {
    // Only the rows of the old and the new block change colour.
    const int top = std::min({block_.row1, block_.row2, block.row1, block.row2});
    const int bottom = std::max({block_.row1, block_.row2, block.row1, block.row2});
    block_ = block;
    const int first = std::max(top, 1) - 1, last = std::min(bottom, gridRows() - 1) - 1;
    if (first <= last)
        emit dataChanged(index(first, 0), index(last, cols_ - 1), {Qt::BackgroundRole, Qt::ForegroundRole});
}

}  // namespace window
