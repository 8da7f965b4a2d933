// The process-wide values of a lookup and the reporting of errors.
//
// Every entry point stores the host's session, settings name and button
// look here before it does anything else; they keep their last values
// between calls. ErrorMessenger shows one error in the component's message
// format; ErrorACCPAC shows the accounting system's own messages when the
// session holds any (and empties its list), else falls back to
// ErrorMessenger. Neither ends the lookup nor lets an error escape.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "accpac/AccpacSession.h"

namespace errors {

extern std::shared_ptr<accpac::AccpacSession> gSession;  // the running lookup's session
extern QString gRegistry;                                // settings name, without outer blanks
extern std::int16_t gWinXP;                              // IntegerTrue: modern button look

inline const QString ErrorTitle = QStringLiteral("Sage Accpac Finder Error");

// Shows number, description, information (when not blank) and the location
// label, each trimmed of blanks; number 0 shows nothing.
void ErrorMessenger(long number, const QString& description, const QString& information, const QString& label);
// Shows up to five of the session's messages (the first three and the last
// two), untrimmed, and empties the list; without messages, ErrorMessenger.
void ErrorACCPAC(long number, const QString& description, const QString& label);

}  // namespace errors
