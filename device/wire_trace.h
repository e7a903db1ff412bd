#pragma once

// The wire trace: one line per report sent ("> ") or reply received ("< "), followed by the
// report's bytes as two-digit upper-case hex separated by single spaces, and nothing else:
//   > 04 01 00 01 00 00 00 00 00 ...
// Scripts and tests parse these lines, so the format never changes.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "device/transfer_engine.h"

namespace q804::device {

inline constexpr char kTraceSent = '>';
inline constexpr char kTraceReceived = '<';

// The environment variable that names the GUI's trace file.
inline constexpr const char* kTraceFileVariable = "Q804_WIRE_TRACE";

// One trace line without its line break. Reports longer than 64 bytes show their first 64.
std::string FormatTraceLine(char direction, std::span<const std::uint8_t> report);

struct TraceLine {
    char direction = kTraceSent;
    std::vector<std::uint8_t> bytes;
};

// The line's direction and bytes, or nothing when it is not exactly a trace line.
std::optional<TraceLine> ParseTraceLine(std::string_view line);

// Writes whole trace lines to a stream; safe to use from the caller's and the service's
// threads at once, and flushed after every line so that a crash loses nothing traced.
class TraceWriter {
  public:
    explicit TraceWriter(std::ostream& out) : out_(&out) {}

    // Appends to the file, creating it when needed.
    static Result<std::shared_ptr<TraceWriter>> OpenFile(const std::filesystem::path& path);

    void Write(char direction, std::span<const std::uint8_t> report);

    // An engine observer that writes through this writer; the writer must outlive the engine's
    // use of it, which the shared pointer ensures.
    static TransferEngine::TraceObserver ObserverOf(std::shared_ptr<TraceWriter> writer);

  private:
    std::unique_ptr<std::ofstream> file_;
    std::ostream* out_;
    std::mutex mutex_;
};

// The observer that kTraceFileVariable asks for: none (an empty observer) when the variable is
// unset or empty, a writer appending to the file it names otherwise, or an error when that
// file cannot be opened.
Result<TransferEngine::TraceObserver> TraceObserverFromEnvironment(
    const std::function<const char*(const char*)>& getenv = nullptr);

}  // namespace q804::device
