#include "errors/ErrorTrap.h"

#include <new>

#include "accpac/AccpacError.h"
#include "errors/modGeneral.h"

namespace errors {

std::pair<long, QString> currentError() noexcept {
    try {
        throw;
    } catch (const accpac::AccpacError& e) {
        return {e.number(), e.description()};
    } catch (const std::bad_alloc&) {
        return {7, QStringLiteral("Out of memory")};
    } catch (const std::exception& e) {
        return {accpac::errnum::AccpacFailure, QString::fromUtf8(e.what())};
    } catch (...) {
        return {accpac::errnum::AccpacFailure, QStringLiteral("Unexpected error")};
    }
}

void Trap::reportCurrent(long silentNumber) noexcept {
    const auto [number, description] = currentError();
    if (silentNumber != 0 && number == silentNumber) return;
    if (via_ == Via::ACCPAC)
        ErrorACCPAC(number, description, label_);
    else
        ErrorMessenger(number, description, QString(), label_);
}

}  // namespace errors
