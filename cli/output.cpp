#include "output.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mfreport::cli {

namespace fs = std::filesystem;

namespace {

// The temporary file to remove when the process ends before the rename:
// through exit() (the library's fatal path) or a signal.
char pending[4096];

void removePending() {
    if (pending[0] != '\0') {
        std::remove(pending);
        pending[0] = '\0';
    }
}

extern "C" void removePendingOnSignal(int signal) {
    removePending();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void watch(const std::string& path) {
    static const bool installed = [] {
        std::atexit(removePending);
        for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
            std::signal(signal, removePendingOnSignal);
        }
        // Beyond the file size limit a write fails, which the library reports,
        // instead of ending the process.
        std::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    (void)installed;
    if (path.size() < sizeof pending) {
        std::memcpy(pending, path.c_str(), path.size() + 1);
    }
}

// The longest file name that the text report's file opening keeps whole.
constexpr size_t kLongestTextName = 255;
constexpr size_t kCopyBlock = size_t{1} << 16;
constexpr int kMostLinks = 40;

bool writeAll(int descriptor, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(descriptor, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// fsync, where the file has stable storage behind it.
bool synchronise(int descriptor) {
    while (::fsync(descriptor) != 0) {
        if (errno != EINTR) {
            return errno == EINVAL || errno == EROFS || errno == ENOTSUP;
        }
    }
    return true;
}

// The file a chain of symbolic links ends at, whether it exists or not.
fs::path throughLinks(fs::path path) {
    for (int step = 0; step < kMostLinks; ++step) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) {
            break;
        }
        const fs::path link = fs::read_symlink(path, error);
        if (error) {
            break;
        }
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return path;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

std::string errorText(int error) {
    return error == 0 ? std::string("unknown error") : std::string(std::strerror(error));
}

void checkOutputIsNoInput(const std::string& output, const std::vector<std::string>& inputs) {
    struct stat written {};
    const bool toStandardOutput = output == "-";
    if ((toStandardOutput ? ::fstat(STDOUT_FILENO, &written) : ::stat(output.c_str(), &written)) !=
            0 ||
        !S_ISREG(written.st_mode)) {
        return; // a new file, a device or a FIFO holds no input
    }
    for (const std::string& input : inputs) {
        struct stat read {};
        if (::stat(input.c_str(), &read) == 0 && sameFile(read, written)) {
            throw Refusal((toStandardOutput ? std::string("standard output") : output) +
                          " is the input " + input + ": the report would replace it");
        }
    }
}

void writeStandardOutput(const std::string& text) {
    if (!writeAll(STDOUT_FILENO, text.data(), text.size())) {
        throw Failure("standard output: cannot write: " + errorText(errno));
    }
}

OutputFile::OutputFile(const std::string& target, Kind kind)
    : target_(target), label_(target == "-" ? "standard output" : target) {
    if (target == "-") {
        mode_ = Mode::Copy;
        std::error_code error;
        const fs::path temporary = fs::temp_directory_path(error);
        reserve(error ? std::string("/tmp") : temporary.string(), kind);
        return;
    }
    struct stat status {};
    if (::stat(target.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        if (S_ISDIR(status.st_mode)) {
            throw Failure(target + ": cannot write the report: it is a folder");
        }
        if (!isTextKind(kind) && !isPackage(kind)) {
            mode_ = Mode::Direct;
            device_name_ = target;
            written_name_ = target;
            return;
        }
        // The text kinds name their file themselves, and a package is written
        // with seeks back: a copy goes to the device.
        mode_ = Mode::Copy;
        std::error_code error;
        const fs::path temporary = fs::temp_directory_path(error);
        reserve(error ? std::string("/tmp") : temporary.string(), kind);
        return;
    }
    target_ = throughLinks(target).string();
    std::string folder = fs::path(target_).parent_path().string();
    reserve(folder.empty() ? std::string(".") : folder, kind);
}

void OutputFile::reserve(const std::string& folder, Kind kind) {
    const std::string extension = kind == Kind::Text      ? ".LIS"
                                  : kind == Kind::TextCsv ? ".csv"
                                                          : ".tmp";
    for (int attempt = 0;; ++attempt) {
        const std::string base =
            folder + "/.mfreport-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        const std::string written = base + extension;
        if (isTextKind(kind) && written.size() > kLongestTextName) {
            throw Failure(label_ + ": the folder's path is too long for a text report");
        }
        const int descriptor =
            ::open(written.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0) {
            if (errno == EEXIST && attempt < 1000) {
                continue;
            }
            throw Failure(label_ + ": cannot create a file in " + folder + ": " + errorText(errno));
        }
        ::close(descriptor);
        device_name_ = isTextKind(kind) ? base : written;
        written_name_ = written;
        watch(written_name_);
        if (isTextKind(kind)) {
            // The text report creates its file itself and would keep a file
            // already there as a backup.
            std::remove(written_name_.c_str());
        }
        return;
    }
}

OutputFile::~OutputFile() {
    if (!committed_ && mode_ != Mode::Direct) {
        std::remove(written_name_.c_str());
        removePending();
    }
}

int OutputFile::probe() const {
    if (mode_ == Mode::Direct) {
        return 0;
    }
    // Another block at the end of the file meets the same limit (a full
    // disk, a file size limit) as the write that failed.
    const int descriptor = ::open(written_name_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (descriptor < 0) {
        return errno;
    }
    struct stat status {};
    ::fstat(descriptor, &status);
    static const char zeros[kCopyBlock] = {};
    int error = 0;
    if (!writeAll(descriptor, zeros, sizeof zeros) || !synchronise(descriptor)) {
        error = errno;
    }
    if (::ftruncate(descriptor, status.st_size) != 0 && error == 0) {
        error = errno;
    }
    ::close(descriptor);
    return error;
}

void OutputFile::failed(int error) const {
    throw Failure(label_ + ": cannot write the report: " + errorText(error != 0 ? error : probe()));
}

void OutputFile::copyTo(int descriptor) const {
    const int source = ::open(written_name_.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0) {
        throw Failure(label_ + ": cannot read the finished report: " + errorText(errno));
    }
    static char block[kCopyBlock];
    for (;;) {
        const ssize_t got = ::read(source, block, sizeof block);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const int error = errno;
            ::close(source);
            throw Failure(label_ + ": cannot read the finished report: " + errorText(error));
        }
        if (got == 0) {
            break;
        }
        if (!writeAll(descriptor, block, static_cast<size_t>(got))) {
            const int error = errno;
            ::close(source);
            throw Failure(label_ + ": cannot write the report: " + errorText(error));
        }
    }
    ::close(source);
    struct stat status {};
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && !synchronise(descriptor)) {
        throw Failure(label_ + ": cannot synchronise the report: " + errorText(errno));
    }
}

void OutputFile::commit() {
    if (mode_ == Mode::Direct) {
        committed_ = true;
        return;
    }
    if (mode_ == Mode::Copy) {
        if (target_ == "-") {
            copyTo(STDOUT_FILENO);
        } else {
            const int descriptor = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
            if (descriptor < 0) {
                throw Failure(label_ + ": cannot open: " + errorText(errno));
            }
            try {
                copyTo(descriptor);
            } catch (...) {
                ::close(descriptor);
                throw;
            }
            if (::close(descriptor) != 0 && errno != EINTR) {
                throw Failure(label_ + ": cannot write the report: " + errorText(errno));
            }
        }
        return; // the destructor removes the copy's source
    }
    const int descriptor = ::open(written_name_.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0 || !synchronise(descriptor)) {
        const int error = errno;
        if (descriptor >= 0) {
            ::close(descriptor);
        }
        throw Failure(label_ + ": cannot synchronise the report: " + errorText(error));
    }
    ::close(descriptor);
    if (std::rename(written_name_.c_str(), target_.c_str()) != 0) {
        throw Failure(label_ + ": cannot rename the finished report to it: " + errorText(errno));
    }
    committed_ = true;
    removePending();
    const std::string folder = fs::path(target_).parent_path().string();
    const int directory =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory < 0 || !synchronise(directory)) {
        const int error = errno;
        if (directory >= 0) {
            ::close(directory);
        }
        throw Failure(label_ +
                      ": cannot synchronise its folder after the rename: " + errorText(error));
    }
    ::close(directory);
}

} // namespace mfreport::cli
