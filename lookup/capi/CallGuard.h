// What every function of the C interfaces shares: the calling thread's last
// error, and the guard that turns C++ exceptions into -1 so none ever
// crosses into the host.
#pragma once

#include <QString>
#include <stdexcept>
#include <string>

#include "accpac/AccpacError.h"

namespace lookup::capi {

// The text trovex_last_error hands out; "" after a success.
const char* lastError();
void setLastError(const std::string& text);
inline void setLastError(const QString& text) { setLastError(text.toStdString()); }
inline void clearLastError() { setLastError(std::string()); }

// Runs `body`, turning any exception into -1 and a message for trovex_last_error.
template <class F>
int guarded(F&& body) noexcept {
    try {
        clearLastError();
        return body();
    } catch (const accpac::AccpacError& e) {
        setLastError(QStringLiteral("%1; %2").arg(e.number()).arg(e.description()));
    } catch (const std::exception& e) {
        setLastError(std::string(e.what()));
    } catch (...) {
        setLastError(std::string("unexpected failure"));
    }
    return -1;
}

// UTF-8 from the host as a QString; NULL as "".
inline QString text(const char* utf8) { return utf8 ? QString::fromUtf8(utf8) : QString(); }

}  // namespace lookup::capi
