// Checks an import makes before it stores a record.
#include "accpac/tools/ImportCheck.h"

#include <QStringList>
#include <cstdint>
#include <cstring>

#include "accpac/Blanks.h"
#include "accpac/tools/Csv.h"

namespace accpac::sqlite {

namespace {

// The length of the well-formed UTF-8 sequence at `i`, or 0.
int sequenceLength(std::string_view s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return k < s.size() ? static_cast<unsigned char>(s[k]) : 0u; };
    const unsigned b0 = byte(i);
    if (b0 < 0x80) return 1;
    const auto tail = [&](std::size_t k) { return (byte(k) & 0xC0) == 0x80; };
    if (b0 >= 0xC2 && b0 <= 0xDF) return tail(i + 1) ? 2 : 0;
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        const unsigned b1 = byte(i + 1);
        if (b0 == 0xE0 && b1 < 0xA0) return 0;  // overlong
        if (b0 == 0xED && b1 > 0x9F) return 0;  // surrogate
        return tail(i + 1) && tail(i + 2) ? 3 : 0;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        const unsigned b1 = byte(i + 1);
        if (b0 == 0xF0 && b1 < 0x90) return 0;  // overlong
        if (b0 == 0xF4 && b1 > 0x8F) return 0;  // past U+10FFFF
        return tail(i + 1) && tail(i + 2) && tail(i + 3) ? 4 : 0;
    }
    return 0;
}

// Where the first byte that is not part of well-formed UTF-8 is, or npos.
// Files are mostly ASCII: eight bytes at a time are passed over when none
// has its high bit set.
std::size_t firstInvalidByte(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        if (i + 8 <= s.size()) {
            std::uint64_t word;
            std::memcpy(&word, s.data() + i, sizeof word);
            if ((word & 0x8080808080808080ull) == 0) {
                i += 8;
                continue;
            }
        }
        const int n = sequenceLength(s, i);
        if (n == 0) return i;
        i += std::size_t(n);
    }
    return std::string_view::npos;
}

}  // namespace

std::optional<QString> findInvalidUtf8(std::string_view csv) {
    const std::size_t bad = firstInvalidByte(csv);
    if (bad == std::string_view::npos) return std::nullopt;
    // The line and field of the bad byte, counted as the reader counts them.
    int line = 1, field = 0, recordLine = 1;
    bool quoted = false;
    for (std::size_t i = 0; i < bad; ++i) {
        const char c = csv[i];
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted) ++field;
        if (c == '\n') {
            ++line;
            if (!quoted) {
                field = 0;
                recordLine = line;
            }
        }
    }
    // Name the field by the header when the header is readable.
    QString name = QString::number(field + 1);
    if (recordLine > 1) {
        CsvRecord header;
        if (CsvReader(csv).next(header) && std::size_t(field) < header.fields.size())
            name = trimBlanks(QString::fromUtf8(header.fields[std::size_t(field)]));
    }
    return QStringLiteral("line %1, field %2: the text is not UTF-8 (byte 0x%3)")
        .arg(line)
        .arg(name)
        .arg(static_cast<unsigned char>(csv[bad]), 2, 16, QLatin1Char('0'));
}

QString codeProblem(const FieldDef& def, const Variant& value) {
    if (def.presentationType != PresentationCoded || def.type == FieldType::Boolean) return {};
    std::int16_t code = 0;
    if (def.type == FieldType::String) {
        const QString text = value.asString();
        if (text.isEmpty()) return {};
        code = text.front().unicode() < 256 ? std::int16_t(text.front().unicode()) : std::int16_t(-1);
    } else {
        code = value.toInt16();
    }
    QStringList codes;
    for (int i = 0; i < def.presentation.Count(); ++i) {
        if (def.presentation.Item(i).Value == code) return {};
        codes << (def.type == FieldType::String ? QString(QChar(def.presentation.Item(i).Value))
                                                : QString::number(def.presentation.Item(i).Value));
    }
    return QStringLiteral("%1 \"%2\" is not one of its codes (%3)")
        .arg(def.name, value.toText(), codes.join(QStringLiteral(", ")));
}

}  // namespace accpac::sqlite
