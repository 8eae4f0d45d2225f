#include "link/UsbTransport.h"

#include "core/messages/MessageCodes.h"
#include "platform/FileDescriptor.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

enum class Wait { Ready, TimedOut, Failed };

// Waits until the descriptor can take (POLLOUT) or give (POLLIN) bytes.
// A device that keeps reporting readiness but moves no bytes still ends at the deadline.
Wait WaitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        if (Clock::now() >= deadline) {
            return Wait::TimedOut;
        }
        pollfd entry{fd, events, 0};
        const int n = ::poll(&entry, 1, RemainingMs(deadline));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Wait::Failed;
        }
        if (n == 0) {
            return Wait::TimedOut;
        }
        if ((entry.revents & events) != 0) {
            return Wait::Ready;
        }
        // Hang-up or error without data: the device is gone.
        return Wait::Failed;
    }
}

// Why a pipe could not be opened, from the errno the library left: another program holding
// the device (usblp allows one open at a time) is a busy port, anything else no plotter.
int OpenFailure() {
    return errno == EBUSY ? msg::kPortBusy : msg::kNoPlotter;
}

// Bytes waiting before a request goes out cannot answer it: they are a reply that came after
// an earlier exchange gave up. Left there, they would be read as the next reply. Bounded, so
// a device that never stops sending cannot hold the port.
void DiscardStaleReply(int fd) {
    constexpr int kMaxReads = 64;
    char buffer[CUsbTransport::kReadBufferSize];
    for (int i = 0; i<kMaxReads&& ::read(fd, buffer, sizeof buffer)> 0; ++i) {
    }
}

} // namespace

CUsbTransport::CUsbTransport(ZEFR_OpenUsbFn openUsb, std::string usbModel)
    : m_pfnOpenUsb(openUsb), m_strUsbModel(std::move(usbModel)) {}

int CUsbTransport::OpenPipe(int pipe) const {
    // O_NONBLOCK stands where the overlapped flag stood: every wait is bounded by poll().
    const int fd = m_pfnOpenUsb(0, pipe, O_NONBLOCK, kManufacturer, m_strUsbModel.c_str());
    // Made sure of here as well: one blocking transfer would hold the port lock for good.
    if (fd >= 0) {
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags >= 0 && (flags & O_NONBLOCK) == 0) {
            ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
        }
    }
    return fd;
}

int CUsbTransport::Write(const std::string& bytes, int timeoutMs) {
    std::size_t sent = 0;
    return WriteSome(bytes, timeoutMs, sent);
}

int CUsbTransport::WriteSome(std::string_view bytes, int timeoutMs, std::size_t& sent) {
    sent = 0;
    const CFileDescriptor fd(OpenPipe(kWritePipe));
    if (fd.Get() < 0) {
        return OpenFailure();
    }
    m_bDeviceKept = true;
    DiscardStaleReply(fd.Get());
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (sent < bytes.size()) {
        const ssize_t n = ::write(fd.Get(), bytes.data() + sent, bytes.size() - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            return msg::kWriteFailed;
        }
        switch (WaitFor(fd.Get(), POLLOUT, deadline)) {
        case Wait::Ready:
            break;
        case Wait::TimedOut:
            return msg::kTimeout;
        case Wait::Failed:
            return msg::kWriteFailed;
        }
    }
    return msg::kOk;
}

int CUsbTransport::Read(std::string& raw, int timeoutMs) {
    raw.clear();
    const CFileDescriptor fd(OpenPipe(kReadPipe));
    m_bDeviceKept = false; // any read-pipe open ends what the library kept
    if (fd.Get() < 0) {
        return OpenFailure();
    }
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[kReadBufferSize];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n >= 0) {
            raw.assign(buffer, static_cast<std::size_t>(n));
            return msg::kOk;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            return msg::kReadFailed;
        }
        switch (WaitFor(fd.Get(), POLLIN, deadline)) {
        case Wait::Ready:
            break;
        case Wait::TimedOut:
            return msg::kTimeout;
        case Wait::Failed:
            return msg::kReadFailed;
        }
    }
}

void CUsbTransport::EndExchange() {
    if (!m_bDeviceKept) {
        return;
    }
    m_bDeviceKept = false;
    const CFileDescriptor released(OpenPipe(kReadPipe));
}
