#include "device/hidapi/report_descriptor.h"

#include <algorithm>
#include <optional>
#include <string>

#include "common/byte_io.h"

namespace q804::device::hidapi {
namespace {

// Item prefix: bits 0-1 size code (3 means 4 bytes), bits 2-3 type, bits 4-7 tag.
constexpr std::uint8_t kLongItemPrefix = 0xFE;
constexpr std::size_t kLongItemHeader = 3;  // prefix, data size, long item tag

enum class ItemType : std::uint8_t { kMain = 0, kGlobal = 1, kLocal = 2, kReserved = 3 };

namespace main_tag {
constexpr std::uint8_t kInput = 0x8;
constexpr std::uint8_t kOutput = 0x9;
constexpr std::uint8_t kCollection = 0xA;
constexpr std::uint8_t kFeature = 0xB;
constexpr std::uint8_t kEndCollection = 0xC;
}  // namespace main_tag

namespace global_tag {
constexpr std::uint8_t kUsagePage = 0x0;
constexpr std::uint8_t kReportId = 0x8;
constexpr std::uint8_t kPush = 0xA;
constexpr std::uint8_t kPop = 0xB;
}  // namespace global_tag

namespace local_tag {
constexpr std::uint8_t kUsage = 0x0;
}  // namespace local_tag

// Deeper Push nesting than this only comes from garbage.
constexpr std::size_t kMaxPushDepth = 32;

struct GlobalState {
    std::uint16_t usagePage = 0;
    std::uint8_t reportId = 0;
};

// The usage a Collection item takes: the first Usage before it. A 4-byte usage names its own
// page; a shorter one takes the usage page in force when the main item comes.
// The first Usage of the items since the last main item. A plain flag rather than
// std::optional: g++ 12 at -O2 warns falsely about an optional of this struct.
struct PendingUsage {
    bool present = false;
    std::uint32_t value = 0;
    bool hasOwnPage = false;
};

std::uint32_t ReadItemData(std::span<const std::uint8_t> bytes, std::size_t offset,
                           std::size_t size) {
    switch (size) {
        case 1:
            return ReadU8(bytes, offset);
        case 2:
            return ReadU16(bytes, offset);
        case 4:
            return ReadU32(bytes, offset);
        default:
            return 0;
    }
}

void AddId(std::vector<std::uint8_t>& ids, std::uint8_t id) {
    auto at = std::lower_bound(ids.begin(), ids.end(), id);
    if (at == ids.end() || *at != id) {
        ids.insert(at, id);
    }
}

Error Malformed(const std::string& what, std::size_t offset) {
    return Error{"Malformed report descriptor: " + what + " at byte " + std::to_string(offset)};
}

}  // namespace

Result<ReportDescriptorInfo> ParseReportDescriptor(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kMaxReportDescriptorSize) {
        return Error{"Malformed report descriptor: " + std::to_string(bytes.size()) +
                     " bytes is more than a device may have"};
    }
    ReportDescriptorInfo info;
    GlobalState global;
    std::vector<GlobalState> pushed;
    PendingUsage firstUsage;
    std::size_t depth = 0;

    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t itemStart = pos;
        const std::uint8_t prefix = bytes[pos];
        if (prefix == kLongItemPrefix) {
            // Long items carry nothing this reader needs; only their length matters.
            if (bytes.size() - pos < kLongItemHeader) {
                return Malformed("truncated long item", itemStart);
            }
            const std::size_t dataSize = bytes[pos + 1];
            if (bytes.size() - pos - kLongItemHeader < dataSize) {
                return Malformed("truncated long item", itemStart);
            }
            pos += kLongItemHeader + dataSize;
            continue;
        }
        const std::size_t sizeCode = prefix & 0x03U;
        const std::size_t dataSize = sizeCode == 3 ? 4 : sizeCode;
        if (bytes.size() - pos - 1 < dataSize) {
            return Malformed("truncated item", itemStart);
        }
        const std::uint32_t data = ReadItemData(bytes, pos + 1, dataSize);
        const auto type = static_cast<ItemType>((prefix >> 2) & 0x03U);
        const std::uint8_t tag = static_cast<std::uint8_t>(prefix >> 4);
        pos += 1 + dataSize;

        switch (type) {
            case ItemType::kMain: {
                if (tag == main_tag::kCollection) {
                    if (depth == 0) {
                        TopLevelCollection collection;
                        collection.type = static_cast<std::uint8_t>(data & 0xFFU);
                        if (firstUsage.present) {
                            collection.usage = static_cast<std::uint16_t>(firstUsage.value);
                            collection.usagePage =
                                firstUsage.hasOwnPage
                                    ? static_cast<std::uint16_t>(firstUsage.value >> 16)
                                    : global.usagePage;
                        }
                        info.collections.push_back(std::move(collection));
                    }
                    ++depth;
                } else if (tag == main_tag::kEndCollection) {
                    if (depth == 0) {
                        return Malformed("End Collection without Collection", itemStart);
                    }
                    --depth;
                } else if (tag == main_tag::kInput || tag == main_tag::kOutput ||
                           tag == main_tag::kFeature) {
                    // Data items outside every collection belong to no collection; the
                    // kernel accepts them, and so does this reader.
                    if (depth > 0 && global.reportId != 0) {
                        TopLevelCollection& owner = info.collections.back();
                        AddId(tag == main_tag::kInput    ? owner.inputReportIds
                              : tag == main_tag::kOutput ? owner.outputReportIds
                                                         : owner.featureReportIds,
                              global.reportId);
                    }
                }
                // Every main item ends the local items that described it.
                firstUsage = PendingUsage{};
                break;
            }
            case ItemType::kGlobal:
                if (tag == global_tag::kUsagePage) {
                    global.usagePage = static_cast<std::uint16_t>(data & 0xFFFFU);
                } else if (tag == global_tag::kReportId) {
                    if (data == 0 || data > 0xFF) {
                        return Malformed("report id " + std::to_string(data), itemStart);
                    }
                    global.reportId = static_cast<std::uint8_t>(data);
                    info.numberedReports = true;
                } else if (tag == global_tag::kPush) {
                    if (pushed.size() >= kMaxPushDepth) {
                        return Malformed("Push nested too deep", itemStart);
                    }
                    pushed.push_back(global);
                } else if (tag == global_tag::kPop) {
                    if (pushed.empty()) {
                        return Malformed("Pop without Push", itemStart);
                    }
                    global = pushed.back();
                    pushed.pop_back();
                }
                break;
            case ItemType::kLocal:
                if (tag == local_tag::kUsage && !firstUsage.present) {
                    firstUsage = PendingUsage{true, data, dataSize == 4};
                }
                break;
            case ItemType::kReserved:
                break;
        }
    }
    if (depth != 0) {
        return Error{"Malformed report descriptor: a collection is not closed"};
    }
    return info;
}

}  // namespace q804::device::hidapi
