#include "mfreport/platform/clock.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <ctime>

namespace mfreport::platform {

namespace {

// Days since 1970-01-01 to a proleptic Gregorian date (H. Hinnant's algorithm).
void civilFromDays(int64_t z, int32_t& y, int32_t& m, int32_t& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int32_t>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int32_t>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int32_t>(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

bool sourceDateEpoch(int64_t& seconds) {
    const char* text = std::getenv("SOURCE_DATE_EPOCH");
    if (text == nullptr || *text == '\0') {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text, &end, 10);
    // Accept only a plain whole number within the years 0 to 9999.
    if (errno != 0 || *end != '\0' || value < -62167219200LL || value > 253402300799LL) {
        return false;
    }
    seconds = value;
    return true;
}

} // namespace

CivilTime fromEpochSeconds(int64_t seconds) {
    int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    CivilTime t;
    civilFromDays(days, t.year, t.month, t.day);
    t.hour = static_cast<int32_t>(rest / 3600);
    t.minute = static_cast<int32_t>(rest / 60 % 60);
    t.second = static_cast<int32_t>(rest % 60);
    t.millisecond = 0;
    return t;
}

CivilTime now() {
    int64_t fixed = 0;
    if (sourceDateEpoch(fixed)) {
        return fromEpochSeconds(fixed);
    }
    const auto wall = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(wall);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(wall.time_since_epoch()).count() %
        1000;
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr) {
        return fromEpochSeconds(static_cast<int64_t>(seconds));
    }
    CivilTime t;
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec;
    t.millisecond = static_cast<int32_t>(ms < 0 ? 0 : ms);
    return t;
}

CivilTime nowUtc() {
    int64_t fixed = 0;
    if (sourceDateEpoch(fixed)) {
        return fromEpochSeconds(fixed);
    }
    const auto wall = std::chrono::system_clock::now();
    return fromEpochSeconds(static_cast<int64_t>(std::chrono::system_clock::to_time_t(wall)));
}

const char* monthAbbreviation(int32_t month) {
    static constexpr const char* names[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                            "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    return month >= 1 && month <= 12 ? names[month - 1] : "???";
}

} // namespace mfreport::platform
