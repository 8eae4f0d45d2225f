#include "WindowRig.h"

#include "core/messages/CMessageService.h"

#include <QSettings>

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

namespace {

using SetPresentFn = void (*)(const char*);
using OpenHandlerFn = int (*)(int);
using SetOpenHandlerFn = void (*)(OpenHandlerFn);

WindowRig* g_pServing = nullptr; // the rig whose plotter answers the stand-in library

template <typename Fn> Fn Export(const char* name) {
    void* library = dlopen(SIM_ZEFRALINK, RTLD_NOW);
    return library != nullptr ? reinterpret_cast<Fn>(dlsym(library, name)) : nullptr;
}

} // namespace

WindowRig::WindowRig(std::string_view type, std::uint16_t langId)
    // No user data folder: the lists stay in the rig's program folder.
    : modelType(type), sim(type), objects(CLanguageSet(langId), CControllerSettings(true),
                                          programFolder.path().toStdString() + "/", {}) {
    QSettings("Morvalin", "Vireclip").clear();
}

WindowRig::~WindowRig() {
    m_pDlg.reset();
    objects.ReleaseOperations();
    if (g_pServing == this) {
        g_pServing = nullptr;
    }
    for (const int fd : m_vecPendingWrites) {
        ::close(fd);
    }
}

void WindowRig::Remember(const char* key, const QVariant& value) {
    QSettings store("Morvalin", "Vireclip");
    store.beginGroup("Status");
    store.setValue(key, value);
}

void WindowRig::AddMediaList(const CuttingCondition& condition) {
    CPlotterModel writerModel;
    writerModel.Identify(modelType);
    writerModel.SelectBladeCatalogue(language.GetLangId());
    const CMediaList writer(writerModel, programFolder.path().toStdString() + "/" +
                                             language.GetMediaListFolder());
    std::filesystem::create_directories(writer.Folder());
    writer.WriteConditionFile(writer.Folder() / (condition.m_strName + ".kcd"), condition);
}

int WindowRig::Open(bool keepTicking) {
    objects.BuildOperations();

    if (useSimulator) {
        const std::string present = presentModels.empty()
                                        ? std::string(CSimPlotter::UsbModelFor(modelType))
                                        : presentModels;
        Export<SetPresentFn>("SimZefr_SetPresent")(present.c_str());
        Export<SetOpenHandlerFn>("SimZefr_SetOpenHandler")(&WindowRig::OnPipeOpen);
        g_pServing = this;
        port.SetLibraryCandidates({SIM_ZEFRALINK});
    } else {
        port.SetLibraryCandidates({QUIRN_RUNTIME_DIR "/libzefralink.so"});
    }

    m_pDlg = std::make_unique<CControllerDlg>(objects.Links(systemCode, skinFolder, nullptr));
    const int result = m_pDlg->OnInitDialog();
    if (result == 0) {
        m_pDlg->show();
        if (!keepTicking) {
            objects.retryTimer.Stop();
        }
    }
    return result;
}

void WindowRig::StopTicking() {
    objects.retryTimer.Stop();
}

int WindowRig::OnPipeOpen(int pipe) {
    return g_pServing != nullptr ? g_pServing->ServePipe(pipe) : -1;
}

// The write pipe is a fresh pipe whose far end is read into the plotter later; the read pipe
// holds what the plotter has answered to everything written so far.
int WindowRig::ServePipe(int pipe) {
    const std::lock_guard lock(m_wireMutex);
    Pump();
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return -1;
    }
    if (pipe == 0) {
        ::fcntl(ends[0], F_SETFL, O_NONBLOCK);
        m_vecPendingWrites.push_back(ends[0]);
        return ends[1];
    }
    const std::string reply = sim.TakeOutput();
    const ssize_t written = ::write(ends[1], reply.data(), reply.size());
    ::close(ends[1]);
    if (written != static_cast<ssize_t>(reply.size())) {
        ::close(ends[0]);
        return -1;
    }
    return ends[0];
}

// Hands everything written so far to the plotter; a pipe stays pending while its writer may
// still write.
void WindowRig::Pump() {
    std::vector<int> open;
    for (const int fd : m_vecPendingWrites) {
        char buffer[4096];
        ssize_t n = 0;
        while ((n = ::read(fd, buffer, sizeof buffer)) > 0) {
            sim.Receive(std::string_view(buffer, static_cast<std::size_t>(n)));
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            open.push_back(fd);
        } else {
            ::close(fd);
        }
    }
    m_vecPendingWrites = std::move(open);
}

std::string WindowRig::TakeWire() {
    const std::lock_guard lock(m_wireMutex);
    Pump();
    const std::string& log = sim.Log();
    std::string fresh = log.substr(m_nWireSeen);
    m_nWireSeen = log.size();
    return fresh;
}

std::vector<int> WindowRig::ShownCodes() {
    const CStringTable& strings = CMessageService::Instance().Strings();
    std::vector<int> codes;
    for (const MessageBoxRequest& shown : recording.Sink().m_vecShown) {
        const std::string& text = shown.text;
        const std::size_t suffix = text.rfind(" [code = ");
        if (suffix != std::string::npos) {
            codes.push_back(std::stoi(text.substr(suffix + 9)));
            continue;
        }
        int code = 0;
        for (int candidate = 1800; candidate <= 1811; ++candidate) {
            if (strings.LoadString(candidate) == text) {
                code = candidate;
            }
        }
        codes.push_back(code);
    }
    return codes;
}
