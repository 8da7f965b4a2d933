// Column widths that fit a column's texts.
//
// A width follows the text with the most characters, not the widest text:
// that is how the lookup has always sized its columns, and it costs one
// measurement per column.
#pragma once

#include <QString>
#include <cstdint>

class QFont;

namespace window {

class FlexGrid;

enum class Candidate {
    AsShown,  // the longest text as it stands
    Trimmed,  // each text that is longer (as it stands) than the candidate so far replaces it without outer blanks
};

// The text with the most characters in column `col`, header row included;
// of equally long texts the first wins. A column outside the grid throws 381.
QString longestText(const FlexGrid& grid, int col, Candidate candidate);

// Nearest whole number, halves to the even neighbour.
std::int32_t roundHalfEven(double value);

// A number of pixels in twips at `twipsPerPixel` (the screen's by default),
// rounded half to even.
std::int32_t PixelsToTwips(std::int32_t pixels, double twipsPerPixel);
std::int32_t PixelsToTwips(std::int32_t pixels);

// The width in twips of a column that shows `text` in `font`: the text's
// width rounded to whole pixels, in twips, plus a margin of 150 twips that
// keeps the text off the grid lines.
double fittedColumnWidth(const QString& text, const QFont& font);

}  // namespace window
