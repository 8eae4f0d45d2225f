// One query round trip through the real libzefralink.so and a simulated USB plotter, beside
// the same request exchanged on the same node without the library, and what the device check
// inside the library costs. Run it under plottersim, which shows the plotter as a USB printer
// to this process only:
//   build/plottersim --model RX3600-60 -- build/bench/bench_port
// BM_QueryAgainstRaw alternates the two in every iteration, so that load from other programs
// falls on both alike; its counter `ratio` is query time over raw time.
#include "link/PlotterPort.h"
#include "link/UsbTransport.h"
#include "models/PlotterModel.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kStatusQuery = "\x1b.C1:";
constexpr int kMaxPrinters = 16;

struct Link {
    Link() : port(model) {
        std::vector<std::string> candidates{ZEFRALINK};
        for (const std::string& fallback : CZefraLinkLibrary::DefaultCandidates()) {
            candidates.push_back(fallback);
        }
        port.SetLibraryCandidates(candidates);
        opened = port.Open();
        if (opened == 0) {
            opened = library.Bind(candidates);
        }
    }

    CPlotterModel model;
    CPlotterPort port;
    CZefraLinkLibrary library;
    int opened = -1;
};

Link& Shared() {
    static Link link;
    return link;
}

bool Ready(benchmark::State& state) {
    if (Shared().opened != 0) {
        state.SkipWithError(
            ("no plotter (code " + std::to_string(Shared().opened) + "); run under plottersim")
                .c_str());
        return false;
    }
    return true;
}

// The node of the first printer entry, found once: the raw exchange runs no device search.
std::string FirstPrinterNode() {
    for (int number = 0; number < kMaxPrinters; ++number) {
        std::ifstream uevent("/sys/class/usbmisc/lp" + std::to_string(number) + "/uevent");
        for (std::string line; std::getline(uevent, line);) {
            if (line.rfind("DEVNAME=", 0) == 0) {
                const std::string name = line.substr(8);
                return name.front() == '/' ? name : "/dev/" + name;
            }
        }
    }
    return {};
}

bool WaitFor(int fd, short events) {
    pollfd entry{fd, events, 0};
    return ::poll(&entry, 1, CPlotterPort::kTransferTimeoutMs) == 1 &&
           (entry.revents & events) != 0;
}

// Open the node, write the request, read the reply, close: the least any exchange costs.
bool RawExchange(const std::string& node, std::string& reply) {
    const int fd = ::open(node.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const std::string request(kStatusQuery);
    bool done = ::write(fd, request.data(), request.size()) == static_cast<ssize_t>(request.size());
    char buffer[CUsbTransport::kReadBufferSize];
    ssize_t got = -1;
    while (done && (got = ::read(fd, buffer, sizeof buffer)) < 0 && WaitFor(fd, POLLIN)) {
    }
    ::close(fd);
    if (!done || got < 0) {
        return false;
    }
    reply = CPlotterPort::NormaliseReply(std::string_view(buffer, static_cast<std::size_t>(got)));
    return true;
}

bool PortQuery(std::string& reply) {
    CPlotterPort& port = Shared().port;
    return port.Transact(false, false, [&] { return port.Query(kStatusQuery, reply); }) == 0;
}

double Seconds(Clock::duration elapsed) {
    return std::chrono::duration<double>(elapsed).count();
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The port's status query beside the raw exchange of the same request, alternating which
// goes first. The iteration time is the query's; `query_us` and `raw_us` are the medians of
// one repetition, and `ratio` is their quotient: medians, so that a moment of heavy load in
// one exchange does not decide the figure.
void BM_QueryAgainstRaw(benchmark::State& state) {
    if (!Ready(state)) {
        return;
    }
    const std::string node = FirstPrinterNode();
    std::string reply;
    std::vector<double> raw;
    std::vector<double> query;
    for (auto _ : state) {
        bool ok = true;
        const bool queryFirst = query.size() % 2 == 0;
        for (int turn = 0; turn < 2; ++turn) {
            const bool isQuery = (turn == 0) == queryFirst;
            const Clock::time_point start = Clock::now();
            ok = ok && (isQuery ? PortQuery(reply) : RawExchange(node, reply));
            (isQuery ? query : raw).push_back(Seconds(Clock::now() - start));
        }
        if (!ok || reply.empty()) {
            state.SkipWithError("an exchange failed");
            return;
        }
        state.SetIterationTime(query.back());
    }
    state.counters["query_us"] = Median(query) * 1e6;
    state.counters["raw_us"] = Median(raw) * 1e6;
    state.counters["ratio"] = Median(query) / Median(raw);
}

// The device check alone: the enumeration that each pipe open repeats.
void BM_DeviceCheck(benchmark::State& state) {
    if (!Ready(state)) {
        return;
    }
    const std::string usbModel = Shared().port.UsbModel();
    const auto check = Shared().library.EntryUsbCheck();
    for (auto _ : state) {
        benchmark::DoNotOptimize(check(CUsbTransport::kManufacturer, usbModel.c_str()));
    }
}

// Opening and closing the two pipes of one exchange, without a transfer.
void BM_OpenBothPipes(benchmark::State& state) {
    if (!Ready(state)) {
        return;
    }
    const std::string usbModel = Shared().port.UsbModel();
    const auto open = Shared().library.OpenUsb();
    for (auto _ : state) {
        for (int pipe : {CUsbTransport::kWritePipe, CUsbTransport::kReadPipe}) {
            const int fd =
                open(0, pipe, O_NONBLOCK, CUsbTransport::kManufacturer, usbModel.c_str());
            if (fd < 0) {
                state.SkipWithError("pipe cannot be opened");
                return;
            }
            close(fd);
        }
    }
}

} // namespace

BENCHMARK(BM_QueryAgainstRaw)->UseManualTime()->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_DeviceCheck)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenBothPipes)->Repetitions(10)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
