// Profile files come from anywhere the user points the restore dialog at.

#include <cstddef>
#include <cstdint>
#include <span>

#include "model/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const bool valid = q804::model::ProfileHeaderIsValid(bytes, size);
    auto parsed = q804::model::ParseStoreFile(bytes);
    if (valid && !parsed) {
        __builtin_trap();  // a file that validates must load
    }
    if (parsed) {
        q804::model::WorkingStore store;
        q804::model::InstallLoadedStore(store, std::move(parsed).value());
        // Saving what was loaded must give a file that validates again.
        const auto rebuilt = q804::model::BuildStoreFile(store);
        if (!q804::model::ProfileHeaderIsValid(rebuilt, rebuilt.size())) {
            __builtin_trap();
        }
    }
    return 0;
}
