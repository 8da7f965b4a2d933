// trovex: runs Trovex lookups from the command line, by hand or by script.
//
// One Trovex instance serves every call in order, so what a cancelled
// lookup leaves in the results is visible in the next call's output. Every
// message box also goes to stderr as one line "[title] text".
#include <QApplication>
#include <QFile>
#include <cstdio>
#include <memory>

#include "CommandLine.h"
#include "DemoCompany.h"
#include "accpac/AccpacError.h"
#include "lookup/Application.h"
#include "lookup/CompanyOpener.h"
#include "lookup/MessageRouting.h"
#include "lookup/script/ScriptDriver.h"

namespace {

// Exit statuses.
constexpr int Done = 0;
constexpr int NoCompany = 1;     // the company cannot be opened or made
constexpr int BadUsage = 2;      // bad option, call or script line
constexpr int ScriptFailed = 3;  // an action of the script could not be carried out

void print(FILE* stream, const QString& line) {
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stream);
    std::fflush(stream);
}

QString readScript(const QString& name) {
    QFile file;
    const bool opened = name == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                   : (file.setFileName(name), file.open(QIODevice::ReadOnly));
    if (!opened) throw host::UsageError(QStringLiteral("cannot read the script ") + name);
    return QString::fromUtf8(file.readAll());
}

std::shared_ptr<accpac::AccpacSession> openSession(const QString& company) {
    return company.isEmpty() ? lookup::openDemoCompany() : lookup::openCompanyAt(company);
}

}  // namespace

int main(int argc, char** argv) {
    // The command line is read before Qt starts, so that help and a bad
    // call need no display, and a lookup that could not be shown is refused
    // with a reason instead of Qt's abort.
    host::CommandLine line;
    std::unique_ptr<lookup::script::ScriptDriver> driver;
    try {
        QStringList words;
        for (int i = 1; i < argc; ++i) words << QString::fromLocal8Bit(argv[i]);
        line = host::parseCommandLine(words);
        if (line.help) {
            std::fputs(host::usage().toUtf8().constData(), stdout);
            return Done;
        }
        if (!line.script.isEmpty())
            driver =
                std::make_unique<lookup::script::ScriptDriver>(lookup::script::parseScript(readScript(line.script)));
    } catch (const std::exception& e) {
        print(stderr, QStringLiteral("trovex: ") + QString::fromUtf8(e.what()));
        std::fputs(host::usage().toUtf8().constData(), stderr);
        return BadUsage;
    }
    // A script needs no display: without one it drives offscreen windows.
    if (!lookup::hasDisplay()) {
        if (!driver) {
            print(stderr, QStringLiteral("trovex: no display to show the lookup window on (set DISPLAY, or "
                                         "drive the window with --script, which needs none)"));
            return BadUsage;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("trovex"));

    std::shared_ptr<accpac::AccpacSession> session;
    try {
        session = openSession(line.company);
    } catch (const accpac::AccpacError& e) {
        print(stderr, QStringLiteral("trovex: cannot open the company: ") + e.description());
        return NoCompany;
    } catch (const std::exception& e) {
        print(stderr, QStringLiteral("trovex: cannot open the company: ") + QString::fromUtf8(e.what()));
        return NoCompany;
    }

    lookup::setBoxObserver([](const errors::MessageBoxRequest& box) { print(stderr, lookup::boxLine(box)); });
    if (driver) driver->start();

    lookup::Trovex trovex;
    for (const lookup::MethodCall& call : line.calls) {
        call.invoke(trovex, session, line.registry, line.xp ? accpac::IntegerTrue : accpac::IntegerFalse);
        print(stdout, QStringLiteral("Result1=") + lookup::escapeLineBreaks(trovex.Result1()));
        print(stdout, QStringLiteral("Result2=") + lookup::escapeLineBreaks(trovex.Result2()));
        print(stdout, QStringLiteral("Result3=") + lookup::escapeLineBreaks(trovex.Result3()));
        if (driver && !driver->ok()) break;  // the rest of the script no longer fits the calls
    }
    if (driver && !driver->finish()) return ScriptFailed;
    return Done;
}
