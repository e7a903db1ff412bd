#pragma once

// The per-user settings that the Windows program keeps in the registry, as INI files under
// $XDG_CONFIG_HOME with the registry's names:
//  - key "Software\Brimvale_30C"       -> Brimvale_30C.ini, section [Brimvale_30C];
//  - application profile "Quorvane_Palimar" / "Veltrano Q804RGB"
//                                      -> Quorvane_Palimar/Veltrano Q804RGB.ini, one INI
//                                         section per profile section ("PROFILES").

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/ini_file.h"
#include "common/result.h"

namespace q804 {

inline constexpr const char* kSettingsKeyName = "Brimvale_30C";
inline constexpr const char* kAppProfileBranch = "Quorvane_Palimar";
inline constexpr const char* kAppProfileTitle = "Veltrano Q804RGB";

// The per-user settings key. Opening creates its folder; when that fails the key is not
// valid: reads give nothing and writes fail, and the program goes on with its defaults.
class SettingsKey {
  public:
    static SettingsKey Open(const std::filesystem::path& configHome);

    bool valid() const { return valid_; }
    const std::filesystem::path& file() const { return file_; }

    // A 32-bit number value; decimal or 0x-prefixed hexadecimal text. Nothing when the key
    // is not valid, the value is missing or it is not a number.
    std::optional<std::uint32_t> ReadDword(std::string_view name) const;
    Status WriteDword(std::string_view name, std::uint32_t value);

  private:
    bool valid_ = false;
    std::filesystem::path file_;
    std::shared_ptr<IniCache> cache_ = std::make_shared<IniCache>();
};

// The application profile: named text values in sections, read with a default.
class AppProfile {
  public:
    explicit AppProfile(const std::filesystem::path& configHome);

    const std::filesystem::path& file() const { return file_; }

    std::string GetAppProfileString(std::string_view section, std::string_view name,
                                    std::string_view fallback) const;
    // Creates the folders on the way, as writing a registry value creates its keys.
    Status WriteAppProfileString(std::string_view section, std::string_view name,
                                 std::string_view text);

  private:
    std::filesystem::path file_;
    std::shared_ptr<IniCache> cache_ = std::make_shared<IniCache>();
};

}  // namespace q804
