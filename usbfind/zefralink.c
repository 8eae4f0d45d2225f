/* ZEFRALINK on the Linux USB printer-class driver (usblp).
 *
 * Every /sys/class/usbmisc/lpN entry is one printer interface: its `device` link leads to
 * the USB interface (attribute ieee1284_id), whose parent is the USB device (idVendor,
 * idProduct, serial); DEVNAME in its uevent names the node. usblp carries both bulk pipes
 * through that one node and allows one open at a time, and a close drops reply bytes not
 * yet read, so one descriptor stays open from the pipe-0 open of an exchange to its
 * pipe-1 open.
 *
 * Every open checks the device again, two per exchange. A check first confirms the device
 * the last walk found, by the identity and the contents of its device ID attribute, and walks
 * every entry only when that fails (see docs/zefralink.md). */
#define _GNU_SOURCE
#include "usbfind/zefralink.h"

#include "usbfind/deviceid.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef QUIRN_USB_VENDOR_TOKEN
#define QUIRN_USB_VENDOR_TOKEN "VID_7A6D"
#endif

enum {
    kPathSize = 260,       /* the device path buffer */
    kPipeSuffixLength = 4, /* backslash, full stop, two digits */
    kInstanceIdSize = 512,
    kAttributeSize = 4096, /* one sysfs page */
    kNameSize = 256,       /* longer entry names or arguments are not remembered */
};

static const char kClassDir[] = "/sys/class/usbmisc";

/* The node of the device examined last; after a successful check, of the matching one. */
static char g_devicePath[kPathSize];

/* What the last walk found: the entry, the arguments it matched, its node and the file its
 * device ID came from. sysfs gives every device's attributes inodes of their own, so the same
 * file means the same USB interface of the same device: the one whose vendor was checked. */
static struct {
    int valid;
    char entry[kNameSize];
    char manufacturer[kNameSize];
    char model[kNameSize];
    char devicePath[kPathSize];
    dev_t idDevice;
    ino_t idInode;
} g_lastMatch;

/* The descriptor held between the pipe-0 and the pipe-1 open of one exchange. */
static int g_heldFd = -1;
static char g_heldPath[kPathSize];

/* Reads at most size - 1 bytes of a file and ends them with a zero byte, and tells which file
 * it was when `identity` is given. Returns the number of bytes read, or -1. */
static long ReadAttribute(const char* path, char* buffer, size_t size, struct stat* identity) {
    const int fd = open(path, O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return -1;
    }
    if (identity != NULL && fstat(fd, identity) != 0) {
        close(fd);
        return -1;
    }
    size_t total = 0;
    while (total + 1 < size) {
        const size_t wanted = size - 1 - total;
        const ssize_t n = read(fd, buffer + total, wanted);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        total += (size_t)n;
        /* sysfs hands an attribute over in one read, and a regular file gives less than asked
         * only at its end: a short read ends the attribute without another read. */
        if ((size_t)n < wanted) {
            break;
        }
    }
    close(fd);
    buffer[total] = '\0';
    return (long)total;
}

static void TrimLineEnd(char* text) {
    size_t length = strlen(text);
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r')) {
        text[--length] = '\0';
    }
}

/* Reads a four-digit hexadecimal USB id attribute such as idVendor. */
static int ReadUsbId(const char* entry, const char* attribute, unsigned* value) {
    char path[kAttributeSize];
    char text[32];
    if (snprintf(path, sizeof path, "%s/%s/device/../%s", kClassDir, entry, attribute) >=
            (int)sizeof path ||
        ReadAttribute(path, text, sizeof text, NULL) <= 0) {
        return 0;
    }
    char* end = NULL;
    errno = 0;
    const unsigned long parsed = strtoul(text, &end, 16);
    if (errno != 0 || end == text || (*end != '\0' && *end != '\n') || parsed > 0xFFFFu) {
        return 0;
    }
    *value = (unsigned)parsed;
    return 1;
}

/* Builds USB\VID_xxxx&PID_xxxx\serial; 0 when an attribute is missing or the ID does not
 * fit its buffer. */
static int FormInstanceId(const char* entry, char* instanceId) {
    unsigned vendor = 0;
    unsigned product = 0;
    if (!ReadUsbId(entry, "idVendor", &vendor) || !ReadUsbId(entry, "idProduct", &product)) {
        return 0;
    }
    char path[kAttributeSize];
    char serial[kInstanceIdSize];
    if (snprintf(path, sizeof path, "%s/%s/device/../serial", kClassDir, entry) >=
        (int)sizeof path) {
        return 0;
    }
    if (ReadAttribute(path, serial, sizeof serial, NULL) < 0) {
        serial[0] = '\0'; /* devices without a serial number are still devices */
    }
    TrimLineEnd(serial);
    const int length = snprintf(instanceId, kInstanceIdSize, "USB\\VID_%04X&PID_%04X\\%s", vendor,
                                product, serial);
    return length > 0 && length < kInstanceIdSize;
}

