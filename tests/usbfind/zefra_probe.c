/* Drives libzefralink.so the way the plotter port does and prints what happened, one line
 * per step, for tests that run it under plottersim or the umockdev preload.
 *
 *   zefra_probe LIBRARY STEP...
 *   check MANUFACTURER MODEL          -> "check 1" | "check 0"
 *   open PIPE MANUFACTURER MODEL      -> "open ok" | "open -1 errno N"
 *   query MANUFACTURER MODEL BYTES    -> "reply <escaped bytes>" | "error <where> errno N"
 *   command MANUFACTURER MODEL BYTES  -> "sent N"  (pipe 0 only, no reply read)
 *   share MANUFACTURER MODEL          -> "share same" | "share different"
 *   held NODE                         -> "held N": descriptors of this process on NODE
 *   timeout MS                        -> later reads wait at most MS (default 3000)
 *   null                              -> "null C F errno N": both exports given NULL strings
 *   sleep MS
 *   move FROM TO                      -> renames inside the test bed ($UMOCKDEV_DIR), as a
 *                                        replug or another device would change it
 *   write FILE BYTES                  -> rewrites a file inside the test bed
 * BYTES take the escapes \e (ESC), \x03 style and \\. */
#define _GNU_SOURCE
#include "usbfind/zefralink.h"

#include <dirent.h>
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static ZEFR_EntryUsbCheckFn g_check;
static ZEFR_OpenUsbFn g_open;
static int g_nReadTimeoutMs = 3000;

static size_t Unescape(const char* text, char* out, size_t size) {
    size_t n = 0;
    for (const char* p = text; *p != '\0' && n < size; ++p) {
        if (*p == '\\' && p[1] == 'e') {
            out[n++] = 0x1b;
            ++p;
        } else if (*p == '\\' && p[1] == 'x' && p[2] != '\0' && p[3] != '\0') {
            char hex[3] = {p[2], p[3], '\0'};
            out[n++] = (char)strtol(hex, NULL, 16);
            p += 3;
        } else if (*p == '\\' && p[1] == '\\') {
            out[n++] = '\\';
            ++p;
        } else {
            out[n++] = *p;
        }
    }
    return n;
}

static void PrintEscaped(const char* label, const char* bytes, size_t size) {
    printf("%s ", label);
    for (size_t i = 0; i < size; ++i) {
        const unsigned char c = (unsigned char)bytes[i];
        if (c == '\\') {
            printf("\\\\");
        } else if (c >= 0x20 && c < 0x7f) {
            putchar(c);
        } else {
            printf("\\x%02x", c);
        }
    }
    putchar('\n');
}

/* A path inside the umockdev test bed, which the preload shows to the library as / . */
static int TestbedPath(const char* path, char* out, size_t size) {
    const char* root = getenv("UMOCKDEV_DIR");
    return root != NULL && snprintf(out, size, "%s/%s", root, path) < (int)size;
}

static void ChangeTestbed(const char* step, const char* first, const char* second) {
    char from[1024];
    char to[1024];
    int done = 0;
    if (strcmp(step, "move") == 0) {
        done = TestbedPath(first, from, sizeof from) && TestbedPath(second, to, sizeof to) &&
               rename(from, to) == 0;
    } else if (TestbedPath(first, to, sizeof to)) {
        char bytes[4096];
        const size_t size = Unescape(second, bytes, sizeof bytes);
        FILE* file = fopen(to, "wb");
        done = file != NULL && fwrite(bytes, 1, size, file) == size;
        done = file != NULL && fclose(file) == 0 && done;
    }
    if (!done) {
        printf("error %s %s errno %d\n", step, first, errno);
    }
}

static long long NowMs(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000 + now.tv_nsec / 1000000;
}

/* Reads until an ETX arrives or the read time-out passes, in a buffer of 1024 bytes as the
 * port does. */
static void ReadReply(int fd) {
    char reply[1024];
    size_t total = 0;
    const long long end = NowMs() + g_nReadTimeoutMs;
    while (total < sizeof reply && memchr(reply, 0x03, total) == NULL) {
        const long long left = end - NowMs();
        struct pollfd pfd = {fd, POLLIN, 0};
        if (left <= 0 || poll(&pfd, 1, (int)left) <= 0) {
            break;
        }
        const ssize_t n = read(fd, reply + total, sizeof reply - total);
        if (n <= 0) {
            break;
        }
        total += (size_t)n;
    }
    if (total == 0) {
        printf("error read timeout\n");
        return;
    }
    PrintEscaped("reply", reply, total);
}

static int Query(const char* manufacturer, const char* model, const char* text, int readReply) {
    char bytes[4096];
    const size_t size = Unescape(text, bytes, sizeof bytes);
    const int out = g_open(0, 0, O_NONBLOCK, manufacturer, model);
    if (out < 0) {
        printf("error open0 errno %d\n", errno);
        return 0;
    }
    const ssize_t written = write(out, bytes, size);
    close(out);
    if (written < 0) {
        printf("error write errno %d\n", errno);
        return 0;
    }
    if (!readReply) {
        printf("sent %zd\n", written);
        return 1;
    }
    const int in = g_open(0, 1, O_NONBLOCK, manufacturer, model);
    if (in < 0) {
        printf("error open1 errno %d\n", errno);
        return 0;
    }
    ReadReply(in);
    close(in);
    return 1;
}

