#pragma once

// The few operations the backend needs from the HID library. The real one wraps hidapi
// (hidapi_io.cpp, the only file that includes it); tests put a scripted fake in its place.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "common/result.h"

namespace q804::device::hidapi {

// One top-level collection of one node; a node with several collections is listed once for
// each, with the same path.
struct HidDeviceEntry {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    int interfaceNumber = -1;
};

// An open node. Closed when destroyed. One handle is never used by two threads at once.
class HidHandle {
  public:
    virtual ~HidHandle() = default;

    // Bytes written (byte 0 is the report id), or -1.
    virtual int Write(std::span<const std::uint8_t> report) = 0;
    // Bytes of one report (report id first when the device numbers its reports), 0 when
    // none arrived within timeoutMs, -1 when the node failed (for instance unplugged).
    virtual int Read(std::span<std::uint8_t> buffer, int timeoutMs) = 0;
    // The reason of the last failure of Write or Read.
    virtual std::string ErrorText() = 0;
};

struct OpenOutcome {
    std::unique_ptr<HidHandle> handle;  // null on failure
    int errorNumber = 0;                // errno of the failure (EACCES, ENOENT, ...)
    std::string errorText;
};

class HidIo {
  public:
    virtual ~HidIo() = default;

    virtual Status Init() = 0;
    virtual void Exit() = 0;
    // Called from one thread at a time.
    virtual std::vector<HidDeviceEntry> Enumerate(std::uint16_t vendorId,
                                                  std::uint16_t productId) = 0;
    virtual OpenOutcome Open(const std::string& path) = 0;
    virtual Result<std::vector<std::uint8_t>> ReportDescriptor(const std::string& path) = 0;
};

}  // namespace q804::device::hidapi
