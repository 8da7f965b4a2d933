// Exact decimal amounts: parsing the grid's plain text, scaling between
// numbers of decimals, and ordering by value whatever the scale.
#include "accpac/Decimal.h"

#include <algorithm>
#include <limits>

#include "accpac/AccpacError.h"

namespace accpac {

namespace {

constexpr std::int64_t kPow10[Decimal::MaxScale + 1] = {1, 10, 100, 1000, 10000, 100000, 1000000};

// The value times 10^scale, widened so that two amounts of any scales compare
// without overflow (|units| < 2^63 and 10^MaxScale < 2^20).
__int128 widenedAt(const Decimal& d, int scale) { return __int128(d.units()) * kPow10[scale - d.scale()]; }

}  // namespace

Decimal::Decimal(std::int64_t units, int scale) : units_(units), scale_(scale) {
    if (scale < 0 || scale > MaxScale)
        throw AccpacError(errnum::InvalidProcedureCall,
                          QStringLiteral("An amount cannot have %1 digits after the point.").arg(scale));
}

std::optional<Decimal> Decimal::parse(const QString& text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';

    // Accumulate as a negative number so that the most negative amount parses too.
    std::int64_t units = 0;
    int scale = 0;
    int digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'.' && !point) {
            point = true;
            continue;
        }
        if (c < u'0' || c > u'9') return std::nullopt;
        const int digit = c.unicode() - u'0';
        ++digits;
        if (point && scale == MaxScale) {
            // Digits beyond what an amount holds are accepted only as trailing zeros.
            if (digit != 0) return std::nullopt;
            continue;
        }
        if (units < (std::numeric_limits<std::int64_t>::min() + digit) / 10) return std::nullopt;
        units = units * 10 - digit;
        if (point) ++scale;
    }
    if (digits == 0) return std::nullopt;
    if (!negative) {
        if (units == std::numeric_limits<std::int64_t>::min()) return std::nullopt;
        units = -units;
    }
    return Decimal(units, scale);
}

std::optional<std::int64_t> Decimal::unitsAt(int scale) const {
    if (scale < 0 || scale > MaxScale) return std::nullopt;
    if (scale >= scale_) {
        const __int128 wide = widenedAt(*this, scale);
        if (wide < std::numeric_limits<std::int64_t>::min() || wide > std::numeric_limits<std::int64_t>::max())
            return std::nullopt;
        return std::int64_t(wide);
    }
    const std::int64_t divisor = kPow10[scale_ - scale];
    if (units_ % divisor != 0) return std::nullopt;
    return units_ / divisor;
}

QString Decimal::toString() const {
    // Work on the magnitude as unsigned so that the most negative amount prints.
    const bool negative = units_ < 0;
    const std::uint64_t magnitude = negative ? 0 - std::uint64_t(units_) : std::uint64_t(units_);
    const std::uint64_t divisor = std::uint64_t(kPow10[scale_]);
    QString text = QString::number(magnitude / divisor);
    std::uint64_t fraction = magnitude % divisor;
    if (fraction != 0) {
        int width = scale_;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --width;
        }
        text += u'.' + QStringLiteral("%1").arg(fraction, width, 10, QChar(u'0'));
    }
    return negative ? u'-' + text : text;
}

double Decimal::toDouble() const { return double(units_) / double(kPow10[scale_]); }

bool operator==(const Decimal& a, const Decimal& b) {
    const int scale = std::max(a.scale_, b.scale_);
    return widenedAt(a, scale) == widenedAt(b, scale);
}

bool operator<(const Decimal& a, const Decimal& b) {
    const int scale = std::max(a.scale_, b.scale_);
    return widenedAt(a, scale) < widenedAt(b, scale);
}

}  // namespace accpac
