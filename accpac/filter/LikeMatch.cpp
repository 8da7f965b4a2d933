// The LIKE match of browse filters.
//
// A database's own LIKE may fold ASCII letters only, so a user searching
// "école" would miss "École". The match here folds every letter, works on
// UTF-8 as a database hands it over without converting it, and never
// recurses, so a pattern of many % costs time proportional to text times
// pattern at worst.
#include <QChar>
#include <algorithm>
#include <mutex>
#include <unordered_map>

#include "accpac/AccpacError.h"
#include "accpac/filter/Filter.h"

namespace accpac::filter {

namespace {

// Malformed bytes decode to values no character has, different in text and
// pattern, so that they equal nothing but are still skipped by _ and %.
constexpr char32_t kBadTextByte = 0x110000;
constexpr char32_t kBadPatternByte = 0x110001;

// The character starting at s[i], advancing i past it.
char32_t decode(std::string_view s, std::size_t& i, char32_t bad) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra = 0;
    char32_t c = 0;
    char32_t least = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1, c = b0 & 0x1F, least = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2, c = b0 & 0x0F, least = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3, c = b0 & 0x07, least = 0x10000;
    } else {
        ++i;
        return bad;
    }
    if (i + std::size_t(extra) >= s.size()) {
        ++i;
        return bad;
    }
    for (int k = 1; k <= extra; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return bad;
        }
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++i;
        return bad;
    }
    i += std::size_t(extra) + 1;
    return c;
}

// The character's simple case folding; the two malformed-byte values stay as they are.
char32_t folded(char32_t c) {
    if (c < 0x80) return (c >= U'A' && c <= U'Z') ? c + 32 : c;
    if (c > 0x10FFFF) return c;
    return QChar::toCaseFolded(c);
}

// The UTF-8 bytes of one character.
void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string foldedText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t start = i;
        const char32_t c = decode(utf8, i, kBadTextByte);
        if (c == kBadTextByte)
            out.append(utf8.substr(start, i - start));
        else
            appendUtf8(out, folded(c));
    }
    return out;
}

std::vector<char32_t> caseVariants(char32_t c) {
    // Folding maps many characters to one; the reverse map is built once
    // from every character there is.
    static std::unordered_map<char32_t, std::vector<char32_t>> sources;
    static std::once_flag built;
    std::call_once(built, [] {
        for (char32_t x = 0; x <= 0x10FFFF; ++x) {
            if (x >= 0xD800 && x <= 0xDFFF) continue;
            const char32_t f = folded(x);
            if (f != x) sources[f].push_back(x);
        }
    });
    const char32_t f = folded(c);
    std::vector<char32_t> variants{f};
    if (auto it = sources.find(f); it != sources.end())
        variants.insert(variants.end(), it->second.begin(), it->second.end());
    std::sort(variants.begin(), variants.end());
    return variants;
}

bool likeMatches(std::string_view text, std::string_view pattern) {
    // Greedy match with one backtrack point: on a mismatch, the last % takes
    // one more character of the text and matching resumes after it.
    constexpr std::size_t kNone = std::string_view::npos;
    std::size_t t = 0, p = 0;
    std::size_t starP = kNone, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '%') {
            while (p < pattern.size() && pattern[p] == '%') ++p;
            if (p == pattern.size()) return true;
            starP = p;
            starT = t;
            continue;
        }
        if (p < pattern.size()) {
            std::size_t p2 = p, t2 = t;
            const char32_t pc = decode(pattern, p2, kBadPatternByte);
            const char32_t tc = decode(text, t2, kBadTextByte);
            if (pc == U'_' || folded(pc) == folded(tc)) {
                p = p2;
                t = t2;
                continue;
            }
        }
        if (starP == kNone) return false;
        decode(text, starT, kBadTextByte);
        t = starT;
        p = starP;
    }
    while (p < pattern.size() && pattern[p] == '%') ++p;
    return p == pattern.size();
}

}  // namespace accpac::filter
