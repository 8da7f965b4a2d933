// The font the lookup window is drawn in.
#pragma once

#include <QFont>

namespace window {

// "MS Sans Serif" 8.25 point, regular, where the system has it; otherwise
// the font matcher's nearest sans serif at that size.
QFont systemFont();

}  // namespace window
