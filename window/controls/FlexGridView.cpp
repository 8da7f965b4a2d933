// Rows, header, font, focus and the user's keys and mouse on the lookup grid.
//
// The view keeps no selection of its own: the selected block belongs to the
// grid and is painted by the model. User moves select whole rows, as the
// window's own selections do; Shift with a move, a Shift-click or a drag
// stretches the block over several rows.
//
// The view never scrolls by rows: the batch is as long as the grid's height
// allows, and the rows are laid out so that the header and every row of the
// batch are in sight together, whatever the screen's resolution.
#include "window/controls/FlexGridView.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <algorithm>

#include "window/controls/FlexGridModel.h"
#include "window/controls/SystemFont.h"
#include "window/controls/Twips.h"

namespace window {

namespace {
constexpr double RowTwips = 255;
}  // namespace

FlexGridView::FlexGridView(QWidget* parent) : QTableView(parent) {
    setFont(systemFont());

    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->viewport()->installEventFilter(this);
    horizontalHeader()->viewport()->setMouseTracking(true);

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(0);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAutoScroll(false);

    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    layOutRows();
}

void FlexGridView::fitRows(int rows, bool barExpected) {
    rowsInSight_ = std::max(rows, 1);
    setHorizontalScrollBarPolicy(barExpected ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
    layOutRows();
}

// Rows of 255 twips where they fit; where the batch needs more room than
// that (its length is counted in whole rows of the grid's height, without
// the header), every row gives up the same few pixels.
void FlexGridView::layOutRows() {
    const QRect inside = contentsRect();
    int room = inside.height();
    const bool bar =
        horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ||
        (horizontalScrollBarPolicy() == Qt::ScrollBarAsNeeded && horizontalHeader()->length() > inside.width());
    if (bar) room -= horizontalScrollBar()->sizeHint().height();
    const int pixels = std::clamp(room / rowsInSight_, 1, twipsToPixelsY(RowTwips));
    if (pixels == rowPixels_) return;
    rowPixels_ = pixels;
    horizontalHeader()->setFixedHeight(pixels);
    verticalHeader()->setDefaultSectionSize(pixels);
    for (int r = 0; r < verticalHeader()->count(); ++r) verticalHeader()->resizeSection(r, pixels);
    updateGeometries();
}

void FlexGridView::resizeEvent(QResizeEvent* e) {
    QTableView::resizeEvent(e);
    layOutRows();
}

void FlexGridView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    QTableView::scrollTo(index, hint);
    verticalScrollBar()->setValue(0);
}

void FlexGridView::setFocusStandIn(QWidget* standIn) {
    focusStandIn_ = standIn;
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (focusStandIn_ && (old == focusStandIn_ || now == focusStandIn_)) focusMoved();
    });
}

void FlexGridView::focusMoved() {
    if (auto* cells = dynamic_cast<FlexGridModel*>(model())) cells->setKeyboardHere(showsFocus());
    viewport()->update();
}

bool FlexGridView::showsFocus() const { return hasFocus() || (focusStandIn_ && focusStandIn_->hasFocus()); }

void FlexGridView::focusInEvent(QFocusEvent* e) {
    QTableView::focusInEvent(e);
    focusMoved();
}

void FlexGridView::focusOutEvent(QFocusEvent* e) {
    QTableView::focusOutEvent(e);
    focusMoved();
}

// The current row carries the style's focus mark while the grid (or the
// control that pages for it) has the keyboard, and the selected rows are
// painted in the full highlight only then: the rows are selected whole, so
// the mark goes round the whole row.
void FlexGridView::paintEvent(QPaintEvent* e) {
    QTableView::paintEvent(e);
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !showsFocus()) return;
    const int right = std::min(viewport()->width(), horizontalHeader()->length() - horizontalOffset());
    QStyleOptionFocusRect mark;
    mark.initFrom(this);
    mark.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
    mark.rect = QRect(0, rowViewportPosition(current.row()), std::max(right, 1), rowHeight(current.row()));
    mark.backgroundColor = palette().color(QPalette::Highlight);
    QPainter painter(viewport());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &mark, &painter, this);
}

