// The Qt application object the lookup window needs.
//
// A host written with Qt Widgets has its own QApplication; a host that is
// not (a C program, a script through the C ABI) has none, and the component
// then makes one for the rest of the process the first time it is needed.
#pragma once

namespace lookup {

// True when Qt has somewhere to draw: a display, or a platform chosen with
// QT_QPA_PLATFORM.
bool hasDisplay();

// Returns true when a QApplication exists, creating one when the process has
// no Qt application object yet. Returns false (and warns on stderr) when the
// host runs a Qt application object without widgets, in which no window can
// be shown. Without a display (hasDisplay) the application draws offscreen,
// which serves scripted lookups. Must be called on the thread that runs the
// host's user interface.
bool ensureApplication();

}  // namespace lookup
