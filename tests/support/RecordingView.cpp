// Recording of view calls. Each call is logged before it is handed on, so a
// call that fails is in the log too; a fetch is logged after, with its result.
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
        const QString value =
            f.isPutMax() ? accpac::MaxKeyText : (f.Value().isNull() ? QStringLiteral("Null") : f.Value().toText());
        puts << f.Name() + QLatin1Char('=') + value;
    }
    return puts;
}

QString viewIdOf(const std::shared_ptr<accpac::AccpacView>& view) { return view ? view->ViewID() : QString(); }

}  // namespace

RecordingView::RecordingView(std::shared_ptr<accpac::AccpacView> inner, std::shared_ptr<CallLog> log)
    : ViewDecorator(std::move(inner)), log_(std::move(log)) {}

void RecordingView::record(ViewOp op, QString text, bool flag, QStringList puts) {
    log_->add({op, inner_->ViewID(), std::move(text), flag, std::move(puts)});
}

void RecordingView::setOrder(std::int16_t key) {
    record(ViewOp::Order, QString::number(key));
    ViewDecorator::setOrder(key);
}

void RecordingView::Compose(const std::vector<std::shared_ptr<accpac::AccpacView>>& views) {
    QStringList ids;
    for (const auto& v : views) ids << viewIdOf(v);
    record(ViewOp::Compose, ids.join(QLatin1Char(',')));
    ViewDecorator::Compose(views);
}

void RecordingView::ClearRecord() {
    record(ViewOp::ClearRecord);
    ViewDecorator::ClearRecord();
}

void RecordingView::ResetBrowse(bool reserved) {
    record(ViewOp::ResetBrowse, QString(), reserved);
    ViewDecorator::ResetBrowse(reserved);
}

void RecordingView::Browse(const QString& filter, bool ascending) {
    record(ViewOp::Browse, filter, ascending, putFields(inner_->Fields()));
    ViewDecorator::Browse(filter, ascending);
}

bool RecordingView::Fetch() {
    // The result is known only afterwards, so a fetch that fails leaves no entry.
    const bool found = ViewDecorator::Fetch();
    record(ViewOp::Fetch, QString(), found);
    return found;
}

void RecordingView::Close() {
    record(ViewOp::Close);
    ViewDecorator::Close();
}

RecordingSession::RecordingSession(std::shared_ptr<accpac::AccpacSession> inner, std::shared_ptr<CallLog> log)
    : SessionDecorator(std::move(inner)), log_(std::move(log)) {}

std::shared_ptr<accpac::AccpacView> RecordingSession::OpenView(const QString& viewId, const QString& programId) {
    log_->add({ViewOp::OpenView, viewId, programId, false, {}});
    return SessionDecorator::OpenView(viewId, programId);
}

std::shared_ptr<accpac::AccpacView> RecordingSession::decorate(std::shared_ptr<accpac::AccpacView> view) {
    return std::make_shared<RecordingView>(std::move(view), log_);
}

}  // namespace testsupport
