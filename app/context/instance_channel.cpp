#include "app/context/instance_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "common/byte_io.h"

namespace q804 {

std::array<std::uint8_t, kInstanceRequestSize> EncodeInstanceRequest(
    const InstanceRequest& request) {
    std::array<std::uint8_t, kInstanceRequestSize> bytes{};
    WriteU32(bytes, kRequestMessage, request.message);
    WriteU32(bytes, kRequestParam, request.param);
    return bytes;
}

std::optional<InstanceRequest> DecodeInstanceRequest(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kInstanceRequestSize) {
        return std::nullopt;
    }
    return InstanceRequest{ReadU32(bytes, kRequestMessage), ReadU32(bytes, kRequestParam)};
}

InstancePaths InstancePathsFor(unsigned userId, const char* runtimeDir) {
    std::filesystem::path folder;
    if (runtimeDir != nullptr && runtimeDir[0] == '/') {
        folder = runtimeDir;
    } else {
        std::error_code ec;
        folder = std::filesystem::temp_directory_path(ec);
        if (ec || folder.empty()) {
            folder = "/tmp";
        }
    }
    const std::string name = std::string(kInstanceMutexName) + "-" + std::to_string(userId);
    return {folder / name, folder / (name + ".lock")};
}

SocketOwner OwnerOfSocket(const std::filesystem::path& socket, unsigned userId) {
    struct stat info {};
    if (::lstat(socket.c_str(), &info) != 0) {
        return SocketOwner::kNone;
    }
    return info.st_uid == userId ? SocketOwner::kThisUser : SocketOwner::kOtherUser;
}

DeliveryOutcome DeliverToRunningInstance(const std::filesystem::path& socket, unsigned userId,
                                         const InstanceRequest& request,
                                         std::chrono::milliseconds ackTimeout) {
    if (OwnerOfSocket(socket, userId) != SocketOwner::kThisUser) {
        return DeliveryOutcome::kNoInstance;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string& name = socket.native();
    if (name.size() >= sizeof address.sun_path) {
        return DeliveryOutcome::kNoInstance;
    }
    std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return DeliveryOutcome::kNoInstance;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    // A socket left by a crashed instance refuses the connection.
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return DeliveryOutcome::kNoInstance;
    }
    const auto bytes = EncodeInstanceRequest(request);
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return DeliveryOutcome::kNoAnswer;
        }
        sent += static_cast<std::size_t>(n);
    }
    const auto deadline = std::chrono::steady_clock::now() + ackTimeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return DeliveryOutcome::kNoAnswer;
        }
        pollfd waiting{fd, POLLIN, 0};
        const int ready = ::poll(&waiting, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return DeliveryOutcome::kNoAnswer;
        }
        std::uint8_t ack = 0;
        const ssize_t n = ::recv(fd, &ack, 1, 0);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        return n == 1 && ack == kInstanceAck ? DeliveryOutcome::kAcknowledged
                                             : DeliveryOutcome::kNoAnswer;
    }
}

InstanceLock::~InstanceLock() {
    Release();
}

InstanceLock::InstanceLock(InstanceLock&& other) noexcept : fd_(other.fd_) {
    other.fd_ = -1;
}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
        Release();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

InstanceLock::Outcome InstanceLock::TryAcquire(const std::filesystem::path& lockFile,
                                               std::string* why) {
    Release();
    // No symbolic links: in a shared temporary folder another user could point the name
    // at a file of ours.
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (why != nullptr) {
            *why = "cannot open " + lockFile.string() + ": " + std::strerror(errno);
        }
        return Outcome::kUnavailable;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_uid != ::geteuid() || !S_ISREG(info.st_mode)) {
        ::close(fd);
        if (why != nullptr) {
            *why = lockFile.string() + " belongs to another user";
        }
        return Outcome::kUnavailable;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) {
            return Outcome::kHeld;
        }
        if (why != nullptr) {
            *why = "cannot lock " + lockFile.string() + ": " + std::strerror(error);
        }
        return Outcome::kUnavailable;
    }
    fd_ = fd;
    return Outcome::kAcquired;
}

void InstanceLock::Release() {
    if (fd_ >= 0) {
        ::close(fd_);  // closing drops the lock
        fd_ = -1;
    }
}

}  // namespace q804
