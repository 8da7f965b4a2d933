/* What libtrovex exports. The library is built with hidden visibility, so
 * only what carries TROVEX_API (the C interface, and the C++ class Trovex
 * with what its methods take) is visible to hosts; every internal stays
 * private to the library and free to change. */
#ifndef TROVEX_EXPORT_H
#define TROVEX_EXPORT_H

#if defined(__GNUC__) || defined(__clang__)
#define TROVEX_API __attribute__((visibility("default")))
#else
#define TROVEX_API
#endif

#endif /* TROVEX_EXPORT_H */
