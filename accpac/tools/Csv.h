// Reading comma-separated records (RFC 4180): fields separated by commas,
// records by CRLF or LF; a field in double quotes may hold commas, line
// breaks and doubled quotes. Every record knows the line it starts on, so a
// bad record can be reported by line number.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace accpac::sqlite {

struct CsvRecord {
    int line = 0;  // line of the file the record starts on, from 1
    QStringList fields;
    QString problem;  // why the record cannot be read ("" when it can)
};

class CsvReader {
public:
    explicit CsvReader(QString text) : text_(std::move(text)) {}

    // The next record, or nothing at the end of the text. A record with a
    // problem (a quote left open, text after a closing quote) still ends at
    // the next line break outside quotes, so reading goes on after it.
    std::optional<CsvRecord> next();
    // How much of the text has been read, as a fraction from 0 to 1.
    double fractionRead() const { return text_.isEmpty() ? 1.0 : double(pos_) / double(text_.size()); }

private:
    QString text_;
    qsizetype pos_ = 0;
    int line_ = 1;
};

}  // namespace accpac::sqlite
