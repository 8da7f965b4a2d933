// The lookup window's controls as designed, and the Qt plumbing: which
// widget stands for each control, where it lies, and which handler each of
// its events raises.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QWheelEvent>
#include <cstdlib>

#include "window/controls/SystemFont.h"
#include "window/controls/Twips.h"
#include "window/frmTrovex.h"

namespace window {

namespace {
constexpr double DesignWidth = 9510, DesignHeight = 5535;  // inner area, twips
constexpr int ScrollRange = 100, ScrollLargeStep = 10, ScrollSmallStep = 1;

// Hands the mouse wheel over the grid to the scroll bar, which stands for
// the place in the whole view (the grid itself never scrolls by rows). A
// sideways wheel stays the grid's, for its columns.
class WheelToScrollBar : public QObject {
public:
    WheelToScrollBar(QWidget* from, QWidget* to) : QObject(from), to_(to) { from->installEventFilter(this); }

    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::Wheel || !to_) return false;
        const QPoint turn = static_cast<QWheelEvent*>(e)->angleDelta();
        if (std::abs(turn.x()) > std::abs(turn.y())) return false;
        QCoreApplication::sendEvent(to_, e);
        return true;
    }

private:
    QPointer<QWidget> to_;
};
}  // namespace

frmTrovex::frmTrovex(QWidget* parent)
    : QDialog(parent),
      FindByLabel(new QLabel(this)),
      cboFindDesc(new QComboBox(this)),
      cboCondition(new QComboBox(this)),
      txtSearch(new QLineEdit(this)),
      pbxFind(new QPushButton(this)),
      chkAuto(new QCheckBox(this)),
      cboFindby(new QComboBox(this)),
      txtScroll(new QLineEdit(this)),
      FinderGrid(this),
      ScrollBar1(new FocusMarkingScrollBar(this)),
      chkSize(new QCheckBox(this)),
      pbxSelect(new QPushButton(this)),
      pbxCancel(new QPushButton(this)),
      Shape1(new QFrame(this)) {
    designControls();
    connectHandlers();
    Form_Initialize();
}

void frmTrovex::designControls() {
    setObjectName(QStringLiteral("frmTrovex"));
    setWindowTitle(QStringLiteral("Sage Accpac Finder Form"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setFont(systemFont());
    resize(twipsToPixelsX(DesignWidth), twipsToPixelsY(DesignHeight));

    struct Design {
        Control& control;
        const char* name;
        double left, top, width, height;
    };
    const Design design[] = {
        {FindByLabel, "FindByLabel", 120, 165, 525, 195},    {cboFindDesc, "cboFindDesc", 840, 120, 2895, 315},
        {cboCondition, "cboCondition", 840, 600, 2895, 315}, {txtSearch, "txtSearch", 840, 1080, 4575, 315},
        {pbxFind, "pbxFind", 3960, 120, 975, 375},           {chkAuto, "chkAuto", 3960, 600, 1335, 255},
        {cboFindby, "cboFindby", 6480, 120, 2895, 315},      {txtScroll, "txtScroll", 4560, 240, 255, 165},
        {FinderGrid, "FinderGrid", 120, 1560, 9255, 3300},   {ScrollBar1, "ScrollBar1", 9135, 1560, 240, 3015},
        {chkSize, "chkSize", 120, 5040, 2655, 255},          {pbxSelect, "pbxSelect", 7320, 5040, 975, 375},
        {pbxCancel, "pbxCancel", 8400, 5040, 975, 375},      {Shape1, "Shape1", 105, 1545, 9285, 3335},
    };
    for (const Design& d : design) {
        d.control.widget()->setObjectName(QLatin1String(d.name));
        d.control.move(d.left, d.top, d.width, d.height);
    }

    static_cast<QLabel*>(FindByLabel.widget())->setText(QStringLiteral("Find By"));
    pbxFind.setCaption(QStringLiteral("&Find"));
    chkAuto.box()->setText(QStringLiteral("&Auto Search"));
    chkSize.box()->setText(QStringLiteral("Auto Size column widths"));
    pbxSelect.setCaption(QStringLiteral("&Select"));
    pbxCancel.setCaption(QStringLiteral("&Cancel"));

    // Where the design font is missing its substitute may be wider: the
    // captions then grow to the right rather than lose their last letters.
    for (Control* captioned : std::initializer_list<Control*>{&FindByLabel, &chkAuto, &chkSize})
        captioned->widget()->setMinimumWidth(captioned->widget()->sizeHint().width());

    cboFindby.setVisible(false);
    // The paging sink is reached by code only; the user never sees it, so
    // while it has the focus the grid it pages shows it.
    txtScroll.widget()->setFocusPolicy(Qt::ClickFocus);
    FinderGrid.setFocusStandIn(txtScroll.widget());
    for (QWidget* part : {FinderGrid.view()->viewport(), FinderGrid.view()->horizontalHeader()->viewport()})
        new WheelToScrollBar(part, ScrollBar1.widget());
    ScrollBar1.setMin(0);
    ScrollBar1.setMax(ScrollRange);
    ScrollBar1.setLargeChange(ScrollLargeStep);
    ScrollBar1.setSmallChange(ScrollSmallStep);

    auto* outline = static_cast<QFrame*>(Shape1.widget());
    outline->setFrameStyle(QFrame::Box | QFrame::Plain);
    outline->setLineWidth(1);
    outline->setAttribute(Qt::WA_TransparentForMouseEvents);
    outline->setFocusPolicy(Qt::NoFocus);
    Shape1.ZOrder(1);
    // The scroll bar lies over the grid's right edge, in front of it.
    ScrollBar1.ZOrder(0);
}

void frmTrovex::connectHandlers() {
    cboFindDesc.Click = [this] { cboFindDesc_Click(); };
    txtSearch.Change = [this] { txtSearch_Change(); };
    chkAuto.Click = [this] { chkAuto_Click(); };
    chkSize.Click = [this] { chkSize_Click(); };
    pbxFind.Click = [this] { pbxFind_Click(); };
    pbxSelect.Click = [this] { pbxSelect_Click(); };
    pbxCancel.Click = [this] { pbxCancel_Click(); };

    ScrollBar1.Change = [this] { ScrollBar1_Change(); };
    ScrollBar1.GotFocus = [this] { ScrollBar1_GotFocus(); };
    ScrollBar1.LostFocus = [this] { ScrollBar1_LostFocus(); };
    ScrollBar1.KeyDown = [this](int keyCode, int shift) { ScrollBar1_KeyDown(keyCode, shift); };
    txtScroll.KeyDown = [this](int keyCode, int shift) { txtScroll_KeyDown(keyCode, shift); };

    FinderGrid.EnterCell = [this] { FinderGrid_EnterCell(); };
    FinderGrid.GotFocus = [this] { FinderGrid_GotFocus(); };
    FinderGrid.Click = [this] { FinderGrid_Click(); };
    FinderGrid.DblClick = [this] { FinderGrid_DblClick(); };
    FinderGrid.KeyPress = [this](int charCode) { FinderGrid_KeyPress(charCode); };
}

}  // namespace window
