// Bases for decorators around a real view and a real session.
//
// A ViewDecorator hands every call to the view it wraps and lets a subclass
// look at each call on the way: `before` sees the operation and its
// arguments before the call is handed on (and may throw instead), `fetched`
// sees each fetch's result. A SessionDecorator does the same for OpenView and
// decorates every view it opens, so a program that opens its own companion
// views gets decorated ones too. Compose hands the backend its own views,
// unwrapped, so composing works whatever the decorators stacked around them.
#pragma once

#include <memory>
#include <vector>

#include "accpac/AccpacSession.h"
#include "accpac/AccpacView.h"
#include "tests/support/CallLog.h"

namespace testsupport {

class ViewDecorator : public accpac::AccpacView {
public:
    explicit ViewDecorator(std::shared_ptr<accpac::AccpacView> inner);

    QString ViewID() const override;
    std::int16_t Order() const override;
    void setOrder(std::int16_t key) override;
    void Compose(const std::vector<std::shared_ptr<accpac::AccpacView>>& views) override;
    void ClearRecord() override;
    void ResetBrowse(bool reserved) override;
    void Browse(const QString& filter, bool ascending) override;
    bool Fetch() override;
    accpac::AccpacFields& Fields() override;
    void Close() override;

    const std::shared_ptr<accpac::AccpacView>& inner() const { return inner_; }

    // The backend's own view under any number of decorators (nullptr stays nullptr).
    static std::shared_ptr<accpac::AccpacView> unwrap(std::shared_ptr<accpac::AccpacView> view);

protected:
    // `call` holds the operation, this view's ID and the arguments as
    // ViewCall describes them (puts are left to the subclass).
    virtual void before(const ViewCall& call) { (void)call; }
    virtual void fetched(bool found) { (void)found; }

    std::shared_ptr<accpac::AccpacView> inner_;

private:
    void see(ViewOp op, QString text = QString(), bool flag = false);
};

class SessionDecorator : public accpac::AccpacSession {
public:
    explicit SessionDecorator(std::shared_ptr<accpac::AccpacSession> inner) : inner_(std::move(inner)) {}

    // Shows the call to `before`, opens the view on the wrapped session and
    // returns it decorated.
    std::shared_ptr<accpac::AccpacView> OpenView(const QString& viewId, const QString& programId) override;
    accpac::AccpacCompany Company() override { return inner_->Company(); }
    accpac::AccpacErrors& Errors() override { return inner_->Errors(); }

    const std::shared_ptr<accpac::AccpacSession>& inner() const { return inner_; }
    // Wraps a view the way this session wraps the views it opens; tests use
    // it for a view they opened on the wrapped session themselves.
    virtual std::shared_ptr<accpac::AccpacView> decorate(std::shared_ptr<accpac::AccpacView> view) = 0;

protected:
    // `call`: ViewOp::OpenView, the view ID asked for, the program ID as text.
    virtual void before(const ViewCall& call) { (void)call; }

    std::shared_ptr<accpac::AccpacSession> inner_;
};

}  // namespace testsupport
