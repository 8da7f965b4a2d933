// The range of spellings of a search's literal prefix.
#include "accpac/postgres/FoldedPrefix.h"

#include <QChar>
#include <QList>
#include <unordered_map>

namespace accpac::postgres {

namespace {

// The folding LIKE conditions use (see accpac/filter/LikeMatch.cpp).
char32_t folded(char32_t c) {
    if (c < 0x80) return (c >= U'A' && c <= U'Z') ? c + 32 : c;
    return QChar::toCaseFolded(c);
}

struct Spellings {
    char32_t lowest, highest;
};

// For each folded character that more than one character folds to, the
// lowest and highest of them.
const std::unordered_map<char32_t, Spellings>& spellings() {
    static const std::unordered_map<char32_t, Spellings> table = [] {
        std::unordered_map<char32_t, Spellings> t;
        for (char32_t c = 0; c <= 0x10FFFF; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF) continue;
            const char32_t f = folded(c);
            if (f == c) continue;
            auto [it, added] = t.try_emplace(f, Spellings{f, f});
            it->second.lowest = std::min(it->second.lowest, c);
            it->second.highest = std::max(it->second.highest, c);
        }
        return t;
    }();
    return table;
}

}  // namespace

std::optional<std::pair<QByteArray, QByteArray>> prefixRange(const QString& pattern) {
    QString lowest, highest;
    for (const char32_t c : pattern.toUcs4()) {
        if (c == U'%' || c == U'_') break;
        const char32_t f = folded(c);
        const auto it = spellings().find(f);
        const Spellings s = it == spellings().end() ? Spellings{f, f} : it->second;
        lowest += QString::fromUcs4(&s.lowest, 1);
        highest += QString::fromUcs4(&s.highest, 1);
    }
    if (lowest.isEmpty()) return std::nullopt;
    // Anything may follow the prefix: the highest character there is.
    constexpr char32_t Last = 0x10FFFF;
    highest += QString::fromUcs4(&Last, 1);
    return std::pair{lowest.toUtf8(), highest.toUtf8()};
}

}  // namespace accpac::postgres
