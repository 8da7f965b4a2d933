// A session on one company of the accounting system, opened by the host.
#pragma once

#include <QString>
#include <memory>

#include "accpac/AccpacErrors.h"
#include "accpac/AccpacView.h"
#include "accpac/Export.h"

namespace accpac {

struct AccpacCompany {
    QString Name;  // the company's name, as captions show it
};

class TROVEX_API AccpacSession {
public:
    virtual ~AccpacSession() = default;

    // Opens a view by its ID ("AR0036") and program ID ("AR"). An unknown
    // view, or a program ID that is not the view's, throws AccpacFailure
    // with a message in Errors().
    virtual std::shared_ptr<AccpacView> OpenView(const QString& viewId, const QString& programId) = 0;
    virtual AccpacCompany Company() = 0;
    virtual AccpacErrors& Errors() = 0;
};

}  // namespace accpac
