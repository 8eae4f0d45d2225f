/* A stand-in for libzefralink.so that Open binds in-process: it reports the USB models named
 * by FakeZefr_SetPresent as connected and logs every device check, so the tests see which
 * families were probed, in which order, and whether USB was asked at all. Built with
 * ONLY_ENTRY or ONLY_OPEN it exports just one of the two entry points. */
#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>

#define EXPORT __attribute__((visibility("default")))

static char g_present[512];
static char g_log[2048];

EXPORT void FakeZefr_SetPresent(const char* models) {
    snprintf(g_present, sizeof g_present, ";%s;", models);
    g_log[0] = '\0';
}

EXPORT const char* FakeZefr_CheckLog(void) {
    return g_log;
}

#ifndef ONLY_OPEN
EXPORT int ZEFR_EntryUsbCheck(const char* manufacturer, const char* model) {
    char key[256];
    size_t used = strlen(g_log);
    snprintf(g_log + used, sizeof g_log - used, "%s/%s;", manufacturer, model);
    snprintf(key, sizeof key, ";%s;", model);
    return strcasecmp(manufacturer, "Morvalin") == 0 && strstr(g_present, key) != NULL;
}
#endif

#ifndef ONLY_ENTRY
EXPORT int ZEFR_OpenUsb(int reserved, int pipe, unsigned flags, const char* manufacturer,
                        const char* model) {
    (void)reserved;
    (void)pipe;
    (void)flags;
    (void)manufacturer;
    (void)model;
    errno = ENOENT;
    return -1;
}
#endif
