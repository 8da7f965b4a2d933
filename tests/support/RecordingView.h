// A view and a session that record every call handed to them.
//
//   auto log = std::make_shared<testsupport::CallLog>();
//   auto session = std::make_shared<testsupport::RecordingSession>(accpac::openCompany(path), log);
//   auto view = session->OpenView("GL0001", "GL");   // recorded, and so is every call on it
//   ... log->clear(); finder.NEXTBATCH(); EXPECT_EQ(log->count(ViewOp::Fetch), 12);
//
// Field values are put straight into the view's fields, which no decorator
// sees; so each Browse records the fields put since the last ClearRecord, as
// the browse found them. Reading Fields() is not recorded: programs read
// fields on every record, and a test wants the browses and fetches.
#pragma once

#include <memory>

#include "tests/support/CallLog.h"
#include "tests/support/ViewDecorator.h"

namespace testsupport {

class RecordingView : public ViewDecorator {
public:
    RecordingView(std::shared_ptr<accpac::AccpacView> inner, std::shared_ptr<CallLog> log);
    const std::shared_ptr<CallLog>& log() const { return log_; }

protected:
    void before(const ViewCall& call) override;
    void fetched(bool found) override;

private:
    std::shared_ptr<CallLog> log_;
};

class RecordingSession : public SessionDecorator {
public:
    // `log` receives the calls of every view this session opens or decorates.
    RecordingSession(std::shared_ptr<accpac::AccpacSession> inner, std::shared_ptr<CallLog> log);

    std::shared_ptr<accpac::AccpacView> decorate(std::shared_ptr<accpac::AccpacView> view) override;
    const std::shared_ptr<CallLog>& log() const { return log_; }

protected:
    void before(const ViewCall& call) override { log_->add(call); }

private:
    std::shared_ptr<CallLog> log_;
};

}  // namespace testsupport
