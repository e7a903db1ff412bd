#include "device/transfer_engine.h"

#include <algorithm>
#include <thread>

#include "common/byte_io.h"

namespace q804::device {

namespace {

constexpr int kAttempts = 3;
// A reply must reach its status byte to be judged at all.
constexpr std::size_t kReplyHeaderSize = report::kStatus + 1;
constexpr std::size_t kAddressSpace = 0x10000;

bool IsErrorStatus(std::uint8_t status) {
    return status == report::kStatusErrorFF || status == report::kStatusErrorFE;
}

int MapStatus(std::uint8_t status) {
    if (status == report::kStatusErrorFF) {
        return kResultStatusFF;
    }
    if (status == report::kStatusErrorFE) {
        return kResultStatusFE;
    }
    return kResultSuccess;
}

bool IsProfile(int profile) {
    return profile >= 0 && profile < kProfileCount;
}

// Whether length fits one report and the data given.
bool IsDataLength(int length, std::size_t available) {
    return length <= static_cast<int>(kChunkSize) &&
           (length <= 0 || static_cast<std::size_t>(length) <= available);
}

}  // namespace

const char* DescribeResult(int result) {
    switch (result) {
        case kResultSuccess:
            return "success";
        case kResultNoDevice:
            return "no keyboard present, or waiting for the reply failed";
        case kResultWriteRefused:
            return "the request was refused before it reached the keyboard";
        case kResultNoReply:
            return "no reply with the matching command after 3 attempts";
        case kResultStatusFF:
            return "the keyboard answered with error status 0xFF";
        case kResultStatusFE:
            return "the keyboard answered with error status 0xFE";
        case kResultBadProfile:
            return "profile index out of range";
        default:
            return "unknown result";
    }
}

std::uint16_t ReportChecksum(std::span<const std::uint8_t, kReportSize> report) {
    unsigned sum = 0;
    for (std::size_t i = report::kCommand; i < kReportSize; ++i) {
        sum += report[i];
    }
    return static_cast<std::uint16_t>(sum & 0xFFFF);
}

TransferEngine::TransferEngine(HidService& service, EngineTiming timing)
    : service_(service),
      timing_(timing),
      countKey_(RequestKey(kVendorCollection, false, kTagNone, {})) {}

int TransferEngine::GetDeviceCount() {
    return service_.RequestGetDeviceCount(kVendorCollection, countKey_);
}

void TransferEngine::SetTraceObserver(TraceObserver observer) {
    std::shared_ptr<const TraceObserver> next;
    if (observer) {
        next = std::make_shared<const TraceObserver>(std::move(observer));
    }
    std::lock_guard lock(traceMutex_);
    trace_ = std::move(next);
}

void TransferEngine::Trace(char direction, std::span<const std::uint8_t> report) {
    std::shared_ptr<const TraceObserver> observer;
    {
        std::lock_guard lock(traceMutex_);
        observer = trace_;
    }
    if (observer) {
        (*observer)(direction, report);
    }
}

int TransferEngine::DeviceTransact(std::span<const std::uint8_t> request,
                                   std::span<std::uint8_t> reply, std::size_t& replyLength) {
    replyLength = 0;
    std::lock_guard transaction(transactionMutex_);
    if (GetDeviceCount() <= 0) {
        return kResultNoDevice;
    }

    Report sent{};
    std::copy_n(request.begin(), std::min(request.size(), kReportSize), sent.begin());
    const std::uint32_t key = RequestKey(kVendorCollection, false, kTagNone, sent);

    Report received{};
    std::size_t receivedLength = 0;
    for (int attempt = 1;; ++attempt) {
        {
            std::unique_lock slot(slotMutex_);
            if (replyAwaited_) {
                // Another waiter still holds the slot; give it time, then take the slot over.
                slot.unlock();
                std::this_thread::sleep_for(timing_.takeOverPause);
                slot.lock();
                replyAwaited_ = false;
            }
            replySignalled_ = false;
            slotLength_ = 0;
            replyAwaited_ = true;
        }

        Trace('>', sent);
        if (service_.RequestWriteOne(kVendorCollection, sent, key) <= 0) {
            std::lock_guard slot(slotMutex_);
            replyAwaited_ = false;
            return kResultWriteRefused;
        }

        bool arrived = false;
        {
            std::unique_lock slot(slotMutex_);
            arrived = replyArrived_.wait_for(slot, timing_.replyTimeout,
                                             [this] { return replySignalled_; });
            if (arrived) {
                received = slotData_;
                receivedLength = slotLength_;
            }
            // Data that come for this attempt from now on find nobody waiting and are dropped.
            replyAwaited_ = false;
        }

        const bool matches = arrived && receivedLength >= kReplyHeaderSize &&
                             received[report::kCommand] == sent[report::kCommand];
        const bool deliver =
            matches && (!IsErrorStatus(received[report::kStatus]) || attempt >= kAttempts);
        if (deliver) {
            const std::size_t count = std::min(receivedLength, reply.size());
            std::copy_n(received.begin(), count, reply.begin());
            replyLength = count;
            return kResultSuccess;
        }
        if (attempt >= kAttempts) {
            return kResultNoReply;
        }
        std::this_thread::sleep_for(timing_.retryPause);
    }
}

void TransferEngine::OnReplyData(std::span<const std::uint8_t> data) {
    Trace('<', data.first(std::min(data.size(), kReportSize)));
    {
        std::lock_guard slot(slotMutex_);
        // A second reply before the waiter took the first would overwrite it; the first one
        // answers the request.
        if (!replyAwaited_ || replySignalled_) {
            return;
        }
        slotLength_ = std::min(data.size(), kReportSize);
        std::copy_n(data.begin(), slotLength_, slotData_.begin());
        replySignalled_ = true;
    }
    replyArrived_.notify_one();
}

int TransferEngine::Exchange(const Report& request, Report& reply) {
    std::size_t length = 0;
    const int result = DeviceTransact(request, reply, length);
    if (result != kResultSuccess) {
        return result;
    }
    return MapStatus(reply[report::kStatus]);
}

int TransferEngine::SendCommand(Command command, std::uint8_t length, std::uint16_t address,
                                std::span<const std::uint8_t> data, Report& reply) {
    Report request{};
    request[report::kReportId] = report::kCommandReportId;
    request[report::kCommand] = static_cast<std::uint8_t>(command);
    request[report::kLength] = length;
    WriteU16(request, report::kAddress, address);
    std::copy_n(data.begin(), std::min(data.size(), kChunkSize), request.begin() + report::kData);
    WriteU16(request, report::kChecksum, ReportChecksum(request));
    reply.fill(0);
    return Exchange(request, reply);
}

int TransferEngine::ChunkedTransfer(Command command, std::size_t base, std::size_t total,
                                    std::span<const std::uint8_t> data,
                                    std::span<std::uint8_t> out) {
    if (total == 0) {
        return kResultSuccess;
    }
    if (base + total > kAddressSpace) {
        return kResultWriteRefused;
    }
    // Cleared once: a short last chunk of a write leaves the previous chunk's tail in place,
    // and that tail is sent and counted in the checksum as the keyboard expects.
    Report request{};
    request[report::kReportId] = report::kCommandReportId;
    request[report::kCommand] = static_cast<std::uint8_t>(command);
    for (std::size_t offset = 0; offset < total; offset += kChunkSize) {
        const std::size_t chunk = std::min(kChunkSize, total - offset);
        request[report::kLength] = static_cast<std::uint8_t>(chunk);
        WriteU16(request, report::kAddress, static_cast<std::uint16_t>(base + offset));
        if (!data.empty()) {
            std::copy_n(data.begin() + offset, chunk, request.begin() + report::kData);
        }
        WriteU16(request, report::kChecksum, ReportChecksum(request));
        Report reply{};
        if (const int result = Exchange(request, reply); result != kResultSuccess) {
            return result;
        }
        if (!out.empty()) {
            std::copy_n(reply.begin() + report::kData, chunk, out.begin() + offset);
        }
    }
    return kResultSuccess;
}

int TransferEngine::ChunkedRead(Command command, std::size_t base, std::span<std::uint8_t> out) {
    return ChunkedTransfer(command, base, out.size(), {}, out);
}

int TransferEngine::ChunkedWrite(Command command, std::size_t base,
                                 std::span<const std::uint8_t> data) {
    return ChunkedTransfer(command, base, data.size(), data, {});
}

int TransferEngine::BeginDeviceAccess() {
    Report reply{};
    return SendCommand(Command::kBeginAccess, 0, 0, {}, reply);
}

int TransferEngine::EndDeviceAccess() {
    // The keyboard needs a moment after the last write before it ends the access.
    std::this_thread::sleep_for(timing_.endAccessPause);
    Report reply{};
    return SendCommand(Command::kEndAccess, 0, 0, {}, reply);
}

int TransferEngine::ReadDeviceSettings(std::span<std::uint8_t, kSettingsSize> out) {
    Report reply{};
    const int result =
        SendCommand(Command::kReadSettings, static_cast<std::uint8_t>(kSettingsSize), 0, {}, reply);
    if (result == kResultSuccess) {
        std::copy_n(reply.begin() + report::kData, kSettingsSize, out.begin());
    }
    return result;
}

int TransferEngine::WriteDeviceSettings(std::span<const std::uint8_t, kSettingsSize> settings) {
    Report reply{};
    return SendCommand(Command::kWriteSettings, static_cast<std::uint8_t>(kSettingsSize), 0,
                       settings, reply);
}

int TransferEngine::ReadDeviceMemory(std::span<std::uint8_t, kChunkSize> out, int length,
                                     std::uint16_t address) {
    if (!IsDataLength(length, kChunkSize)) {
        return kResultWriteRefused;
    }
    Report reply{};
    const int result = SendCommand(
        Command::kReadMemory, static_cast<std::uint8_t>(std::max(length, 0)), address, {}, reply);
    if (result == kResultSuccess) {
        std::copy_n(reply.begin() + report::kData, kChunkSize, out.begin());
    }
    return result;
}

int TransferEngine::WriteDeviceMemory(std::span<const std::uint8_t> data, int length,
                                      std::uint16_t address) {
    if (!IsDataLength(length, data.size())) {
        return kResultWriteRefused;
    }
    const std::size_t count = static_cast<std::size_t>(std::max(length, 0));
    Report reply{};
    return SendCommand(Command::kWriteMemory, static_cast<std::uint8_t>(count), address,
                       data.first(count), reply);
}

int TransferEngine::ReadKeyTable(std::span<std::uint8_t, kKeyTableSize> out, int profile) {
    if (!IsProfile(profile)) {
        return kResultBadProfile;
    }
    return ChunkedRead(Command::kReadKeyTable, static_cast<std::size_t>(profile) * kKeyTableSize,
                       out);
}

int TransferEngine::WriteKeyTable(std::span<const std::uint8_t, kKeyTableSize> table, int profile) {
    if (!IsProfile(profile)) {
        return kResultBadProfile;
    }
    return ChunkedWrite(Command::kWriteKeyTable, static_cast<std::size_t>(profile) * kKeyTableSize,
                        table);
}

int TransferEngine::ReadMacroArea(std::span<std::uint8_t> out) {
    return ChunkedRead(Command::kReadMacroArea, 0, out);
}

int TransferEngine::WriteMacroArea(std::span<const std::uint8_t> data) {
    return ChunkedWrite(Command::kWriteMacroArea, 0, data);
}

int TransferEngine::ReadDefaultKeyTable(std::span<std::uint8_t, kKeyTableSize> out) {
    return ChunkedRead(Command::kReadDefaultKeyTable, 0, out);
}

int TransferEngine::WriteKeyColours(std::span<const std::uint8_t> data, int length,
                                    int firstKeyIndex, int shownProfile) {
    if (!IsProfile(shownProfile)) {
        return kResultBadProfile;
    }
    const std::size_t address = static_cast<std::size_t>(shownProfile) * kColourAreaSize +
                                static_cast<std::size_t>(std::max(firstKeyIndex, 0)) * kColourBytes;
    if (firstKeyIndex < 0 || address >= kAddressSpace || !IsDataLength(length, data.size())) {
        return kResultWriteRefused;
    }
    const std::size_t count = static_cast<std::size_t>(std::max(length, 0));
    Report reply{};
    return SendCommand(Command::kWriteKeyColours, static_cast<std::uint8_t>(count),
                       static_cast<std::uint16_t>(address), data.first(count), reply);
}

}  // namespace q804::device
