// A procedure's error trap.
//
// Each procedure of the component catches its own errors and reports them
// with its own location label, then either ends or goes on with the next
// statement; some end silently on one error number. A Trap holds the label
// and the way of reporting, and offers both behaviours:
//
//   errors::Trap trap(QStringLiteral("clsFinder.FillFinderGrid"), errors::Via::ACCPAC);
//   trap([&] { BottomKey = ""; });            // report and go on
//   trap([&] { view->Browse(f, true); });
//
//   errors::Trap(QStringLiteral("frmTrovex.Form_Resize"), errors::Via::Messenger)
//       .endOnError([&] { ... }, accpac::errnum::InvalidPropertyValue);  // 380 ends silently
//
// No error escapes a trap.
#pragma once

#include <QString>
#include <exception>
#include <utility>

namespace errors {

// ACCPAC: engine and presets (shows the accounting system's messages when it
// has any). Messenger: the window (ErrorMessenger with information "").
enum class Via { ACCPAC, Messenger };

class Trap {
public:
    Trap(QString label, Via via) : label_(std::move(label)), via_(via) {}

    // Runs one statement; on an error reports it and returns false, so the
    // caller goes on with its next statement.
    template <class F>
    bool operator()(F&& statement) noexcept {
        try {
            std::forward<F>(statement)();
            return true;
        } catch (...) {
            reportCurrent(0);
            return false;
        }
    }

    // Runs the rest of the procedure; on an error reports it (unless its
    // number is `silentNumber`) and ends the procedure. Returns false when
    // the body ended on an error.
    template <class F>
    bool endOnError(F&& body, long silentNumber = 0) noexcept {
        try {
            std::forward<F>(body)();
            return true;
        } catch (...) {
            reportCurrent(silentNumber);
            return false;
        }
    }

    const QString& label() const { return label_; }

private:
    // Reports the exception being handled (number and description), unless
    // its number is `silentNumber` (0: none is silent).
    void reportCurrent(long silentNumber) noexcept;

    QString label_;
    Via via_;
};

// The number and description of the exception being handled, as the
// system's run-time errors give them (7 for memory, AccpacFailure otherwise).
std::pair<long, QString> currentError() noexcept;

}  // namespace errors
