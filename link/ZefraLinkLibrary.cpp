#include "link/ZefraLinkLibrary.h"

#include "core/messages/MessageCodes.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

std::vector<std::string> CZefraLinkLibrary::DefaultCandidates() {
    std::vector<std::string> candidates;
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        candidates.push_back((exe.parent_path() / kFileName).string());
    }
    candidates.emplace_back(kFileName);
    return candidates;
}

int CZefraLinkLibrary::Bind(const std::vector<std::string>& candidates) {
    if (IsBound()) {
        return msg::kOk;
    }
    if (m_hModule == nullptr) {
        for (const std::string& candidate : candidates) {
            m_hModule = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (m_hModule != nullptr) {
                break;
            }
        }
    }
    if (m_hModule == nullptr) {
        return msg::kLibraryMissing;
    }
    // Both are looked up before either is kept, so a library with one export binds nothing.
    auto* entry = reinterpret_cast<ZEFR_EntryUsbCheckFn>(dlsym(m_hModule, "ZEFR_EntryUsbCheck"));
    auto* open = reinterpret_cast<ZEFR_OpenUsbFn>(dlsym(m_hModule, "ZEFR_OpenUsb"));
    if (entry == nullptr || open == nullptr) {
        return msg::kLibraryExportMissing;
    }
    m_pfnEntryUsbCheck = entry;
    m_pfnOpenUsb = open;
    return msg::kOk;
}