/* Copies the node named by DEVNAME in the entry's uevent into the device path buffer.
 * A path that could not also take the pipe suffix is refused rather than cut. */
static int CopyDevicePath(const char* entry) {
    char path[kAttributeSize];
    char uevent[kAttributeSize];
    if (snprintf(path, sizeof path, "%s/%s/uevent", kClassDir, entry) >= (int)sizeof path ||
        ReadAttribute(path, uevent, sizeof uevent, NULL) <= 0) {
        return 0;
    }
    for (char* line = uevent; line != NULL && *line != '\0';) {
        char* next = strchr(line, '\n');
        if (next != NULL) {
            *next++ = '\0';
        }
        if (strncmp(line, "DEVNAME=", 8) == 0 && line[8] != '\0') {
            const char* name = line + 8;
            const char* prefix = name[0] == '/' ? "" : "/dev/";
            const int length = snprintf(g_devicePath, sizeof g_devicePath, "%s%s", prefix, name);
            if (length <= 0 || length + kPipeSuffixLength >= kPathSize) {
                g_devicePath[0] = '\0';
                return 0;
            }
            return 1;
        }
        line = next;
    }
    return 0;
}

/* Whether the entry's device ID names the manufacturer and model; `identity` tells which file
 * it was read from. */
static int DeviceIdMatches(const char* entry, const char* manufacturer, const char* model,
                           struct stat* identity) {
    char path[kAttributeSize];
    char deviceId[kZefraDeviceIdSize + 1];
    if (snprintf(path, sizeof path, "%s/%s/device/ieee1284_id", kClassDir, entry) >=
        (int)sizeof path) {
        return 0;
    }
    const long length = ReadAttribute(path, deviceId, sizeof deviceId, identity);
    return length > 0 && ZefraDeviceIdMatches(deviceId, (size_t)length, manufacturer, model);
}

static int DeviceMatches(const char* entry, const char* manufacturer, const char* model,
                         struct stat* identity) {
    char instanceId[kInstanceIdSize];
    if (!CopyDevicePath(entry) || !FormInstanceId(entry, instanceId) ||
        strstr(instanceId, QUIRN_USB_VENDOR_TOKEN) == NULL) {
        return 0;
    }
    /* Opening would claim the device (usblp allows one open) and start a read. */
    if (access(g_devicePath, R_OK | W_OK) != 0) {
        return 0;
    }
    return DeviceIdMatches(entry, manufacturer, model, identity);
}

/* lpN followed by its number; -1 for other names. */
static long PrinterNumber(const char* name) {
    if (strncmp(name, "lp", 2) != 0 || name[2] < '0' || name[2] > '9') {
        return -1;
    }
    char* end = NULL;
    const long number = strtol(name + 2, &end, 10);
    return *end == '\0' ? number : -1;
}

static int CompareEntries(const void* a, const void* b) {
    const long na = PrinterNumber(*(const char* const*)a);
    const long nb = PrinterNumber(*(const char* const*)b);
    return (na > nb) - (na < nb);
}

static void FreeEntries(char** entries, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        free(entries[i]);
    }
    free(entries);
}

/* The lpN entries in the order of their numbers, which is the order the driver made them:
 * directory order differs between file systems and would make "the first match" random. */
static char** ListEntries(size_t* count) {
    *count = 0;
    DIR* dir = opendir(kClassDir);
    if (dir == NULL) {
        return NULL;
    }
    char** entries = NULL;
    size_t capacity = 0;
    for (const struct dirent* item = readdir(dir); item != NULL; item = readdir(dir)) {
        if (PrinterNumber(item->d_name) < 0) {
            continue;
        }
        if (*count == capacity) {
            const size_t grown = capacity == 0 ? 8 : capacity * 2;
            char** larger = realloc(entries, grown * sizeof *entries);
            if (larger == NULL) {
                break;
            }
            entries = larger;
            capacity = grown;
        }
        entries[*count] = strdup(item->d_name);
        if (entries[*count] != NULL) {
            ++*count;
        }
    }
    closedir(dir);
    if (*count > 1) {
        qsort(entries, *count, sizeof *entries, CompareEntries);
    }
    return entries;
}