/* Two descriptors share one open file description when a status flag set through one is
 * seen through the other. */
static void Share(const char* manufacturer, const char* model) {
    const int out = g_open(0, 0, O_NONBLOCK, manufacturer, model);
    const int in = g_open(0, 1, O_NONBLOCK, manufacturer, model);
    if (out < 0 || in < 0) {
        printf("error share errno %d\n", errno);
    } else {
        const int flags = fcntl(out, F_GETFL);
        fcntl(out, F_SETFL, flags ^ O_APPEND);
        const int same = (fcntl(in, F_GETFL) & O_APPEND) == ((flags ^ O_APPEND) & O_APPEND);
        fcntl(out, F_SETFL, flags);
        printf("share %s\n", same && out != in ? "same" : "different");
    }
    if (out >= 0) {
        close(out);
    }
    if (in >= 0) {
        close(in);
    }
}

/* Counts this process's descriptors on NODE. Under umockdev the node is a link to a pty and
 * stat() reports the emulated device numbers, so descriptors are matched by their link. */
static void Held(const char* node) {
    char target[512];
    const ssize_t length = readlink(node, target, sizeof target - 1);
    if (length <= 0) {
        printf("error readlink errno %d\n", errno);
        return;
    }
    target[length] = '\0';
    int count = 0;
    DIR* dir = opendir("/proc/self/fd");
    for (struct dirent* item = dir ? readdir(dir) : NULL; item != NULL; item = readdir(dir)) {
        char path[300];
        char link[512];
        snprintf(path, sizeof path, "/proc/self/fd/%s", item->d_name);
        const ssize_t n = readlink(path, link, sizeof link - 1);
        if (item->d_name[0] != '.' && n > 0) {
            link[n] = '\0';
            count += strcmp(link, target) == 0;
        }
    }
    if (dir != NULL) {
        closedir(dir);
    }
    printf("held %d\n", count);
}

int main(int argc, char** argv) {
    setvbuf(stdout, NULL, _IOLBF, 0);
    if (argc < 2) {
        fprintf(stderr, "usage: zefra_probe LIBRARY STEP...\n");
        return 2;
    }
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (library == NULL) {
        printf("error dlopen %s\n", dlerror());
        return 3;
    }
    g_check = (ZEFR_EntryUsbCheckFn)dlsym(library, "ZEFR_EntryUsbCheck");
    g_open = (ZEFR_OpenUsbFn)dlsym(library, "ZEFR_OpenUsb");
    if (g_check == NULL || g_open == NULL) {
        printf("error dlsym\n");
        return 3;
    }
    for (int i = 2; i < argc; ++i) {
        const char* step = argv[i];
        const int left = argc - i - 1;
        if (strcmp(step, "check") == 0 && left >= 2) {
            printf("check %d\n", g_check(argv[i + 1], argv[i + 2]));
            i += 2;
        } else if (strcmp(step, "open") == 0 && left >= 3) {
            const int fd = g_open(0, atoi(argv[i + 1]), O_NONBLOCK, argv[i + 2], argv[i + 3]);
            if (fd >= 0) {
                printf("open ok\n");
                close(fd);
            } else {
                printf("open -1 errno %d\n", errno);
            }
            i += 3;
        } else if ((strcmp(step, "query") == 0 || strcmp(step, "command") == 0) && left >= 3) {
            Query(argv[i + 1], argv[i + 2], argv[i + 3], strcmp(step, "query") == 0);
            i += 3;
        } else if (strcmp(step, "share") == 0 && left >= 2) {
            Share(argv[i + 1], argv[i + 2]);
            i += 2;
        } else if (strcmp(step, "held") == 0 && left >= 1) {
            Held(argv[i + 1]);
            i += 1;
        } else if (strcmp(step, "timeout") == 0 && left >= 1) {
            g_nReadTimeoutMs = atoi(argv[i + 1]);
            i += 1;
        } else if (strcmp(step, "null") == 0) {
            const int found = g_check(NULL, NULL);
            const int fd = g_open(0, 0, O_NONBLOCK, NULL, NULL);
            printf("null %d %d errno %d\n", found, fd, errno);
        } else if ((strcmp(step, "move") == 0 || strcmp(step, "write") == 0) && left >= 2) {
            ChangeTestbed(step, argv[i + 1], argv[i + 2]);
            i += 2;
        } else if (strcmp(step, "sleep") == 0 && left >= 1) {
            usleep((useconds_t)atoi(argv[i + 1]) * 1000);
            i += 1;
        } else {
            printf("error step %s\n", step);
            return 2;
        }
    }
    return 0;
}
