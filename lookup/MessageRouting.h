// Where the component's message boxes go, for hosts that want to see them,
// log them or answer them without a person.
//
// Every box first goes to the observer (when one is set), then to the
// answerer, whose answer the component receives; without an answerer the
// modal Qt box is shown, unless showing is turned off, in which case the box
// is answered OK unseen. The host program sets an observer that writes each
// box to stderr, the script driver answers boxes from its script, and the C
// ABI's sink is an observer with showing turned off.
#pragma once

#include <QString>
#include <functional>

#include "errors/MessageBox.h"

namespace lookup {

using BoxObserver = std::function<void(const errors::MessageBoxRequest&)>;
using BoxAnswerer = std::function<int(const errors::MessageBoxRequest&)>;

// Each replaces the previous one and returns it; an empty function removes it.
// Each call (re)installs the routing as the component's message sink.
BoxObserver setBoxObserver(BoxObserver observer);
BoxAnswerer setBoxAnswerer(BoxAnswerer answerer);
// Whether a box that no answerer takes is shown (the default) or answered OK unseen.
void setBoxesShown(bool shown);

// A box as one line: "[title] text", with carriage returns and line feeds
// written as \r and \n so the line stays one line.
QString boxLine(const errors::MessageBoxRequest& box);
// The text with carriage returns and line feeds written as \r and \n.
QString escapeLineBreaks(const QString& text);

}  // namespace lookup
