#pragma once

#include <functional>
#include <string>
#include <vector>

// The print queues of the local spooler (CUPS) and the check that none of the plotter's own
// queues still holds a job: a job printing through the driver while the controller talks to
// the plotter would interleave two command streams.
//
// Refresh and CheckQueues each use a connection of their own with a short connect time-out
// and one time budget for all their requests, so a stopped or hung cupsd costs at most a few
// seconds, never the library's default minutes.
class CPrinterList {
public:
    // Tells whether an upper-cased make-and-model text is a queue of the connected plotter.
    using QueueMatcher = std::function<bool(const std::string& upperDescription)>;

    static constexpr int kConnectTimeoutMs = 1000;
    static constexpr int kBudgetMs = 2000; // connecting included

    // Reads the spooler's queues: 0, or msg::kOutOfMemory. A spooler that cannot be reached
    // or lists no queue leaves the lists as they are and yields 0: a machine without CUPS
    // simply has no queue that could compete for the plotter.
    [[nodiscard]] int Refresh();

    // 0 when every queue of the plotter is idle; msg::kQueueUnavailable when one cannot be
    // asked; msg::kPlotterBusy when one holds at least one active (pending, held or
    // processing) job.
    [[nodiscard]] int CheckQueues(const QueueMatcher& isPlotterQueue) const;

    const std::vector<std::string>& Descriptions() const { return m_vecDescriptions; }
    const std::vector<std::string>& Names() const { return m_vecNames; }

private:
    std::vector<std::string> m_vecDescriptions; // "printer-make-and-model", upper-cased
    std::vector<std::string> m_vecNames;        // queue names as CUPS gives them
};
