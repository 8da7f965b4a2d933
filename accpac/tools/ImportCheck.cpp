// Checks an import makes before it stores a record.
#include "accpac/tools/ImportCheck.h"

#include <QStringList>

#include "accpac/tools/Csv.h"

namespace accpac::sqlite {

namespace {

// The length of the well-formed UTF-8 sequence at `i`, or 0.
int sequenceLength(const QByteArray& s, qsizetype i) {
    const auto byte = [&](qsizetype k) { return k < s.size() ? static_cast<unsigned char>(s[k]) : 0u; };
    const unsigned b0 = byte(i);
    if (b0 < 0x80) return 1;
    const auto tail = [&](qsizetype k) { return (byte(k) & 0xC0) == 0x80; };
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

}  // namespace

std::optional<QString> findInvalidUtf8(const QByteArray& csv) {
    int line = 1, field = 0, recordLine = 1;
    bool quoted = false;
    for (qsizetype i = 0; i < csv.size();) {
        const int n = sequenceLength(csv, i);
        if (n == 0) {
            // Name the field by the header when the header is readable.
            QString name = QString::number(field + 1);
            if (recordLine > 1) {
                const std::optional<CsvRecord> header = CsvReader(QString::fromUtf8(csv)).next();
                if (header && field < header->fields.size()) name = header->fields[field].trimmed();
            }
            return QStringLiteral("line %1, field %2: the text is not UTF-8 (byte 0x%3)")
                .arg(line)
                .arg(name)
                .arg(static_cast<unsigned char>(csv[i]), 2, 16, QLatin1Char('0'));
        }
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
        i += n;
    }
    return std::nullopt;
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
