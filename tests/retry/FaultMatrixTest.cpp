// Every fault of the plotter against every kind of exchange: the message the user is shown,
// what stays unsent, that the exchange ends within its bound, and that the same exchange
// succeeds once the fault is over. The rows are the table of docs/fault-matrix.md. Cells
// where the real node matters (exclusive open, hang-up, real time-outs) run the real
// libzefralink.so under plottersim; the rest run the in-process simulated plotter.
#include "tests/link/SimTransport.h"
#include "tests/retry/FaultRig.h"

#include "core/messages/MessageCodes.h"
#include "sim/SimPlotter.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

enum class Fault {
    Busy,              // status 2: cutting
    NotReady,          // status 1: media lever raised
    NoAnswer,          // no reply at all
    Garbage,           // every reply "x"
    Late,              // the reply comes after the time-out
    Short,             // a reply with ETX but too short for its form
    UnplugMidRequest,  // pulled out after taking part of the first request
    UnplugBeforeReply, // pulled out after the first request, before its reply
    GoneAtOpening,     // the node vanished between the search and the first open
    Held,              // another program holds the node
};

enum class Rig { InProcess, Process };

struct Cell {
    Fault fault;
    Exchange exchange;
    Rig rig;
    int nShown;           // message code shown (0: nothing)
    unsigned nUnsent;     // unsent bits left
    bool bApplied;        // the change made, the values taken, the tick's send arrived
    bool bCommandArrives; // a setting command reached the plotter (in-process cells)
    int nBoundMs;
};

constexpr int kAtOnceMs = 3000;
// The lock wait, then a write and a read of 5 s each.
constexpr int kTransferBoundMs = 500 + 5000 + 5000 + 2000;
constexpr unsigned kCondition = CUnsentChanges::kCuttingCondition;

using E = Exchange;
using F = Fault;
using R = Rig;

// clang-format off
const std::vector<Cell> kCells = {
    // fault                 exchange     rig           shown  unsent      applied cmd    bound
    {F::Busy,              E::Opening, R::InProcess, 0,    0,          true,  false, kAtOnceMs},
    {F::Busy,              E::Setting, R::InProcess, 0,    kCondition, true,  false, kAtOnceMs},
    {F::Busy,              E::Tick,    R::InProcess, 0,    kCondition, false, false, kAtOnceMs},
    {F::Busy,              E::Poll,    R::InProcess, 0,    0,          true,  false, kAtOnceMs},
    {F::NotReady,          E::Opening, R::InProcess, 0,    0,          true,  false, kAtOnceMs},
    {F::NotReady,          E::Setting, R::InProcess, 0,    kCondition, true,  false, kAtOnceMs},
    {F::NotReady,          E::Tick,    R::InProcess, 0,    kCondition, false, false, kAtOnceMs},
    {F::NotReady,          E::Poll,    R::InProcess, 0,    0,          true,  false, kAtOnceMs},
    {F::NoAnswer,          E::Opening, R::InProcess, 1009, 0,          false, false, kTransferBoundMs},
    {F::NoAnswer,          E::Setting, R::InProcess, 1006, 0,          false, false, kTransferBoundMs},
    {F::NoAnswer,          E::Tick,    R::InProcess, 0,    kCondition, false, false, kTransferBoundMs},
    {F::NoAnswer,          E::Poll,    R::InProcess, 1006, 0,          false, false, kTransferBoundMs},
    {F::Garbage,           E::Opening, R::InProcess, 1008, 0,          false, false, kAtOnceMs},
    {F::Garbage,           E::Setting, R::InProcess, 0,    0,          true,  true,  kAtOnceMs},
    {F::Garbage,           E::Tick,    R::InProcess, 0,    0,          true,  true,  kAtOnceMs},
    {F::Garbage,           E::Poll,    R::InProcess, 1008, 0,          false, false, kAtOnceMs},
    {F::Late,              E::Opening, R::InProcess, 1009, 0,          false, false, kTransferBoundMs},
    {F::Late,              E::Opening, R::Process,   1009, 0,          false, false, kTransferBoundMs},
    {F::Late,              E::Setting, R::InProcess, 1006, 0,          false, false, kTransferBoundMs},
    {F::Late,              E::Tick,    R::InProcess, 0,    kCondition, false, false, kTransferBoundMs},
    {F::Late,              E::Tick,    R::Process,   0,    kCondition, false, false, kTransferBoundMs},
    {F::Late,              E::Poll,    R::InProcess, 1006, 0,          false, false, kTransferBoundMs},
    {F::Short,             E::Opening, R::InProcess, 1008, 0,          false, false, kAtOnceMs},
    {F::Short,             E::Setting, R::InProcess, 0,    0,          true,  true,  kAtOnceMs},
    {F::Short,             E::Tick,    R::InProcess, 0,    0,          true,  true,  kAtOnceMs},
    {F::Short,             E::Poll,    R::InProcess, 1008, 0,          false, false, kAtOnceMs},
    {F::UnplugMidRequest,  E::Opening, R::InProcess, 1007, 0,          false, false, kAtOnceMs},
    {F::UnplugMidRequest,  E::Setting, R::InProcess, 1007, 0,          false, false, kAtOnceMs},
    {F::UnplugMidRequest,  E::Tick,    R::InProcess, 0,    kCondition, false, false, kAtOnceMs},
    {F::UnplugMidRequest,  E::Tick,    R::Process,   0,    kCondition, false, false, kAtOnceMs},
    {F::UnplugMidRequest,  E::Poll,    R::InProcess, 1007, 0,          false, false, kAtOnceMs},
    {F::UnplugMidRequest,  E::Setting, R::Process,   1004, 0,          false, false, kAtOnceMs},
    {F::UnplugBeforeReply, E::Opening, R::InProcess, 1008, 0,          false, false, kAtOnceMs},
    {F::UnplugBeforeReply, E::Setting, R::InProcess, 1004, 0,          false, false, kAtOnceMs},
    {F::UnplugBeforeReply, E::Setting, R::Process,   1004, 0,          false, false, kAtOnceMs},
    {F::UnplugBeforeReply, E::Tick,    R::InProcess, 0,    kCondition, false, false, kAtOnceMs},
    {F::UnplugBeforeReply, E::Poll,    R::InProcess, 1008, 0,          false, false, kAtOnceMs},
    {F::GoneAtOpening,     E::Opening, R::InProcess, 1004, 0,          false, false, kAtOnceMs},
    {F::GoneAtOpening,     E::Opening, R::Process,   1004, 0,          false, false, kAtOnceMs},
    {F::GoneAtOpening,     E::Setting, R::InProcess, 1004, 0,          false, false, kAtOnceMs},
    {F::GoneAtOpening,     E::Tick,    R::InProcess, 0,    kCondition, false, false, kAtOnceMs},
    {F::GoneAtOpening,     E::Tick,    R::Process,   0,    kCondition, false, false, kAtOnceMs},
    {F::GoneAtOpening,     E::Poll,    R::InProcess, 1004, 0,          false, false, kAtOnceMs},
    {F::Held,              E::Opening, R::InProcess, 1005, 0,          false, false, kAtOnceMs},
    {F::Held,              E::Opening, R::Process,   1005, 0,          false, false, kAtOnceMs},
    {F::Held,              E::Setting, R::InProcess, 1005, 0,          false, false, kAtOnceMs},
    {F::Held,              E::Setting, R::Process,   1005, 0,          false, false, kAtOnceMs},
    {F::Held,              E::Tick,    R::InProcess, 0,    kCondition, false, false, kAtOnceMs},
    {F::Held,              E::Poll,    R::InProcess, 1005, 0,          false, false, kAtOnceMs},
};
// clang-format on

