// Letting the user interface run while a backend reads for long.
//
// A search that no index can serve reads many records before it fills a
// batch. The lookup runs on the user-interface thread, so it installs a
// pause that lets the window's events through (painting, typing) and says
// whether the read is still wanted. The backend calls the pause often while
// it reads; when the pause returns true, the read is abandoned: the Fetch
// running returns false, as at the end of the records, and the browse is
// over. The pause must not use the backend itself.
#pragma once

#include <functional>

namespace accpac {

using ReadPause = std::function<bool()>;

// Installs the process's pause; an empty one removes it.
void setReadPause(ReadPause pause);
// Calls the pause: true when the running read is to be abandoned; false
// without a pause.
bool readAbandoned();

}  // namespace accpac
