// Peak memory of the test process, for the tests that stream big tables.
#pragma once

#include <fstream>
#include <string>

namespace mftest {

/// AddressSanitizer holds freed memory back, so peak memory says little there.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

/// A field of /proc/self/status in kB ("VmHWM" is the peak resident size), or -1.
inline long statusField(const std::string& name) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.compare(0, name.size() + 1, name + ":") == 0) {
            return std::stol(line.substr(name.size() + 1));
        }
    }
    return -1;
}

} // namespace mftest
