#pragma once

// A scripted HID service for the engine's and the link's unit tests: it records every call
// and answers each command report with the replies a test's responder returns, handed to the
// engine at once.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/byte_io.h"
#include "device/hid_service.h"
#include "device/transfer_engine.h"

namespace q804::device::testing {

using Report = std::array<std::uint8_t, kReportSize>;
using Bytes = std::vector<std::uint8_t>;

// A reply echoing the request's command, length and address, with the given status.
inline Bytes EchoReply(const Report& request, std::uint8_t status = 0) {
    Bytes reply(kReportSize, 0);
    reply[report::kReportId] = report::kCommandReportId;
    for (std::size_t i = report::kCommand; i < report::kStatus; ++i) {
        reply[i] = request[i];
    }
    reply[report::kStatus] = status;
    return reply;
}

// A request as the keyboard expects it: checksum over bytes 3..63, added up here byte by
// byte rather than through the engine's own helper.
inline Report MakeRequest(std::uint8_t command, std::uint8_t length, std::uint16_t address,
                          const Bytes& data = {}) {
    Report request{};
    request[0] = 0x04;
    request[3] = command;
    request[4] = length;
    WriteU16(request, 5, address);
    for (std::size_t i = 0; i < data.size(); ++i) {
        request[8 + i] = data[i];
    }
    unsigned sum = 0;
    for (std::size_t i = 3; i < kReportSize; ++i) {
        sum += request[i];
    }
    WriteU16(request, 1, static_cast<std::uint16_t>(sum));
    return request;
}

class FakeService : public HidService {
  public:
    struct Call {
        std::string operation;
        DeviceFilter filter;
        std::uint32_t tag = 0;
        std::uint32_t key = 0;
        std::uint32_t unitId = 0;
        Bytes data;
    };

    int deviceCount = 1;
    int writeResult = 64;
    // Replies to deliver for each command report written; echo with status 0 by default.
    std::function<std::vector<Bytes>(const Report&)> respond = [](const Report& request) {
        return std::vector<Bytes>{EchoReply(request)};
    };
    TransferEngine* engine = nullptr;

    std::vector<Report> written;
    std::vector<Call> calls;
    std::uint32_t nextUnitId = 100;

    int Init() override { return 1; }
    void End() override {}
    int RequestGetDeviceCount(const DeviceFilter&, std::uint32_t) override { return deviceCount; }
    int RequestWriteOne(const DeviceFilter& filter, std::span<const std::uint8_t, 64> data,
                        std::uint32_t key) override {
        Report report;
        std::copy(data.begin(), data.end(), report.begin());
        written.push_back(report);
        calls.push_back({"write", filter, 0, key, 0, Bytes(data.begin(), data.end())});
        if (writeResult <= 0) {
            return writeResult;
        }
        for (const Bytes& reply : respond(report)) {
            engine->OnReplyData(reply);
        }
        return writeResult;
    }
    void RequestAsyncRead(const DeviceFilter& filter, NotificationCallback callback,
                          std::uint32_t tag, std::uint32_t key, std::uint32_t& unitId) override {
        unitId = nextUnitId++;
        callbacks.push_back(std::move(callback));
        calls.push_back({"read", filter, tag, key, unitId, {}});
    }
    void RequestStatusWrite(const DeviceFilter& filter, NotificationCallback callback,
                            std::uint32_t tag, std::span<const std::uint8_t> data,
                            std::uint32_t key, std::uint32_t& unitId) override {
        unitId = nextUnitId++;
        callbacks.push_back(std::move(callback));
        calls.push_back({"status", filter, tag, key, unitId, Bytes(data.begin(), data.end())});
    }
    void DeleteRequestFromUnitId(std::uint32_t unitId) override {
        calls.push_back({"delete", {}, 0, 0, unitId, {}});
    }

    std::vector<NotificationCallback> callbacks;
};

}  // namespace q804::device::testing
