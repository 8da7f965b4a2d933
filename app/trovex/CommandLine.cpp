// Reading the host program's options and calls.
#include "CommandLine.h"

namespace host {

namespace {

// The value that follows an option, which must be there.
QString optionValue(const QStringList& words, qsizetype& i) {
    if (i + 1 >= words.size()) throw UsageError(words[i] + QStringLiteral(" needs a value"));
    return words[++i];
}

}  // namespace

CommandLine parseCommandLine(const QStringList& words) {
    CommandLine line;
    qsizetype i = 0;
    for (; i < words.size(); ++i) {
        const QString& w = words[i];
        if (w == QLatin1String("--company"))
            line.company = optionValue(words, i);
        else if (w == QLatin1String("--registry"))
            line.registry = optionValue(words, i);
        else if (w == QLatin1String("--script"))
            line.script = optionValue(words, i);
        else if (w == QLatin1String("--xp"))
            line.xp = true;
        else if (w == QLatin1String("--help") || w == QLatin1String("-h"))
            line.help = true;
        else if (w == QLatin1String("--")) {
            ++i;
            break;
        } else if (w.startsWith(QLatin1String("--")))
            throw UsageError(QStringLiteral("unknown option ") + w);
        else
            break;
    }
    if (line.help) return line;

    QStringList call;
    const auto endCall = [&] {
        if (call.isEmpty()) throw UsageError(QStringLiteral("an empty call (two separators, or one at an end)"));
        line.calls.push_back(lookup::parseCall(call));
        call.clear();
    };
    for (; i < words.size(); ++i) {
        if (words[i] == QLatin1String(";"))
            endCall();
        else
            call << words[i];
    }
    if (!call.isEmpty() || !line.calls.empty()) endCall();
    if (line.calls.empty()) throw UsageError(QStringLiteral("no call given"));
    return line;
}

QString usage() {
    QString text = QStringLiteral(
        "usage: trovex [--company PATH] [--registry NAME] [--xp] [--script FILE|-] CALL [; CALL]...\n"
        "\n"
        "Runs lookups one after another on one Trovex instance and prints Result1..Result3\n"
        "after each. The separator ; must be quoted in the shell.\n"
        "\n"
        "  --company PATH   company file or postgresql:// URI (default: the demo company, made on first use)\n"
        "  --registry NAME  settings name handed to every call (default: trovex)\n"
        "  --xp             the modern button look\n"
        "  --script FILE    drive the windows with a script (- reads standard input);\n"
        "                   see docs/scripting.md\n"
        "\n"
        "Calls:\n");
    for (const lookup::MethodInfo& m : lookup::methodTable())
        text += QStringLiteral("  %1 %2\n").arg(QString::fromLatin1(m.name), lookup::describeParams(m));
    return text;
}

}  // namespace host
