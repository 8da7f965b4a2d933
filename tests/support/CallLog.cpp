// The call record: selection by kind and readable lines.
#include "tests/support/CallLog.h"

namespace testsupport {

QString opName(ViewOp op) {
    switch (op) {
        case ViewOp::OpenView:
            return QStringLiteral("OpenView");
        case ViewOp::Order:
            return QStringLiteral("Order");
        case ViewOp::Compose:
            return QStringLiteral("Compose");
        case ViewOp::ClearRecord:
            return QStringLiteral("ClearRecord");
        case ViewOp::ResetBrowse:
            return QStringLiteral("ResetBrowse");
        case ViewOp::Browse:
            return QStringLiteral("Browse");
        case ViewOp::Fetch:
            return QStringLiteral("Fetch");
        case ViewOp::Fields:
            return QStringLiteral("Fields");
        case ViewOp::Close:
            return QStringLiteral("Close");
    }
    return QStringLiteral("?");
}

QString ViewCall::describe() const {
    QString line = viewId + QLatin1Char(' ') + opName(op);
    switch (op) {
        case ViewOp::Browse:
            line += QStringLiteral("(\"%1\", %2)").arg(text, flag ? QStringLiteral("asc") : QStringLiteral("desc"));
            if (!puts.isEmpty()) line += QStringLiteral(" puts[") + puts.join(QStringLiteral(", ")) + QLatin1Char(']');
            break;
        case ViewOp::Fetch:
            line += flag ? QStringLiteral(" -> true") : QStringLiteral(" -> false");
            break;
        case ViewOp::OpenView:
        case ViewOp::Order:
        case ViewOp::Compose:
            line += QLatin1Char('(') + text + QLatin1Char(')');
            break;
        default:
            break;
    }
    return line;
}

std::vector<ViewCall> CallLog::of(ViewOp op) const {
    std::vector<ViewCall> picked;
    for (const ViewCall& c : calls_)
        if (c.op == op) picked.push_back(c);
    return picked;
}

int CallLog::count(ViewOp op) const { return int(of(op).size()); }

QStringList CallLog::filters() const {
    QStringList list;
    for (const ViewCall& c : of(ViewOp::Browse)) list << c.text;
    return list;
}

QString CallLog::describe() const {
    QStringList lines;
    for (const ViewCall& c : calls_) lines << c.describe();
    return lines.join(QLatin1Char('\n'));
}

}  // namespace testsupport
