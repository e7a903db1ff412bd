#pragma once

// The firmware version gate run on every arrival of a keyboard. Its prompt is fixed English
// text, not taken from the language files.

#include <cstdint>
#include <filesystem>

#include "device/transfer_engine.h"

namespace q804 {

inline constexpr std::uint16_t kRequiredFirmwareVersion = 0x0109;
inline constexpr const char* kFirmwarePromptText =
    "The current version is too low! Please update the program after upgrading.";
inline constexpr const char* kFirmwarePromptTitle = "Version update";
inline constexpr const char* kUpdaterFileName = "KB-UPDATE-0109.exe";
inline constexpr const char* kUpdaterArgument = "In the upgrade";

// The keyboard's firmware version; 0 when the settings cannot be read.
std::uint16_t ReadFirmwareVersion(device::TransferEngine& engine);

// A version of 0 (unknown) passes, as does every version from the required one on.
constexpr bool FirmwareTooOld(std::uint16_t version) {
    return version != 0 && version < kRequiredFirmwareVersion;
}

// The updater in the help folder, when it is there as an executable file.
std::filesystem::path UpdaterPath(const std::filesystem::path& helpDir);
bool UpdaterAvailable(const std::filesystem::path& helpDir);

}  // namespace q804
