/* ZEFRALINK: finds a plotter among the USB printer-class devices and opens its pipes.
 * The controller loads libzefralink.so by file name and binds the two exports by name;
 * the function pointer types below are what it binds them to. Strings are zero-terminated
 * single-byte strings owned by the caller. */
#ifndef ZEFRALINK_H
#define ZEFRALINK_H

#ifdef __cplusplus
extern "C" {
#endif

#if defined(ZEFRALINK_BUILD)
#define ZEFRALINK_EXPORT __attribute__((visibility("default")))
#else
#define ZEFRALINK_EXPORT
#endif

/* 1 when a present USB printer of the vendor reports exactly this manufacturer and model
 * in its IEEE 1284 device ID (compared without regard to case), else 0. */
ZEFRALINK_EXPORT int ZEFR_EntryUsbCheck(const char* manufacturer, const char* model);

/* Opens pipe 0 (write) or pipe 1 (read) of the matching device and returns a non-blocking
 * file descriptor that the caller closes after one transfer, or -1 with errno set (ENOENT
 * when no such device or pipe exists, otherwise what open(2) reported). `reserved` and
 * `flags` are ignored: the descriptor is always O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC.
 * Both pipes of one exchange share one open file description (see docs/zefralink.md). */
ZEFRALINK_EXPORT int ZEFR_OpenUsb(int reserved, int pipe, unsigned flags, const char* manufacturer,
                                  const char* model);

typedef int (*ZEFR_EntryUsbCheckFn)(const char* manufacturer, const char* model);
typedef int (*ZEFR_OpenUsbFn)(int reserved, int pipe, unsigned flags, const char* manufacturer,
                              const char* model);

#ifdef __cplusplus
}
#endif

#endif
