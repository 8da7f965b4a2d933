// The lookup script: what a person would do in a lookup window, one action
// a line (the format is described in docs/scripting.md).
//
//   type rent            click pbxFind        key PageDown 2
//   choose cboCondition Contains              dblclick row 3
//
// parseScript checks every line before anything runs, so a bad line is
// reported with its number and never half-executed.
#pragma once

#include <QString>
#include <Qt>
#include <functional>
#include <stdexcept>
#include <vector>

namespace window {
class frmTrovex;
}

namespace lookup::script {

struct Action {
    enum class Kind {
        Type,            // text: typed into the control that has the focus
        Key,             // key, modifiers, count: pressed `count` times
        Click,           // control: clicked
        ClickCell,       // row, column: a grid cell clicked
        ClickScroll,     // part: an arrow or the track of ScrollBar1 clicked
        DblClickRow,     // row: a grid data row double-clicked
        DblClickHeader,  // column: a column header double-clicked
        Check,           // control, on: a check box clicked when not already so
        Choose,          // control, entry text or position: a list entry chosen
        Drag,            // value: ScrollBar1's thumb dragged to it
        Resize,          // width, height: the window's inner size in pixels
        Maximize,        // the window maximized
        Answer,          // text: the next message box answered OK (text: expected part of it)
        Screenshot,      // text: PNG file written
        Dump,            // the window's state printed
        Wait,            // milliseconds: the window left to itself
        Custom,          // step: a C++ host's own step (never from text)
    };
    enum class ScrollPart { LineUp, LineDown, PageUp, PageDown };

    Kind kind = Kind::Dump;
    int line = 0;     // 1-based line of the script; 0 for Custom
    QString source;   // the line as written, for messages
    QString control;  // Click, Check, Choose
    QString text;     // Type, Answer, Screenshot, Choose (entry text)
    int key = 0;      // Qt::Key
    Qt::KeyboardModifiers modifiers;
    int count = 1;            // Key
    int row = 0, column = 0;  // ClickCell, DblClickRow, DblClickHeader
    int position = -1;        // Choose by position; -1 chooses by text
    int value = 0;            // Drag, Resize width, Wait ms
    int height = 0;           // Resize
    bool on = true;           // Check (true) or uncheck (false)
    ScrollPart part = ScrollPart::LineDown;
    std::function<void(window::frmTrovex&)> step;  // Custom

    // A C++ host's step, run in turn like any other action.
    static Action custom(std::function<void(window::frmTrovex&)> step, QString name = QStringLiteral("custom"));
};

// A line that is not an action: what() is "line N: message".
class ScriptError : public std::runtime_error {
public:
    ScriptError(int line, const QString& message);
    int line() const { return line_; }

private:
    int line_;
};

// Parses a whole script. Blank lines and lines starting with # are skipped.
// Throws ScriptError for the first bad line.
std::vector<Action> parseScript(const QString& text);

// The Qt key of a key name ("Enter", "PageDown", "Alt+F"), with its
// modifiers; false when the name is unknown.
bool parseKeyName(const QString& name, int& key, Qt::KeyboardModifiers& modifiers);

}  // namespace lookup::script
