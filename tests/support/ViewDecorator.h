// Bases for decorators around a real view and a real session.
//
// A ViewDecorator hands every call to the view it wraps and lets a subclass,
// or the `watch` it was given, look at each call on the way: `before` sees
// the operation and its arguments before the call is handed on (and may
// throw instead). A SessionDecorator does the same for OpenView and
// decorates every view it opens, so a program that opens its own companion
// views gets decorated ones too. Compose hands the backend its own views,
// unwrapped, so composing works whatever the decorators stacked around them.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "accpac/AccpacSession.h"
#include "accpac/AccpacView.h"
#include "tests/support/CallLog.h"

namespace testsupport {

using ViewPtr = std::shared_ptr<accpac::AccpacView>;

class ViewDecorator : public accpac::AccpacView {
public:
    using Watch = std::function<void(const ViewCall&)>;
    explicit ViewDecorator(ViewPtr inner, Watch watch = {}) : inner_(std::move(inner)), watch_(std::move(watch)) {}

    QString ViewID() const override { return inner_->ViewID(); }
    std::int16_t Order() const override { return inner_->Order(); }
    void setOrder(std::int16_t key) override { pass(ViewOp::Order, QString::number(key)).setOrder(key); }
    void Compose(const std::vector<ViewPtr>& views) override {
        QStringList ids;
        std::vector<ViewPtr> own;
        for (const ViewPtr& v : views) {
            ids << (v ? v->ViewID() : QString());
            own.push_back(unwrap(v));
        }
        pass(ViewOp::Compose, ids.join(QLatin1Char(','))).Compose(own);
    }
    void ClearRecord() override { pass(ViewOp::ClearRecord).ClearRecord(); }
    void ResetBrowse(bool reserved) override { pass(ViewOp::ResetBrowse, {}, reserved).ResetBrowse(reserved); }
    void Browse(const QString& filter, bool asc) override { pass(ViewOp::Browse, filter, asc).Browse(filter, asc); }
    bool Fetch() override { return pass(ViewOp::Fetch).Fetch(); }
    accpac::AccpacFields& Fields() override { return pass(ViewOp::Fields).Fields(); }
    void Close() override { pass(ViewOp::Close).Close(); }

    // The backend's own view under any number of decorators (nullptr stays nullptr).
    static ViewPtr unwrap(ViewPtr view) {
        while (auto* d = dynamic_cast<ViewDecorator*>(view.get())) view = d->inner_;
        return view;
    }

protected:
    // `call` holds the operation, this view's ID and the arguments as
    // ViewCall describes them (puts are left to the subclass).
    virtual void before(const ViewCall& call) {
        if (watch_) watch_(call);
    }
    ViewPtr inner_;

private:
    Watch watch_;
    // Shows the call to `before`, then hands back the wrapped view for it.
    accpac::AccpacView& pass(ViewOp op, const QString& text = {}, bool flag = false) {
        before({op, inner_->ViewID(), text, flag, {}});
        return *inner_;
    }
};

class SessionDecorator : public accpac::AccpacSession {
public:
    explicit SessionDecorator(std::shared_ptr<accpac::AccpacSession> inner) : inner_(std::move(inner)) {}

    // Shows the call to `before`, opens the view on the wrapped session and
    // returns it decorated.
    ViewPtr OpenView(const QString& viewId, const QString& programId) override {
        before({ViewOp::OpenView, viewId, programId, false, {}});
        return decorate(inner_->OpenView(viewId, programId));
    }
    accpac::AccpacCompany Company() override { return inner_->Company(); }
    accpac::AccpacErrors& Errors() override { return inner_->Errors(); }
    // Wraps a view the way this session wraps the views it opens.
    virtual ViewPtr decorate(ViewPtr view) = 0;

protected:
    // `call`: ViewOp::OpenView, the view ID asked for, the program ID as text.
    virtual void before(const ViewCall&) {}
    std::shared_ptr<accpac::AccpacSession> inner_;
};

}  // namespace testsupport
