// Runs a lookup script against the lookup windows of the calls that follow,
// in place of a person.
//
//   lookup::script::ScriptDriver driver(lookup::script::parseScript(text));
//   driver.start();
//   trovex.FindAP_Accounts(session, "MyHost", 0);   // the script drives its window
//   if (!driver.finish()) ... driver.failure() ...
//
// A timer, running inside the window's modal loop, applies one action at a
// time to whichever lookup window is open and lets the event loop settle
// between actions. Actions wait while no lookup window is open, so one script
// serves several calls in turn. Message boxes are answered by the script's
// "answer" lines, or OK at once, and never block. A failing action stops the
// script: it is reported, and every lookup window that opens afterwards is
// cancelled, so the host always gets control back. When the script runs out
// with a window still open, that window is cancelled too.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <vector>

#include "errors/MessageBox.h"
#include "lookup/MessageRouting.h"
#include "lookup/script/ScriptParser.h"

namespace window {
class frmTrovex;
}

namespace lookup::script {

class ScriptDriver : public QObject {
public:
    using Output = std::function<void(const QString& text)>;

    // `output` receives the dumps, `problems` the failures and notes; both
    // default to standard output and standard error.
    explicit ScriptDriver(std::vector<Action> actions, Output output = {}, Output problems = {});
    ~ScriptDriver() override;

    // Becomes the message-box answerer and starts watching for windows.
    void start();
    // Stops watching and gives the answering back.
    void stop();
    // Called after the host's last call: stops, and reports any action that
    // never found a window to run in. Returns ok().
    bool finish();

    bool ok() const { return failure_.isEmpty(); }
    const QString& failure() const { return failure_; }  // "line N (text): what went wrong"
    std::size_t remaining() const { return actions_.size() - next_; }
    int windowsSeen() const { return windowsSeen_; }
    int boxesAnswered() const { return boxesAnswered_; }

    // The lookup window that is open now, or nullptr.
    static window::frmTrovex* openWindow();

private:
    void tick();
    bool ready(window::frmTrovex& w);
    void run(const Action& action, window::frmTrovex& w);
    int answer(const errors::MessageBoxRequest& box);
    void fail(const Action& action, const QString& message);
    void cancel(window::frmTrovex& w);

    std::vector<Action> actions_;
    std::size_t next_ = 0;
    Output output_, problems_;
    QTimer timer_;
    QPointer<window::frmTrovex> current_;  // the window the actions apply to
    int settleTicks_ = 0;                  // ticks since current_ appeared
    QElapsedTimer waitClock_;
    int waitMs_ = 0;     // a "wait" action in progress
    bool busy_ = false;  // an action is running (its events may re-enter the loop)
    bool started_ = false;
    int windowsSeen_ = 0;
    int boxesAnswered_ = 0;
    QString failure_;
    BoxAnswerer previousAnswerer_;
};

}  // namespace lookup::script
