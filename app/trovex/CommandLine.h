// The command line of the host program `trovex`:
//
//   trovex [--company PATH] [--registry NAME] [--xp] [--script FILE|-] CALL [; CALL]...
//
// A CALL is a Trovex method name and its own arguments in interface order;
// calls are separated by a word that is a single ";".
#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

#include "lookup/MethodCalls.h"

namespace host {

struct CommandLine {
    QString company;                              // "" = the demo company
    QString registry = QStringLiteral("trovex");  // the settings name handed to every call
    bool xp = false;                              // the modern button look
    QString script;                               // "" = no script; "-" = standard input
    bool help = false;
    std::vector<lookup::MethodCall> calls;  // checked before anything runs
};

class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// Parses the words after the program name. Throws UsageError for a bad
// option and lookup::CallError for a bad call.
CommandLine parseCommandLine(const QStringList& words);

QString usage();

}  // namespace host
