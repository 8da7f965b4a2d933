// Recording of view calls. Each call is logged before it is handed on, so a
// call that fails is in the log too; a fetch is logged after, with its
// result, so a fetch that fails leaves no entry.
#include "tests/support/RecordingView.h"

#include "accpac/AccpacField.h"

namespace testsupport {

namespace {

// "FIELD=value" for each field put since the view's last ClearRecord.
QStringList putFields(accpac::AccpacFields& fields) {
    QStringList puts;
    for (int i = 0; i < fields.Count(); ++i) {
        const accpac::AccpacField& f = fields.Item(i);
        if (!f.isPut()) continue;
        const QString value = f.isPutMax()         ? accpac::MaxKeyText
                              : f.Value().isNull() ? QStringLiteral("Null")
                                                   : f.Value().toText();
        puts << f.Name() + QLatin1Char('=') + value;
    }
    return puts;
}

}  // namespace

RecordingView::RecordingView(std::shared_ptr<accpac::AccpacView> inner, std::shared_ptr<CallLog> log)
    : ViewDecorator(std::move(inner)), log_(std::move(log)) {}

void RecordingView::before(const ViewCall& call) {
    switch (call.op) {
        case ViewOp::Fetch:
        case ViewOp::Fields:
            return;  // fetches are logged with their result; field reads not at all
        case ViewOp::Browse: {
            ViewCall browse = call;
            browse.puts = putFields(inner_->Fields());
            log_->add(std::move(browse));
            return;
        }
        default:
            log_->add(call);
    }
}

void RecordingView::fetched(bool found) { log_->add({ViewOp::Fetch, inner_->ViewID(), QString(), found, {}}); }

RecordingSession::RecordingSession(std::shared_ptr<accpac::AccpacSession> inner, std::shared_ptr<CallLog> log)
    : SessionDecorator(std::move(inner)), log_(std::move(log)) {}

std::shared_ptr<accpac::AccpacView> RecordingSession::decorate(std::shared_ptr<accpac::AccpacView> view) {
    return std::make_shared<RecordingView>(std::move(view), log_);
}

}  // namespace testsupport
