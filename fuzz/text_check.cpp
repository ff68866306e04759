#include "text_check.h"

#include <cstdlib>

namespace mffuzz {
namespace {

constexpr std::string_view kHeadingStart = " DATE: ";
constexpr std::string_view kPageWord = "PAGE:";
constexpr std::string_view kSubPage = "SUB PAGE:";

/// The number after the last "PAGE:" of a program heading line, or -1.
long pageNumber(std::string_view line) {
    if (line.substr(0, kHeadingStart.size()) != kHeadingStart) {
        return -1;
    }
    const size_t at = line.rfind(kPageWord);
    if (at == std::string_view::npos ||
        (at >= 4 && line.substr(at - 4, kSubPage.size()) == kSubPage)) {
        return -1;
    }
    const std::string digits(line.substr(at + kPageWord.size()));
    char* end = nullptr;
    const long number = std::strtol(digits.c_str(), &end, 10);
    return end != digits.c_str() && *end == '\0' ? number : -1;
}

} // namespace

std::string textProblem(std::string_view report, size_t longest) {
    size_t lineNumber = 0;
    long lastPage = 0;
    size_t start = 0;
    while (start < report.size()) {
        size_t end = report.find('\n', start);
        if (end == std::string_view::npos) {
            end = report.size();
        }
        const std::string_view line = report.substr(start, end - start);
        ++lineNumber;
        const std::string where =
            " at line " + std::to_string(lineNumber) + " (byte " + std::to_string(start) + ")";
        if (line.size() > longest) {
            return "a line of " + std::to_string(line.size()) + " characters" + where;
        }
        const long page = pageNumber(line);
        if (page >= 0) {
            if (page != lastPage + 1) {
                return "page " + std::to_string(page) + " after page " + std::to_string(lastPage) +
                       where;
            }
            lastPage = page;
        }
        start = end + 1;
    }
    return "";
}

} // namespace mffuzz
