// The list through which a coded field shows its stored codes as texts.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "accpac/Export.h"
#include "accpac/Variant.h"

namespace accpac {

struct AccpacPresentationItem {
    std::int16_t Value = 0;  // the stored code
    QString Text;            // what the user sees for it
};

class TROVEX_API AccpacPresentationList {
public:
    AccpacPresentationList() = default;
    explicit AccpacPresentationList(std::vector<AccpacPresentationItem> items) : items_(std::move(items)) {}

    int Count() const { return int(items_.size()); }
    // Entry 0..Count()-1; any other index throws 9 (subscript out of range).
    const AccpacPresentationItem& Item(int index) const;

private:
    std::vector<AccpacPresentationItem> items_;
};

// The code a coded field's stored value is listed under: a number as a
// whole number, a text by its first character's code in the Windows code
// page, where a character outside the code page reads as "?". Empty text
// throws 5 (invalid procedure call).
TROVEX_API std::int16_t presentationCode(const Variant& stored);

}  // namespace accpac
