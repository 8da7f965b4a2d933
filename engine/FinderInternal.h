// What the Finder's source files share and callers never see: the trap every
// engine procedure reports through, and the error of using an empty reference.
#pragma once

#include "accpac/AccpacError.h"
#include "errors/ErrorTrap.h"

namespace engine::detail {

// The trap of one engine procedure: reports through ErrorACCPAC with the
// label "clsFinder." followed by the procedure's name.
inline errors::Trap engineTrap(const char* procedure) {
    return errors::Trap(QStringLiteral("clsFinder.") + QLatin1String(procedure), errors::Via::ACCPAC);
}

// The object a reference holds; throws ObjectVariableNotSet, as using an
// empty object reference does, when it holds none.
template <class Ref>
auto& bound(const Ref& ref) {
    if (!ref) throw accpac::objectVariableNotSet();
    return *ref;
}

}  // namespace engine::detail
