#pragma once

#include <string>
#include <vector>

// The two exports of libzefralink.so, bound by name at run time. A handle is a file
// descriptor; -1 is the invalid handle, with errno as the last-error code.
using ZefrEntryUsbCheckFn = int (*)(const char* manufacturer, const char* model);
using ZefrOpenUsbFn = int (*)(int reserved, int pipe, unsigned flags, const char* manufacturer,
                              const char* model);

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
    int Bind(const std::vector<std::string>& candidates);

    bool IsBound() const { return m_pfnOpenUsb != nullptr; }
    ZefrEntryUsbCheckFn EntryUsbCheck() const { return m_pfnEntryUsbCheck; }
    ZefrOpenUsbFn OpenUsb() const { return m_pfnOpenUsb; }

private:
    void* m_hModule = nullptr;
    ZefrEntryUsbCheckFn m_pfnEntryUsbCheck = nullptr;
    ZefrOpenUsbFn m_pfnOpenUsb = nullptr;
};
