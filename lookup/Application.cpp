// Creation of the process's QApplication for hosts that have none.
#include "lookup/Application.h"

#include <QApplication>
#include <cstdio>

namespace lookup {

bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool ensureApplication() {
    QCoreApplication* existing = QCoreApplication::instance();
    if (existing) {
        if (qobject_cast<QApplication*>(existing)) return true;
        std::fputs("trovex: the host's Qt application has no widgets; a lookup window cannot be shown\n", stderr);
        return false;
    }
    // QApplication keeps argc and argv for its whole life, so they must
    // outlive it. The object is never deleted: hosts that did not make it
    // cannot know when it may go, and the process's end takes it anyway.
    static int argc = 1;
    static char name[] = "trovex";
    static char* argv[] = {name, nullptr};
    if (!hasDisplay()) {
        // Without a display Qt would end the host; offscreen windows still
        // serve scripted lookups (see docs/scripting.md).
        std::fputs("trovex: no display; lookup windows are drawn offscreen\n", stderr);
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    new QApplication(argc, argv);
    return true;
}

}  // namespace lookup
