// Speed of the profile-file and macro-area paths on the largest configuration the formats
// allow: 100 macros of 2000 actions and a long text on many keys. Target: each operation
// below 5 ms.
//   build/bin/model_bench

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/macro_area.h"
#include "model/profile_file.h"

namespace {

using namespace q804::model;

void FillLargest(AssignmentStore& store) {
    store.InstallNewDefaultStore();
    std::vector<MacroAction> actions;
    for (std::size_t i = 0; i < kMacroMaxActions; ++i) {
        actions.push_back({static_cast<std::uint32_t>(i % 400 * 10),
                           static_cast<std::uint16_t>(0x010 + i % 40),
                           static_cast<std::uint16_t>(i % 2)});
    }
    for (int id = 1; id <= kMaxMacros; ++id) {
        MacroRecord macro;
        macro.setId(static_cast<std::uint16_t>(id));
        macro.setName(std::u16string(249, static_cast<char16_t>(u'a' + id % 26)));
        macro.setLoopCount(3);
        macro.setActions(actions);
        store.working.macros().push_back(macro);
    }
    // A long program path or text on every key of every profile.
    for (int profile = 0; profile < 3; ++profile) {
        for (int slot = 1; slot < 256; ++slot) {
            store.working.SetEntry(profile, slot,
                                   {.type = static_cast<std::uint16_t>(slot % 2 ? 3 : 6)},
                                   std::u16string(259, u'x'));
        }
    }
}

struct LargestFile {
    LargestFile() {
        FillLargest(store);
        path = std::filesystem::temp_directory_path() /
               ("q804-bench-" + std::to_string(::getpid()) + ".fwc");
        if (!SaveStoreFile(path, store.working)) {
            throw std::runtime_error("cannot write the benchmark file");
        }
    }
    ~LargestFile() { std::filesystem::remove(path); }
    AssignmentStore store;
    std::filesystem::path path;
};

LargestFile& File() {
    static LargestFile file;
    return file;
}

void BM_ValidateAndLoadLargestProfileFile(benchmark::State& state) {
    LargestFile& file = File();
    for (auto _ : state) {
        if (ValidateProfileFile(file.path) != kProfileValid) {
            state.SkipWithError("the file does not validate");
            break;
        }
        WorkingStore target;
        if (!LoadStoreFile(file.path, target)) {
            state.SkipWithError("the file does not load");
            break;
        }
        benchmark::DoNotOptimize(target.stringBytes());
    }
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(file.path));
}
BENCHMARK(BM_ValidateAndLoadLargestProfileFile)->Unit(benchmark::kMillisecond);

void BM_SaveLargestProfileFile(benchmark::State& state) {
    LargestFile& file = File();
    const auto out = file.path.string() + ".out";
    for (auto _ : state) {
        if (!SaveStoreFile(out, file.store.working)) {
            state.SkipWithError("cannot save");
            break;
        }
    }
    std::filesystem::remove(out);
}
BENCHMARK(BM_SaveLargestProfileFile)->Unit(benchmark::kMillisecond);

void BM_EncodeLargestMacroArea(benchmark::State& state) {
    LargestFile& file = File();
    const auto& macros = file.store.working.macros();
    const MacroAreaSize sizes = MacroAreaSizes(macros);
    std::vector<std::uint8_t> area(sizes.withNames);
    for (auto _ : state) {
        EncodeMacroArea(area, true, macros);
        benchmark::DoNotOptimize(area.data());
    }
    state.counters["area_bytes"] = static_cast<double>(area.size());
}
BENCHMARK(BM_EncodeLargestMacroArea)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
