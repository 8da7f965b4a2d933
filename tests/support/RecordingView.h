// A session that records every call handed to it and to the views it opens.
//
//   auto log = std::make_shared<testsupport::CallLog>();
//   auto session = std::make_shared<testsupport::RecordingSession>(accpac::openCompany(path), log);
//   auto view = session->OpenView("GL0001", "GL");   // recorded, and so is every call on it
//   ... log->clear(); finder.NEXTBATCH(); EXPECT_EQ(log->count(ViewOp::Fetch), 12);
//
// Each call is logged before it is handed on, so a call that fails is in the
// log too. Field values are put straight into the view's fields, which no
// decorator sees; so each Browse records the fields put since the last
// ClearRecord, as the browse found them. Reading Fields() is not recorded:
// programs read fields on every record, and a test wants the browses and fetches.
#pragma once

#include <memory>

#include "accpac/AccpacField.h"
#include "tests/support/CallLog.h"
#include "tests/support/ViewDecorator.h"

namespace testsupport {

class RecordingSession : public SessionDecorator {
public:
    // `log` receives the calls of every view this session opens or decorates.
    RecordingSession(std::shared_ptr<accpac::AccpacSession> inner, std::shared_ptr<CallLog> log)
        : SessionDecorator(std::move(inner)), log_(std::move(log)) {}

    ViewPtr decorate(ViewPtr view) override {
        return std::make_shared<ViewDecorator>(view, [log = log_, view](ViewCall call) {
            if (call.op == ViewOp::Fields) return;
            for (int i = 0; call.op == ViewOp::Browse && i < view->Fields().Count(); ++i) {
                const accpac::AccpacField& f = view->Fields().Item(i);
                if (f.isPut()) call.puts << f.Name() + '=' + (f.isPutMax() ? accpac::MaxKeyText : f.Value().toText());
            }
            log->add(std::move(call));
        });
    }

protected:
    void before(const ViewCall& call) override { log_->add(call); }

private:
    std::shared_ptr<CallLog> log_;
};

}  // namespace testsupport
