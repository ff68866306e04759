#include "mfreport/platform/files.h"

#include <cerrno>
#include <fstream>
#include <mutex>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mfreport::platform {

namespace {

// Devices of different threads may open files at the same time. The claims
// outlive every static object, so that claims held at exit can let go.
std::mutex& claimsLock() {
    static auto* lock = new std::mutex;
    return *lock;
}

std::vector<FileId>& claims() {
    static auto* held = new std::vector<FileId>;
    return *held;
}

bool isHeld(const FileId& file) {
    for (const FileId& held : claims()) {
        if (held == file) {
            return true;
        }
    }
    return false;
}

#ifndef _WIN32
FileId idOf(const struct stat& status) {
    return FileId{static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
}
#endif

} // namespace

std::optional<FileId> fileIdOf(const std::string& path) {
#ifdef _WIN32
    (void)path;
    return std::nullopt; // no inode numbers to tell files apart
#else
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return idOf(status);
#endif
}

std::optional<FileId> fileIdOf(int fd) {
#ifdef _WIN32
    (void)fd;
    return std::nullopt;
#else
    struct stat status {};
    if (fd < 0 || ::fstat(fd, &status) != 0) {
        return std::nullopt;
    }
    return idOf(status);
#endif
}

FileClaim::FileClaim(FileClaim&& other) noexcept : file_(other.file_), held_(other.held_) {
    other.held_ = false;
}

FileClaim& FileClaim::operator=(FileClaim&& other) noexcept {
    if (this != &other) {
        release();
        file_ = other.file_;
        held_ = other.held_;
        other.held_ = false;
    }
    return *this;
}

FileClaim::~FileClaim() {
    release();
}

bool FileClaim::take(const FileId& file) {
    release();
    const std::lock_guard<std::mutex> guard(claimsLock());
    if (isHeld(file)) {
        return false;
    }
    claims().push_back(file);
    file_ = file;
    held_ = true;
    return true;
}

void FileClaim::release() {
    if (!held_) {
        return;
    }
    held_ = false;
    const std::lock_guard<std::mutex> guard(claimsLock());
    std::vector<FileId>& held = claims();
    for (size_t i = 0; i < held.size(); ++i) {
        if (held[i] == file_) {
            held.erase(held.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
}

bool FileClaim::claimed(const std::string& path) {
    const std::optional<FileId> file = fileIdOf(path);
    if (!file) {
        return false;
    }
    const std::lock_guard<std::mutex> guard(claimsLock());
    return isHeld(*file);
}

int openForSync(const std::string& path) {
#ifdef _WIN32
    return ::_open(path.c_str(), _O_WRONLY | _O_BINARY);
#else
    int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    }
    return fd;
#endif
}

int createFile(const std::string& path) {
#ifdef _WIN32
    return ::_open(path.c_str(), _O_WRONLY | _O_BINARY | _O_CREAT | _O_TRUNC, _S_IREAD | _S_IWRITE);
#else
    for (;;) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EINTR) {
            return fd;
        }
    }
#endif
}

int64_t seekFile(int fd, int64_t offset, int origin) {
    const int whence = origin == 0 ? SEEK_SET : origin == 1 ? SEEK_CUR : SEEK_END;
#ifdef _WIN32
    return ::_lseeki64(fd, offset, whence);
#else
    return static_cast<int64_t>(::lseek(fd, static_cast<off_t>(offset), whence));
#endif
}

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
#ifdef _WIN32
        const unsigned piece = size > (1U << 30) ? (1U << 30) : static_cast<unsigned>(size);
        const int written = ::_write(fd, data, piece);
#else
        const ssize_t written = ::write(fd, data, size);
#endif
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool syncToDisk(int fd) {
#ifdef _WIN32
    return ::_commit(fd) == 0 || errno == EBADF;
#else
    for (;;) {
#if defined(__APPLE__)
        const int result = ::fsync(fd);
#else
        const int result = ::fdatasync(fd);
#endif
        if (result == 0) {
            return true;
        }
        if (errno == EINTR) {
            continue;
        }
        // No stable storage behind the file: nothing could be lost there.
        return errno == EINVAL || errno == EROFS || errno == ENOTSUP;
    }
#endif
}

bool closeFile(int fd) {
#ifdef _WIN32
    return ::_close(fd) == 0;
#else
    // After an interrupted close the descriptor is gone on this system: never
    // close it again.
    return ::close(fd) == 0 || errno == EINTR;
#endif
}

bool readWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    // Read through the stream, not its buffer, so that a read error ends as
    // the stream's bad state instead of an exception.
    char buffer[16384];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<size_t>(in.gcount()));
    }
    return !in.bad();
}

} // namespace mfreport::platform
