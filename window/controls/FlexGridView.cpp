// Rows, header, font and the user's keys and mouse on the lookup grid.
//
// The view keeps no selection of its own: the selected block belongs to the
// grid and is painted by the model. User moves select whole rows, as the
// window's own selections do; Shift with a move, a Shift-click or a drag
// stretches the block over several rows.
#include "window/controls/FlexGridView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include "window/controls/SystemFont.h"
#include "window/controls/Twips.h"

namespace window {

namespace {

constexpr double RowTwips = 255;

// A header exactly one grid row high, whatever the style would like.
class FixedHeightHeader : public QHeaderView {
public:
    explicit FixedHeightHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}
    QSize sizeHint() const override { return {QHeaderView::sizeHint().width(), twipsToPixelsY(RowTwips)}; }
};

}  // namespace

FlexGridView::FlexGridView(QWidget* parent) : QTableView(parent) {
    setFont(systemFont());

    setHorizontalHeader(new FixedHeightHeader(this));
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
    verticalHeader()->setDefaultSectionSize(rowHeightPixels());

    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
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

int FlexGridView::rowHeightPixels() const { return twipsToPixelsY(RowTwips); }

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
            if (target.isValid() && input_) input_->userSelect(target.row() + 1, e->modifiers() & Qt::ShiftModifier);
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
    const QModelIndex cell = indexAt(pos);
    if (input_) input_->userMouseAt(cell.isValid() ? cell.row() + 1 : -1, cell.isValid() ? cell.column() : -1);
}

void FlexGridView::mousePressEvent(QMouseEvent* e) {
    mouseAt(e->position().toPoint());
    if (e->button() != Qt::LeftButton) return;
    pressed_ = true;
    const QModelIndex cell = indexAt(e->position().toPoint());
    if (cell.isValid() && input_) input_->userSelect(cell.row() + 1, e->modifiers() & Qt::ShiftModifier);
}

void FlexGridView::mouseMoveEvent(QMouseEvent* e) {
    mouseAt(e->position().toPoint());
    if (!pressed_ || !(e->buttons() & Qt::LeftButton)) return;
    const QModelIndex cell = indexAt(e->position().toPoint());
    if (cell.isValid() && input_) input_->userSelect(cell.row() + 1, true);
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
