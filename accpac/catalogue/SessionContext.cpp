// Failing with a message, and finding the view a session is asked to open.
#include "accpac/catalogue/SessionContext.h"

#include "accpac/AccpacError.h"

namespace accpac::catalogue {

void SessionContext::fail(const QString& description) {
    errors.Put(ErrorPriority::Error, description);
    throw AccpacError(errnum::AccpacFailure, description);
}

const ViewDef& SessionContext::viewToOpen(const QString& viewId, const QString& programId) {
    const ViewDef* def = findView(viewId);
    if (!def) fail(QStringLiteral("View %1 does not exist in company \"%2\".").arg(viewId, name));
    if (def->programId() != programId)
        fail(QStringLiteral("View %1 belongs to program %2, not to program \"%3\".")
                 .arg(viewId, def->programId(), programId));
    return *def;
}

}  // namespace accpac::catalogue
