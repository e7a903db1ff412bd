// Writes seed corpora for the fuzz targets into the folder given: valid profile files with
// macros and texts, macro areas with and without names, and key tables.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

#include "model/key_table_codec.h"
#include "model/macro_area.h"
#include "model/profile_file.h"

namespace {

using namespace q804::model;

void Write(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

MacroRecord Macro(std::uint16_t id, std::u16string name, std::size_t actions) {
    MacroRecord macro;
    macro.setId(id);
    macro.setName(name);
    macro.setLoopCount(2);
    std::vector<MacroAction> list;
    const std::uint16_t codes[] = {0x01E, 0x02A, 0x171, 0x162, 0x15F, 0x130};
    for (std::size_t i = 0; i < actions; ++i) {
        list.push_back(
            {static_cast<std::uint32_t>(i * 10), codes[i % 6], static_cast<std::uint16_t>(i % 2)});
    }
    macro.setActions(list);
    return macro;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz_seeds FOLDER\n";
        return 2;
    }
    const std::filesystem::path root = argv[1];
    AssignmentStore store;
    store.InstallNewDefaultStore();
    Write(root / "profile_file" / "default.fwc", BuildStoreFile(store.working));
    store.working.macros() = {Macro(1, u"one", 4), Macro(2, u"two", 12)};
    store.working.SetEntry(0, 30, {.type = 4, .extra = 3, .value = 2});
    store.working.SetEntry(1, 31, {.type = 3}, u"/usr/bin/true");
    store.working.SetEntry(2, 32, {.type = 6}, u"hello");
    store.working.SetEntry(2, 33, {.type = 7, .value = 4});
    Write(root / "profile_file" / "full.fwc", BuildStoreFile(store.working));

    for (bool names : {false, true}) {
        const auto sizes = MacroAreaSizes(store.working.macros());
        std::vector<std::uint8_t> area(names ? sizes.withNames : sizes.withoutNames);
        EncodeMacroArea(area, names, store.working.macros());
        Write(root / "macro_area" / (names ? "named.bin" : "unnamed.bin"), area);
    }
    std::vector<std::uint8_t> empty(16);
    EncodeMacroArea(empty, true, {});
    Write(root / "macro_area" / "empty.bin", empty);

    store.TakeUploadSnapshot();
    const KeyTable matrix = DefaultMatrix::BuiltIn();
    const KeyTable encoded = EncodeKeyTable(store.snapshot, 0, matrix);
    std::vector<std::uint8_t> pair(encoded.begin(), encoded.end());
    pair.insert(pair.end(), matrix.begin(), matrix.end());
    Write(root / "key_table" / "table_and_matrix.bin", pair);
    return 0;
}
