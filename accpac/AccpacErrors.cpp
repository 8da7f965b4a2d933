// The session's collected messages: reading an item's properties by name, as
// error reports do, and indexed access.
#include "accpac/AccpacErrors.h"

#include "accpac/AccpacError.h"

namespace accpac {

namespace {

// The priority as the system names it in its messages.
QString priorityText(ErrorPriority p) {
    switch (p) {
        case ErrorPriority::Message:
            return QStringLiteral("Message");
        case ErrorPriority::Warning:
            return QStringLiteral("Warning");
        case ErrorPriority::Error:
            return QStringLiteral("Error");
        case ErrorPriority::SevereError:
            return QStringLiteral("Severe Error");
    }
    return {};
}

}  // namespace

Variant AccpacErrorItem::property(const QString& name) const {
    // Property names are matched like the system's own: without regard to letter case.
    if (name.compare(QLatin1String("Priority"), Qt::CaseInsensitive) == 0)
        return Variant::string(priorityText(priority_));
    if (name.compare(QLatin1String("Description"), Qt::CaseInsensitive) == 0) return Variant::string(description_);
    throw AccpacError(errnum::NoSuchProperty,
                      QStringLiteral("Object doesn't support this property or method: \"%1\".").arg(name));
}

const AccpacErrorItem& AccpacErrors::Item(int index) const {
    if (index < 0 || index >= Count())
        throw AccpacError(
            errnum::SubscriptOutOfRange,
            QStringLiteral("Subscript out of range: there is no error %1 (there are %2).").arg(index).arg(Count()));
    return items_[std::size_t(index)];
}

}  // namespace accpac
