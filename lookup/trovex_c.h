/* The C interface of the Trovex lookup component (libtrovex).
 *
 * A host creates an instance, opens a company session, calls one lookup per
 * choice it wants from the user and reads the chosen texts from the result
 * properties. Every lookup shows a modal window and returns when the user has
 * selected a row or cancelled; errors are shown to the user (or handed to the
 * message sink) and never returned. All strings are UTF-8. A result is
 * written only with a non-empty value, so a cancelled lookup leaves the
 * results as they were; a fresh instance starts with them empty.
 *
 * Booleans are 16-bit, True = -1 (any non-zero value counts as True).
 * Functions that return int return 0 on success and -1 on a bad argument (a
 * NULL instance or session, an unknown method name, a bad script line);
 * trovex_last_error() then says what was wrong. Invalid UTF-8 is replaced,
 * not rejected. Call everything from the thread that runs the host's user
 * interface; a host without a Qt application of its own gets one made by the
 * library on first use. The component only reads companies: the
 * trovex-company program makes them, the demo company among them.
 */
#ifndef TROVEX_C_H
#define TROVEX_C_H

#include <stdint.h>

#include "accpac/Export.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct trovex_instance trovex_instance; /* one Trovex object */
typedef struct trovex_session trovex_session;   /* an open company session */

/* Why the last failing call of this thread failed; "" after a success. */
TROVEX_API const char* trovex_last_error(void);
/* "Remitko Sage Accpac finder (xAPI)." */
TROVEX_API const char* trovex_description(void);

/* --- sessions ------------------------------------------------------------ */

/* Opens a company read-only: a company file, or the postgresql:// URI of a
   company database on a server (a primary or a hot standby); NULL when it
   cannot be opened. */
TROVEX_API trovex_session* trovex_open_company(const char* path);
/* Releases a session (NULL is ignored). Lookups running on it keep it alive. */
TROVEX_API void trovex_release_session(trovex_session* session);

/* --- instances ------------------------------------------------------------ */

TROVEX_API trovex_instance* trovex_create(void);
TROVEX_API void trovex_destroy(trovex_instance* instance); /* NULL is ignored */

/* The result properties. The text returned stays valid until the next call
 * on the same instance; NULL for a NULL instance. A NULL value puts "". */
TROVEX_API const char* trovex_get_Result1(trovex_instance* instance);
TROVEX_API int trovex_put_Result1(trovex_instance* instance, const char* value);
TROVEX_API const char* trovex_get_Result2(trovex_instance* instance);
TROVEX_API int trovex_put_Result2(trovex_instance* instance, const char* value);
TROVEX_API const char* trovex_get_Result3(trovex_instance* instance);
TROVEX_API int trovex_put_Result3(trovex_instance* instance, const char* value);

/* --- lookups, in interface order -------------------------------------------
 * pRegistry: the application name under which the window keeps its per-user
 * options; pWinXP: True for the modern button look. A NULL string counts as
 * "" (the value of an omitted optional text). */

TROVEX_API int trovex_FindAP_Employee(trovex_instance* instance, trovex_session* pSess, const char* pRegistry,
                                      int16_t pWinXP, const char* pSeed);
TROVEX_API int trovex_FindAP_GLSegmentCode(trovex_instance* instance, trovex_session* pSess, const char* pRegistry,
                                           int16_t pWinXP, const char* pSeg);
TROVEX_API int trovex_FindAP_EarningDeduction(trovex_instance* instance, trovex_session* pSess, const char* pRegistry,
                                              int16_t pWinXP, const char* pSeed);
TROVEX_API int trovex_FindAP_BankDeposits(trovex_instance* instance, trovex_session* pSess, const char* pRegistry,
                                          int16_t pWinXP);
TROVEX_API int trovex_FindAP_OrderByInfo(trovex_instance* instance, trovex_session* pSess, const char* pRegistry,
                                         int16_t pWinXP, int16_t pIndex, const char* pCustID);
TROVEX_API int trovex_FindAP_TaxClass(trovex_instance* instance, trovex_session* pSess, const char* pRegistry,
                                      int16_t pWinXP, const char* pAuthority, int16_t pDocTax);
TROVEX_API int trovex_FindAP_TaxGroups(trovex_instance* instance, trovex_session* pSess, const char* pRegistry,
                                       int16_t pWinXP, const char* pCustID, int16_t pDocTax);
TROVEX_API int trovex_FindAP_Documents(trovex_instance* instance, trovex_session* pSess, const char* pRegistry,
                                       int16_t pWinXP, const char* pCustID, int16_t pIndex);
TROVEX_API int trovex_FindAP_DocNum(trovex_instance* instance, trovex_session* pSess, const char* pRegistry,
                                    int16_t pWinXP, const char* pCustID);
TROVEX_API int trovex_FindAP_Accounts(trovex_instance* instance, trovex_session* pSess, const char* pRegistry,
                                      int16_t pWinXP);
TROVEX_API int trovex_FindAP_DistributionCodes(trovex_instance* instance, trovex_session* pSess, const char* pRegistry,
                                               int16_t pWinXP);

/* Calls a method by name with its own arguments as texts, in interface order
 * ("FindAP_Documents", {"1200", "1"}, 2); -1 for an unknown method or
 * arguments that do not fit it (trovex_last_error says which). */
TROVEX_API int trovex_call(trovex_instance* instance, trovex_session* pSess, const char* pRegistry, int16_t pWinXP,
                           const char* method, const char* const* args, int nargs);

/* --- message boxes -----------------------------------------------------------
 * Every box the component would show goes to `sink` instead (title and text;
 * line breaks as "\r\n"), and is answered OK. NULL shows the boxes again. */
typedef void (*trovex_message_sink)(const char* title, const char* text, void* user);
TROVEX_API void trovex_set_message_sink(trovex_message_sink sink, void* user);

#ifdef __cplusplus
}
#endif

#endif /* TROVEX_C_H */
