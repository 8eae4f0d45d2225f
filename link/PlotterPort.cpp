#include "link/PlotterPort.h"

#include "core/messages/MessageCodes.h"
#include "link/UsbTransport.h"
#include "models/PlotterModel.h"

#include <chrono>
#include <cstdlib>

namespace {

constexpr char kEtx = '\x03';
constexpr std::string_view kStatusQuery = "\x1b.C1:";
constexpr long kNotReadyBits = 31;

// Holds the port lock for one transaction.
class CPortLockGuard {
public:
    explicit CPortLockGuard(CPortLock& lock)
        : m_lock(lock),
          m_bLocked(lock.TryTake(std::chrono::milliseconds(CPlotterPort::kLockWaitMs))) {}
    ~CPortLockGuard() {
        if (m_bLocked) {
            m_lock.Release();
        }
    }
    CPortLockGuard(const CPortLockGuard&) = delete;
    CPortLockGuard& operator=(const CPortLockGuard&) = delete;
    bool Locked() const { return m_bLocked; }

private:
    CPortLock& m_lock;
    bool m_bLocked;
};

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

CPlotterPort::CPlotterPort(CPlotterModel& model)
    : m_model(model), m_vecLibraryCandidates(CZefraLinkLibrary::DefaultCandidates()) {}

CPlotterPort::~CPlotterPort() = default;

void CPlotterPort::SetTransport(std::unique_ptr<IPlotterTransport> transport) {
    m_pTransport = std::move(transport);
}

bool CPlotterPort::IsDemo() const {
    return m_options.bDemo;
}

int CPlotterPort::Open() {
    if (IsDemo()) {
        return msg::kOk;
    }
    if (const int bound = m_library.Bind(m_vecLibraryCandidates); bound != msg::kOk) {
        return bound;
    }
    if (const int listed = m_printers.Refresh(); listed != msg::kOk) {
        return listed;
    }
    std::string name;
    if (const int chosen = ChooseFamilyName(name); chosen != msg::kOk) {
        return chosen;
    }
    m_strUsbModel = CPlotterModel::UsbModelForFamilyName(name);
    if (m_strUsbModel.empty()) {
        return msg::kModelUnsupported;
    }
    // The family decides which spooler queues are the plotter's.
    for (int i = 0; i < CPlotterModel::FamilyCount(); ++i) {
        if (CPlotterModel::UsbModelString(i) == m_strUsbModel) {
            m_model.SetFamilyIndex(i);
        }
    }
    // A transport set beforehand (the in-process simulated plotter) stays in place.
    if (!m_pTransport) {
        m_pTransport = std::make_unique<CUsbTransport>(m_library.OpenUsb(), m_strUsbModel);
    }
    return msg::kOk;
}

int CPlotterPort::ChooseFamilyName(std::string& name) {
    // A model named at launch is taken as it is; USB is not asked.
    if (m_options.bModel) {
        name = m_options.strModel;
        return msg::kOk;
    }
    std::vector<std::string> found;
    for (int i = 0; i < CPlotterModel::FamilyCount(); ++i) {
        const std::string usbModel = CPlotterModel::UsbModelString(i);
        if (m_library.EntryUsbCheck()(CUsbTransport::kManufacturer, usbModel.c_str()) != 0) {
            found.emplace_back(CPlotterModel::FamilyName(i));
        }
    }
    if (found.empty()) {
        return msg::kNoPlotter;
    }
    if (found.size() == 1) {
        name = found.front();
    } else if (m_fnChooseModel) {
        name = m_fnChooseModel(found);
        if (name.empty()) {
            return kChoiceDismissed;
        }
    }
    // Without a choice window no name is taken, which Open reports as unsupported.
    return msg::kOk;
}

int CPlotterPort::Transact(bool checkQueues, bool checkStatus, const std::function<int()>& body) {
    const CPortLockGuard guard(m_portLock);
    if (!guard.Locked()) {
        return msg::kPortBusy;
    }
    const int result = TransactLocked(checkQueues, checkStatus, body);
    // Still under the lock: the library is not safe to call from two threads.
    if (m_pTransport) {
        m_pTransport->EndExchange();
    }
    return result;
}

int CPlotterPort::TransactLocked(bool checkQueues, bool checkStatus,
                                 const std::function<int()>& body) {
    if (checkQueues && !IsDemo()) {
        const int queues = m_printers.CheckQueues([this](const std::string& description) {
            return m_model.MatchesPrinterDescription(description);
        });
        if (queues != msg::kOk) {
            return queues;
        }
    }
    if (checkStatus) {
        if (const int status = QueryStatus(); status != msg::kOk) {
            return status;
        }
    }
    return body();
}

int CPlotterPort::Query(std::string_view text, std::string& reply) {
    reply.clear();
    if (const int written = WriteCommand(text, kTransferTimeoutMs); written != msg::kOk) {
        return written;
    }
    return ReadReply(reply, kTransferTimeoutMs);
}

int CPlotterPort::WriteCommand(std::string_view text, int timeoutMs) {
    if (IsDemo()) {
        return msg::kOk;
    }
    if (!m_pTransport) {
        return msg::kNoPlotter;
    }
    return m_pTransport->Write(std::string(text), timeoutMs);
}

int CPlotterPort::WriteSome(std::string_view bytes, int timeoutMs, std::size_t& sent) {
    sent = 0;
    if (IsDemo()) {
        sent = bytes.size();
        return msg::kOk;
    }
    if (!m_pTransport) {
        return msg::kNoPlotter;
    }
    return m_pTransport->WriteSome(bytes, timeoutMs, sent);
}

int CPlotterPort::ReadReply(std::string& reply, int timeoutMs) {
    reply.clear();
    if (IsDemo()) {
        return msg::kOk;
    }
    if (!m_pTransport) {
        return msg::kNoPlotter;
    }
    std::string raw;
    if (const int read = m_pTransport->Read(raw, timeoutMs); read != msg::kOk) {
        return read;
    }
    reply = NormaliseReply(raw);
    return msg::kOk;
}

int CPlotterPort::QueryStatus() {
    if (IsDemo()) {
        return msg::kOk;
    }
    std::string reply;
    if (const int asked = Query(kStatusQuery, reply); asked != msg::kOk) {
        return asked;
    }
    // The leading integer; no digits at all (an empty reply included) reads as 0, ready.
    const long status = std::strtol(reply.c_str(), nullptr, 10);
    if (status == 0) {
        return msg::kOk;
    }
    return (status & kNotReadyBits) != 0 ? msg::kPlotterNotReady : msg::kReadFailed;
}

int CPlotterPort::CheckReady(bool checkQueues, bool checkStatus) {
    return Transact(checkQueues, checkStatus, [] { return msg::kOk; });
}

void CPlotterPort::WaitForPort() {
    for (int i = 0; i < kWaitForPortTries; ++i) {
        const CPortLockGuard guard(m_portLock);
        if (guard.Locked()) {
            return;
        }
    }
}

std::string CPlotterPort::NormaliseReply(std::string_view raw) {
    std::string_view text = raw.substr(0, kMaxReplyBytes);
    text = text.substr(0, text.find('\0'));
    const std::size_t etx = text.find(kEtx);
    if (etx == std::string_view::npos) {
        return {};
    }
    text = text.substr(0, etx);
    std::size_t start = 0;
    while (start < text.size() && IsWhiteSpace(text[start])) {
        ++start;
    }
    return std::string(text.substr(start));
}
