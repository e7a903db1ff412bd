#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace q804::testing {

// A fresh folder under the system's temporary folder, removed with everything in it when
// the object goes away. Tests put every file they make here and never touch the user's own.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

    // Writes a file (folders created on the way) and returns its path.
    std::filesystem::path Write(std::string_view name, std::string_view content) const;

  private:
    std::filesystem::path path_;
};

std::string ReadText(const std::filesystem::path& path);

}  // namespace q804::testing
