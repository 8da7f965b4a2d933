// Exact decimal amounts, as the accounting system keeps them.
//
// A Decimal is a 64-bit integer count of units at a given scale (number of
// digits after the point), so amounts never pass through binary floating
// point. Text is the plain form the grid shows: optional '-', digits, and a
// '.' followed by the significant fractional digits only ("1234.5", "0.05",
// "-3"); that same text parses back to an equal value, which is what lets a
// key text taken from the grid be used again in a browse filter.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "accpac/Export.h"

namespace accpac {

class TROVEX_API Decimal {
public:
    static constexpr int MaxScale = 6;  // digits after the point that a Decimal can hold

    Decimal() = default;
    // units / 10^scale; scale 0..MaxScale.
    Decimal(std::int64_t units, int scale);
    static Decimal fromInt(std::int64_t whole) { return Decimal(whole, 0); }

    // Parses "-12.50", "12", ".5", "+3". Blanks are not accepted. Returns
    // nothing for anything else, for more than MaxScale fractional digits
    // that are not zeros, or on overflow.
    static std::optional<Decimal> parse(const QString& text);

    // The value scaled to `scale` digits (exact when scale >= this->scale();
    // otherwise nothing when digits would be lost or on overflow).
    std::optional<std::int64_t> unitsAt(int scale) const;

    std::int64_t units() const { return units_; }
    int scale() const { return scale_; }
    QString toString() const;  // minimal form, see above
    double toDouble() const;

    friend bool operator==(const Decimal& a, const Decimal& b);
    friend bool operator<(const Decimal& a, const Decimal& b);

private:
    std::int64_t units_ = 0;  // value times 10^scale_
    int scale_ = 0;           // 0..MaxScale
};

}  // namespace accpac