const char* const kModelType = "RX3600-60";

// The first request each exchange sends: the ready check, or its own first query.
std::string FirstRequest(Exchange exchange) {
    switch (exchange) {
    case Exchange::Opening:
        return "\x1b.C31;9:";
    case Exchange::Poll:
        return "\x1b.C13:";
    default:
        return "\x1b.C1:";
    }
}

void SetFault(Fault fault, Exchange exchange, CSimPlotter& plotter, CSimTransport& device) {
    switch (fault) {
    case Fault::Busy:
        plotter.m_nStatus = 2;
        break;
    case Fault::NotReady:
        plotter.m_nStatus = 1;
        break;
    case Fault::NoAnswer:
        device.m_faults.nDropReplies = 1000;
        break;
    case Fault::Garbage:
        plotter.m_bMalformedReplies = true;
        break;
    case Fault::Late:
        device.m_faults.nReplyDelayMs = 6000;
        break;
    case Fault::Short:
        plotter.m_replyOverrides = {{"C31;9", "RX3600-60\x03"}, {"C1", "\x03"}, {"C13", "\x03"}};
        break;
    case Fault::UnplugMidRequest:
        device.m_faults.nUnplugAfterBytes = 3;
        break;
    case Fault::UnplugBeforeReply:
        device.m_faults.nUnplugAfterBytes = static_cast<long long>(FirstRequest(exchange).size());
        break;
    case Fault::GoneAtOpening:
        device.m_faults.bUnplugged = true;
        break;
    case Fault::Held:
        device.m_faults.bHeldByOther = true;
        break;
    }
}

