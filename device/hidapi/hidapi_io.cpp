#include "device/hidapi/hidapi_io.h"

#include <fcntl.h>
#include <hidapi.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <cwchar>
#include <string>

#include "device/hidapi/sysfs_descriptor.h"

namespace q804::device::hidapi {
namespace {

// hidapi speaks wchar_t, which is UTF-32 on Linux.
std::string WideToUtf8(const wchar_t* text) {
    std::string out;
    if (text == nullptr) {
        return out;
    }
    for (; *text != L'\0'; ++text) {
        auto code = static_cast<char32_t>(*text);
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

class HidapiHandle final : public HidHandle {
  public:
    explicit HidapiHandle(hid_device* device) : device_(device) {}
    ~HidapiHandle() override { hid_close(device_); }
    HidapiHandle(const HidapiHandle&) = delete;
    HidapiHandle& operator=(const HidapiHandle&) = delete;

    int Write(std::span<const std::uint8_t> report) override {
        return hid_write(device_, report.data(), report.size());
    }

    int Read(std::span<std::uint8_t> buffer, int timeoutMs) override {
        errno = 0;
        const int got = hid_read_timeout(device_, buffer.data(), buffer.size(), timeoutMs);
        // A signal that cuts the wait short is not a lost keyboard.
        if (got < 0 && errno == EINTR) {
            return 0;
        }
        return got;
    }

    std::string ErrorText() override { return WideToUtf8(hid_error(device_)); }

  private:
    hid_device* device_;
};

class HidapiIo final : public HidIo {
  public:
    explicit HidapiIo(std::filesystem::path sysRoot) : sysRoot_(std::move(sysRoot)) {}

    Status Init() override {
        if (hid_init() != 0) {
            const std::string reason = WideToUtf8(hid_error(nullptr));
            return Error{reason.empty() ? "hid_init failed" : reason};
        }
        return Status::Ok();
    }

    void Exit() override { hid_exit(); }

    std::vector<HidDeviceEntry> Enumerate(std::uint16_t vendorId,
                                          std::uint16_t productId) override {
        std::vector<HidDeviceEntry> entries;
        hid_device_info* list = hid_enumerate(vendorId, productId);
        for (const hid_device_info* info = list; info != nullptr; info = info->next) {
            entries.push_back(HidDeviceEntry{
                .path = info->path != nullptr ? info->path : "",
                .vendorId = info->vendor_id,
                .productId = info->product_id,
                .usagePage = info->usage_page,
                .usage = info->usage,
                .interfaceNumber = info->interface_number,
            });
        }
        hid_free_enumeration(list);
        return entries;
    }

    OpenOutcome Open(const std::string& path) override {
        OpenOutcome outcome;
        if (hid_device* device = hid_open_path(path.c_str())) {
            outcome.handle = std::make_unique<HidapiHandle>(device);
            return outcome;
        }
        outcome.errorText = WideToUtf8(hid_error(nullptr));
        // hidapi keeps only a text, and its clean-up may have changed errno since the
        // failure; opening the node once more tells the reason for certain.
        const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
        if (fd >= 0) {
            ::close(fd);
            outcome.errorNumber = EIO;
        } else {
            outcome.errorNumber = errno;
        }
        if (outcome.errorText.empty()) {
            outcome.errorText = std::strerror(outcome.errorNumber);
        }
        return outcome;
    }

    Result<std::vector<std::uint8_t>> ReportDescriptor(const std::string& path) override {
        return ReadHidrawReportDescriptor(sysRoot_, path);
    }

  private:
    std::filesystem::path sysRoot_;
};

}  // namespace

std::unique_ptr<HidIo> CreateHidapiIo(std::filesystem::path sysRoot) {
    return std::make_unique<HidapiIo>(std::move(sysRoot));
}

}  // namespace q804::device::hidapi
