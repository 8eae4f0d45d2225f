/* A stand-in for libzefralink.so that the port binds by file name in the window tests. It
 * reports the USB models named by SimZefr_SetPresent as connected and hands every pipe open to
 * the handler the test registers, which serves it from the in-process simulated plotter. */
#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>

#define EXPORT __attribute__((visibility("default")))

typedef int (*SimZefrOpenHandler)(int pipe);

static char g_present[512];
static SimZefrOpenHandler g_handler;

EXPORT void SimZefr_SetPresent(const char* models) {
    snprintf(g_present, sizeof g_present, ";%s;", models);
}

EXPORT void SimZefr_SetOpenHandler(SimZefrOpenHandler handler) {
    g_handler = handler;
}

EXPORT int ZEFR_EntryUsbCheck(const char* manufacturer, const char* model) {
    char key[256];
    snprintf(key, sizeof key, ";%s;", model);
    return strcasecmp(manufacturer, "Morvalin") == 0 && strstr(g_present, key) != NULL;
}

EXPORT int ZEFR_OpenUsb(int reserved, int pipe, unsigned flags, const char* manufacturer,
                        const char* model) {
    (void)reserved;
    (void)flags;
    if (g_handler == NULL || !ZEFR_EntryUsbCheck(manufacturer, model)) {
        errno = ENOENT;
        return -1;
    }
    return g_handler(pipe);
}
