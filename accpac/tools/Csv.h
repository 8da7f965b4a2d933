// Reading comma-separated records (RFC 4180): fields separated by commas,
// records by CRLF or LF; a field in double quotes may hold commas, line
// breaks and doubled quotes. Every record knows the line it starts on, so a
// bad record can be reported by line number. The reader works on the file's
// UTF-8 bytes as they are: the characters that separate and quote fields
// are all ASCII, so no field is decoded before it is needed.
#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace accpac::sqlite {

struct CsvRecord {
    int line = 0;                          // line of the file the record starts on, from 1
    std::vector<std::string_view> fields;  // each field's bytes, quotes undone; valid until the next read
    QString problem;                       // why the record cannot be read ("" when it can)
};

class CsvReader {
public:
    // Reads `text`, which must outlive the reader.
    explicit CsvReader(std::string_view text) : text_(text) {}

    // Reads the next record into `record`; false at the end of the text. A
    // record with a problem (a quote left open, text after a closing quote)
    // still ends at the next line break outside quotes, so reading goes on
    // after it.
    bool next(CsvRecord& record);
    // How much of the text has been read, as a fraction from 0 to 1.
    double fractionRead() const { return text_.empty() ? 1.0 : double(pos_) / double(text_.size()); }

private:
    // Where one field's bytes are: a stretch of the text, or of unquoted_
    // when they are not one stretch of it (a doubled quote was undone).
    struct Piece {
        bool copied = false;
        std::size_t from = 0;
        std::size_t size = 0;
    };
    void append(Piece& field, std::size_t from, std::size_t to);

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    std::vector<Piece> pieces_;
    std::string unquoted_;
};

}  // namespace accpac::sqlite
