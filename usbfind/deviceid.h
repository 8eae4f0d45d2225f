/* Matching of an IEEE 1284 device ID against a manufacturer and a model. Internal to
 * libzefralink.so (not exported); its own file so that the matching can be tested and fuzzed
 * without a device. */
#ifndef ZEFRALINK_DEVICEID_H
#define ZEFRALINK_DEVICEID_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

enum { kZefraDeviceIdSize = 512 };

/* 1 when the device ID names this manufacturer and model, else 0. The ID is the first
 * `length` bytes of `deviceId`, of which at most kZefraDeviceIdSize count, up to the first
 * zero byte. The value of "MANUFACTURER:" (its first occurrence) runs to the next ";" and must
 * equal `manufacturer` without regard to ASCII letter case; only then is the value of "MODEL:"
 * compared with `model` the same way. A value without its ";" never matches. */
int ZefraDeviceIdMatches(const char* deviceId, size_t length, const char* manufacturer,
                         const char* model);

#ifdef __cplusplus
}
#endif

#endif
