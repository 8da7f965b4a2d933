// Blanks are spaces (U+0020) only: the system trims them and nothing else,
// so tabs and line breaks survive a trim.
#pragma once

#include <QString>

namespace accpac {

QString trimBlanks(const QString& s);   // leading and trailing spaces removed
QString ltrimBlanks(const QString& s);
QString rtrimBlanks(const QString& s);

}  // namespace accpac
