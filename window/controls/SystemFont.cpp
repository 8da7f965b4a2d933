#include "window/controls/SystemFont.h"

namespace window {

QFont systemFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace window
