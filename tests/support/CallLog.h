// The record of the calls a program handed to its views.
//
// A RecordingSession (RecordingView.h) appends one entry per call, in the order
// the calls were made, across every view of its session; a test clears the
// log, runs one operation and reads what the operation asked of the views:
// the filters and directions of its browses, the key values it put before
// each browse, the key numbers it set and how many records it fetched.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace testsupport {

// The view operations a decorator can see (and a FaultPlan can fail).
enum class ViewOp { OpenView, Order, Compose, ClearRecord, ResetBrowse, Browse, Fetch, Fields, Close };

QString opName(ViewOp op);

struct ViewCall {
    ViewOp op = ViewOp::Fetch;
    QString viewId;     // the view the call went to (OpenView: the view asked for)
    QString text;       // Browse: the filter; OpenView: the program ID; Order: the key number;
                        // Compose: the companions' IDs joined by ",", "" for an empty entry
    bool flag = false;  // Browse: ascending; ResetBrowse: its argument
    QStringList puts;   // Browse: "FIELD=value" for each field put since the last ClearRecord,
                        // in field order; the maximum key shows as its text

    // One readable line, e.g. `GL0001 Browse(ACCTID > "10") false ACCTID=ZZZZZZZZZZZZ`.
    QString describe() const;
};

class CallLog {
public:
    void add(ViewCall call) { calls_.push_back(std::move(call)); }
    void clear() { calls_.clear(); }
    const std::vector<ViewCall>& calls() const { return calls_; }
    // The calls of one kind, in order.
    std::vector<ViewCall> of(ViewOp op) const;
    int count(ViewOp op) const { return int(of(op).size()); }
    // Every call, one line each: for failure messages.
    QString describe() const;

private:
    std::vector<ViewCall> calls_;
};

}  // namespace testsupport
