#include "usbfind/deviceid.h"

#include <string.h>

static int EqualsIgnoringCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        const unsigned char ca = (unsigned char)*a;
        const unsigned char cb = (unsigned char)*b;
        const unsigned char la = (ca >= 'A' && ca <= 'Z') ? (unsigned char)(ca + 32) : ca;
        const unsigned char lb = (cb >= 'A' && cb <= 'Z') ? (unsigned char)(cb + 32) : cb;
        if (la != lb) {
            return 0;
        }
        if (ca == '\0') {
            return 1;
        }
    }
}

/* The value of `key` in a device ID, cut at the next ";" in place. NULL without key or ";". */
static const char* KeyValue(char* deviceId, const char* key) {
    char* value = strstr(deviceId, key);
    if (value == NULL) {
        return NULL;
    }
    value += strlen(key);
    char* end = strchr(value, ';');
    if (end == NULL) {
        return NULL;
    }
    *end = '\0';
    return value;
}

int ZefraDeviceIdMatches(const char* deviceId, size_t length, const char* manufacturer,
                         const char* model) {
    if (deviceId == NULL || manufacturer == NULL || model == NULL) {
        return 0;
    }
    /* Two copies: cutting the manufacturer's value must not cut the model's. */
    char first[kZefraDeviceIdSize + 1];
    char second[kZefraDeviceIdSize + 1];
    const size_t used = length < kZefraDeviceIdSize ? length : kZefraDeviceIdSize;
    memcpy(first, deviceId, used);
    first[used] = '\0';
    memcpy(second, first, used + 1);
    const char* foundManufacturer = KeyValue(first, "MANUFACTURER:");
    if (foundManufacturer == NULL || !EqualsIgnoringCase(foundManufacturer, manufacturer)) {
        return 0;
    }
    const char* foundModel = KeyValue(second, "MODEL:");
    return foundModel != NULL && EqualsIgnoringCase(foundModel, model);
}
