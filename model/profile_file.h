#pragma once

// Profile files (*.fwc, and the profile working file): the store image, the macro records in
// list order, then the string area holding the UTF-16 texts of program and text entries.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/result.h"
#include "model/assignment_store.h"

namespace q804::model {

inline constexpr int kProfileValid = 1;
inline constexpr int kProfileInvalid = 0;      // invalid, missing or too short
inline constexpr int kProfileUnreadable = -2;  // cannot be opened (a folder, a FIFO, no rights)
inline constexpr int kProfileNoMemory = -3;

// Called when a file's header is wrong, with the file's path, before the result is returned.
using FormatErrorReporter = std::function<void(const std::filesystem::path& path)>;

// 1 valid, 0 invalid or missing, -2 cannot be opened, -3 out of memory. Only the header and
// the file's length are read. Besides the header checks, a file shorter than the size its
// header announces is invalid: loading it would read past its end.
int ValidateProfileFile(const std::filesystem::path& path,
                        const FormatErrorReporter& reportFormatError = nullptr);

// The content of a profile file, ready to be installed in the working store.
struct LoadedStore {
    StoreImage image;
    std::vector<MacroRecord> macros;
    // Texts by entry number; an entry whose offset lies outside the string area or whose text
    // has no terminator inside it gets none.
    std::vector<std::optional<std::u16string>> texts;
};

// Whether a file of fileSize bytes starting with these header bytes (at least 64) passes
// every header check and is at least as long as its header announces.
bool ProfileHeaderIsValid(std::span<const std::uint8_t> header, std::uint64_t fileSize);

// Reads a profile file. A short or unreadable file is an error and nothing is returned.
Result<LoadedStore> ReadStoreFile(const std::filesystem::path& path);
// The same on the file's bytes.
Result<LoadedStore> ParseStoreFile(std::span<const std::uint8_t> bytes);

// Replaces the working image, macros and texts with the loaded ones (under the lock).
void InstallLoadedStore(WorkingStore& store, LoadedStore loaded);

// ReadStoreFile then InstallLoadedStore; on failure the working store is left as it was.
Status LoadStoreFile(const std::filesystem::path& path, WorkingStore& store);

// The bytes of the working store as a profile file; the image's header and the program and
// text entries' offsets are brought up to date on the way.
std::vector<std::uint8_t> BuildStoreFile(WorkingStore& store);

// Writes the working store as a profile file, replacing the file atomically.
Status SaveStoreFile(const std::filesystem::path& path, WorkingStore& store);

}  // namespace q804::model
