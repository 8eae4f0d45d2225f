#pragma once

#include "usbfind/zefralink.h"

#include <string>
#include <vector>

// Loads the USB discovery library by file name and binds its exports. Once loaded the
// library stays loaded for the rest of the process: handles it gave out may still be in use.
class CZefraLinkLibrary {
public:
    static constexpr const char* kFileName = "libzefralink.so";

    // The program's own folder first (the folder of /proc/self/exe), then the system's search.
    static std::vector<std::string> DefaultCandidates();

    // Tries each candidate in order (a path with a '/' is loaded as it is, a bare name through
    // the system's search); the first that loads is bound. Returns 0, msg::kLibraryMissing or
    // msg::kLibraryExportMissing. Binding twice keeps the first binding.
    [[nodiscard]] int Bind(const std::vector<std::string>& candidates);

    bool IsBound() const { return m_pfnOpenUsb != nullptr; }
    ZEFR_EntryUsbCheckFn EntryUsbCheck() const { return m_pfnEntryUsbCheck; }
    ZEFR_OpenUsbFn OpenUsb() const { return m_pfnOpenUsb; }

private:
    void* m_hModule = nullptr;
    ZEFR_EntryUsbCheckFn m_pfnEntryUsbCheck = nullptr;
    ZEFR_OpenUsbFn m_pfnOpenUsb = nullptr;
};
