#include "link/PrinterList.h"

#include "core/messages/MessageCodes.h"

#include <cups/cups.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <new>
#include <optional>

namespace {

// One connection to the spooler named by CUPS_SERVER / client.conf, closed on every way out.
// Everything done over it shares one time budget: a silent server makes each request of a
// sequence wait, and per-request time-outs alone would add up.
class CCupsConnection {
public:
    using Clock = std::chrono::steady_clock;

    CCupsConnection()
        : m_deadline(Clock::now() + std::chrono::milliseconds(CPrinterList::kBudgetMs)),
          m_http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                              CPrinterList::kConnectTimeoutMs, nullptr)) {
        if (m_http != nullptr) {
            httpSetTimeout(m_http, kWaitSliceSeconds, KeepWaiting, this);
        }
    }
    ~CCupsConnection() {
        if (m_http != nullptr) {
            httpClose(m_http);
        }
    }
    CCupsConnection(const CCupsConnection&) = delete;
    CCupsConnection& operator=(const CCupsConnection&) = delete;

    http_t* Get() const { return m_http; }

private:
    static constexpr double kWaitSliceSeconds = 0.25;

    // Called by CUPS after each silent slice; 0 gives the request up.
    static int KeepWaiting(http_t*, void* self) {
        return Clock::now() < static_cast<CCupsConnection*>(self)->m_deadline ? 1 : 0;
    }

    Clock::time_point m_deadline;
    http_t* m_http;
};

std::string UpperCase(const char* text) {
    std::string upper = text != nullptr ? text : "";
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

} // namespace

int CPrinterList::Refresh() {
    const CCupsConnection connection;
    if (connection.Get() == nullptr) {
        return msg::kOk;
    }
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(connection.Get(), &dests);
    if (count <= 0) {
        cupsFreeDests(count, dests);
        return msg::kOk;
    }
    int result = msg::kOk;
    try {
        std::vector<std::string> descriptions;
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i) {
            const cups_dest_t& dest = dests[i];
            // Instances are option presets of a queue, not queues of their own.
            if (dest.instance != nullptr) {
                continue;
            }
            descriptions.push_back(
                UpperCase(cupsGetOption("printer-make-and-model", dest.num_options, dest.options)));
            names.emplace_back(dest.name);
        }
        m_vecDescriptions = std::move(descriptions);
        m_vecNames = std::move(names);
    } catch (const std::bad_alloc&) {
        result = msg::kOutOfMemory;
    }
    cupsFreeDests(count, dests);
    return result;
}

int CPrinterList::CheckQueues(const QueueMatcher& isPlotterQueue) const {
    // Connected only when a queue of the plotter is there to be asked.
    std::optional<CCupsConnection> connection;
    for (std::size_t i = 0; i < m_vecNames.size(); ++i) {
        if (!isPlotterQueue(m_vecDescriptions[i])) {
            continue;
        }
        if (!connection) {
            connection.emplace();
        }
        if (connection->Get() == nullptr) {
            return msg::kQueueUnavailable;
        }
        cups_job_t* jobs = nullptr;
        const int count =
            cupsGetJobs2(connection->Get(), &jobs, m_vecNames[i].c_str(), 0, CUPS_WHICHJOBS_ACTIVE);
        cupsFreeJobs(std::max(count, 0), jobs);
        if (count < 0) {
            return msg::kQueueUnavailable;
        }
        if (count > 0) {
            return msg::kPlotterBusy;
        }
    }
    return msg::kOk;
}
