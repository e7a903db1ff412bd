#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace q804 {

// Reads a whole regular file. Directories, FIFOs and devices are refused up front, so a
// path picked by mistake never blocks or reads a stream forever; files above maxBytes are
// refused before anything is read.
Result<std::vector<std::uint8_t>> ReadRegularFile(const std::filesystem::path& path,
                                                  std::uintmax_t maxBytes);

// Replaces the file's content as one step: the bytes go to a temporary file in the same
// folder, are flushed to the disk and then renamed over the target. A crash, a full disk or
// a removed medium leaves either the old file or the new one, never a mix. An existing
// file's permission bits are kept.
Status WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view text);

}  // namespace q804
