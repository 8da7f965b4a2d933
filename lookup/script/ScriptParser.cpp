// Reading a lookup script into actions, with a message for each kind of bad line.
#include "lookup/script/ScriptParser.h"

#include <QStringList>

#include "accpac/Blanks.h"

namespace lookup::script {

namespace {

// What is wrong with a line; parseScript adds the line's number.
struct LineProblem {
    QString message;
};

[[noreturn]] void fail(const QString& message) { throw LineProblem{message}; }

// Splits the arguments of a line at blanks; a "double-quoted" argument may
// hold blanks, \" and \\.
QStringList splitArguments(const QString& text) {
    QStringList out;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        while (i < n && text[i] == u' ') ++i;
        if (i >= n) break;
        QString token;
        if (text[i] == u'"') {
            ++i;
            bool closed = false;
            while (i < n) {
                const QChar c = text[i++];
                if (c == u'"') {
                    closed = true;
                    break;
                }
                if (c == u'\\' && i < n && (text[i] == u'"' || text[i] == u'\\')) {
                    token += text[i++];
                    continue;
                }
                token += c;
            }
            if (!closed) fail(QStringLiteral("a quoted text has no closing \""));
            if (i < n && text[i] != u' ') fail(QStringLiteral("a blank must follow a quoted text"));
        } else {
            while (i < n && text[i] != u' ') token += text[i++];
        }
        out << token;
    }
    return out;
}

int number(const QString& text, const char* what, int min, int max) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < min || value > max)
        fail(QStringLiteral("%1 must be a whole number from %2 to %3, not \"%4\"")
                 .arg(QString::fromLatin1(what))
                 .arg(min)
                 .arg(max)
                 .arg(text));
    return value;
}

void expectCount(const QStringList& args, qsizetype min, qsizetype max, const char* usage) {
    if (args.size() < min || args.size() > max) fail(QStringLiteral("usage: ") + QString::fromLatin1(usage));
}

QString oneOf(const QString& name, const QStringList& allowed, const char* what) {
    if (!allowed.contains(name))
        fail(QStringLiteral("%1 \"%2\" is not one of %3")
                 .arg(QString::fromLatin1(what), name, allowed.join(QStringLiteral(", "))));
    return name;
}

const QStringList ClickableControls = {
    QStringLiteral("pbxFind"), QStringLiteral("pbxSelect"), QStringLiteral("pbxCancel"), QStringLiteral("chkAuto"),
    QStringLiteral("chkSize"), QStringLiteral("txtSearch"), QStringLiteral("FinderGrid")};
const QStringList CheckBoxes = {QStringLiteral("chkAuto"), QStringLiteral("chkSize")};
const QStringList Lists = {QStringLiteral("cboFindDesc"), QStringLiteral("cboCondition")};
const QStringList ScrollParts = {QStringLiteral("up"), QStringLiteral("down"), QStringLiteral("pageup"),
                                 QStringLiteral("pagedown")};

constexpr int MaxRow = 1'000'000;
constexpr int MaxPixels = 20'000;

// --- one parser per action ------------------------------------------------
// Each gets the action (kind and line already set), the arguments and the
// raw text after the action's name.
using Parse = void (*)(Action&, const QStringList&, const QString&);

void parseType(Action& a, const QStringList&, const QString& rest) {
    // The text is the rest of the line as written, or one quoted text (for
    // blanks at its ends, or nothing at all).
    if (rest.startsWith(u'"')) {
        const QStringList quoted = splitArguments(rest);
        if (quoted.size() != 1) fail(QStringLiteral("usage: type TEXT  or  type \"TEXT\""));
        a.text = quoted.first();
    } else {
        if (rest.isEmpty()) fail(QStringLiteral("usage: type TEXT  or  type \"TEXT\""));
        a.text = rest;
    }
}

