// The run-time errors the window's controls raise, with the system's
// numbers and descriptions, so that the window's traps and the engine's
// traps can tell them apart (380 ends a layout silently, 5 a scroll step).
#pragma once

namespace window {

namespace errnum {
constexpr long InvalidPropertyArrayIndex = 381;  // a grid row or column that does not exist
}  // namespace errnum

// 380 "Invalid property value": a negative size, a list position the list
// does not have, a value the property does not take.
[[noreturn]] void raiseInvalidPropertyValue();
// 381 "Invalid property array index": a grid row or column outside the grid.
[[noreturn]] void raiseInvalidArrayIndex();
// 5 "Invalid procedure call or argument": e.g. the focus given to a control
// that cannot take it.
[[noreturn]] void raiseInvalidProcedureCall();

}  // namespace window
