// The timer-driven runner of lookup scripts.
#include "lookup/script/ScriptDriver.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <cstdio>

#include "accpac/AccpacError.h"
#include "lookup/script/UserInput.h"
#include "lookup/script/WindowDump.h"
#include "window/frmTrovex.h"

namespace lookup::script {

namespace {

// Often enough that a script runs briskly, seldom enough that waiting costs nothing.
constexpr int TickMs = 5;
// A new window gets this many ticks to become the active window; a platform
// that never activates it (no window manager) is driven anyway after that.
constexpr int MaxSettleTicks = 60;
// A button's access key presses it the way the screen shows it: down at once,
// released (clicked) 100 ms later. The script waits that out.
constexpr int AccessKeyMs = 150;

void toStream(FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
    if (!text.endsWith(QLatin1Char('\n'))) std::fputc('\n', stream);
    std::fflush(stream);
}

QString where(const Action& action) {
    return action.line > 0 ? QStringLiteral("line %1 (%2)").arg(action.line).arg(action.source)
                           : QStringLiteral("step (%1)").arg(action.source);
}

void saveScreenshot(window::frmTrovex& w, const QString& file) {
    const QString folder = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(folder)) throw InputError(QStringLiteral("cannot create the folder ") + folder);
    if (!w.grab().save(file, "PNG")) throw InputError(QStringLiteral("cannot write ") + file);
}

window::CheckBox& checkBox(window::frmTrovex& w, const QString& name) {
    return name == QLatin1String("chkAuto") ? w.chkAuto : w.chkSize;
}

}  // namespace

ScriptDriver::ScriptDriver(std::vector<Action> actions, Output output, Output problems)
    : actions_(std::move(actions)),
      output_(output ? std::move(output) : Output([](const QString& t) { toStream(stdout, t); })),
      problems_(problems ? std::move(problems) : Output([](const QString& t) { toStream(stderr, t); })) {
    timer_.setInterval(TickMs);
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
}

ScriptDriver::~ScriptDriver() { stop(); }

void ScriptDriver::start() {
    if (started_) return;
    started_ = true;
    previousAnswerer_ = setBoxAnswerer([this](const errors::MessageBoxRequest& box) { return answer(box); });
    timer_.start();
}

void ScriptDriver::stop() {
    if (!started_) return;
    started_ = false;
    timer_.stop();
    setBoxAnswerer(std::move(previousAnswerer_));
}

bool ScriptDriver::finish() {
    stop();
    if (ok() && next_ < actions_.size()) fail(actions_[next_], QStringLiteral("no lookup window was open for it"));
    return ok();
}

window::frmTrovex* ScriptDriver::openWindow() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* w = qobject_cast<window::frmTrovex*>(top); w && w->isVisible() && !w->isClosing()) return w;
    return nullptr;
}

bool ScriptDriver::ready(window::frmTrovex& w) {
    // At least one full turn of the event loop after the window appeared, so
    // its first layout, load and activation are done before anyone acts on it.
    ++settleTicks_;
    return (settleTicks_ >= 2 && w.isActiveWindow()) || settleTicks_ >= MaxSettleTicks;
}

void ScriptDriver::tick() {
    if (busy_) return;
    window::frmTrovex* w = openWindow();
    if (!w) {
        current_ = nullptr;
        return;
    }
    if (w != current_) {
        current_ = w;
        settleTicks_ = 0;
        ++windowsSeen_;
    }
    if (!ready(*w)) return;
    if (waitMs_ > 0) {
        if (waitClock_.elapsed() < waitMs_) return;
        waitMs_ = 0;
    }
    if (!ok()) {
        cancel(*w);
        return;
    }
    if (next_ >= actions_.size()) {
        problems_(QStringLiteral("trovex: the script ended with a lookup window open; cancelling it"));
        cancel(*w);
        return;
    }
    const Action& action = actions_[next_++];
    busy_ = true;
    try {
        run(action, *w);
    } catch (const InputError& e) {
        fail(action, QString::fromStdString(e.what()));
    } catch (const accpac::AccpacError& e) {
        fail(action, QStringLiteral("%1; %2").arg(e.number()).arg(e.description()));
    } catch (const std::exception& e) {
        fail(action, QString::fromStdString(e.what()));
    }
    busy_ = false;
}

void ScriptDriver::run(const Action& a, window::frmTrovex& w) {
    using Kind = Action::Kind;
    switch (a.kind) {
        case Kind::Type:
            typeText(w, a.text);
            break;
        case Kind::Key: {
            const QPointer<window::frmTrovex> window(&w);
            // A repeated key stops when its window closes (Enter selects).
            for (int i = 0; i < a.count && window && openWindow() == window; ++i) pressKey(w, a.key, a.modifiers);
            if (a.modifiers & Qt::AltModifier) {
                waitMs_ = AccessKeyMs;
                waitClock_.start();
            }
            break;
        }
        case Kind::Click:
            clickControl(w, a.control);
            break;
        case Kind::ClickCell:
            clickCell(w, a.row, a.column);
            break;
        case Kind::ClickScroll:
            clickScrollBar(w, a.part == Action::ScrollPart::LineDown || a.part == Action::ScrollPart::PageDown,
                           a.part == Action::ScrollPart::PageUp || a.part == Action::ScrollPart::PageDown);
            break;
        case Kind::DblClickRow:
            doubleClickRow(w, a.row);
            break;
        case Kind::DblClickHeader:
            doubleClickHeader(w, a.column);
            break;
        case Kind::Check:
            if ((checkBox(w, a.control).Value() == 1) != a.on) clickControl(w, a.control);
            break;
        case Kind::Choose:
            chooseEntry(w, a.control, a.position >= 0 ? a.position : entryPosition(w, a.control, a.text));
            break;
        case Kind::Drag:
            dragThumb(w, a.value);
            break;
        case Kind::Resize:
            w.resize(a.value, a.height);
            break;
        case Kind::Maximize:
            w.showMaximized();
            break;
        case Kind::Answer:
            throw InputError(QStringLiteral("no message box is waiting to be answered"));
        case Kind::Screenshot:
            saveScreenshot(w, a.text);
            break;
        case Kind::Dump:
            output_(dumpWindow(w));
            break;
        case Kind::Wait:
            waitMs_ = a.value;
            waitClock_.start();
            break;
        case Kind::Custom:
            a.step(w);
            break;
    }
}

int ScriptDriver::answer(const errors::MessageBoxRequest& box) {
    ++boxesAnswered_;
    if (ok() && next_ < actions_.size() && actions_[next_].kind == Action::Kind::Answer) {
        const Action& a = actions_[next_++];
        if (!a.text.isEmpty() && !box.text.contains(a.text) && !box.title.contains(a.text))
            fail(a, QStringLiteral("the message box says \"%1\", not \"%2\"").arg(escapeLineBreaks(box.text), a.text));
    }
    return 1;  // OK, the one button every box has
}

void ScriptDriver::fail(const Action& action, const QString& message) {
    if (!ok()) return;  // the first failure is the one that matters
    failure_ = where(action) + QStringLiteral(": ") + message;
    problems_(QStringLiteral("trovex: script ") + failure_);
}

void ScriptDriver::cancel(window::frmTrovex& w) {
    if (w.pbxCancel.Enabled()) {
        clickControl(w, QStringLiteral("pbxCancel"));
        if (openWindow() != &w) return;
    }
    w.hide();  // ends the modal showing even when Cancel cannot be pressed
}

}  // namespace lookup::script
