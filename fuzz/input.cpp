#include "input.h"

#include <cstring>
#include <iterator>
#include <limits>
#include <string_view>

namespace mffuzz {
namespace {

using namespace std::string_view_literals;

// Texts that have broken document writers before: markup characters,
// references, control characters, bytes that are not UTF-8, surrogates.
constexpr std::string_view kTroublesome[] = {
    ""sv,
    "&"sv,
    "&amp;"sv,
    "&lt;x&gt;"sv,
    "<"sv,
    ">"sv,
    "<b>"sv,
    "]]>"sv,
    "<![CDATA[x]]>"sv,
    "<!-- c -->"sv,
    "\x01\x02\x1b"sv,
    "\x7f"sv,
    "\xff\xfe"sv,
    "\xb5m"sv,
    "\xc2\xb5m"sv,
    "\xed\xa0\x80"sv,
    "\xf4\x90\x80\x80"sv,
    "\xc0\xaf"sv,
    "&#0;"sv,
    "&#x1F;"sv,
    "&#65;"sv,
    "&#x10FFFF;"sv,
    "&#xD800;"sv,
    "&nbsp;"sv,
    "&bogus;"sv,
    "\"'"sv,
    "a\nb\r\nc"sv,
    "\t"sv,
    "Empty table"sv,
    "1,5"sv,
    "\0x"sv,
    "--"sv,
};
constexpr size_t kTroublesomeCount = std::size(kTroublesome);
constexpr uint8_t kFirstListed = 256 - kTroublesomeCount;
constexpr uint8_t kFirstLong = kFirstListed - 24;

} // namespace

uint64_t Input::bits(int bytes) {
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value = value << 8 | byte();
    }
    return value;
}

int Input::integer() {
    const uint8_t b = byte();
    if (b < 200) {
        return static_cast<int>(b % 8) - 1;
    }
    switch (b % 8) {
    case 0:
        return std::numeric_limits<int>::max();
    case 1:
        return std::numeric_limits<int>::min();
    case 2:
        return static_cast<int>(byte());
    case 3:
        return 99;
    case 4:
        return 100;
    default: {
        const auto raw = static_cast<uint32_t>(bits(4));
        int value;
        std::memcpy(&value, &raw, sizeof value);
        return value;
    }
    }
}

size_t Input::size() {
    const uint8_t b = byte();
    if (b < 160) {
        return b % 40;
    }
    switch (b % 10) {
    case 0:
        return 131;
    case 1:
        return 132;
    case 2:
        return 0x7FFFFFFF;
    case 3:
        return 0x80000000;
    case 4:
        return 0xFFFFFFFF;
    case 5:
        return std::numeric_limits<size_t>::max();
    case 6:
        return 0x100000000ULL + 12;
    case 7:
        return byte() * 8U;
    default:
        return static_cast<size_t>(bits(8));
    }
}

double Input::real() {
    const uint8_t b = byte();
    using limits = std::numeric_limits<double>;
    switch (b % 16) {
    case 0:
        return limits::quiet_NaN();
    case 1:
        return limits::infinity();
    case 2:
        return -limits::infinity();
    case 3:
        return -0.0;
    case 4:
        return limits::max();
    case 5:
        return -limits::max();
    case 6:
        return limits::denorm_min();
    case 7:
        return limits::min() / 3;
    case 8:
        return 1e15 + 0.5;
    case 9:
        return static_cast<double>(static_cast<int8_t>(byte())) / 8;
    case 10:
        return 0.0;
    case 11:
        return 1e-300;
    case 12:
        return 9.99999999;
    default: {
        const uint64_t raw = bits(8);
        double value;
        std::memcpy(&value, &raw, sizeof value);
        return value;
    }
    }
}

std::string Input::text() {
    const uint8_t b = byte();
    if (b >= kFirstListed) {
        return std::string(kTroublesome[b - kFirstListed]);
    }
    if (b >= kFirstLong) {
        // A piece of up to 16 bytes repeated 512 to 12288 times, while the
        // input's budget of long texts lasts.
        const size_t wanted = (b - kFirstLong + 1U) * 512U;
        const size_t times = wanted <= long_budget_ ? wanted : 1;
        long_budget_ -= times - 1;
        const size_t length = 1 + byte() % 16;
        std::string piece;
        while (piece.size() < length && !done()) {
            piece += static_cast<char>(byte());
        }
        std::string text;
        text.reserve(piece.size() * times);
        for (size_t i = 0; i < times; ++i) {
            text += piece;
        }
        return text;
    }
    const size_t length = b < size_ - pos_ ? b : size_ - pos_;
    std::string text(reinterpret_cast<const char*>(data_ + pos_), length);
    pos_ += length;
    return text;
}

} // namespace mffuzz
