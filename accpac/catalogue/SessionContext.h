// What a session shares with its views in every backend: the company's
// name and the session's messages, and opening a view of the catalogue.
// Views keep their session's context alive, so a view that outlives its
// session still reports. Also the session calls answered from it alone.
#pragma once

#include <QString>

#include "accpac/AccpacErrors.h"
#include "accpac/AccpacSession.h"
#include "accpac/catalogue/Catalogue.h"

namespace accpac::catalogue {

class SessionContext {
public:
    virtual ~SessionContext() = default;

    QString name;
    AccpacErrors errors;

    // Puts an Error message into the session's errors and throws it as an
    // AccpacFailure.
    [[noreturn]] void fail(const QString& description);
    // The catalogue's view `viewId`, which must belong to `programId`; fails
    // naming the company when there is no such view or it is another
    // program's.
    const ViewDef& viewToOpen(const QString& viewId, const QString& programId);
};

// A session whose company and messages are its context's.
class CatalogueSession : public AccpacSession {
public:
    AccpacCompany Company() override { return {context().name}; }
    AccpacErrors& Errors() override { return context().errors; }

protected:
    virtual SessionContext& context() = 0;
};

}  // namespace accpac::catalogue
