#pragma once

// A line log of what the shell does (messages handled, window shown and hidden, icon
// changes), written when the environment variable Q804_SHELL_LOG names a file. Scripts and
// the end-to-end tests follow the running program through it.

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>

namespace q804 {

inline constexpr const char* kShellLogVariable = "Q804_SHELL_LOG";

class ShellLog {
  public:
    // A log that writes nothing.
    ShellLog() = default;
    // Appends to the file, creating it; a file that cannot be opened gives a silent log.
    explicit ShellLog(const std::filesystem::path& file);

    static ShellLog FromEnvironment(const std::function<const char*(const char*)>& getenv);

    bool enabled() const { return out_ != nullptr; }
    // One line, flushed at once; safe from any thread.
    void Write(std::string_view line) const;

  private:
    std::shared_ptr<std::ofstream> out_;
    std::shared_ptr<std::mutex> mutex_ = std::make_shared<std::mutex>();
};

}  // namespace q804
