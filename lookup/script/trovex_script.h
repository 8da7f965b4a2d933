/* Scripted lookups for hosts' own tests (libtrovex_scripting).
 *
 * Drives the lookup windows of the calls that follow with a script (the
 * format of the host program's --script, see docs/scripting.md) instead of a
 * person. libtrovex_scripting holds the whole component besides the script
 * driver: a host that wants scripted lookups links it in place of libtrovex
 * and uses trovex_c.h as before. Call from the thread that runs the lookups.
 */
#ifndef TROVEX_SCRIPT_H
#define TROVEX_SCRIPT_H

#include "trovex_c.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Receives the script's dumps, as UTF-8. */
typedef void (*trovex_output)(const char* text, void* user);

/* Starts a script for the following calls; "answer" lines answer the boxes.
 * `output` receives the dumps (NULL: standard output). Returns -1 for a bad
 * script line (trovex_last_error says which). A new script replaces the
 * old; NULL ends scripted mode. */
TROVEX_API int trovex_set_script(const char* script, trovex_output output, void* user);
/* Ends scripted mode: 0 when every action ran without a problem, -1 when an
 * action failed or never found a window (trovex_last_error says which). */
TROVEX_API int trovex_finish_script(void);

#ifdef __cplusplus
}
#endif

#endif /* TROVEX_SCRIPT_H */
