#include "output.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define MFREPORT_HAVE_GETPID 1
#endif

namespace mfreport::cli {

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
        for (const int signal : {SIGINT, SIGTERM}) {
            std::signal(signal, removePendingOnSignal);
        }
#ifdef SIGHUP
        std::signal(SIGHUP, removePendingOnSignal);
#endif
#ifdef SIGXFSZ
        // Beyond the file size limit a write fails, which the library reports,
        // instead of ending the process.
        std::signal(SIGXFSZ, SIG_IGN);
#endif
        return true;
    }();
    (void)installed;
    if (path.size() < sizeof pending) {
        std::memcpy(pending, path.c_str(), path.size() + 1);
    }
}

long processId() {
#ifdef MFREPORT_HAVE_GETPID
    return static_cast<long>(getpid());
#else
    return 0;
#endif
}

// The longest file name that the text report's file opening keeps whole.
constexpr size_t kLongestTextName = 255;

} // namespace

OutputFile::OutputFile(const std::string& target, Kind kind) : target_(target) {
    std::error_code error;
    if (std::filesystem::is_directory(target, error)) {
        throw Failure(target + ": cannot write the report: it is a folder");
    }
    std::string folder = std::filesystem::path(target).parent_path().string();
    if (folder.empty()) {
        folder = ".";
    }
    const std::string extension = kind == Kind::Text      ? ".LIS"
                                  : kind == Kind::TextCsv ? ".csv"
                                                          : ".tmp";
    for (int attempt = 0;; ++attempt) {
        const std::string base =
            folder + "/.mfreport-" + std::to_string(processId()) + "-" + std::to_string(attempt);
        const std::string written = base + extension;
        if (isTextKind(kind) && written.size() > kLongestTextName) {
            throw Failure(target + ": the folder's path is too long for a text report");
        }
        std::FILE* file = std::fopen(written.c_str(), "wx");
        if (file == nullptr) {
            if (errno == EEXIST && attempt < 1000) {
                continue;
            }
            throw Failure(target + ": cannot create a file in " + folder + ": " +
                          std::strerror(errno));
        }
        std::fclose(file);
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
    if (!committed_) {
        std::remove(written_name_.c_str());
        removePending();
    }
}

void OutputFile::commit() {
    if (std::rename(written_name_.c_str(), target_.c_str()) != 0) {
        throw Failure(target_ +
                      ": cannot rename the finished report to it: " + std::strerror(errno));
    }
    committed_ = true;
    removePending();
}

} // namespace mfreport::cli
