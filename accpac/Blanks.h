// Blanks are spaces (U+0020) only: the system trims them and nothing else,
// so tabs and line breaks survive a trim.
#pragma once

#include <QString>

#include "accpac/Export.h"

namespace accpac {

TROVEX_API QString trimBlanks(const QString& s);  // leading and trailing spaces removed
TROVEX_API QString ltrimBlanks(const QString& s);
TROVEX_API QString rtrimBlanks(const QString& s);

}  // namespace accpac
