// Indexed access to a coded field's presentation list, and the code a stored value is listed under.
#include "accpac/AccpacPresentationList.h"

#include "accpac/AccpacError.h"

namespace accpac {

const AccpacPresentationItem& AccpacPresentationList::Item(int index) const {
    if (index < 0 || index >= Count())
        throw AccpacError(errnum::SubscriptOutOfRange,
                          QStringLiteral("Subscript out of range: the presentation list has no entry %1 (it has %2).")
                              .arg(index)
                              .arg(Count()));
    return items_[std::size_t(index)];
}

std::int16_t presentationCode(const Variant& stored) {
    if (stored.type() != Variant::Type::String) return stored.toInt16();
    const QString& text = stored.asString();
    if (text.isEmpty())
        throw AccpacError(errnum::InvalidProcedureCall, QStringLiteral("Invalid procedure call or argument"));
    const char16_t c = text.front().unicode();
    return c < 256 ? std::int16_t(c) : std::int16_t('?');
}

}  // namespace accpac
