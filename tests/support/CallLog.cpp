// The call record: selection by kind and readable lines.
#include "tests/support/CallLog.h"

namespace testsupport {

QString opName(ViewOp op) {
    static const char* const names[] = {"OpenView", "Order", "Compose", "ClearRecord", "ResetBrowse",
                                        "Browse",   "Fetch", "Fields",  "Close"};
    return QLatin1String(names[int(op)]);
}

QString ViewCall::describe() const {
    return QStringLiteral("%1 %2(%3) %4 %5").arg(viewId, opName(op), text, flag ? "true" : "false", puts.join(", "));
}

std::vector<ViewCall> CallLog::of(ViewOp op) const {
    std::vector<ViewCall> picked;
    for (const ViewCall& c : calls_)
        if (c.op == op) picked.push_back(c);
    return picked;
}

QString CallLog::describe() const {
    QStringList lines;
    for (const ViewCall& c : calls_) lines << c.describe();
    return lines.join(QLatin1Char('\n'));
}

}  // namespace testsupport
