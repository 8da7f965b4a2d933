// What an import refuses beyond what a field's own conversion refuses: text
// that is not UTF-8, and codes that a coded field's list does not hold. Both
// would otherwise be stored and show later as a replacement character in a
// key or as an empty cell.
#pragma once

#include <QString>
#include <optional>
#include <string_view>

#include "accpac/AccpacField.h"

namespace accpac::sqlite {

// Where a CSV file's bytes stop being UTF-8, as "line N, field F: ..." (F is
// the field's number from 1, or its name from the header when the header
// itself is readable). Nothing when every byte sequence is well-formed
// UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
std::optional<QString> findInvalidUtf8(std::string_view csv);

// Why `value` (already converted to the field's type) cannot be stored in a
// field of `def`, or "" when it can: a coded number outside its list, or a
// letter-coded text whose first character is not one of its codes.
QString codeProblem(const FieldDef& def, const Variant& value);

}  // namespace accpac::sqlite
