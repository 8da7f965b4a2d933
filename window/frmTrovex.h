// The modal lookup window: the grid of the current batch, the scroll bar that
// stands for the place in the whole view, the search controls and the Find,
// Select and Cancel buttons.
//
// One window belongs to one engine, which creates it and sets
// `finderInstance`. The engine fills the controls directly; the window's
// handlers call back into the engine. Control changes made by code raise the
// controls' handlers before the change returns, as a user's change would;
// `activating`, `closing`, `lastScroll`, `scrollkey` and `scrollbarFocus`
// guard against unwanted work in those re-entries.
//
// The handlers live in files by concern: frmTrovex.cpp (creation, activation,
// layout, closing), frmTrovexUi.cpp (the controls' design and the Qt
// plumbing), frmTrovexColumns.cpp (column widths), frmTrovexScroll.cpp
// (scrolling and keyboard paging), frmTrovexSearch.cpp (search and
// selection).
#pragma once

#include <QDialog>
#include <cstdint>

#include "accpac/Variant.h"
#include "window/FinderEngine.h"
#include "window/controls/CheckBox.h"
#include "window/controls/ComboList.h"
#include "window/controls/FlexGrid.h"
#include "window/controls/PushButton.h"
#include "window/controls/TextBox.h"
#include "window/controls/VScrollBar.h"

namespace window {

class frmTrovex : public QDialog {
    Q_OBJECT

public:
    explicit frmTrovex(QWidget* parent = nullptr);
    ~frmTrovex() override;

    // --- fields the engine reads and writes ---------------------------------
    FinderEngine* finderInstance = nullptr;              // the engine serving this window (not owned)
    std::int16_t scrollbarFocus = accpac::IntegerFalse;  // IntegerTrue while ScrollBar1 has the focus
    std::int16_t scrollkey = accpac::IntegerFalse;       // IntegerTrue while a key on ScrollBar1 is handled

    // --- controls, in tab order ---------------------------------------------
    Control FindByLabel;     // "Find By"
    ComboList cboFindDesc;   // descriptions of the searchable columns
    ComboList cboCondition;  // "Starts with" / "Contains"
    TextBox txtSearch;
    PushButton pbxFind;   // "&Find"
    CheckBox chkAuto;     // "&Auto Search"
    ComboList cboFindby;  // field names, same positions as cboFindDesc; never visible
    TextBox txtScroll;    // keyboard sink for paging, hidden under pbxFind
    FlexGrid FinderGrid;
    VScrollBar ScrollBar1;  // 0..100, steps 10 and 1
    CheckBox chkSize;       // "Auto Size column widths"
    PushButton pbxSelect;   // "&Select"
    PushButton pbxCancel;   // "&Cancel"
    Control Shape1;         // outline 15 twips outside the grid

    // Places the thumb by where the batch lies (top, middle, bottom; Max 0
    // when the whole view is in the grid) and sizes the columns when
    // automatic widths are on. Called by the engine after every load.
    void updateScroll();

    // --- what running a lookup uses (with QWidget's caption and window state)
    // Runs the window modally (a nested event loop); returns when
    // Close_Finder has hidden it or the user closed it from its frame.
    void showModal();
    // Ends the window: hidden, and no routine of it runs any more. The
    // engine then destroys it.
    void unload();
    bool isClosing() const { return closing != 0; }

    // Inner width and height in twips (the window's scale size).
    double ScaleWidth() const;
    double ScaleHeight() const;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    // Creation, activation and layout.
    void designControls();
    void connectHandlers();
    void Form_Initialize();
    void Form_Activate();
    void Form_Resize();
    FinderEngine& engine() const;  // finderInstance; throws 91 when there is none
    // Sizing the columns to their contents.
    void Size_GridColumns();
    void SizeHeaderColumn(int col);
    // Ending the lookup.
    void Close_Finder();
    void Return_Selection();
    // Scrolling and keyboard paging.
    void Reset_Scroll();
    void placeThumb(int value);
    void Select_EdgeRow(bool first);
    void Move_Selection(bool up);
    void selectWholeRow(int row);
    bool onEdgeRow() const;  // the selection is on the first or the last data row
    void pageOrMoveSelection(int keyCode);
    void ScrollBar1_Change();
    void ScrollBar1_GotFocus();
    void ScrollBar1_LostFocus();
    void ScrollBar1_KeyDown(int keyCode, int shift);
    void txtScroll_KeyDown(int keyCode, int shift);
    void FinderGrid_EnterCell();
    // Searching and selecting.
    QString currentSearchField() const;
    void RunSearch();
    void findNow();
    void cboFindDesc_Click();
    void txtSearch_Change();
    void chkAuto_Click();
    void chkSize_Click();
    void pbxFind_Click();
    void pbxSelect_Click();
    void pbxCancel_Click();
    void FinderGrid_GotFocus();
    void FinderGrid_Click();
    void FinderGrid_DblClick();
    void FinderGrid_KeyPress(int charCode);

    std::int16_t lastScroll = 0;                     // the thumb place the window last set or acted on
    std::int16_t activating = accpac::IntegerFalse;  // IntegerTrue while Form_Activate runs
    std::int16_t closing = accpac::IntegerFalse;     // IntegerTrue from Close_Finder on; never cleared
    bool activated_ = false;                         // Form_Activate has run for this showing
    bool unloaded_ = false;
};

}  // namespace window
