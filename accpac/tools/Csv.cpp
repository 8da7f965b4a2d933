// The CSV reader.
#include "accpac/tools/Csv.h"

namespace accpac::sqlite {

void CsvReader::append(Piece& field, std::size_t from, std::size_t to) {
    if (from == to) return;
    if (field.size == 0 && !field.copied) field.from = from;
    if (!field.copied && field.from + field.size == from) {
        field.size += to - from;
        return;
    }
    if (!field.copied) {
        // The field no longer is one stretch of the text: it goes on in a copy.
        const std::size_t start = unquoted_.size();
        unquoted_.append(text_.substr(field.from, field.size));
        field = {true, start, field.size};
    }
    unquoted_.append(text_.substr(from, to - from));
    field.size += to - from;
}

bool CsvReader::next(CsvRecord& record) {
    // A final line break does not start another record.
    if (pos_ >= text_.size()) return false;
    record.line = line_;
    record.fields.clear();
    record.problem.clear();
    pieces_.clear();
    unquoted_.clear();
    const char* const s = text_.data();
    const std::size_t n = text_.size();
    Piece field;
    bool quoted = false;     // inside a quoted field
    bool wasQuoted = false;  // the current field was quoted and has closed
    const auto endField = [&] {
        pieces_.push_back(field);
        field = {};
        wasQuoted = false;
    };
    const auto finish = [&] {
        for (const Piece& p : pieces_)
            record.fields.push_back(p.copied ? std::string_view(unquoted_).substr(p.from, p.size)
                                             : text_.substr(p.from, p.size));
    };
    while (pos_ < n) {
        if (quoted) {
            std::size_t end = pos_;
            while (end < n && s[end] != '"' && s[end] != '\n') ++end;
            append(field, pos_, end);
            pos_ = end;
            if (end == n) break;
            if (s[end] == '\n') {
                ++line_;
                append(field, end, end + 1);
                ++pos_;
            } else if (end + 1 < n && s[end + 1] == '"') {
                append(field, end, end + 1);
                pos_ += 2;
            } else {
                quoted = false;
                wasQuoted = true;
                ++pos_;
            }
            continue;
        }
        const char c = s[pos_];
        if (c == ',') {
            ++pos_;
            endField();
        } else if (c == '\r' && pos_ + 1 < n && s[pos_ + 1] == '\n') {
            ++pos_;  // the LF that follows ends the record
        } else if (c == '\n') {
            ++pos_;
            ++line_;
            endField();
            finish();
            return true;
        } else if (c == '"' && field.size == 0 && !wasQuoted) {
            ++pos_;
            quoted = true;
        } else {
            if (wasQuoted && record.problem.isEmpty())
                record.problem = QStringLiteral("text after the closing quote of field %1").arg(pieces_.size() + 1);
            else if (c == '"' && record.problem.isEmpty())
                record.problem = QStringLiteral("a quote inside field %1, which is not quoted").arg(pieces_.size() + 1);
            // The ordinary bytes up to the next one that means something.
            std::size_t end = pos_ + 1;
            while (end < n && s[end] != ',' && s[end] != '\n' && s[end] != '\r' && s[end] != '"') ++end;
            append(field, pos_, end);
            pos_ = end;
        }
    }
    if (quoted) record.problem = QStringLiteral("a quote opened in field %1 is never closed").arg(pieces_.size() + 1);
    endField();
    finish();
    return true;
}

}  // namespace accpac::sqlite