// plottersim's options and the probe's for a cell on the real node.
void ProcessFault(Fault fault, Exchange exchange, QStringList& sim, QStringList& probe) {
    switch (fault) {
    case Fault::Late:
        // The reply arrives 6 s after its request; the second exchange comes after it.
        sim = {"--reply-delay", "6000", "--late-replies", "1"};
        probe = {"--wait-ms", "1500"};
        break;
    case Fault::UnplugMidRequest:
        sim = {"--unplug-at-byte", "3", "--unplug-ms", "1000"};
        probe = {"--wait-ms", "1500"};
        break;
    case Fault::UnplugBeforeReply:
        sim = {"--unplug-at-byte", QString::number(FirstRequest(exchange).size()), "--unplug-ms",
               "1000"};
        probe = {"--wait-ms", "1500"};
        break;
    case Fault::GoneAtOpening:
        probe = {"--pull-out"};
        break;
    case Fault::Held:
        sim = {"--hold-after", "0", "--hold-ms", "1500"};
        probe = {"--wait-ms", "2000"};
        break;
    default:
        break;
    }
}

const char* ExchangeName(Exchange exchange) {
    static const char* const names[] = {"opening", "setting", "tick", "poll"};
    return names[static_cast<int>(exchange)];
}

std::unique_ptr<QProcess> StartProbe(const Cell& cell) {
    QStringList sim;
    QStringList probe;
    ProcessFault(cell.fault, cell.exchange, sim, probe);
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("CUPS_SERVER", "127.0.0.1:9"); // no spooler to ask
    const QString asan = environment.value("ASAN_OPTIONS");
    environment.insert("ASAN_OPTIONS",
                       (asan.isEmpty() ? "" : asan + ":") + "verify_asan_link_order=0");
    process->setProcessEnvironment(environment);
    process->start(PLOTTERSIM, QStringList{"--model", kModelType} + sim +
                                   QStringList{"--", FAULT_PROBE, ZEFRALINK, kModelType,
                                               ExchangeName(cell.exchange)} +
                                   probe);
    return process;
}

std::string Expected(const Cell& cell, int ms) {
    return "open=0\nshown=" + std::to_string(cell.nShown) +
           " unsent=" + std::to_string(cell.nUnsent) + " applied=" + (cell.bApplied ? "1" : "0") +
           " ms=" + std::to_string(ms) + "\nafter=0 applied=1\n";
}

TEST(FaultMatrix, EveryFaultEndsWithItsMessageInTimeAndTheNextExchangeSucceeds) {
    // The real node's hang-up and exclusive open need the simulator to run as root.
    const bool realNode = ::geteuid() == 0;
    std::vector<std::pair<const Cell*, std::unique_ptr<QProcess>>> processes;
    for (const Cell& cell : kCells) {
        if (cell.rig == Rig::Process && realNode) {
            processes.emplace_back(&cell, StartProbe(cell));
        }
    }

    for (const Cell& cell : kCells) {
        if (cell.rig != Rig::InProcess) {
            continue;
        }
        SCOPED_TRACE(std::string(ExchangeName(cell.exchange)) + " fault " +
                     std::to_string(static_cast<int>(cell.fault)));
        CFaultRig rig(kModelType);
        CSimPlotter plotter(kModelType);
        CSimTransport& device = CSimTransport::Attach(rig.port, plotter);
        SetFault(cell.fault, cell.exchange, plotter, device);
        const auto start = std::chrono::steady_clock::now();
        const ExchangeOutcome outcome = rig.Run(cell.exchange);
        EXPECT_LT(std::chrono::steady_clock::now() - start,
                  std::chrono::milliseconds(cell.nBoundMs));
        EXPECT_EQ(outcome.nShown, cell.nShown);
        EXPECT_EQ(outcome.nUnsent, cell.nUnsent);
        EXPECT_EQ(outcome.bApplied, cell.bApplied);
        const bool commandArrived = plotter.Log().find("TC") != std::string::npos;
        EXPECT_EQ(commandArrived, cell.bCommandArrives) << plotter.Log();

        // The fault is over: the device back, the plotter ready and answering.
        plotter.m_nStatus = 0;
        plotter.m_bMalformedReplies = false;
        plotter.m_replyOverrides.clear();
        device.m_faults = {};
        const ExchangeOutcome after = rig.Run(cell.exchange);
        EXPECT_EQ(after.nShown, msg::kOk);
        EXPECT_TRUE(after.bApplied);
        EXPECT_EQ(after.nUnsent, 0u);
    }

    for (auto& [cell, process] : processes) {
        SCOPED_TRACE(std::string(ExchangeName(cell->exchange)) + " fault " +
                     std::to_string(static_cast<int>(cell->fault)) + " on the real node");
        ASSERT_TRUE(process->waitForFinished(60000));
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
        const std::string output = process->readAllStandardOutput().toStdString();
        const std::size_t at = output.find("ms=");
        ASSERT_NE(at, std::string::npos) << output;
        const int ms = std::stoi(output.substr(at + 3));
        EXPECT_LT(ms, cell->nBoundMs);
        EXPECT_EQ(output, Expected(*cell, ms));
    }
}

} // namespace