void parseKey(Action& a, const QStringList& args, const QString&) {
    expectCount(args, 1, 2, "key NAME [COUNT]");
    if (!parseKeyName(args[0], a.key, a.modifiers))
        fail(QStringLiteral("unknown key \"%1\" (keys: Enter, Escape, Up, Down, Left, Right, PageUp, PageDown, "
                            "Home, End, Tab, Backtab, Backspace, Delete, Space, a letter or digit, with Alt+, "
                            "Ctrl+ or Shift+ in front)")
                 .arg(args[0]));
    if (args.size() == 2) a.count = number(args[1], "the count", 1, 10'000);
}

void parseClick(Action& a, const QStringList& args, const QString&) {
    if (!args.isEmpty() && args[0] == QLatin1String("cell")) {
        expectCount(args, 3, 3, "click cell ROW COLUMN");
        a.kind = Action::Kind::ClickCell;
        a.row = number(args[1], "the row", 0, MaxRow);
        a.column = number(args[2], "the column", 0, 1000);
        return;
    }
    if (!args.isEmpty() && args[0] == QLatin1String("ScrollBar1")) {
        expectCount(args, 2, 2, "click ScrollBar1 up|down|pageup|pagedown");
        a.kind = Action::Kind::ClickScroll;
        const qsizetype part = ScrollParts.indexOf(oneOf(args[1].toLower(), ScrollParts, "scroll-bar part"));
        a.part = Action::ScrollPart(part);
        return;
    }
    expectCount(args, 1, 1, "click CONTROL  or  click cell ROW COLUMN  or  click ScrollBar1 PART");
    a.control = oneOf(args[0], ClickableControls, "control");
}

void parseDblClick(Action& a, const QStringList& args, const QString&) {
    expectCount(args, 2, 2, "dblclick row ROW  or  dblclick header COLUMN");
    if (args[0] == QLatin1String("row")) {
        a.kind = Action::Kind::DblClickRow;
        a.row = number(args[1], "the row", 1, MaxRow);
    } else if (args[0] == QLatin1String("header")) {
        a.kind = Action::Kind::DblClickHeader;
        a.column = number(args[1], "the column", 0, 1000);
    } else {
        fail(QStringLiteral("usage: dblclick row ROW  or  dblclick header COLUMN"));
    }
}

void parseCheck(Action& a, const QStringList& args, const QString&) {
    expectCount(args, 1, 1, a.on ? "check CONTROL" : "uncheck CONTROL");
    a.control = oneOf(args[0], CheckBoxes, "check box");
}

void parseUncheck(Action& a, const QStringList& args, const QString& rest) {
    a.on = false;
    parseCheck(a, args, rest);
}

void parseChoose(Action& a, const QStringList& args, const QString&) {
    expectCount(args, 2, 2, "choose LIST ENTRY  or  choose LIST #POSITION");
    a.control = oneOf(args[0], Lists, "list");
    if (args[1].startsWith(u'#') && args[1].size() > 1)
        a.position = number(args[1].mid(1), "the position", 0, 1000);
    else
        a.text = args[1];
}

void parseDrag(Action& a, const QStringList& args, const QString&) {
    expectCount(args, 2, 2, "drag ScrollBar1 VALUE");
    oneOf(args[0], {QStringLiteral("ScrollBar1")}, "control");
    a.value = number(args[1], "the value", 0, 100);
}

void parseResize(Action& a, const QStringList& args, const QString&) {
    expectCount(args, 2, 2, "resize WIDTH HEIGHT");
    a.value = number(args[0], "the width", 1, MaxPixels);
    a.height = number(args[1], "the height", 1, MaxPixels);
}

void parseNothing(Action&, const QStringList& args, const QString&) {
    if (!args.isEmpty()) fail(QStringLiteral("this action takes no arguments"));
}

void parseAnswer(Action& a, const QStringList& args, const QString&) {
    // "answer", "answer OK" or "answer OK TEXT": every box has the one OK button.
    expectCount(args, 0, 2, "answer [OK [TEXT]]");
    if (!args.isEmpty() && args[0] != QLatin1String("OK"))
        fail(QStringLiteral("a message box can only be answered OK"));
    if (args.size() == 2) a.text = args[1];
}

void parseScreenshot(Action& a, const QStringList& args, const QString&) {
    expectCount(args, 1, 1, "screenshot FILE.png");
    a.text = args[0];
}

void parseWait(Action& a, const QStringList& args, const QString&) {
    expectCount(args, 1, 1, "wait MILLISECONDS");
    a.value = number(args[0], "the time", 0, 600'000);
}

struct Verb {
    const char* name;
    Action::Kind kind;
    Parse parse;
};

const Verb Verbs[] = {
    {"type", Action::Kind::Type, parseType},       {"key", Action::Kind::Key, parseKey},
    {"click", Action::Kind::Click, parseClick},    {"dblclick", Action::Kind::DblClickRow, parseDblClick},
    {"check", Action::Kind::Check, parseCheck},    {"uncheck", Action::Kind::Check, parseUncheck},
    {"choose", Action::Kind::Choose, parseChoose}, {"drag", Action::Kind::Drag, parseDrag},
    {"resize", Action::Kind::Resize, parseResize}, {"maximize", Action::Kind::Maximize, parseNothing},
    {"answer", Action::Kind::Answer, parseAnswer}, {"screenshot", Action::Kind::Screenshot, parseScreenshot},
    {"dump", Action::Kind::Dump, parseNothing},    {"wait", Action::Kind::Wait, parseWait},
};

QString verbNames() {
    QStringList names;
    for (const Verb& v : Verbs) names << QString::fromLatin1(v.name);
    return names.join(QStringLiteral(", "));
}

Action parseLine(const QString& line) {
    const qsizetype blank = line.indexOf(u' ');
    const QString name = blank < 0 ? line : line.left(blank);
    const QString rest = blank < 0 ? QString() : line.mid(blank + 1);
    for (const Verb& verb : Verbs) {
        if (name.compare(QLatin1String(verb.name), Qt::CaseInsensitive) != 0) continue;
        Action action;
        action.kind = verb.kind;
        action.source = line;
        verb.parse(action, verb.parse == parseType ? QStringList() : splitArguments(rest), rest);
        return action;
    }
    fail(QStringLiteral("unknown action \"%1\" (actions: %2)").arg(name, verbNames()));
}

struct NamedKey {
    const char* name;
    Qt::Key key;
};

const NamedKey NamedKeys[] = {
    {"Enter", Qt::Key_Return},      {"Return", Qt::Key_Return},   {"Escape", Qt::Key_Escape},
    {"Esc", Qt::Key_Escape},        {"Up", Qt::Key_Up},           {"Down", Qt::Key_Down},
    {"Left", Qt::Key_Left},         {"Right", Qt::Key_Right},     {"PageUp", Qt::Key_PageUp},
    {"PageDown", Qt::Key_PageDown}, {"Home", Qt::Key_Home},       {"End", Qt::Key_End},
    {"Tab", Qt::Key_Tab},           {"Backtab", Qt::Key_Backtab}, {"Backspace", Qt::Key_Backspace},
    {"Delete", Qt::Key_Delete},     {"Space", Qt::Key_Space},
};

}  // namespace

ScriptError::ScriptError(int line, const QString& message)
    : std::runtime_error(QStringLiteral("line %1: %2").arg(line).arg(message).toStdString()), line_(line) {}

Action Action::custom(std::function<void(window::frmTrovex&)> step, QString name) {
    Action a;
    a.kind = Kind::Custom;
    a.source = std::move(name);
    a.step = std::move(step);
    return a;
}

bool parseKeyName(const QString& name, int& key, Qt::KeyboardModifiers& modifiers) {
    QStringList parts = name.split(u'+');
    const QString base = parts.takeLast();
    Qt::KeyboardModifiers mods;
    for (const QString& m : parts) {
        if (m.compare(QLatin1String("Alt"), Qt::CaseInsensitive) == 0)
            mods |= Qt::AltModifier;
        else if (m.compare(QLatin1String("Ctrl"), Qt::CaseInsensitive) == 0)
            mods |= Qt::ControlModifier;
        else if (m.compare(QLatin1String("Shift"), Qt::CaseInsensitive) == 0)
            mods |= Qt::ShiftModifier;
        else
            return false;
    }
    for (const NamedKey& k : NamedKeys) {
        if (base.compare(QLatin1String(k.name), Qt::CaseInsensitive) == 0) {
            key = k.key;
            modifiers = mods;
            return true;
        }
    }
    // A single letter or digit: its key (letters are the same key in either case).
    if (base.size() == 1 && base[0].isLetterOrNumber() && base[0].unicode() < 128) {
        key = base[0].toUpper().unicode();
        modifiers = mods;
        return true;
    }
    return false;
}

std::vector<Action> parseScript(const QString& text) {
    std::vector<Action> actions;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r')) line.chop(1);
        // Indentation is layout; what follows the action's name is kept as
        // written (a typed text may end in blanks).
        qsizetype start = 0;
        while (start < line.size() && (line[start] == u' ' || line[start] == u'\t')) ++start;
        line = line.mid(start);
        if (accpac::trimBlanks(line).isEmpty() || line.startsWith(u'#')) continue;
        const int number = int(i + 1);
        try {
            Action action = parseLine(line);
            action.line = number;
            actions.push_back(std::move(action));
        } catch (const LineProblem& problem) {
            throw ScriptError(number, problem.message);
        }
    }
    return actions;
}

}  // namespace lookup::script
