// Logical values of the text side: 32-bit integers of which bit 0 counts.
#pragma once

#include <cstdint>

namespace mfreport::record {

inline constexpr int32_t kTrue = -1; ///< all bits set
inline constexpr int32_t kFalse = 0;

constexpr bool isTrue(int32_t logical) {
    return (logical & 1) != 0;
}
constexpr int32_t logical(bool value) {
    return value ? kTrue : kFalse;
}

} // namespace mfreport::record
