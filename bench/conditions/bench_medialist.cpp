// Time to load a folder of media list files, for 1,000 and 10,000 files.
#include "conditions/MediaList.h"
#include "models/PlotterModel.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

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

void BM_Load(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    const fs::path& root = FolderWith(files);
    CPlotterModel model;
    model.Identify(kType);
    model.SelectBladeCatalogue(1033);
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

} // namespace

BENCHMARK(BM_Load)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