QAbstractItemView::CursorAction FlexGridView::cursorAction(int key) {
    switch (key) {
        case Qt::Key_Up:
            return QAbstractItemView::MoveUp;
        case Qt::Key_Down:
            return QAbstractItemView::MoveDown;
        case Qt::Key_PageUp:
            return QAbstractItemView::MovePageUp;
        case Qt::Key_PageDown:
            return QAbstractItemView::MovePageDown;
        case Qt::Key_Home:
            return QAbstractItemView::MoveHome;
        default:
            return QAbstractItemView::MoveEnd;
    }
}

void FlexGridView::keyPressEvent(QKeyEvent* e) {
    if (!e->text().isEmpty() && input_) input_->userKeyPress(e->text().at(0).unicode());
    switch (e->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End: {
            const QModelIndex target = moveCursor(cursorAction(e->key()), e->modifiers());
            if (target.isValid() && input_)
                input_->userSelect(target.row() + 1, target.column(), e->modifiers() & Qt::ShiftModifier);
            e->accept();
            return;
        }
        case Qt::Key_Left:
        case Qt::Key_Right:
            // Whole rows are selected, so the side keys only bring hidden
            // columns into view.
            horizontalScrollBar()->triggerAction(e->key() == Qt::Key_Left ? QAbstractSlider::SliderSingleStepSub
                                                                          : QAbstractSlider::SliderSingleStepAdd);
            e->accept();
            return;
        default:
            // Enter, Escape and the rest belong to the window, not to the
            // view's own editing and searching.
            e->ignore();
    }
}

void FlexGridView::mouseAt(const QPoint& pos) {
    const int row = rowAt(pos.y());
    if (input_) input_->userMouseAt(row >= 0 ? row + 1 : -1, columnAt(pos.x()));
}

// A press anywhere on a data row, right of its last column too, moves to
// that row; on a cell it also makes that cell's column the current one.
void FlexGridView::mousePressEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    mouseAt(pos);
    if (e->button() != Qt::LeftButton) return;
    pressed_ = true;
    const int row = rowAt(pos.y());
    if (row >= 0 && input_) input_->userSelect(row + 1, columnAt(pos.x()), e->modifiers() & Qt::ShiftModifier);
}

void FlexGridView::mouseMoveEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    mouseAt(pos);
    if (!pressed_ || !(e->buttons() & Qt::LeftButton)) return;
    const int row = rowAt(pos.y());
    if (row >= 0 && input_) input_->userSelect(row + 1, -1, true);
}

void FlexGridView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    if (input_) input_->userClick();
}

void FlexGridView::mouseDoubleClickEvent(QMouseEvent* e) {
    mouseAt(e->position().toPoint());
    if (e->button() == Qt::LeftButton && input_) input_->userDblClick();
}

// The header row: the mouse position over it, and the left button's
// clicks, which are the grid's own (the header neither sorts nor selects).
bool FlexGridView::eventFilter(QObject* watched, QEvent* e) {
    const bool mouse = e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease ||
                       e->type() == QEvent::MouseButtonDblClick || e->type() == QEvent::MouseMove;
    if (watched != horizontalHeader()->viewport() || !mouse) return QTableView::eventFilter(watched, e);
    auto* m = static_cast<QMouseEvent*>(e);
    if (input_) input_->userMouseAt(0, horizontalHeader()->logicalIndexAt(m->position().toPoint()));
    if (e->type() == QEvent::MouseMove) return false;  // hovering stays the header's
    if (m->button() != Qt::LeftButton || !input_) return true;
    if (e->type() == QEvent::MouseButtonPress) {
        pressed_ = true;
    } else if (e->type() == QEvent::MouseButtonRelease && pressed_) {
        pressed_ = false;
        input_->userClick();
    } else if (e->type() == QEvent::MouseButtonDblClick) {
        input_->userDblClick();
    }
    return true;
}

}  // namespace window
