// Helpers for the page manager tests: a fresh page state and heading lines.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "mfreport/print/primas_state.h"
#include "mfreport/print/print_defaults.h"
#include "mfreport/record/fixed_text.h"

namespace mftest {

/// Consecutive lines of one element length, as the heading routines take them.
class HeadingLines {
public:
    HeadingLines(int32_t length, std::initializer_list<std::string_view> lines) : length_(length) {
        for (const std::string_view line : lines) {
            buffer_ += std::string(line).append(static_cast<size_t>(length), ' ').substr(0, length);
        }
    }
    operator mfreport::record::TextArray() {
        return {buffer_.data(), length_, static_cast<int32_t>(buffer_.size()) / length_};
    }

private:
    int32_t length_;
    std::string buffer_;
};

/// The page state as the print defaults leave it.
inline void freshPrintDefaults() {
    mfreport::print::primasState() = mfreport::print::PrimasState();
    mfreport::print::PRTDEF();
}

} // namespace mftest
