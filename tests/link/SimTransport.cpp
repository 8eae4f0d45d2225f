#include "tests/link/SimTransport.h"

#include "core/messages/MessageCodes.h"
#include "link/PlotterPort.h"
#include "link/UsbTransport.h"
#include "sim/SimPlotter.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

CSimTransport& CSimTransport::Attach(CPlotterPort& port, CSimPlotter& plotter) {
    auto transport = std::make_unique<CSimTransport>(plotter);
    CSimTransport& attached = *transport;
    port.SetTransport(std::move(transport));
    return attached;
}

void CSimTransport::Wait(int delayMs, int timeoutMs) const {
    if (m_faults.bRealTime) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(delayMs, timeoutMs)));
    }
}

void CSimTransport::Deliver(const std::string& bytes) {
    const std::size_t chunk = m_faults.nChunkBytes > 0 ? m_faults.nChunkBytes : bytes.size();
    for (std::size_t at = 0; at < bytes.size(); at += chunk) {
        m_plotter.Receive(std::string_view(bytes).substr(at, chunk));
    }
    std::string reply = m_plotter.TakeOutput();
    if (reply.empty()) {
        return;
    }
    if (m_faults.nDropReplies > 0) {
        --m_faults.nDropReplies;
        return;
    }
    m_strPending += reply;
    m_bPendingLate = m_faults.nReplyDelayMs > 0;
}

void CSimTransport::Unplug() {
    m_faults.nUnplugAfterBytes = -1;
    m_faults.bUnplugged = true;
    // The plotter drops a request it got only part of; a reply it made is not sent.
    m_plotter.DiscardUnfinished();
    m_plotter.TakeOutput();
    m_strPending.clear();
}

int CSimTransport::Write(const std::string& bytes, int timeoutMs) {
    if (m_faults.bUnplugged) {
        return msg::kNoPlotter;
    }
    if (m_faults.bHeldByOther) {
        return msg::kPortBusy;
    }
    // As the USB transport does: a reply still waiting from an earlier exchange is dropped.
    m_strPending.clear();
    m_bPendingLate = false;
    m_bHungUp = false;
    if (m_faults.nUnplugAfterBytes >= 0 &&
        static_cast<long long>(bytes.size()) >= m_faults.nUnplugAfterBytes) {
        const auto taken = static_cast<std::size_t>(m_faults.nUnplugAfterBytes);
        Deliver(bytes.substr(0, taken));
        Unplug();
        // All of it taken: the write went through, and the read meets the hang-up.
        m_bHungUp = taken == bytes.size();
        return m_bHungUp ? msg::kOk : msg::kWriteFailed;
    }
    if (m_faults.nUnplugAfterBytes >= 0) {
        m_faults.nUnplugAfterBytes -= static_cast<long long>(bytes.size());
    }
    Wait(m_faults.nWriteDelayMs, timeoutMs);
    if (m_faults.nWriteDelayMs > timeoutMs) {
        return msg::kTimeout;
    }
    if (m_faults.nAcceptBytes >= 0 &&
        static_cast<long long>(bytes.size()) > m_faults.nAcceptBytes) {
        // The device takes what it still can and then stalls until the time-out.
        Deliver(bytes.substr(0, static_cast<std::size_t>(m_faults.nAcceptBytes)));
        m_faults.nAcceptBytes = 0;
        Wait(timeoutMs, timeoutMs);
        return msg::kTimeout;
    }
    if (m_faults.nAcceptBytes >= 0) {
        m_faults.nAcceptBytes -= static_cast<long long>(bytes.size());
    }
    Deliver(bytes);
    return msg::kOk;
}

int CSimTransport::Read(std::string& raw, int timeoutMs) {
    raw.clear();
    if (m_bHungUp) {
        m_bHungUp = false;
        return msg::kOk; // end of file
    }
    if (m_faults.bUnplugged) {
        return msg::kNoPlotter;
    }
    if (m_faults.bHeldByOther) {
        return msg::kPortBusy;
    }
    if (m_strPending.empty()) {
        Wait(timeoutMs, timeoutMs);
        return msg::kTimeout;
    }
    if (m_bPendingLate) {
        Wait(m_faults.nReplyDelayMs, timeoutMs);
        if (m_faults.nReplyDelayMs > timeoutMs) {
            // The reply stays in the device and is what the next read gets.
            m_bPendingLate = false;
            return msg::kTimeout;
        }
    }
    m_bPendingLate = false;
    const std::size_t size =
        std::min<std::size_t>(m_strPending.size(), CUsbTransport::kReadBufferSize);
    raw = m_strPending.substr(0, size);
    m_strPending.erase(0, size);
    return msg::kOk;
}
