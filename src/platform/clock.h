// The library's one clock. Every date and time that a report shows comes from here.
#pragma once

#include <cstdint>

namespace mfreport::platform {

/// A moment broken down into calendar fields.
struct CivilTime {
    int32_t year = 1970;
    int32_t month = 1; ///< 1 to 12
    int32_t day = 1;   ///< 1 to 31
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
    int32_t millisecond = 0;
};

/// The current time. When the environment variable SOURCE_DATE_EPOCH holds a
/// whole number of seconds since 1970-01-01 00:00:00 UTC, that moment is
/// returned instead (in UTC), so that reports can be reproduced byte for byte.
/// Otherwise the local time of the host is returned.
CivilTime now();

/// The current time in UTC, or the moment of SOURCE_DATE_EPOCH as now() takes it.
CivilTime nowUtc();

/// Breaks seconds since the epoch down to a UTC calendar time.
CivilTime fromEpochSeconds(int64_t seconds);

/// Upper-case English month abbreviation ("JAN" to "DEC"); "???" outside 1 to 12.
const char* monthAbbreviation(int32_t month);

} // namespace mfreport::platform
