#include "model/profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <new>

#include "common/byte_io.h"
#include "common/file_io.h"

namespace q804::model {

namespace {

constexpr std::uint64_t kMaxProfileFileBytes = 0xFFFFFFFFull;  // sizes are 32-bit

}  // namespace

bool ProfileHeaderIsValid(std::span<const std::uint8_t> bytes, std::uint64_t fileSize) {
    if (bytes.size() < kStoreHeaderSize) {
        return false;
    }
    const std::uint32_t total = ReadU32(bytes, header::kTotalSize);
    const std::uint16_t macroCount = ReadU16(bytes, header::kMacroCount);
    unsigned sum = 0;
    for (std::size_t i = 0; i < header::kChecksum; ++i) {
        sum += bytes[i];
    }
    return ReadU16(bytes, header::kMagic) == header::kMagicValue &&
           ReadU16(bytes, header::kHeaderWords) == header::kHeaderWordsValue &&
           ReadU16(bytes, header::kVersionA) == header::kVersionAValue &&
           ReadU16(bytes, header::kVersionB) == header::kVersionBValue &&
           total >= kStoreImageSize && ReadU16(bytes, header::kEntryCountField) == kEntryCount &&
           macroCount <= kMaxMacros && bytes[header::kFlag] <= 1 &&
           static_cast<std::uint64_t>(total) ==
               static_cast<std::uint64_t>(macroCount) * kMacroRecordSize +
                   ReadU32(bytes, header::kStringBytes) + kStoreImageSize &&
           bytes[header::kChecksum] == static_cast<std::uint8_t>(sum & 0xFF) && fileSize >= total;
}

int ValidateProfileFile(const std::filesystem::path& path,
                        const FormatErrorReporter& reportFormatError) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? kProfileInvalid : kProfileUnreadable;
    }
    if (!S_ISREG(info.st_mode)) {
        return kProfileUnreadable;
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > kMaxProfileFileBytes || size < kStoreImageSize) {
        return kProfileInvalid;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return kProfileUnreadable;
    }
    std::vector<std::uint8_t> head(kStoreHeaderSize);
    const ssize_t got = ::read(fd, head.data(), head.size());
    ::close(fd);
    if (got != static_cast<ssize_t>(head.size())) {
        return kProfileUnreadable;
    }
    if (!ProfileHeaderIsValid(head, size)) {
        if (reportFormatError) {
            reportFormatError(path);
        }
        return kProfileInvalid;
    }
    return kProfileValid;
}

Result<LoadedStore> ReadStoreFile(const std::filesystem::path& path) {
    auto read = ReadRegularFile(path, kMaxProfileFileBytes);
    if (!read) {
        return read.error();
    }
    auto parsed = ParseStoreFile(read.value());
    if (!parsed) {
        return Error{"'" + path.string() + "': " + parsed.error().message};
    }
    return parsed;
}

Result<LoadedStore> ParseStoreFile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kStoreImageSize) {
        return Error{"too short to be a profile file"};
    }
    try {
        LoadedStore loaded{
            StoreImage(bytes), {}, std::vector<std::optional<std::u16string>>(kEntryCount)};
        const std::size_t macroCount = loaded.image.macroCount();
        const std::size_t stringBytes = loaded.image.stringBytes();
        const std::size_t macrosEnd = kStoreImageSize + macroCount * kMacroRecordSize;
        if (macroCount > kMaxMacros || bytes.size() < macrosEnd ||
            bytes.size() - macrosEnd < stringBytes) {
            return Error{"the file ends before the size its header gives"};
        }
        loaded.macros.reserve(macroCount);
        for (std::size_t m = 0; m < macroCount; ++m) {
            loaded.macros.emplace_back(std::span<const std::uint8_t, kMacroRecordSize>(
                bytes.data() + kStoreImageSize + m * kMacroRecordSize, kMacroRecordSize));
        }
        const std::span<const std::uint8_t> area(bytes.data() + macrosEnd, stringBytes);
        for (int e = 0; e < kEntryCount; ++e) {
            const AssignmentEntry entry = loaded.image.Entry(e);
            if (!OwnsText(entry.type)) {
                continue;
            }
            std::size_t offset = entry.value & ~1u;
            std::u16string text;
            bool terminated = false;
            for (; offset + 1 < area.size(); offset += 2) {
                const auto unit = static_cast<char16_t>(ReadU16(area, offset));
                if (unit == 0) {
                    terminated = true;
                    break;
                }
                text.push_back(unit);
            }
            if (terminated) {
                loaded.texts[static_cast<std::size_t>(e)] = std::move(text);
            }
        }
        return loaded;
    } catch (const std::bad_alloc&) {
        return Error{"out of memory"};
    }
}

void InstallLoadedStore(WorkingStore& store, LoadedStore loaded) {
    auto lock = store.Lock();
    store.ReleaseWorkingStrings();
    store.ReleaseWorkingMacros();
    store.InstallImage(std::move(loaded.image));
    store.macros() = std::move(loaded.macros);
    for (int e = 0; e < kEntryCount; ++e) {
        auto& text = loaded.texts[static_cast<std::size_t>(e)];
        if (text) {
            // Re-set the same entry to record its text and its size in the string area.
            store.SetEntryNumbered(e, store.EntryNumbered(e), *text);
        }
    }
}

Status LoadStoreFile(const std::filesystem::path& path, WorkingStore& store) {
    auto loaded = ReadStoreFile(path);
    if (!loaded) {
        return loaded.error();
    }
    InstallLoadedStore(store, std::move(loaded).value());
    return Status::Ok();
}

std::vector<std::uint8_t> BuildStoreFile(WorkingStore& store) {
    auto lock = store.Lock();
    StoreImage& image = *store.image();
    const std::uint32_t stringBytes = store.stringBytes();
    InitStoreHeader(image, store.macroCount(), stringBytes, 0);

    std::vector<std::uint8_t> area(stringBytes, 0);
    std::uint32_t offset = 0;
    for (int e = 0; e < kEntryCount; ++e) {
        AssignmentEntry entry = image.Entry(e);
        if (!OwnsText(entry.type)) {
            continue;
        }
        const auto& text = store.TextAt(e);
        if (text && offset + WorkingStore::TextSize(*text) <= stringBytes) {
            for (std::size_t i = 0; i < text->size(); ++i) {
                WriteU16(area, offset + 2 * i, static_cast<std::uint16_t>((*text)[i]));
            }
            entry.value = offset;
            offset += WorkingStore::TextSize(*text);
        } else {
            // An entry that lost its text points past the area, so it reads back without
            // one instead of borrowing another entry's text.
            entry.value = stringBytes;
        }
        image.SetEntry(e, entry);
    }

    std::vector<std::uint8_t> file;
    file.reserve(kStoreImageSize + store.macroCount() * kMacroRecordSize + stringBytes);
    const auto imageBytes = image.bytes();
    file.insert(file.end(), imageBytes.begin(), imageBytes.end());
    for (const MacroRecord& macro : store.macros()) {
        file.insert(file.end(), macro.bytes().begin(), macro.bytes().end());
    }
    file.insert(file.end(), area.begin(), area.end());
    return file;
}

Status SaveStoreFile(const std::filesystem::path& path, WorkingStore& store) {
    auto lock = store.Lock();
    if (!store.image()) {
        return Error{"There is no configuration to save"};
    }
    std::vector<std::uint8_t> file;
    try {
        file = BuildStoreFile(store);
    } catch (const std::bad_alloc&) {
        return Error{"Out of memory while saving '" + path.string() + "'"};
    }
    return WriteFileAtomically(path, file);
}

}  // namespace q804::model
