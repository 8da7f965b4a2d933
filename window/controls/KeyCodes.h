// Key codes as the window's key handlers see them: Windows virtual-key
// codes and the shift-state bits, whatever the toolkit calls the keys.
#pragma once

#include <Qt>

class QKeyEvent;

namespace window {

namespace vk {
constexpr int Enter = 13;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int Up = 38;
constexpr int Down = 40;
}  // namespace vk

// Shift-state bits: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(Qt::KeyboardModifiers modifiers);
// The virtual-key code of a Qt key; 0 for a key the system has no code for.
int virtualKeyCode(int qtKey);

}  // namespace window
