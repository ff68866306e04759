#include "mfreport/platform/mfDateTime.h"

#include <cstdio>
#include <cstdlib>
#include <ostream>

#include <pwd.h>
#include <unistd.h>

#include "mfreport/platform/clock.h"

namespace {

std::string twoDigits(int32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", static_cast<int>(v));
    return buf;
}

std::string loginName() {
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
    return "unknown";
}

std::string dateText(const mfreport::platform::CivilTime& when) {
    char year[16];
    std::snprintf(year, sizeof year, "%04d", static_cast<int>(when.year));
    return twoDigits(when.day) + "-" + mfreport::platform::monthAbbreviation(when.month) + "-" +
           year;
}

std::string timeText(const mfreport::platform::CivilTime& when) {
    return twoDigits(when.hour) + ":" + twoDigits(when.minute) + ":" + twoDigits(when.second);
}

} // namespace

mfDate::mfDate() : text_(dateText(mfreport::platform::now())) {}

mfTime::mfTime() : text_(timeText(mfreport::platform::now())) {}

mfUserName::mfUserName() : name_(loginName()) {}

std::ostream& operator<<(std::ostream& os, const mfDate& date) {
    return os << date.text();
}
std::ostream& operator<<(std::ostream& os, const mfTime& time) {
    return os << time.text();
}
std::ostream& operator<<(std::ostream& os, const mfUserName& user) {
    return os << user.text();
}
