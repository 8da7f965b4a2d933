// A CSV field's text as the value its column stores, with the same result
// and the same refusals as converting it to the field's value
// (convertText), checking its code (codeProblem) and taking its stored form
// (toStored). The forms an export writes (plain whole numbers, amounts,
// yyyy-MM-dd dates, True/False, text that fits) are read straight from the
// bytes; anything else, and every refusal, takes the general conversion.
#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "accpac/AccpacField.h"

namespace accpac::sqlite {

class CsvValue {
public:
    explicit CsvValue(const FieldDef& def);

    // Whether the field stores text (else a whole number).
    bool storesText() const { return def_.type == FieldType::String; }
    // Converts the UTF-8 `text`: appends its stored text to `texts` or sets
    // `number`, and returns "", or returns why the field cannot hold it.
    QString convert(std::string_view text, std::int64_t& number, std::string& texts) const;

private:
    // Whether the text is one of the forms read straight from the bytes
    // (and `number` its stored whole number); if not, the general
    // conversion decides.
    bool quickNumber(std::string_view text, std::int64_t& number) const;
    bool quickText(std::string_view text) const;
    bool hasCode(std::int64_t code) const;

    const FieldDef& def_;
    bool coded_ = false;
    std::vector<std::int16_t> codes_;
};

}  // namespace accpac::sqlite
