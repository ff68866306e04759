#include "mfreport/platform/host.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>

#ifdef _WIN32
#include <windows.h>
#else
#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>
#endif

namespace mfreport::platform {

namespace {

std::optional<HostFacts>& hostOverride() {
    static std::optional<HostFacts> facts;
    return facts;
}

// 32-bit FNV-1a, cut to the non-negative range.
int32_t hashId(std::string_view text) {
    uint32_t h = 2166136261U;
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619U;
    }
    return static_cast<int32_t>(h & 0x7fffffffU);
}

// The leading digits of `text` from `pos` on, saturating; `pos` moves past them.
uint32_t readNumber(std::string_view text, size_t& pos) {
    uint32_t value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        const uint32_t digit = static_cast<uint32_t>(text[pos] - '0');
        value = value > (0xffffffffU - digit) / 10 ? 0xffffffffU : value * 10 + digit;
    }
    return value;
}

std::string versionText(std::string_view system, uint32_t major, uint32_t minor, uint32_t build) {
    char numbers[48];
    std::snprintf(numbers, sizeof numbers, " %u.%u [%u]", major, minor, build);
    return std::string(system) + numbers;
}

#ifdef _WIN32

std::string systemUserName() {
    char name[256];
    DWORD size = sizeof name;
    return GetUserNameA(name, &size) ? std::string(name) : std::string();
}

std::string systemComputerName() {
    char name[50];
    DWORD size = sizeof name;
    return GetComputerNameA(name, &size) ? std::string(name) : std::string();
}

int32_t systemProcessorType() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return static_cast<int32_t>(info.dwProcessorType);
}

std::string systemText() {
    return windowsVersionText(static_cast<uint32_t>(GetVersion()));
}

// The serial number of the volume that holds Windows.
int32_t systemHostId() {
    char directory[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(directory, MAX_PATH);
    DWORD serial = 0;
    if (length >= 3 && length < MAX_PATH) {
        directory[3] = '\0';
        if (GetVolumeInformationA(directory, nullptr, 0, &serial, nullptr, nullptr, nullptr, 0)) {
            return static_cast<int32_t>(serial & 0x7fffffffU);
        }
    }
    return hashId(systemComputerName());
}

#else

std::string systemUserName() {
    // The password database first: getlogin() fails without a controlling terminal.
    const long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(size > 0 ? static_cast<size_t>(size) : 16384U, '\0');
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_name != nullptr && found->pw_name[0] != '\0') {
        return found->pw_name;
    }
    for (const char* variable : {"LOGNAME", "USER"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && value[0] != '\0') {
            return value;
        }
    }
    return std::string();
}

std::string systemComputerName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) {
        return std::string();
    }
    return name;
}

int32_t systemProcessorType() {
    utsname names{};
    return uname(&names) == 0 ? processorTypeOf(names.machine) : 0;
}

std::string systemText() {
    utsname names{};
    if (uname(&names) != 0) {
        return posixVersionText("Unix", "");
    }
    return posixVersionText(names.sysname, names.release);
}

// The machine id that systemd and D-Bus keep, or else the computer name.
int32_t systemHostId() {
    for (const char* path : {"/etc/machine-id", "/var/lib/dbus/machine-id"}) {
        std::ifstream in(path);
        std::string id;
        if (in >> id && !id.empty()) {
            return hashId(id);
        }
    }
    return hashId(systemComputerName());
}

#endif

} // namespace

std::string hostUserName() {
    return hostOverride() ? hostOverride()->user_name : systemUserName();
}

std::string hostComputerName() {
    return hostOverride() ? hostOverride()->computer_name : systemComputerName();
}

int32_t hostProcessorType() {
    return hostOverride() ? hostOverride()->processor_type : systemProcessorType();
}

std::string hostSystemText() {
    return hostOverride() ? hostOverride()->system_text : systemText();
}

int32_t hostId() {
    return hostOverride() ? hostOverride()->host_id : systemHostId();
}

void setHostFacts(std::optional<HostFacts> facts) {
    hostOverride() = std::move(facts);
}

std::string windowsVersionText(uint32_t version) {
    const uint32_t major = version & 255U;
    const uint32_t minor = (version >> 8) & 255U;
    if ((version & 0x80000000U) == 0) {
        return versionText("Win NT", major, minor, version >> 16);
    }
    const uint32_t build = (version >> 16) & 0x7fffU;
    return versionText(major < 4 ? "Win32s" : "Win 95", major, minor, build);
}

std::string posixVersionText(std::string_view system, std::string_view release) {
    uint32_t numbers[3] = {0, 0, 0};
    size_t pos = 0;
    for (int i = 0; i < 3; ++i) {
        numbers[i] = readNumber(release, pos);
        if (pos >= release.size() || release[pos] != '.') {
            break;
        }
        ++pos;
    }
    return versionText(system, numbers[0], numbers[1], numbers[2]);
}

int32_t processorTypeOf(std::string_view machine) {
    if (machine == "x86_64" || machine == "amd64") {
        return 8664;
    }
    if (machine == "i386") {
        return 386;
    }
    if (machine == "i486") {
        return 486;
    }
    if (machine == "i586" || machine == "i686") {
        return 586;
    }
    if (machine == "ia64") {
        return 2200;
    }
    return 0;
}

} // namespace mfreport::platform
