// One query round trip through the real libzefralink.so and a simulated USB plotter, and
// what the device check inside it costs. Run it under plottersim, which shows the plotter
// as a USB printer to this process only:
//   build/plottersim --model RX3600-60 -- build/bench/bench_port
// Every transfer reopens its pipe, and every open runs the whole device check again, so a
// query (one write, one read) pays for two checks.
#include "link/PlotterPort.h"
#include "link/UsbTransport.h"
#include "models/PlotterModel.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

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

// A status query as every checked operation starts: lock, write, read, normalise.
void BM_QueryRoundTrip(benchmark::State& state) {
    if (!Ready(state)) {
        return;
    }
    CPlotterPort& port = Shared().port;
    std::string reply;
    for (auto _ : state) {
        const int result =
            port.Transact(false, false, [&] { return port.Query("\x1b.C1:", reply); });
        if (result != 0) {
            state.SkipWithError(("query failed with " + std::to_string(result)).c_str());
            break;
        }
        benchmark::DoNotOptimize(reply);
    }
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

BENCHMARK(BM_QueryRoundTrip)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_DeviceCheck)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenBothPipes)->Repetitions(10)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
