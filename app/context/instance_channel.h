#pragma once

// One configurator per user session. The first instance holds an exclusive lock on a lock
// file named after the mutex "TR62M30C" and the user, and listens on a local socket of the
// same name; a later launch finds the lock taken and hands its request to the socket.
//
// The lock, unlike the socket file, dies with its process, so an instance that crashed
// never keeps the next one from starting: its socket file is stale and is replaced.
//
// On the socket a request is the message number and its first parameter as two
// little-endian u32; the running instance answers with one acknowledgement byte after it
// has handled the request, so "/Kill" returns only once the quit was carried out.

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "common/result.h"

namespace q804 {

inline constexpr const char* kInstanceMutexName = "TR62M30C";

inline constexpr std::size_t kInstanceRequestSize = 8;
inline constexpr std::size_t kRequestMessage = 0;  // u32
inline constexpr std::size_t kRequestParam = 4;    // u32
static_assert(kRequestParam + 4 == kInstanceRequestSize);
inline constexpr std::uint8_t kInstanceAck = 0x06;

struct InstanceRequest {
    std::uint32_t message = 0;
    std::uint32_t param = 0;
    friend bool operator==(const InstanceRequest&, const InstanceRequest&) = default;
};

std::array<std::uint8_t, kInstanceRequestSize> EncodeInstanceRequest(
    const InstanceRequest& request);
// Nothing unless exactly one request's bytes are given.
std::optional<InstanceRequest> DecodeInstanceRequest(std::span<const std::uint8_t> bytes);

// Where the socket and the lock file of a user live: $XDG_RUNTIME_DIR (private to the user)
// when set and absolute, otherwise the system's temporary folder.
struct InstancePaths {
    std::filesystem::path socket;    // <folder>/TR62M30C-<uid>
    std::filesystem::path lockFile;  // <folder>/TR62M30C-<uid>.lock
};
InstancePaths InstancePathsFor(unsigned userId, const char* runtimeDir);

// Who owns the socket file, if there is one.
enum class SocketOwner { kNone, kThisUser, kOtherUser };
SocketOwner OwnerOfSocket(const std::filesystem::path& socket, unsigned userId);

// Hands one request to the running instance through its socket and waits for the
// acknowledgement. A socket file of another user is never connected to: its owner could be
// anyone pretending to be the configurator.
enum class DeliveryOutcome {
    kAcknowledged,  // the running instance handled the request
    kNoInstance,    // nobody listens (no socket, a stale one, or not this user's)
    kNoAnswer,      // connected, but no acknowledgement came in time
};
DeliveryOutcome DeliverToRunningInstance(const std::filesystem::path& socket, unsigned userId,
                                         const InstanceRequest& request,
                                         std::chrono::milliseconds ackTimeout);

// The exclusive lock of the first instance, held until the object goes (or the process
// ends, however it ends).
class InstanceLock {
  public:
    enum class Outcome {
        kAcquired,    // this process is the first instance
        kHeld,        // another instance of this user runs
        kUnavailable  // the lock file cannot be used (for instance another user's file)
    };

    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Tries once, without waiting; `why` tells what made the lock unavailable.
    Outcome TryAcquire(const std::filesystem::path& lockFile, std::string* why = nullptr);
    bool held() const { return fd_ >= 0; }
    void Release();

  private:
    int fd_ = -1;
};

}  // namespace q804
