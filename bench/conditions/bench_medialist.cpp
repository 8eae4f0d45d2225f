// Time to load a folder of media list files, for 1,000 and 10,000 files, and the load of
// 10,000 beside a plain read of the same files (list the folder, open, read and close each),
// the two alternating in one run so that load from other programs falls on both alike.
#include "conditions/MediaList.h"
#include "models/PlotterModel.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kType = "RX3600-60";

// One generated folder per size, made on first use and removed at exit.
class CGeneratedFolder {
public:
    explicit CGeneratedFolder(int files) {
        std::string pattern = (fs::temp_directory_path() / "quirn-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            return;
        }
        m_root = pattern;
        const fs::path folder = m_root / kType;
        fs::create_directory(folder);
        const char* blades[] = {"KR10A", "KR16U", "KR16UB", "LM400 Series"};
        for (int i = 0; i < files; ++i) {
            std::ofstream(folder / ("List " + std::to_string(i) + ".kcd"), std::ios::binary)
                << "[Generic]\r\nProduct=Vireclip Ver1\r\nType=" << kType
                << "\r\n[Setting]\r\nCutter=" << blades[i % 4] << "\r\nForce=" << 1 + i % 31
                << "\r\nSpeed=" << 1 + i % 60 << "\r\nQuality=" << 1 + i % 3
                << "\r\nOffset=" << i % 11 - 5 << "\r\n";
        }
    }
    ~CGeneratedFolder() {
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }
    CGeneratedFolder(const CGeneratedFolder&) = delete;
    CGeneratedFolder& operator=(const CGeneratedFolder&) = delete;

    const fs::path& Root() const { return m_root; }

private:
    fs::path m_root;
};

const fs::path& FolderWith(int files) {
    static std::map<int, std::unique_ptr<CGeneratedFolder>> folders;
    auto& folder = folders[files];
    if (!folder) {
        folder = std::make_unique<CGeneratedFolder>(files);
    }
    return folder->Root();
}

// The model every list of the generated folder is written for.
CPlotterModel BenchModel() {
    CPlotterModel model;
    model.Identify(kType);
    model.SelectBladeCatalogue(1033);
    return model;
}

void BM_Load(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    const fs::path& root = FolderWith(files);
    const CPlotterModel model = BenchModel();
    CMediaList store(model, root);
    for (auto _ : state) {
        CuttingCondition current{"List 500", "", 0, 0, 0, 0};
        benchmark::DoNotOptimize(store.Load(current));
    }
    if (store.GetCount() != files) {
        state.SkipWithError("not every generated file was accepted");
    }
    state.SetItemsProcessed(state.iterations() * files);
}

// Every file of the folder opened, read whole and closed, without parsing: the least a load
// costs. Returns the number of bytes read.
std::size_t PlainRead(const fs::path& folder) {
    std::size_t total = 0;
    char buffer[4096];
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_CLOEXEC);
        for (ssize_t n; fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
            total += static_cast<std::size_t>(n);
        }
        if (fd >= 0) {
            ::close(fd);
        }
    }
    return total;
}

double Median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The load beside the plain read, alternating which goes first. The iteration time is the
// load's; `load_ms`, `read_ms` are medians and `ratio` their quotient.
void BM_LoadAgainstPlainRead(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const int files = static_cast<int>(state.range(0));
    const fs::path& root = FolderWith(files);
    const CPlotterModel model = BenchModel();
    CMediaList store(model, root);
    std::vector<double> load;
    std::vector<double> read;
    for (auto _ : state) {
        const bool loadFirst = load.size() % 2 == 0;
        for (int turn = 0; turn < 2; ++turn) {
            const bool isLoad = (turn == 0) == loadFirst;
            const Clock::time_point start = Clock::now();
            if (isLoad) {
                CuttingCondition current{"List 500", "", 0, 0, 0, 0};
                benchmark::DoNotOptimize(store.Load(current));
            } else {
                benchmark::DoNotOptimize(PlainRead(root / kType));
            }
            (isLoad ? load : read)
                .push_back(std::chrono::duration<double>(Clock::now() - start).count());
        }
        state.SetIterationTime(load.back());
    }
    if (store.GetCount() != files) {
        state.SkipWithError("not every generated file was accepted");
    }
    state.counters["load_ms"] = Median(load) * 1e3;
    state.counters["read_ms"] = Median(read) * 1e3;
    state.counters["ratio"] = Median(load) / Median(read);
}

} // namespace

BENCHMARK(BM_Load)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAgainstPlainRead)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(5);

BENCHMARK_MAIN();
