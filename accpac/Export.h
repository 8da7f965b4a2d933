/* What libtrovex exports. Everything is built with hidden visibility, so
 * only what carries TROVEX_API is visible to hosts: the C interface, the C++
 * class Trovex, and the accounting-system interface its methods take with
 * the backend's opener. Every other symbol stays inside the library and is
 * free to change. C and C++. */
#ifndef TROVEX_EXPORT_H
#define TROVEX_EXPORT_H

#if defined(__GNUC__) || defined(__clang__)
#define TROVEX_API __attribute__((visibility("default")))
#else
#define TROVEX_API
#endif

#endif /* TROVEX_EXPORT_H */
