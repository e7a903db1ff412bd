#pragma once

// Command/reply traffic with the keyboard: 64-byte command reports written to the vendor
// collection, each answered by a 64-byte reply on the same collection, with retries, status
// mapping and chunked block transfers.

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>

#include "device/hid_service.h"

namespace q804::device {

inline constexpr std::size_t kReportSize = 64;
inline constexpr std::size_t kChunkSize = 56;
inline constexpr std::size_t kSettingsSize = 44;
inline constexpr std::size_t kKeyTableSize = 378;
inline constexpr std::size_t kKeyRecordCount = 126;
inline constexpr int kProfileCount = 3;
// Per-key colour area: 512 bytes per profile, three bytes (red, green, blue) per colour index.
inline constexpr std::size_t kColourAreaSize = 512;
inline constexpr std::size_t kColourBytes = 3;

// Command report layout.
namespace report {
inline constexpr std::size_t kReportId = 0;
inline constexpr std::size_t kChecksum = 1;  // u16, sum of bytes 3..63
inline constexpr std::size_t kCommand = 3;
inline constexpr std::size_t kLength = 4;
inline constexpr std::size_t kAddress = 5;  // u16
inline constexpr std::size_t kStatus = 7;
inline constexpr std::size_t kData = 8;
inline constexpr std::uint8_t kCommandReportId = 0x04;
inline constexpr std::uint8_t kStatusErrorFF = 0xFF;
inline constexpr std::uint8_t kStatusErrorFE = 0xFE;
static_assert(kData + kChunkSize == kReportSize);
}  // namespace report

// Settings block layout.
namespace settings {
inline constexpr std::size_t kFirmwareVersion = 8;  // u16
inline constexpr std::size_t kCurrentProfile = 10;
inline constexpr std::size_t kMacroUnits = 11;  // macro area size in 128-byte units
inline constexpr std::size_t kEffects = 12;     // up to 32 effect codes, 0 = empty
inline constexpr std::size_t kEffectSlots = 32;
inline constexpr std::size_t kMacroUnitBytes = 128;
static_assert(kEffects + kEffectSlots == kSettingsSize);
}  // namespace settings

enum class Command : std::uint8_t {
    kBeginAccess = 0x01,
    kEndAccess = 0x02,
    kReadSettings = 0x03,
    kWriteSettings = 0x04,
    kReadMemory = 0x05,
    kWriteMemory = 0x06,
    kReadKeyTable = 0x07,
    kWriteKeyTable = 0x08,
    kReadMacroArea = 0x09,
    kWriteMacroArea = 0x0A,
    kReadDefaultKeyTable = 0x0F,
    kWriteKeyColours = 0x11,
};

// Result codes shared by every operation.
inline constexpr int kResultSuccess = 1;
inline constexpr int kResultNoDevice = 0;  // no keyboard, or waiting failed
inline constexpr int kResultWriteRefused = -1;
inline constexpr int kResultNoReply = -2;
inline constexpr int kResultStatusFF = -102;
inline constexpr int kResultStatusFE = -103;
inline constexpr int kResultBadProfile = -201;

// Plain-English meaning of a result code, for logs and the command-line tool.
const char* DescribeResult(int result);

// Sum of bytes 3..63, modulo 65536.
std::uint16_t ReportChecksum(std::span<const std::uint8_t, kReportSize> report);

struct EngineTiming {
    std::chrono::milliseconds replyTimeout{1000};
    std::chrono::milliseconds retryPause{10};
    std::chrono::milliseconds endAccessPause{10};
    std::chrono::milliseconds takeOverPause{1001};
};

class TransferEngine {
  public:
    explicit TransferEngine(HidService& service, EngineTiming timing = {});

    int GetDeviceCount();

    // One command, one validated reply: 1, 0, -1 or -2. Transactions from different threads
    // are serialised: each holds the engine for its whole exchange.
    int DeviceTransact(std::span<const std::uint8_t> request, std::span<std::uint8_t> reply,
                       std::size_t& replyLength);

    // Reply data from the service's thread (kind 1, tag kTagReply); dropped unless a
    // transaction waits.
    void OnReplyData(std::span<const std::uint8_t> data);

    int BeginDeviceAccess();
    int EndDeviceAccess();
    int ReadDeviceSettings(std::span<std::uint8_t, kSettingsSize> out);
    int WriteDeviceSettings(std::span<const std::uint8_t, kSettingsSize> settings);
    // Lengths above 56 (one report's data), or longer than the data given, are refused with
    // -1 before anything is sent: they could never travel in one report. A length of 0 or
    // less sends a request without data.
    int ReadDeviceMemory(std::span<std::uint8_t, kChunkSize> out, int length,
                         std::uint16_t address);
    int WriteDeviceMemory(std::span<const std::uint8_t> data, int length, std::uint16_t address);
    // Profiles outside 0..2 give -201 and send nothing.
    int ReadKeyTable(std::span<std::uint8_t, kKeyTableSize> out, int profile);
    int WriteKeyTable(std::span<const std::uint8_t, kKeyTableSize> table, int profile);
    // The whole span is transferred in 56-byte chunks; an empty span returns 1 at once, one
    // reaching past the 16-bit address space gives -1 before anything is sent.
    int ReadMacroArea(std::span<std::uint8_t> out);
    int WriteMacroArea(std::span<const std::uint8_t> data);
    int ReadDefaultKeyTable(std::span<std::uint8_t, kKeyTableSize> out);
    // Colours of the profile shown in the main window, from colour index firstKeyIndex on.
    // Lengths as for WriteDeviceMemory; a shown profile outside 0..2 gives -201, a negative
    // first index -1, both before anything is sent.
    int WriteKeyColours(std::span<const std::uint8_t> data, int length, int firstKeyIndex,
                        int shownProfile);

    // Observes every report sent ('>') and every reply received ('<'), on the thread that
    // sends or receives it.
    using TraceObserver = std::function<void(char direction, std::span<const std::uint8_t> report)>;
    void SetTraceObserver(TraceObserver observer);

  private:
    using Report = std::array<std::uint8_t, kReportSize>;

    // Sends a request whose checksum is in place and maps the reply's status.
    int Exchange(const Report& request, Report& reply);
    // Builds, checksums and exchanges one single-report command.
    int SendCommand(Command command, std::uint8_t length, std::uint16_t address,
                    std::span<const std::uint8_t> data, Report& reply);
    // Moves total bytes in 56-byte chunks from base on: a write sends data, a read fills out.
    int ChunkedTransfer(Command command, std::size_t base, std::size_t total,
                        std::span<const std::uint8_t> data, std::span<std::uint8_t> out);
    int ChunkedRead(Command command, std::size_t base, std::span<std::uint8_t> out);
    int ChunkedWrite(Command command, std::size_t base, std::span<const std::uint8_t> data);
    void Trace(char direction, std::span<const std::uint8_t> report);

    HidService& service_;
    const EngineTiming timing_;
    const std::uint32_t countKey_;

    // Held for a whole transaction, so callers on different threads never share the slot.
    std::mutex transactionMutex_;

    // The reply slot. Data arriving from the service land in the engine's own buffer and are
    // copied out by the waiting caller, so a reply that comes after its waiter gave up never
    // writes into memory nobody owns.
    std::mutex slotMutex_;
    std::condition_variable replyArrived_;
    bool replyAwaited_ = false;
    bool replySignalled_ = false;
    Report slotData_{};
    std::size_t slotLength_ = 0;

    std::mutex traceMutex_;
    std::shared_ptr<const TraceObserver> trace_;
};

}  // namespace q804::device
