#include "device/sim/firmware.h"

#include <algorithm>

#include "common/byte_io.h"

namespace q804::device::sim {

namespace {

using Report = std::array<std::uint8_t, kReportSize>;

// Settings bytes the host may change; the rest are facts of the firmware.
constexpr std::size_t kWritableSettingsHead = 8;

struct Request {
    Command command;
    std::size_t length;
    std::size_t address;
    std::span<const std::uint8_t> data;  // the length's bytes, already checked to fit
};

bool Fits(const Request& request, std::size_t regionSize) {
    return request.length <= kChunkSize && request.address + request.length <= regionSize;
}

void Seal(Report& reply) {
    WriteU16(reply, report::kChecksum, ReportChecksum(reply));
}

// Reads length bytes of a region into the reply's data.
std::uint8_t ReadRegion(const Request& request, std::span<const std::uint8_t> region,
                        Report& reply) {
    if (!Fits(request, region.size())) {
        return kStatusOutOfRange;
    }
    std::copy_n(region.begin() + static_cast<std::ptrdiff_t>(request.address), request.length,
                reply.begin() + report::kData);
    return kStatusOk;
}

std::uint8_t WriteRegion(const Request& request, std::span<std::uint8_t> region, bool& changed) {
    if (!Fits(request, region.size())) {
        return kStatusOutOfRange;
    }
    auto target = region.begin() + static_cast<std::ptrdiff_t>(request.address);
    if (!std::equal(request.data.begin(), request.data.end(), target)) {
        std::copy(request.data.begin(), request.data.end(), target);
        changed = true;
    }
    return kStatusOk;
}

std::uint8_t WriteSettings(const Request& request, KeyboardMemory& memory, bool& changed) {
    if (request.length != kSettingsSize) {
        return kStatusOutOfRange;
    }
    const std::uint8_t profile = request.data[settings::kCurrentProfile];
    if (profile >= kProfileCount) {
        return kStatusOutOfRange;
    }
    const auto before = memory.settings;
    std::copy_n(request.data.begin(), kWritableSettingsHead, memory.settings.begin());
    memory.settings[settings::kCurrentProfile] = profile;
    changed = memory.settings != before;
    return kStatusOk;
}

}  // namespace

Report StatusReply(std::span<const std::uint8_t, kReportSize> request, std::uint8_t status) {
    Report reply{};
    reply[report::kReportId] = report::kCommandReportId;
    reply[report::kCommand] = request[report::kCommand];
    reply[report::kLength] = request[report::kLength];
    reply[report::kAddress] = request[report::kAddress];
    reply[report::kAddress + 1] = request[report::kAddress + 1];
    reply[report::kStatus] = status;
    Seal(reply);
    return reply;
}

CommandOutcome HandleCommand(KeyboardMemory& memory,
                             std::span<const std::uint8_t, kReportSize> raw) {
    CommandOutcome outcome;
    if (raw[report::kReportId] != report::kCommandReportId ||
        ReadU16(raw, report::kChecksum) != ReportChecksum(raw)) {
        outcome.reply = StatusReply(raw, kStatusBadReport);
        return outcome;
    }
    const std::size_t length = raw[report::kLength];
    const Request request{
        .command = static_cast<Command>(raw[report::kCommand]),
        .length = length,
        .address = ReadU16(raw, report::kAddress),
        .data = raw.subspan(report::kData, std::min(length, kChunkSize)),
    };

    Report& reply = outcome.reply;
    reply = StatusReply(raw, kStatusOk);
    bool& changed = outcome.memoryChanged;
    std::uint8_t status = kStatusOk;
    switch (request.command) {
        case Command::kBeginAccess:
        case Command::kEndAccess:
            break;
        case Command::kReadSettings:
            reply[report::kLength] = static_cast<std::uint8_t>(kSettingsSize);
            std::copy(memory.settings.begin(), memory.settings.end(),
                      reply.begin() + report::kData);
            break;
        case Command::kWriteSettings:
            status = WriteSettings(request, memory, changed);
            break;
        case Command::kReadMemory:
            status = ReadRegion(request, memory.lighting, reply);
            break;
        case Command::kWriteMemory:
            status = WriteRegion(request, memory.lighting, changed);
            break;
        case Command::kReadKeyTable:
            status = ReadRegion(request, memory.keyTables, reply);
            break;
        case Command::kWriteKeyTable:
            status = WriteRegion(request, memory.keyTables, changed);
            break;
        case Command::kReadMacroArea:
            status = ReadRegion(request, memory.macroArea, reply);
            break;
        case Command::kWriteMacroArea:
            status = WriteRegion(request, memory.macroArea, changed);
            break;
        case Command::kReadDefaultKeyTable:
            status = ReadRegion(request, memory.factoryKeyTable, reply);
            break;
        case Command::kWriteKeyColours:
            status = WriteRegion(request, memory.colours, changed);
            break;
        default:
            status = kStatusBadReport;
            break;
    }
    if (status != kStatusOk) {
        outcome.reply = StatusReply(raw, status);
        outcome.memoryChanged = false;
        return outcome;
    }
    Seal(reply);
    return outcome;
}

}  // namespace q804::device::sim
