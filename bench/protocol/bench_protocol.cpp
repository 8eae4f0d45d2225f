// The controller's own share of a plotter exchange: building the texts, parsing the replies,
// and whole operations against the in-process simulated plotter (no USB, no waiting).
#include "tests/protocol/SimPlotterLink.h"

#include "protocol/AdvancedSettingsLink.h"
#include "protocol/PlotterCommands.h"
#include "protocol/ProtocolText.h"
#include "protocol/ReplyParse.h"

#include <benchmark/benchmark.h>

namespace {

// The simulated plotter keeps every byte it receives; start a fresh one now and then so a
// long run measures the exchange, not a growing log.
void KeepPlotterSmall(benchmark::State& state, SimPlotterLink& link, std::string_view type) {
    if ((state.iterations() & 1023) == 1023) {
        state.PauseTiming();
        link.sim = CSimPlotter(type);
        state.ResumeTiming();
    }
}

void BM_CommandText(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(proto::TangentialEmulationCommand(2, 1, 14, 22));
        benchmark::DoNotOptimize(proto::DistanceAdjustQuery(9));
    }
}
BENCHMARK(BM_CommandText);

void BM_ParseDistanceAdjust(benchmark::State& state) {
    AdvancedSettings::DistanceAdjust entry;
    for (auto _ : state) {
        benchmark::DoNotOptimize(proto::ParseDistanceAdjust("1,250,150", {-2.0, 2.0}, entry));
    }
}
BENCHMARK(BM_ParseDistanceAdjust);

void BM_ParseModelAndFirmware(benchmark::State& state) {
    std::string model;
    std::string firmware;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            proto::ParseModelAndFirmware("RX3600-60 , V1.20", model, firmware));
    }
}
BENCHMARK(BM_ParseModelAndFirmware);

// 37 or 45 queries, depending on the layout.
void BM_ReadAdvancedSettings(benchmark::State& state, const char* type) {
    SimPlotterLink link(type);
    CAdvancedSettingsLink advanced(link.port, link.model);
    AdvancedSettings s;
    for (auto _ : state) {
        KeepPlotterSmall(state, link, type);
        if (advanced.ReadAdvancedSettings(s) != msg::kOk) {
            state.SkipWithError("read failed");
            break;
        }
    }
}
BENCHMARK_CAPTURE(BM_ReadAdvancedSettings, layout136, "WX8800-60");
BENCHMARK_CAPTURE(BM_ReadAdvancedSettings, layout137, "RX3600-60");

void BM_WriteAdvancedSettings(benchmark::State& state) {
    SimPlotterLink link("RX3600-60");
    CAdvancedSettingsLink advanced(link.port, link.model);
    const AdvancedSettings s;
    for (auto _ : state) {
        KeepPlotterSmall(state, link, "RX3600-60");
        if (advanced.WriteAdvancedSettings(s, false, true) != msg::kOk) {
            state.SkipWithError("write failed");
            break;
        }
    }
}
BENCHMARK(BM_WriteAdvancedSettings);

void BM_SendCuttingCondition(benchmark::State& state) {
    SimPlotterLink link("WX8800-60");
    CPlotterCommands commands(link.port, link.model);
    const CuttingCondition c{"Vinyl", "KR16U", 14, 30, 2, 0};
    for (auto _ : state) {
        KeepPlotterSmall(state, link, "WX8800-60");
        if (commands.SendCuttingCondition(c, false, true) != msg::kOk) {
            state.SkipWithError("send failed");
            break;
        }
    }
}
BENCHMARK(BM_SendCuttingCondition);

} // namespace

BENCHMARK_MAIN();
