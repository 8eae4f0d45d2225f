#include "core/ExitCode.h"

#include "core/messages/MessageCodes.h"

namespace exitcode {

int ForResult(int windowResult, bool cutMode) {
    switch (windowResult) {
    case kResultOk:
        return cutMode ? kCutAccepted : kClosed;
    case kResultCancel:
        return kCancelled;
    case msg::kUnsupportedSystem:
    case msg::kOutOfMemory:
    case msg::kFirmwareUnsupported:
    case msg::kModelUnsupported:
    case msg::kCouldNotConnect:
    case msg::kMediaListMissing:
    case msg::kControlAttachFailed:
    case msg::kControlPicturesFailed:
        return kCouldNotStart;
    default:
        return kFailed;
    }
}

} // namespace exitcode
