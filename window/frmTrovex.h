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
#pragma once

#include "window/FinderEngine.h"
#include "window/controls/CheckBox.h"
#include "window/controls/ComboList.h"
#include "window/controls/FlexGrid.h"
#include "window/controls/PushButton.h"
#include "window/controls/TextBox.h"
#include "window/controls/VScrollBar.h"

#include <QDialog>
#include <cstdint>
#include <memory>

class QLabel;
class QFrame;

namespace window {

class frmTrovex : public QDialog {
    Q_OBJECT

public:
    explicit frmTrovex(QWidget* parent = nullptr);
    ~frmTrovex() override;

    // --- fields the engine reads and writes ---------------------------------
    FinderEngine* finderInstance = nullptr;  // the engine serving this window (not owned)
    std::int16_t scrollbarFocus = 0;         // True (-1) while ScrollBar1 has the focus
    std::int16_t scrollkey = 0;              // True while a key on ScrollBar1 is handled

    // --- controls, in tab order -----------------------------------------------
    ComboList cboFindDesc;  // descriptions of the searchable columns
    ComboList cboCondition; // "Starts with" / "Contains"
    TextBox txtSearch;
    PushButton pbxFind;     // "&Find"
    CheckBox chkAuto;       // "&Auto Search"
    ComboList cboFindby;    // field names, same positions as cboFindDesc; never visible
    TextBox txtScroll;      // keyboard sink for paging, hidden under pbxFind
    FlexGrid FinderGrid;
    VScrollBar ScrollBar1;  // 0..100, steps 10 and 1
    CheckBox chkSize;       // "Auto Size column widths"
    PushButton pbxSelect;   // "&Select"
    PushButton pbxCancel;   // "&Cancel"
    QLabel* FindByLabel;    // "Find By"
    QFrame* Shape1;         // outline 15 twips outside the grid

    // Places the thumb by where the batch lies (top, middle, bottom) and
    // sizes the columns when automatic widths are on. Called by the engine
    // after every load.
    void updateScroll();

    // Inner width and height in twips (ScaleWidth/ScaleHeight).
    double ScaleWidth() const;
    double ScaleHeight() const;
    // Runs the window modally; returns when Close_Finder has hidden it.
    void showModal();
    // Ends the window (unload): no routine of the window runs any more.
    void unload();
    bool isClosing() const { return closing; }

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    friend class frmTrovexTestAccess;

    // Creation, activation and layout.
    void Form_Initialize();
    void Form_Activate();
    void Form_Resize();
    // Sizing the columns to their contents.
    void Size_GridColumns();
    void SizeHeaderColumn(int col);
    // Ending the lookup.
    void Close_Finder();
    void Return_Selection();
    // Scrolling and keyboard paging.
    void Reset_Scroll();
    void Select_EdgeRow(std::int16_t& first);
    void Move_Selection(std::int16_t& up);
    void ScrollBar1_Change();
    void ScrollBar1_KeyDown(int keyCode, int shift);
    void txtScroll_KeyDown(int keyCode, int shift);
    void FinderGrid_EnterCell();
    // Searching and selecting.
    void RunSearch();
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

    std::int16_t lastScroll = 0;
    std::int16_t activating = 0;
    std::int16_t closing = 0;
    bool unloaded_ = false;
    struct Ui;
    std::unique_ptr<Ui> ui_;
};

}  // namespace window
