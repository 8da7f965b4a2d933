// Writing out a lookup window's state, control by control.
#include "lookup/script/WindowDump.h"

#include <QStringList>

#include "lookup/MessageRouting.h"
#include "lookup/script/UserInput.h"
#include "window/frmTrovex.h"

namespace lookup::script {

namespace {

QString listLine(const window::ComboList& list) {
    QStringList entries;
    for (int i = 0; i < list.ListCount(); ++i) entries << list.List(i);
    return QString::number(list.ListIndex()) + QStringLiteral(": ") + entries.join(QLatin1Char('|'));
}

}  // namespace

QString dumpWindow(window::frmTrovex& w) {
    const window::FlexGrid& grid = w.FinderGrid;
    QStringList out;
    const auto put = [&out](const QString& name, const QString& value) {
        out << name + QLatin1Char('=') + escapeLineBreaks(value);
    };
    out << QStringLiteral("[dump]");
    put(QStringLiteral("caption"), w.windowTitle());
    put(QStringLiteral("size"), QStringLiteral("%1x%2").arg(w.width()).arg(w.height()));
    put(QStringLiteral("rows"), QString::number(grid.Rows()));
    put(QStringLiteral("cols"), QString::number(grid.Cols()));
    for (int r = 0; r < grid.Rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid.Cols(); ++c) cells << grid.TextMatrix(r, c);
        put(QStringLiteral("row%1").arg(r), cells.join(QLatin1Char('\t')));
    }
    put(QStringLiteral("current"), QStringLiteral("%1,%2").arg(grid.Row()).arg(grid.Col()));
    put(QStringLiteral("selection"),
        QStringLiteral("%1,%2-%3,%4").arg(grid.Row()).arg(grid.Col()).arg(grid.RowSel()).arg(grid.ColSel()));
    put(QStringLiteral("scroll"), QStringLiteral("%1/%2").arg(w.ScrollBar1.Value()).arg(w.ScrollBar1.Max()));
    QStringList enabled, disabled;
    const std::pair<const char*, const window::PushButton*> buttons[] = {
        {"pbxFind", &w.pbxFind}, {"pbxSelect", &w.pbxSelect}, {"pbxCancel", &w.pbxCancel}};
    for (const auto& [name, button] : buttons) (button->Enabled() ? enabled : disabled) << QString::fromLatin1(name);
    put(QStringLiteral("enabled"), enabled.join(QLatin1Char(',')));
    put(QStringLiteral("disabled"), disabled.join(QLatin1Char(',')));
    put(QStringLiteral("chkAuto"), QString::number(w.chkAuto.Value()));
    put(QStringLiteral("chkSize"), QString::number(w.chkSize.Value()));
    put(QStringLiteral("cboFindDesc"), listLine(w.cboFindDesc));
    put(QStringLiteral("cboCondition"), listLine(w.cboCondition));
    put(QStringLiteral("cboFindby"), listLine(w.cboFindby));
    put(QStringLiteral("txtSearch"), w.txtSearch.Text());
    put(QStringLiteral("focus"), controlName(w, keyboardTarget(w)));
    QStringList widths, alignments;
    for (int c = 0; c < grid.Cols(); ++c) {
        widths << QString::number(grid.ColWidth(c));
        alignments << QString::number(grid.ColAlignment(c));
    }
    put(QStringLiteral("widths"), widths.join(QLatin1Char(',')));
    put(QStringLiteral("alignments"), alignments.join(QLatin1Char(',')));
    out << QStringLiteral("[end]");
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

}  // namespace lookup::script
