// The lookup window's life: creation, activation (the remembered options),
// layout at every resize (which reloads the grid), and closing.
#include "window/frmTrovex.h"

#include <QKeyEvent>
#include <QShowEvent>

#include "accpac/AccpacError.h"
#include "accpac/Blanks.h"
#include "errors/ErrorTrap.h"
#include "errors/Settings.h"
#include "errors/modGeneral.h"
#include "window/FlagScope.h"
#include "window/controls/Twips.h"

namespace window {

namespace {

const QString OptionsSection = QStringLiteral("AutoFind");
const QString AutoSearchKey = QStringLiteral("CheckBox");
const QString AutoSizeKey = QStringLiteral("AutoSize");

// A remembered option as a check box value. The window only ever writes
// "0" or "1"; any other text (edited by hand, or damaged) counts as the
// option's default, unchecked.
int storedOption(const QString& key) {
    bool whole = false;
    const int value =
        accpac::trimBlanks(errors::GetSetting(errors::gRegistry, OptionsSection, key, QStringLiteral("0")))
            .toInt(&whole);
    return whole && (value == 0 || value == 1) ? value : 0;
}

void saveOption(const QString& key, int value) {
    errors::SaveSetting(errors::gRegistry, OptionsSection, key, QString::number(value));
}

}  // namespace

frmTrovex::~frmTrovex() { unloaded_ = true; }

FinderEngine& frmTrovex::engine() const {
    if (!finderInstance) throw accpac::objectVariableNotSet();
    return *finderInstance;
}

// Once per window: the Find button covers the paging sink.
void frmTrovex::Form_Initialize() {
    lastScroll = 0;
    pbxFind.ZOrder(0);
}

// At the window's activation: the remembered options come back (their
// click handlers run, but start no search), Select waits until the grid is
// entered, and typing goes to the search box.
void frmTrovex::Form_Activate() {
    const FlagScope whileActivating(activating);
    chkAuto.setValue(storedOption(AutoSearchKey));
    chkSize.setValue(storedOption(AutoSizeKey));
    pbxSelect.setEnabled(false);
    txtSearch.SetFocus();
}

// At every resize: the buttons keep to the bottom right, the grid, its
// frame and the scroll bar take the rest, and the engine reloads the grid
// for its new height. A size that comes out negative (a tiny or minimized
// window) ends the layout where it happens, without a reload.
void frmTrovex::Form_Resize() {
    if (closing || unloaded_) return;
    errors::Trap(QStringLiteral("frmTrovex.Form_Resize"), errors::Via::Messenger)
        .endOnError(
            [&] {
                const double W = ScaleWidth(), H = ScaleHeight();
                pbxCancel.setTop(H - pbxCancel.Height() - 120);
                pbxSelect.setTop(pbxCancel.Top());
                chkSize.setTop(pbxCancel.Top());
                pbxCancel.setLeft(W - pbxCancel.Width() - 120);
                pbxSelect.setLeft(pbxCancel.Left() - pbxSelect.Width() - 105);
                if (W >= 240) FinderGrid.setWidth(W - 240);
                if (W >= 210) Shape1.setWidth(W - 210);
                FinderGrid.setHeight(pbxCancel.Top() - FinderGrid.Top() - 120);
                Shape1.setHeight(pbxCancel.Top() - Shape1.Top() - 105);
                ScrollBar1.setTop(FinderGrid.Top());
                ScrollBar1.setLeft(FinderGrid.Left() + FinderGrid.Width() - ScrollBar1.Width());
                ScrollBar1.setHeight(FinderGrid.Height());
                if (finderInstance) {
                    QString startingText = txtSearch.Text();
                    std::int16_t orderKeyColumn = 0;
                    finderInstance->PrepareFinder(startingText, orderKeyColumn);
                }
            },
            accpac::errnum::InvalidPropertyValue);
}

// Ends the lookup from Select or Cancel: the thumb goes home, the options
// are remembered, and the window hides (the modal showing returns).
void frmTrovex::Close_Finder() {
    closing = accpac::IntegerTrue;
    Reset_Scroll();
    saveOption(AutoSearchKey, chkAuto.Value());
    saveOption(AutoSizeKey, chkSize.Value());
    hide();
}

void frmTrovex::showModal() {
    if (unloaded_ || closing) return;
    exec();
}

void frmTrovex::unload() {
    unloaded_ = true;
    hide();
}

double frmTrovex::ScaleWidth() const { return pixelsToTwipsX(width()); }
double frmTrovex::ScaleHeight() const { return pixelsToTwipsY(height()); }

void frmTrovex::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    Form_Resize();
}

void frmTrovex::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous()) activated_ = false;
}

// The window is modal, so while it is open no other window of the
// application can become active but message boxes, and coming back from
// those is no new activation (the options stay as the user set them). So
// activation runs once per showing.
void frmTrovex::changeEvent(QEvent* e) {
    QDialog::changeEvent(e);
    if (e->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    if (activated_ || closing || unloaded_) return;
    activated_ = true;
    errors::Trap(QStringLiteral("frmTrovex.Form_Activate"), errors::Via::Messenger)([&] { Form_Activate(); });
}

// Enter selects in the grid and Escape is nobody's key: neither presses a
// button or closes the window behind the grid's back.
void frmTrovex::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Enter:
        case Qt::Key_Return:
        case Qt::Key_Escape:
            e->accept();
            return;
        default:
            QDialog::keyPressEvent(e);
    }
}

}  // namespace window
