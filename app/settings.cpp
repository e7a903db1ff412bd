#include "app/settings.h"

#include <charconv>
#include <system_error>

namespace q804 {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxPathChars = 4096;

std::optional<std::uint32_t> ParseDword(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

SettingsKey SettingsKey::Open(const fs::path& configHome) {
    SettingsKey key;
    key.file_ = configHome / (std::string(kSettingsKeyName) + ".ini");
    std::error_code ec;
    fs::create_directories(configHome, ec);
    key.valid_ = !ec && fs::is_directory(configHome, ec);
    return key;
}

std::optional<std::uint32_t> SettingsKey::ReadDword(std::string_view name) const {
    if (!valid_) {
        return std::nullopt;
    }
    auto document = cache_->Load(file_);
    if (!document) {
        return std::nullopt;
    }
    auto value = document->Find(kSettingsKeyName, name);
    return value ? ParseDword(*value) : std::nullopt;
}

Status SettingsKey::WriteDword(std::string_view name, std::uint32_t value) {
    if (!valid_) {
        return Error{"The settings folder for '" + file_.string() + "' cannot be created"};
    }
    return WriteIniString(file_, kSettingsKeyName, name, std::to_string(value));
}

AppProfile::AppProfile(const fs::path& configHome)
    : file_(configHome / kAppProfileBranch / (std::string(kAppProfileTitle) + ".ini")) {}

std::string AppProfile::GetAppProfileString(std::string_view section, std::string_view name,
                                            std::string_view fallback) const {
    auto document = cache_->Load(file_);
    if (!document) {
        return std::string(fallback);
    }
    // Profile values hold file paths, which are not bound to 259 characters here.
    return document->Get(section, name, fallback, kMaxPathChars);
}

Status AppProfile::WriteAppProfileString(std::string_view section, std::string_view name,
                                         std::string_view text) {
    std::error_code ec;
    fs::create_directories(file_.parent_path(), ec);
    if (ec) {
        return Error{"Cannot create the folder '" + file_.parent_path().string() +
                     "': " + ec.message()};
    }
    return WriteIniString(file_, section, name, text);
}

}  // namespace q804
