#include "sim/SimDevice.h"

#include <umockdev.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <limits>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kUsblpMajor = 180;

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (unsigned char byte : bytes) {
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return hex;
}

// The same folder, the name with a leading dot and an "-unplugged" suffix.
std::string HiddenName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return path.substr(0, slash + 1) + "." + path.substr(slash + 1) + "-unplugged";
}

std::string Format(const char* format, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

CSimDevice::CSimDevice(UMockdevTestbed* testbed, SimPlotterConfig config, int number)
    : m_pTestbed(testbed), m_config(std::move(config)), m_plotter(MakePlotter(m_config)),
      m_nNumber(number) {
    gchar* root = umockdev_testbed_get_root_dir(testbed);
    m_strRoot = root;
    g_free(root);
    const std::string port = std::to_string(number + 1);
    const std::string usbPath = "/devices/pci0000:00/0000:00:14.0/usb1/1-" + port;
    const std::string interfacePath = usbPath + "/1-" + port + ":1.0";
    m_strPrinterPath = interfacePath + "/usbmisc/lp" + std::to_string(number);
    const std::string devName =
        m_config.devName.empty() ? "usb/lp" + std::to_string(number) : m_config.devName;
    m_strNode = "/dev/" + devName;

    const std::string deviceId = DeviceIdFor(m_config);
    const std::string usbModel(CSimPlotter::UsbModelFor(m_config.modelType));
    const std::string interface = "1-" + port + ":1.0";
    const std::string minor = std::to_string(number);
    m_strDescription =
        "P: " + usbPath + "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nA: idVendor=" +
        Format("%04x", m_config.vendorId) +
        "\nA: idProduct=" + Format("%04x", 0x0100u + static_cast<unsigned>(number)) +
        "\nA: serial=SIM" + Format("%05u", static_cast<unsigned>(number)) +
        "\nA: manufacturer=Morvalin\nA: product=" + usbModel + "\n\n" + "P: " + interfacePath +
        "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\nE: DRIVER=usblp\nA: bInterfaceClass=07\n" +
        (deviceId.empty() ? std::string() : "H: ieee1284_id=" + Hex(deviceId) + "\n") + "\n" +
        "P: " + m_strPrinterPath + "\nN: " + devName +
        "\nE: SUBSYSTEM=usbmisc\nE: DEVNAME=" + m_strNode +
        "\nE: MAJOR=" + std::to_string(kUsblpMajor) + "\nE: MINOR=" + minor +
        "\nA: dev=" + std::to_string(kUsblpMajor) + ":" + minor + "\nL: device=../../../" +
        interface + "\n";

    if (!m_config.logPath.empty()) {
        m_pLog = std::fopen(m_config.logPath.c_str(), "wb");
    }
    if (!m_config.jobLogPath.empty()) {
        m_pJobLog = std::fopen(m_config.jobLogPath.c_str(), "wb");
    }
}

CSimDevice::~CSimDevice() {
    if (m_nClientFd >= 0) {
        close(m_nClientFd);
    }
    for (std::FILE* log : {m_pLog, m_pJobLog}) {
        if (log != nullptr) {
            std::fclose(log);
        }
    }
}

bool CSimDevice::Plug(std::string& error) {
    if (!m_config.logPath.empty() && m_pLog == nullptr) {
        error = "cannot write the log file " + m_config.logPath;
        return false;
    }
    if (!m_config.jobLogPath.empty() && m_pJobLog == nullptr) {
        error = "cannot write the job log file " + m_config.jobLogPath;
        return false;
    }
    GError* gerror = nullptr;
    if (!umockdev_testbed_add_from_string(m_pTestbed, m_strDescription.c_str(), &gerror)) {
        error = "cannot add " + m_strPrinterPath + ": " +
                (gerror != nullptr ? gerror->message : "unknown error");
        g_clear_error(&gerror);
        return false;
    }
    m_nServerFd = umockdev_testbed_get_dev_fd(m_pTestbed, m_strNode.c_str());
    if (m_nServerFd < 0) {
        error = "no server end for " + m_strNode;
        return false;
    }
    // Programs started later must not inherit the server end, or the node never hangs up.
    fcntl(m_nServerFd, F_SETFD, FD_CLOEXEC);
    fcntl(m_nServerFd, F_SETFL, fcntl(m_nServerFd, F_GETFL) | O_NONBLOCK);
    if (!OpenClient()) {
        error = "cannot open the client end of " + m_strNode;
        return false;
    }
    if (m_config.holdAfter == 0) {
        SetHeld(true, Clock::now());
    }
    return true;
}

bool CSimDevice::OpenClient() {
    const char* clientName = ptsname(m_nServerFd);
    m_nClientFd =
        clientName != nullptr ? open(clientName, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC) : -1;
    if (m_nClientFd < 0) {
        return false;
    }
    // A printer is a byte pipe: no echo, no line editing, no character translation.
    termios attributes{};
    tcgetattr(m_nClientFd, &attributes);
    cfmakeraw(&attributes);
    tcsetattr(m_nClientFd, TCSANOW, &attributes);
    return true;
}

void CSimDevice::HangUp() {
    if (ioctl(m_nClientFd, TIOCVHANGUP) != 0) {
        std::fprintf(stderr, "plottersim: cannot hang up %s (needs root)\n", m_strNode.c_str());
        return;
    }
    // What the host wrote and the plotter never took is lost with the device.
    char buffer[4096];
    while (read(m_nServerFd, buffer, sizeof buffer) > 0) {
    }
    // Our own descriptor hung up with the others; a fresh one keeps the pty alive.
    close(m_nClientFd);
    if (!OpenClient()) {
        std::fprintf(stderr, "plottersim: cannot open %s again\n", m_strNode.c_str());
    }
}

void CSimDevice::SetHeld(bool held, Clock::time_point now) {
    // The simulator's own descriptor stands for the other program's.
    if (ioctl(m_nClientFd, held ? TIOCEXCL : TIOCNXCL) != 0) {
        std::fprintf(stderr, "plottersim: cannot hold %s\n", m_strNode.c_str());
    }
    m_bHeld = held;
    m_bHoldDone = true;
    m_heldUntil =
        held ? now + std::chrono::milliseconds(m_config.holdMs) : Clock::time_point::max();
}

void CSimDevice::PullOut() {
    if (!m_bPresent) {
        return;
    }
    Unplug(Clock::now());
    m_replugAt = Clock::time_point::max();
    HangUp();
}

void CSimDevice::PlugIn() {
    if (m_bPresent) {
        return;
    }
    m_replugAt = Clock::now();
    OnTime(m_replugAt);
}

// umockdev cannot add a removed node again, so unplugging hides the device's class entry
// and its node under names that nobody looks for, and plugging in renames them back.
bool CSimDevice::SetPresent(bool present) {
    const std::string classEntry = m_strRoot + "/sys/class/usbmisc/lp" + std::to_string(m_nNumber);
    const std::string node = m_strRoot + m_strNode;
    const std::string hiddenClassEntry = HiddenName(classEntry);
    const std::string hiddenNode = HiddenName(node);
    const bool moved = present ? rename(hiddenClassEntry.c_str(), classEntry.c_str()) == 0 &&
                                     rename(hiddenNode.c_str(), node.c_str()) == 0
                               : rename(classEntry.c_str(), hiddenClassEntry.c_str()) == 0 &&
                                     rename(node.c_str(), hiddenNode.c_str()) == 0;
    m_bPresent = present;
    return moved;
}

void CSimDevice::Unplug(Clock::time_point now) {
    if (!SetPresent(false)) {
        std::fprintf(stderr, "plottersim: cannot unplug %s\n", m_strNode.c_str());
    }
    m_replies.clear();
    m_plotter.DiscardUnfinished();
    m_plotter.TakeOutput();
    m_bUnplugDone = true;
    m_replugAt = now + std::chrono::milliseconds(m_config.unplugMs);
}

void CSimDevice::WriteLog(const char* bytes, std::size_t size) {
    if (m_pLog != nullptr) {
        std::fwrite(bytes, 1, size, m_pLog);
        std::fflush(m_pLog);
    }
}

void CSimDevice::WriteJobLog() {
    const std::string& job = m_plotter.Job();
    if (m_pJobLog != nullptr && job.size() > m_nJobWritten) {
        std::fwrite(job.data() + m_nJobWritten, 1, job.size() - m_nJobWritten, m_pJobLog);
        std::fflush(m_pJobLog);
    }
    m_nJobWritten = job.size();
}

double CSimDevice::RateThreshold() const {
    // A twentieth of a second's worth, so a slow plotter is not woken for every byte.
    return std::clamp(m_config.byteRate / 20.0, 1.0, 4096.0);
}

std::size_t CSimDevice::Allowance(Clock::time_point now, bool paced) {
    std::size_t allowed = std::numeric_limits<std::size_t>::max();
    if (m_config.stallAtByte >= 0) {
        const auto stall = static_cast<std::size_t>(m_config.stallAtByte);
        allowed = stall > m_nBytesTaken ? stall - m_nBytesTaken : 0;
    }
    if (m_config.pauseAtByte >= 0 && !m_bPauseDone) {
        const auto pause = static_cast<std::size_t>(m_config.pauseAtByte);
        if (m_nBytesTaken >= pause) {
            m_bPauseDone = true;
            m_pausedUntil = now + std::chrono::milliseconds(m_config.pauseMs);
        } else {
            allowed = std::min(allowed, pause - m_nBytesTaken);
        }
    }
    if (now < m_pausedUntil) {
        return 0;
    }
    if (paced && m_config.byteRate > 0) {
        const double seconds = std::chrono::duration<double>(now - m_lastRefill).count();
        m_dRateCredit = std::min(m_dRateCredit + seconds * m_config.byteRate, RateThreshold());
        m_lastRefill = now;
        allowed = std::min(allowed, static_cast<std::size_t>(m_dRateCredit));
    }
    return allowed;
}

bool CSimDevice::TakesInput(Clock::time_point now) {
    return Allowance(now, true) > 0;
}

void CSimDevice::OnReadable(Clock::time_point now) {
    char buffer[4096];
    std::size_t limit =
        m_config.chunk > 0 ? std::min<std::size_t>(sizeof buffer, m_config.chunk) : sizeof buffer;
    limit = std::min(limit, Allowance(now, true));
    const bool pullOut = m_config.unplugAtByte >= 0 && !m_bUnplugDone;
    if (pullOut) {
        limit = std::min(limit, static_cast<std::size_t>(m_config.unplugAtByte) - m_nBytesTaken);
    }
    const ssize_t n = limit > 0 ? read(m_nServerFd, buffer, limit) : 0;
    const std::size_t got = n > 0 ? static_cast<std::size_t>(n) : 0;
    if (pullOut && m_nBytesTaken + got == static_cast<std::size_t>(m_config.unplugAtByte)) {
        // The bytes taken reach the plotter; the reply to them never leaves it.
        WriteLog(buffer, got);
        m_plotter.Receive(std::string_view(buffer, got));
        Unplug(now);
        HangUp();
        return;
    }
    if (n <= 0) {
        return;
    }
    m_dRateCredit -= static_cast<double>(got);
    Take(buffer, got, now);
}

void CSimDevice::Take(const char* bytes, std::size_t size, Clock::time_point now) {
    m_nBytesTaken += size;
    // The device goes when the request after its last one arrives, which is lost with it:
    // the host, still holding the node, learns of the loss only at its next open.
    if (!m_bUnplugDone && m_config.unplugAfter >= 0 &&
        m_nRequests >= static_cast<std::size_t>(m_config.unplugAfter)) {
        Unplug(now);
        return;
    }
    WriteLog(bytes, size);
    const std::size_t before = m_plotter.Commands().size() + m_plotter.Unknown().size();
    m_plotter.Receive(std::string_view(bytes, size));
    m_nRequests += m_plotter.Commands().size() + m_plotter.Unknown().size() - before;
    WriteJobLog();
    if (!m_bHoldDone && m_config.holdAfter > 0 &&
        m_nRequests >= static_cast<std::size_t>(m_config.holdAfter)) {
        SetHeld(true, now);
    }
    std::string output = m_plotter.TakeOutput();
    if (!output.empty()) {
        const bool late = m_config.lateReplies < 0 ||
                          m_nLateReplies < static_cast<std::size_t>(m_config.lateReplies);
        m_nLateReplies += late ? 1 : 0;
        m_replies.push_back(
            {now + std::chrono::milliseconds(late ? m_config.replyDelayMs : 0), std::move(output)});
    }
}

void CSimDevice::Finish() {
    const Clock::time_point now = Clock::now();
    // A plotter that pauses or stalls keeps what it did not take; the byte rate no longer
    // matters, as nobody waits for the plotter any more.
    for (char buffer[4096]; m_bPresent;) {
        const std::size_t limit = std::min(sizeof buffer, Allowance(now, false));
        const ssize_t n = limit > 0 ? read(m_nServerFd, buffer, limit) : 0;
        if (n <= 0) {
            break;
        }
        Take(buffer, static_cast<std::size_t>(n), now);
    }
    m_plotter.EndOfInput();
    WriteJobLog();
}

void CSimDevice::OnTime(Clock::time_point now) {
    if (m_bHeld && now >= m_heldUntil) {
        SetHeld(false, now);
    }
    if (!m_bPresent) {
        if (now >= m_replugAt) {
            m_replugAt = Clock::time_point::max();
            if (!SetPresent(true)) {
                std::fprintf(stderr, "plottersim: cannot plug %s in again\n", m_strNode.c_str());
            }
        }
        return;
    }
    while (!m_replies.empty() && m_replies.front().due <= now) {
        std::string& bytes = m_replies.front().bytes;
        const ssize_t n = write(m_nServerFd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno != EAGAIN && errno != EINTR) {
                m_replies.pop_front();
            }
            return;
        }
        bytes.erase(0, static_cast<std::size_t>(n));
        if (!bytes.empty()) {
            return;
        }
        m_replies.pop_front();
    }
}

CSimDevice::Clock::time_point CSimDevice::NextEvent() const {
    const Clock::time_point held = m_bHeld ? m_heldUntil : Clock::time_point::max();
    if (!m_bPresent) {
        return std::min(m_replugAt, held);
    }
    Clock::time_point next =
        std::min(held, m_replies.empty() ? Clock::time_point::max() : m_replies.front().due);
    if (m_pausedUntil > Clock::now()) {
        next = std::min(next, m_pausedUntil);
    }
    if (m_config.byteRate > 0 && m_dRateCredit < RateThreshold()) {
        const double seconds = (RateThreshold() - m_dRateCredit) / m_config.byteRate;
        next = std::min(next, m_lastRefill + std::chrono::duration_cast<Clock::duration>(
                                                 std::chrono::duration<double>(seconds)));
    }
    return next;
}
