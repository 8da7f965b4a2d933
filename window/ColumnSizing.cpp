// Longest texts, pixel widths and their twips.
#include "window/ColumnSizing.h"

#include <QFontMetricsF>
#include <cmath>

#include "accpac/Blanks.h"
#include "window/controls/FlexGrid.h"
#include "window/controls/Twips.h"

namespace window {

namespace {
constexpr double CellMargin = 150;  // twips around the text of a sized column
}

QString longestText(const FlexGrid& grid, int col, Candidate candidate) {
    QString longest;
    for (int row = 0; row < grid.Rows(); ++row) {
        const QString text = grid.TextMatrix(row, col);
        if (text.size() > longest.size()) longest = candidate == Candidate::Trimmed ? accpac::trimBlanks(text) : text;
    }
    return longest;
}

std::int32_t roundHalfEven(double value) {
    const double below = std::floor(value), fraction = value - below;
    if (fraction < 0.5) return std::int32_t(below);
    if (fraction > 0.5) return std::int32_t(below + 1);
    return std::int32_t(std::fmod(below, 2) == 0 ? below : below + 1);
}

std::int32_t PixelsToTwips(std::int32_t pixels, double twipsPerPixel) { return roundHalfEven(pixels * twipsPerPixel); }

std::int32_t PixelsToTwips(std::int32_t pixels) { return PixelsToTwips(pixels, twipsPerPixelX()); }

double fittedColumnWidth(const QString& text, const QFont& font) {
    const double pixels = QFontMetricsF(font).horizontalAdvance(text);
    return PixelsToTwips(roundHalfEven(pixels)) + CellMargin;
}

}  // namespace window
