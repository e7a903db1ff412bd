#include "app/context/instance_channel.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "app/context/shell_messages.h"
#include "tests/support/temp_dir.h"

namespace q804 {
namespace {

using namespace std::chrono_literals;

TEST(InstanceRequest, TravelsAsTwoLittleEndianWords) {
    const auto bytes = EncodeInstanceRequest({shell::kMsgQuit, shell::kCodeKill});
    // The kill code is K, I, L, L in memory order.
    const std::array<std::uint8_t, 8> expected = {0x4B, 0x4D, 0x00, 0x00, 'K', 'I', 'L', 'L'};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(DecodeInstanceRequest(bytes), (InstanceRequest{shell::kMsgQuit, shell::kCodeKill}));
    EXPECT_FALSE(DecodeInstanceRequest(std::span(bytes).first(7)));
    const std::array<std::uint8_t, 9> tooLong{};
    EXPECT_FALSE(DecodeInstanceRequest(tooLong));
}

TEST(InstancePaths, PrivateRuntimeFolderFirst) {
    const InstancePaths runtime = InstancePathsFor(1000, "/run/user/1000");
    EXPECT_EQ(runtime.socket, "/run/user/1000/TR62M30C-1000");
    EXPECT_EQ(runtime.lockFile, "/run/user/1000/TR62M30C-1000.lock");
    // A relative or missing runtime folder is not used.
    for (const char* runtimeDir : {static_cast<const char*>(nullptr), "run/user"}) {
        const InstancePaths fallback = InstancePathsFor(7, runtimeDir);
        EXPECT_EQ(fallback.socket.filename(), "TR62M30C-7");
        EXPECT_TRUE(fallback.socket.is_absolute());
    }
}

TEST(InstanceLock, OneHolderAtATimeAndFreedWithItsHolder) {
    testing::TempDir dir;
    const auto file = dir / "TR62M30C-1.lock";
    auto first = std::make_unique<InstanceLock>();
    ASSERT_EQ(first->TryAcquire(file), InstanceLock::Outcome::kAcquired);
    InstanceLock second;
    EXPECT_EQ(second.TryAcquire(file), InstanceLock::Outcome::kHeld);
    first.reset();  // as a crashed holder's lock goes with its process
    EXPECT_EQ(second.TryAcquire(file), InstanceLock::Outcome::kAcquired);
}

TEST(InstanceLock, RefusesLinksAndMissingFolders) {
    testing::TempDir dir;
    const auto target = dir.Write("victim", "keep");
    std::filesystem::create_symlink(target, dir / "link.lock");
    InstanceLock lock;
    std::string why;
    EXPECT_EQ(lock.TryAcquire(dir / "link.lock", &why), InstanceLock::Outcome::kUnavailable);
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(testing::ReadText(target), "keep");
    EXPECT_EQ(lock.TryAcquire(dir / "missing" / "x.lock"), InstanceLock::Outcome::kUnavailable);
}

// A socket bound at a path; listening only when asked.
class TestSocket {
  public:
    TestSocket(const std::filesystem::path& path, bool listening) {
        fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        EXPECT_EQ(::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        if (listening) {
            EXPECT_EQ(::listen(fd_, 1), 0);
        }
    }
    ~TestSocket() { Close(); }
    void Close() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    int fd() const { return fd_; }

  private:
    int fd_ = -1;
};

TEST(DeliverToRunningInstance, NobodyListening) {
    testing::TempDir dir;
    const auto path = dir / "sock";
    const InstanceRequest open{shell::kMsgOpenOrVersion, shell::kCodeOpen};
    EXPECT_EQ(DeliverToRunningInstance(path, ::geteuid(), open, 100ms),
              DeliveryOutcome::kNoInstance);
    // A crashed instance leaves its socket file behind; nobody accepts on it.
    TestSocket stale(path, false);
    stale.Close();
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(DeliverToRunningInstance(path, ::geteuid(), open, 100ms),
              DeliveryOutcome::kNoInstance);
}

TEST(DeliverToRunningInstance, WaitsForTheAcknowledgement) {
    testing::TempDir dir;
    const auto path = dir / "sock";
    TestSocket server(path, true);
    std::array<std::uint8_t, 8> received{};
    std::thread instance([&] {
        const int client = ::accept(server.fd(), nullptr, nullptr);
        ASSERT_GE(client, 0);
        ASSERT_EQ(::recv(client, received.data(), received.size(), MSG_WAITALL), 8);
        std::this_thread::sleep_for(50ms);  // the request is being handled
        const std::uint8_t ack = kInstanceAck;
        ::send(client, &ack, 1, 0);
        ::close(client);
    });
    const InstanceRequest kill{shell::kMsgQuit, shell::kCodeKill};
    EXPECT_EQ(DeliverToRunningInstance(path, ::geteuid(), kill, 5s),
              DeliveryOutcome::kAcknowledged);
    instance.join();
    EXPECT_EQ(DecodeInstanceRequest(received), kill);
}

TEST(DeliverToRunningInstance, GivesUpWithoutAnAnswer) {
    testing::TempDir dir;
    const auto path = dir / "sock";
    TestSocket server(path, true);  // accepts into its backlog, never answers
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(
        DeliverToRunningInstance(path, ::geteuid(), {shell::kMsgQuit, shell::kCodeKill}, 150ms),
        DeliveryOutcome::kNoAnswer);
    EXPECT_LT(std::chrono::steady_clock::now() - before, 5s);
}

TEST(DeliverToRunningInstance, NeverTalksToAnotherUsersSocket) {
    testing::TempDir dir;
    const auto path = dir / "sock";
    TestSocket server(path, true);
    // The socket is ours; asking on behalf of another user id must not reach it.
    EXPECT_EQ(OwnerOfSocket(path, ::geteuid()), SocketOwner::kThisUser);
    EXPECT_EQ(OwnerOfSocket(path, ::geteuid() + 1), SocketOwner::kOtherUser);
    EXPECT_EQ(DeliverToRunningInstance(path, ::geteuid() + 1,
                                       {shell::kMsgOpenOrVersion, shell::kCodeOpen}, 100ms),
              DeliveryOutcome::kNoInstance);
}

}  // namespace
}  // namespace q804
