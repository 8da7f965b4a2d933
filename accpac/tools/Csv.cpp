// The CSV reader.
#include "accpac/tools/Csv.h"

namespace accpac::sqlite {

std::optional<CsvRecord> CsvReader::next() {
    // A final line break does not start another record.
    if (pos_ >= text_.size()) return std::nullopt;
    CsvRecord record;
    record.line = line_;
    QString field;
    bool quoted = false;     // inside a quoted field
    bool wasQuoted = false;  // the current field was quoted and has closed
    auto endField = [&] {
        record.fields << field;
        field.clear();
        wasQuoted = false;
    };
    while (pos_ < text_.size()) {
        const QChar c = text_[pos_++];
        if (quoted) {
            if (c == u'"') {
                if (pos_ < text_.size() && text_[pos_] == u'"') {
                    field += u'"';
                    ++pos_;
                } else {
                    quoted = false;
                    wasQuoted = true;
                }
            } else {
                if (c == u'\n') ++line_;
                field += c;
            }
            continue;
        }
        if (c == u',') {
            endField();
        } else if (c == u'\r' && pos_ < text_.size() && text_[pos_] == u'\n') {
            continue;  // the LF that follows ends the record
        } else if (c == u'\n') {
            ++line_;
            endField();
            return record;
        } else if (c == u'"' && field.isEmpty() && !wasQuoted) {
            quoted = true;
        } else {
            if (wasQuoted && record.problem.isEmpty())
                record.problem =
                    QStringLiteral("text after the closing quote of field %1").arg(record.fields.size() + 1);
            else if (c == u'"' && record.problem.isEmpty())
                record.problem =
                    QStringLiteral("a quote inside field %1, which is not quoted").arg(record.fields.size() + 1);
            field += c;
        }
    }
    if (quoted)
        record.problem = QStringLiteral("a quote opened in field %1 is never closed").arg(record.fields.size() + 1);
    endField();
    return record;
}

}  // namespace accpac::sqlite
