// Searching and selecting.
//
// A search reloads the grid under the chosen column, condition and text,
// always from the top of the result. The lookup ends with a selection
// (Select, Enter in the grid, a double click on a data row), which hands the
// row's texts in the result columns to the engine, or with Cancel.
#include "accpac/AccpacError.h"
#include "accpac/Blanks.h"
#include "errors/ErrorTrap.h"
#include "errors/MessageBox.h"
#include "window/controls/KeyCodes.h"
#include "window/frmTrovex.h"

namespace window {

namespace {

// The grid column a result field names ("0", "1", "3"). Anything but a
// whole number is a fault of the lookup's set-up, reported as a type mismatch.
int resultColumn(const QString& resultField) {
    bool whole = false;
    const int column = accpac::trimBlanks(resultField).toInt(&whole);
    if (!whole) throw accpac::AccpacError(accpac::errnum::TypeMismatch, QStringLiteral("Type mismatch"));
    return column;
}

}  // namespace

// The field name at the chosen position of the column list ("" for none).
QString frmTrovex::currentSearchField() const { return cboFindby.List(cboFindby.ListIndex()); }

// A search: the thumb goes home before the result loads.
void frmTrovex::RunSearch() {
    Reset_Scroll();
    findNow();
}

void frmTrovex::findNow() {
    QString field = currentSearchField();
    auto condition = std::int16_t(cboCondition.ListIndex());
    engine().FindNow(field, condition, txtSearch.Text());
}

// A new column takes effect with the next search; the text stays.
void frmTrovex::cboFindDesc_Click() { cboFindby.setListIndex(cboFindDesc.ListIndex()); }

void frmTrovex::txtSearch_Change() {
    if (chkAuto.Value() == 1) RunSearch();
}

// Auto search on: Find has nothing left to do, and the box's text is
// searched at once (but not while the remembered option comes back at
// activation). Without a searchable column there is nothing to search
// automatically, so Find stays.
void frmTrovex::chkAuto_Click() {
    if (chkAuto.Value() == 1 && !currentSearchField().isEmpty()) {
        pbxFind.setEnabled(false);
        Reset_Scroll();
        if (!activating) findNow();
    } else {
        pbxFind.setEnabled(true);
    }
}

void frmTrovex::chkSize_Click() {
    if (chkSize.Value() == 1) Size_GridColumns();
}

void frmTrovex::pbxFind_Click() { RunSearch(); }

void frmTrovex::pbxSelect_Click() { Return_Selection(); }

void frmTrovex::pbxCancel_Click() {
    FinderEngine& finder = engine();
    finder.FinderResult1.clear();
    finder.FinderResult2.clear();
    Close_Finder();
}

// Select can be pressed once the grid has been entered.
void frmTrovex::FinderGrid_GotFocus() { pbxSelect.setEnabled(true); }
void frmTrovex::FinderGrid_Click() { pbxSelect.setEnabled(true); }

// Enter in the grid selects, even before Select is enabled.
void frmTrovex::FinderGrid_KeyPress(int charCode) {
    if (charCode == vk::Enter) pbxSelect_Click();
}

// A double click on a data row selects it (even before Select is enabled);
// on the header it sizes the column under the mouse to its longest text.
// Where there is no cell under the mouse it does nothing.
void frmTrovex::FinderGrid_DblClick() {
    errors::Trap(QStringLiteral("frmTrovex.FinderGrid_DblClick"), errors::Via::Messenger).endOnError([&] {
        if (FinderGrid.MouseRow() > 0) {
            pbxSelect_Click();
        } else if (FinderGrid.MouseRow() == 0 && FinderGrid.MouseCol() >= 0) {
            SizeHeaderColumn(FinderGrid.MouseCol());
        }
    });
}

// Hands the selected row's texts (as displayed) to the engine and ends the
// lookup. A block of several rows is refused with a warning, and the lookup
// then ends without a result.
void frmTrovex::Return_Selection() {
    FinderEngine& finder = engine();
    const FlexGrid& grid = FinderGrid;
    if (grid.RowSel() != grid.Row()) {
        errors::showMessage({QStringLiteral("Invalid Selection"), QStringLiteral("Please make only one selection."),
                             errors::MessageIcon::Exclamation, 0});
    } else {
        const int row = grid.Row();
        finder.FinderResult1 = grid.TextMatrix(row, resultColumn(finder.ResultField1));
        finder.FinderResult2 = grid.TextMatrix(row, resultColumn(finder.ResultField2));
        if (!finder.ResultField3.isEmpty())
            finder.FinderResult3 = grid.TextMatrix(row, resultColumn(finder.ResultField3));
    }
    Close_Finder();
}

}  // namespace window
