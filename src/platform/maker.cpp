#include "mfreport/platform/maker.h"

#include <string_view>

namespace mfreport {

namespace {

Maker& current() {
    static Maker value;
    return value;
}

// The text with control characters blanked, without blanks at its ends, cut
// to `length` bytes at a character boundary.
std::string cleaned(std::string_view text, size_t length) {
    std::string out(text);
    for (char& c : out) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            c = ' ';
        }
    }
    const size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    out.erase(0, first);
    if (out.size() > length) {
        size_t cut = length;
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80) {
            --cut; // a continuation byte: cut before its character
        }
        out.resize(cut);
    }
    out.erase(out.find_last_not_of(' ') + 1);
    return out;
}

} // namespace

bool setMaker(const std::string& name, const std::string& suite) {
    std::string n = cleaned(name, kMakerNameLength);
    std::string s = cleaned(suite, kSuiteWordLength);
    if (n.empty() || s.empty()) {
        return false;
    }
    current() = Maker{std::move(n), std::move(s)};
    return true;
}

const Maker& maker() {
    return current();
}

} // namespace mfreport
