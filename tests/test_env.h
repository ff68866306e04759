// Helpers shared by the tests: a fixed clock and temporary files.
#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace mftest {

/// Sets SOURCE_DATE_EPOCH for the lifetime of the object.
class FixedClock {
public:
    explicit FixedClock(const char* seconds) { setenv("SOURCE_DATE_EPOCH", seconds, 1); }
    ~FixedClock() { unsetenv("SOURCE_DATE_EPOCH"); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
};

/// A file name in the temporary folder, removed again at destruction.
class TempFile {
public:
    explicit TempFile(const std::string& stem)
        : path_(std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/mfreport-" +
                std::to_string(getpid()) + "-" + stem) {}
    ~TempFile() { std::remove(path_.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace mftest
