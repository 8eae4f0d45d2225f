#include "link/CupsLibrary.h"

#include <dlfcn.h>

#include <mutex>

namespace {

template <typename Function> bool Resolve(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

// Holds only function pointers, so a load still running when the program ends leaves nothing
// to destroy.
struct LoadedApi {
    std::once_flag once;
    CupsApi api{};
    bool complete = false;
};

LoadedApi& Loaded() {
    static LoadedApi loaded;
    return loaded;
}

void Load(LoadedApi& loaded) {
    // Never closed: the functions stay in use until the program ends.
    void* handle = dlopen(cupslib::kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        return;
    }
    CupsApi& api = loaded.api;
    loaded.complete =
        Resolve(handle, "cupsServer", api.server) && Resolve(handle, "ippPort", api.port) &&
        Resolve(handle, "cupsEncryption", api.encryption) &&
        Resolve(handle, "httpConnect2", api.connect) &&
        Resolve(handle, "httpSetTimeout", api.setTimeout) &&
        Resolve(handle, "httpClose", api.close) && Resolve(handle, "cupsGetDests2", api.getDests) &&
        Resolve(handle, "cupsFreeDests", api.freeDests) &&
        Resolve(handle, "cupsGetOption", api.getOption) &&
        Resolve(handle, "cupsGetJobs2", api.getJobs) &&
        Resolve(handle, "cupsFreeJobs", api.freeJobs);
}

} // namespace

namespace cupslib {

const CupsApi* Api() {
    LoadedApi& loaded = Loaded();
    std::call_once(loaded.once, Load, std::ref(loaded));
    return loaded.complete ? &loaded.api : nullptr;
}

} // namespace cupslib
