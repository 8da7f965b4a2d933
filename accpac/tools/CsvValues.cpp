// Reading a CSV field's value for its column.
#include "accpac/tools/CsvValues.h"

#include <QDate>
#include <algorithm>
#include <limits>

#include "accpac/AccpacError.h"
#include "accpac/sqlite/Storage.h"
#include "accpac/tools/ImportCheck.h"

namespace accpac::sqlite {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A whole number of at most 18 digits after an optional minus, nothing else.
bool plainWhole(std::string_view text, std::int64_t& value) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    if (text.empty() || text.size() > 18) return false;
    std::int64_t n = 0;
    for (const char c : text) {
        if (!isDigit(c)) return false;
        n = n * 10 + (c - '0');
    }
    value = negative ? -n : n;
    return true;
}

constexpr std::int64_t Pow10[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

}  // namespace

CsvValue::CsvValue(const FieldDef& def) : def_(def) {
    coded_ = def.presentationType == PresentationCoded && def.type != FieldType::Boolean;
    for (int i = 0; coded_ && i < def.presentation.Count(); ++i) codes_.push_back(def.presentation.Item(i).Value);
}

bool CsvValue::hasCode(std::int64_t code) const {
    return std::find(codes_.begin(), codes_.end(), code) != codes_.end();
}

bool CsvValue::quickText(std::string_view text) const {
    // A text fits when its UTF-16 length does; each byte counts at most one
    // UTF-16 unit, so only a longer text needs counting.
    if (text.size() > std::size_t(def_.size)) return false;
    if (!coded_ || text.empty()) return true;
    const auto first = static_cast<unsigned char>(text.front());
    return first < 0x80 && hasCode(first);
}

bool CsvValue::quickNumber(std::string_view text, std::int64_t& number) const {
    switch (def_.type) {
        case FieldType::String:
            return false;
        case FieldType::Int16:
        case FieldType::Int32: {
            std::int64_t n = 0;
            if (!text.empty() && !plainWhole(text, n)) return false;
            const bool small = def_.type == FieldType::Int16;
            if (n < (small ? std::numeric_limits<std::int16_t>::min() : std::numeric_limits<std::int32_t>::min()) ||
                n > (small ? std::numeric_limits<std::int16_t>::max() : std::numeric_limits<std::int32_t>::max()))
                return false;
            if (coded_ && !hasCode(n)) return false;
            number = n;
            return true;
        }
        case FieldType::Boolean:
            if (text.empty() || text == "False" || text == "0") {
                number = 0;
                return true;
            }
            if (text == "True" || text == "1") {
                number = 1;
                return true;
            }
            return false;
        case FieldType::Decimal: {
            if (coded_ || def_.decimals < 0 || def_.decimals > 9) return false;
            if (text.empty()) {
                number = 0;
                return true;
            }
            const std::size_t point = text.find('.');
            const std::string_view whole = text.substr(0, point);
            const std::string_view fraction =
                point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
            if (point != std::string_view::npos && fraction.empty()) return false;
            if (fraction.size() > std::size_t(def_.decimals) || (!fraction.empty() && fraction.front() == '-'))
                return false;
            const bool negative = !whole.empty() && whole.front() == '-';
            // At most 18 digits with the decimals, so the units cannot overflow.
            std::int64_t units = 0, part = 0;
            if (whole.size() - (negative ? 1 : 0) + std::size_t(def_.decimals) > 18 || !plainWhole(whole, units))
                return false;
            if (!fraction.empty() && !plainWhole(fraction, part)) return false;
            units = units * Pow10[def_.decimals];
            part *= Pow10[def_.decimals - int(fraction.size())];
            number = negative ? units - part : units + part;
            return true;
        }
        case FieldType::Date: {
            if (coded_) return false;
            if (text.empty()) {
                number = 0;
                return true;
            }
            if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
            int digits[10] = {};
            for (int i : {0, 1, 2, 3, 5, 6, 8, 9}) {
                if (!isDigit(text[std::size_t(i)])) return false;
                digits[i] = text[std::size_t(i)] - '0';
            }
            const int y = digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3];
            const int m = digits[5] * 10 + digits[6], d = digits[8] * 10 + digits[9];
            if (!QDate(y, m, d).isValid()) return false;
            number = std::int64_t(y) * 10000 + m * 100 + d;
            return true;
        }
    }
    return false;
}

QString CsvValue::convert(std::string_view text, std::int64_t& number, std::string& texts) const {
    if (storesText() ? quickText(text) : quickNumber(text, number)) {
        if (storesText()) texts.append(text);
        return {};
    }
    // The general conversion, which also words every refusal.
    const QString value = QString::fromUtf8(text.data(), qsizetype(text.size()));
    if (def_.type == FieldType::String && value.size() > def_.size)
        return QStringLiteral("%1 holds at most %2 characters, not %3").arg(def_.name).arg(def_.size).arg(value.size());
    try {
        const Variant converted = convertText(def_, value);
        if (QString problem = codeProblem(def_, converted); !problem.isEmpty()) return problem;
        const Stored stored = toStored(def_, converted);
        if (const auto* n = std::get_if<std::int64_t>(&stored))
            number = *n;
        else
            texts.append(std::get<QByteArray>(stored).toStdString());
    } catch (const AccpacError& e) {
        return e.description();
    }
    return {};
}

}  // namespace accpac::sqlite