/* Remembers the entry that just matched; the device path buffer holds its node. */
static void RememberMatch(const char* entry, const char* manufacturer, const char* model,
                          const struct stat* identity) {
    g_lastMatch.valid =
        strlen(entry) < kNameSize && strlen(manufacturer) < kNameSize && strlen(model) < kNameSize;
    if (g_lastMatch.valid) {
        strcpy(g_lastMatch.entry, entry);
        strcpy(g_lastMatch.manufacturer, manufacturer);
        strcpy(g_lastMatch.model, model);
        memcpy(g_lastMatch.devicePath, g_devicePath, sizeof g_lastMatch.devicePath);
        g_lastMatch.idDevice = identity->st_dev;
        g_lastMatch.idInode = identity->st_ino;
    }
}

/* 1 when no printer entry has a lower number than `number`: the walk would reach it first. */
static int NoEntryBefore(long number) {
    if (number == 0) {
        return 1;
    }
    DIR* dir = opendir(kClassDir);
    if (dir == NULL) {
        return 0;
    }
    int first = 1;
    for (const struct dirent* item = readdir(dir); item != NULL && first; item = readdir(dir)) {
        const long other = PrinterNumber(item->d_name);
        first = other < 0 || other >= number;
    }
    closedir(dir);
    return first;
}

/* 1 when the walk would still find the device it found last, short of the node's access
 * rights: nothing with a lower number before it, its device ID read from the same file and
 * still naming the manufacturer and model. The device path buffer then holds its node. */
static int LastMatchHolds(const char* manufacturer, const char* model) {
    struct stat identity;
    if (!g_lastMatch.valid || strcmp(g_lastMatch.manufacturer, manufacturer) != 0 ||
        strcmp(g_lastMatch.model, model) != 0 || !NoEntryBefore(PrinterNumber(g_lastMatch.entry)) ||
        !DeviceIdMatches(g_lastMatch.entry, manufacturer, model, &identity) ||
        identity.st_dev != g_lastMatch.idDevice || identity.st_ino != g_lastMatch.idInode) {
        return 0;
    }
    memcpy(g_devicePath, g_lastMatch.devicePath, sizeof g_devicePath);
    return 1;
}

/* Every entry in number order until one matches; remembers what it found. */
static int Walk(const char* manufacturer, const char* model) {
    size_t count = 0;
    char** entries = ListEntries(&count);
    int matched = 0;
    g_lastMatch.valid = 0;
    for (size_t i = 0; i < count && !matched; ++i) {
        struct stat identity;
        matched = DeviceMatches(entries[i], manufacturer, model, &identity);
        if (matched) {
            RememberMatch(entries[i], manufacturer, model, &identity);
        }
    }
    FreeEntries(entries, count);
    return matched;
}

int ZEFR_EntryUsbCheck(const char* manufacturer, const char* model) {
    if (manufacturer == NULL || model == NULL) {
        return 0;
    }
    return (LastMatchHolds(manufacturer, model) && access(g_devicePath, R_OK | W_OK) == 0) ||
           Walk(manufacturer, model);
}

static void DropHeld(void) {
    if (g_heldFd >= 0) {
        const int saved = errno;
        close(g_heldFd);
        errno = saved;
        g_heldFd = -1;
    }
}

int ZEFR_OpenUsb(int reserved, int pipe, unsigned flags, const char* manufacturer,
                 const char* model) {
    (void)reserved;
    /* The flags stood for overlapped I/O, which a non-blocking descriptor always gives. */
    (void)flags;
    /* A pipe-0 open starts a new exchange. The previous one may have been a command
     * without reply, whose descriptor nobody will collect: let it go now. */
    if (pipe == 0) {
        DropHeld();
    }
    /* A confirmed device skips the access check: the open below tells the same, and when it
     * fails the walk decides as if nothing had been remembered. */
    const int confirmed =
        manufacturer != NULL && model != NULL && LastMatchHolds(manufacturer, model);
    if ((!confirmed && !ZEFR_EntryUsbCheck(manufacturer, model)) || (pipe != 0 && pipe != 1)) {
        DropHeld();
        errno = ENOENT;
        return -1;
    }
    if (pipe == 1 && g_heldFd >= 0 && strcmp(g_heldPath, g_devicePath) == 0) {
        /* The exchange ends here: the caller's handle becomes the only reference. */
        const int fd = g_heldFd;
        g_heldFd = -1;
        return fd;
    }
    DropHeld();
    const int openFlags = O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = open(g_devicePath, openFlags);
    if (fd < 0 && confirmed) {
        if (!Walk(manufacturer, model)) {
            errno = ENOENT;
            return -1;
        }
        fd = open(g_devicePath, openFlags);
    }
    if (pipe == 1 || fd < 0) {
        return fd;
    }
    const int handle = fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (handle < 0) {
        const int saved = errno;
        close(fd);
        errno = saved;
        return -1;
    }
    g_heldFd = fd;
    memcpy(g_heldPath, g_devicePath, sizeof g_heldPath);
    return handle;
}
