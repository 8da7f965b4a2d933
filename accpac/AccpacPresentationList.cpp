// Indexed access to a coded field's presentation list.
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

}  // namespace accpac
