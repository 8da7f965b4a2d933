// The controls' run-time errors as AccpacError, the component's one error type.
#include "window/controls/ControlErrors.h"

#include "accpac/AccpacError.h"

namespace window {

void raiseInvalidPropertyValue() {
    throw accpac::AccpacError(accpac::errnum::InvalidPropertyValue, QStringLiteral("Invalid property value"));
}

void raiseInvalidArrayIndex() {
    throw accpac::AccpacError(errnum::InvalidPropertyArrayIndex, QStringLiteral("Invalid property array index"));
}

void raiseInvalidProcedureCall() {
    throw accpac::AccpacError(accpac::errnum::InvalidProcedureCall,
                              QStringLiteral("Invalid procedure call or argument"));
}

}  // namespace window
