#include "mfreport/platform/mfDateTime.h"

#include <cstdio>
#include <ostream>

#include "mfreport/platform/clock.h"
#include "mfreport/platform/host.h"

namespace {

std::string twoDigits(int32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", static_cast<int>(v));
    return buf;
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

mfUserName::mfUserName() : name_(mfreport::platform::hostUserName()) {
    if (name_.empty()) {
        name_ = "unknown";
    }
}

std::ostream& operator<<(std::ostream& os, const mfDate& date) {
    return os << date.text();
}
std::ostream& operator<<(std::ostream& os, const mfTime& time) {
    return os << time.text();
}
std::ostream& operator<<(std::ostream& os, const mfUserName& user) {
    return os << user.text();
}
