// Sizing the grid's columns to their contents: all of them when automatic
// widths are on, or one by a double click on its header.
#include <QCursor>

#include "errors/ErrorTrap.h"
#include "window/ColumnSizing.h"
#include "window/frmTrovex.h"

namespace window {

namespace {

// The busy pointer over the window while columns are measured; the default
// pointer comes back however the sizing ends.
class BusyPointer {
public:
    explicit BusyPointer(QWidget& window) : window_(window) { window_.setCursor(Qt::WaitCursor); }
    ~BusyPointer() { window_.unsetCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    QWidget& window_;
};

}  // namespace

// Every column as wide as its longest text. A key column the engine hid
// (width 0) stays hidden. Widths set before an error stay.
void frmTrovex::Size_GridColumns() {
    errors::Trap(QStringLiteral("frmTrovex.Size_GridColumns"), errors::Via::Messenger).endOnError([&] {
        const BusyPointer busy(*this);
        const bool keyColumnHidden = FinderGrid.ColWidth(0) == 0;
        for (int col = 0; col < FinderGrid.Cols(); ++col) {
            if (col == 0 && keyColumnHidden) continue;
            FinderGrid.setColWidth(
                col, fittedColumnWidth(longestText(FinderGrid, col, Candidate::AsShown), FinderGrid.font()));
        }
    });
}

// One column as wide as its longest text without outer blanks, hidden or
// not; errors go to the double click's trap.
void frmTrovex::SizeHeaderColumn(int col) {
    const BusyPointer busy(*this);
    FinderGrid.setColWidth(col, fittedColumnWidth(longestText(FinderGrid, col, Candidate::Trimmed), FinderGrid.font()));
}

}  // namespace window
