#include "accpac/Blanks.h"

namespace accpac {

QString ltrimBlanks(const QString& s) {
    qsizetype i = 0;
    while (i < s.size() && s[i] == u' ') ++i;
    return s.mid(i);
}

QString rtrimBlanks(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == u' ') --n;
    return s.left(n);
}

QString trimBlanks(const QString& s) { return ltrimBlanks(rtrimBlanks(s)); }

}  // namespace accpac
