#include "common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace q804 {
namespace {

Error SystemError(const std::string& what, const std::filesystem::path& path, int code) {
    return Error{what + " '" + path.string() + "': " + std::strerror(code)};
}

// Closes a descriptor on every way out of a function.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

Result<std::vector<std::uint8_t>> ReadRegularFile(const std::filesystem::path& path,
                                                  std::uintmax_t maxBytes) {
    // O_NONBLOCK keeps a FIFO from blocking the open; it is refused right after.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        return SystemError("Cannot open", path, errno);
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return SystemError("Cannot examine", path, errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return Error{"'" + path.string() + "' is not a regular file"};
    }
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
        return Error{"'" + path.string() + "' is too large"};
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    std::uint8_t buffer[65536];
    for (;;) {
        ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return SystemError("Cannot read", path, errno);
        }
        if (got == 0) {
            break;
        }
        if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) {
            return Error{"'" + path.string() + "' is too large"};
        }
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    return bytes;
}

Status WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::filesystem::path folder = path.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    struct stat existing {};
    mode_t mode = 0;
    bool keepMode = false;
    if (::stat(path.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) {
            return Error{"'" + path.string() + "' is a folder"};
        }
        mode = existing.st_mode & 07777;
        keepMode = true;
    }

    std::string tmpl = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    FileDescriptor fd(::mkstemp(tmpl.data()));
    if (fd.get() < 0) {
        return SystemError("Cannot create a file in", folder, errno);
    }
    const std::filesystem::path tempPath = tmpl;
    auto fail = [&](const std::string& what, int code) -> Status {
        ::unlink(tempPath.c_str());
        return SystemError(what, path, code);
    };
    if (!WriteAll(fd.get(), bytes.data(), bytes.size())) {
        return fail("Cannot write", errno);
    }
    if (keepMode) {
        ::fchmod(fd.get(), mode);
    } else {
        // mkstemp creates 0600; a new file gets the usual mode under the user's umask.
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd.get(), 0666 & ~mask);
    }
    if (::fsync(fd.get()) != 0) {
        return fail("Cannot flush", errno);
    }
    if (::close(fd.release()) != 0) {
        return fail("Cannot close", errno);
    }
    if (::rename(tempPath.c_str(), path.c_str()) != 0) {
        return fail("Cannot replace", errno);
    }
    // Make the rename itself durable; a failure here changes nothing the caller can act on.
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) {
        ::fsync(dir.get());
    }
    return Status::Ok();
}

Status WriteFileAtomically(const std::filesystem::path& path, std::string_view text) {
    return WriteFileAtomically(
        path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace q804
