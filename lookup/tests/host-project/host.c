/* A C host of libtrovex: an instance, its results, a call by a bad name. */
#include <stdio.h>
#include <string.h>

#include "trovex_c.h"

int main(void) {
    trovex_instance* t = trovex_create();
    if (!t || strcmp(trovex_get_Result1(t), "") != 0) return 1;
    if (trovex_put_Result2(t, "chosen") != 0 || strcmp(trovex_get_Result2(t), "chosen") != 0) return 2;
    if (trovex_call(t, NULL, "Host", 0, "FindAP_Nothing", NULL, 0) != -1) return 3;
    if (strstr(trovex_last_error(), "unknown method") == NULL) return 4;
    if (strcmp(trovex_description(), "Remitko Sage Accpac finder (xAPI).") != 0) return 5;
    trovex_destroy(t);
    puts("host_c: ok");
    return 0;
}
