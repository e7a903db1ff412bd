#include "device/wire_trace.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace q804::device {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

std::string FormatTraceLine(char direction, std::span<const std::uint8_t> report) {
    const std::size_t count = std::min(report.size(), kReportSize);
    std::string line;
    line.reserve(2 + count * 3);
    line += direction;
    for (std::size_t i = 0; i < count; ++i) {
        line += ' ';
        line += kHexDigits[report[i] >> 4];
        line += kHexDigits[report[i] & 0x0F];
    }
    return line;
}

std::optional<TraceLine> ParseTraceLine(std::string_view line) {
    if (line.size() < 4 || (line[0] != kTraceSent && line[0] != kTraceReceived)) {
        return std::nullopt;
    }
    // After the direction: groups of " XX".
    const std::string_view body = line.substr(1);
    if (body.size() % 3 != 0 || body.size() / 3 > kReportSize) {
        return std::nullopt;
    }
    TraceLine parsed{.direction = line[0], .bytes = {}};
    for (std::size_t i = 0; i < body.size(); i += 3) {
        const int high = HexValue(body[i + 1]);
        const int low = HexValue(body[i + 2]);
        if (body[i] != ' ' || high < 0 || low < 0) {
            return std::nullopt;
        }
        parsed.bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    return parsed;
}

Result<std::shared_ptr<TraceWriter>> TraceWriter::OpenFile(const std::filesystem::path& path) {
    auto file = std::make_unique<std::ofstream>(path, std::ios::binary | std::ios::app);
    if (!file->is_open()) {
        return Error{"Cannot open the trace file '" + path.string() + "': " + std::strerror(errno)};
    }
    auto writer = std::make_shared<TraceWriter>(*file);
    writer->file_ = std::move(file);
    return writer;
}

void TraceWriter::Write(char direction, std::span<const std::uint8_t> report) {
    std::string line = FormatTraceLine(direction, report);
    line += '\n';
    std::lock_guard lock(mutex_);
    out_->write(line.data(), static_cast<std::streamsize>(line.size()));
    out_->flush();
}

TransferEngine::TraceObserver TraceWriter::ObserverOf(std::shared_ptr<TraceWriter> writer) {
    return [writer = std::move(writer)](char direction, std::span<const std::uint8_t> report) {
        writer->Write(direction, report);
    };
}

Result<TransferEngine::TraceObserver> TraceObserverFromEnvironment(
    const std::function<const char*(const char*)>& getenv) {
    const char* file = getenv ? getenv(kTraceFileVariable) : std::getenv(kTraceFileVariable);
    if (file == nullptr || file[0] == '\0') {
        return TransferEngine::TraceObserver{};
    }
    auto writer = TraceWriter::OpenFile(file);
    if (!writer) {
        return writer.error();
    }
    return TraceWriter::ObserverOf(std::move(writer).value());
}

}  // namespace q804::device
