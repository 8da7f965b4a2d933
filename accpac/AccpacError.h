// The one error type of the component.
//
// Every failing operation, of the accounting-system interface and of the
// component's own procedures, throws an AccpacError carrying the error number
// and its description, like a run-time error of the system. The numbers the
// component itself raises are listed here.
#pragma once

#include <QString>
#include <stdexcept>

#include "accpac/Export.h"

namespace accpac {

namespace errnum {
constexpr long InvalidProcedureCall = 5;   // e.g. focus cannot be given to a control
constexpr long Overflow = 6;               // number outside the target type's range
constexpr long SubscriptOutOfRange = 9;    // index not in an array or collection
constexpr long TypeMismatch = 13;          // value does not convert to the type
constexpr long ObjectVariableNotSet = 91;  // an object reference used while it holds none
constexpr long InvalidUseOfNull = 94;
constexpr long InvalidPropertyValue = 380;  // e.g. a list position the list does not have
constexpr long ObjectRequired = 424;        // reference is empty
constexpr long NoSuchProperty = 438;        // an object read by a property name it does not have
// Failures reported by the accounting system itself (view cannot be opened,
// bad filter, database failure); details are in the session's Errors.
constexpr long AccpacFailure = -2147467259;  // 0x80004005
}  // namespace errnum

class TROVEX_API AccpacError : public std::runtime_error {
public:
    AccpacError(long number, const QString& description)
        : std::runtime_error(description.toStdString()), number_(number), description_(description) {}

    long number() const { return number_; }
    const QString& description() const { return description_; }

private:
    long number_;
    QString description_;
};

// The error of using an empty object reference (ObjectVariableNotSet).
inline AccpacError objectVariableNotSet() {
    return AccpacError(errnum::ObjectVariableNotSet, QStringLiteral("Object variable or With block variable not set"));
}

}  // namespace accpac
