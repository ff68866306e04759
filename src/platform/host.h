// What the operating system tells about the host running the program: login
// name, computer name, processor type, system version and a host id.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mfreport::platform {

/// The host as the queries below report it.
struct HostFacts {
    std::string user_name;     ///< empty when the system cannot tell
    std::string computer_name; ///< empty when the system cannot tell
    int32_t processor_type = 0;
    std::string system_text; ///< for example "Linux 6.1 [0]" or "Win NT 6.2 [9200]"
    int32_t host_id = 0;     ///< 0 to 2147483647
};

/// The login name of the user; empty when it cannot be found.
std::string hostUserName();

/// The computer's network name; empty when it cannot be found.
std::string hostComputerName();

/// The processor type number as Windows numbers it (386, 486, 586, 2200,
/// 8664); 0 for a processor without such a number.
int32_t hostProcessorType();

/// The operating system's name and version: on Windows "Win NT", "Win32s" or
/// "Win 95" followed by "major.minor [build]", elsewhere the system's own name
/// followed by "major.minor [patch]".
std::string hostSystemText();

/// A number that identifies the host, the same on every call and every run:
/// 0 to 2147483647.
int32_t hostId();

/// Makes the queries above answer `facts` instead of asking the system, or
/// ask the system again for std::nullopt. Meant for tests.
void setHostFacts(std::optional<HostFacts> facts);

/// The system text of a packed Windows version: major in the low byte, minor
/// in the next, the build in the high 16 bits, whose top bit marks the
/// platforms that are not NT.
std::string windowsVersionText(uint32_t version);

/// The system text from a system name and a release such as "6.1.0-18-amd64":
/// "Linux 6.1 [0]". Numbers that the release lacks count as 0.
std::string posixVersionText(std::string_view system, std::string_view release);

/// The Windows processor type number of a machine name such as "x86_64".
int32_t processorTypeOf(std::string_view machine);

} // namespace mfreport::platform
