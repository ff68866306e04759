// Line-by-line comparison of a whole document with its expected text, kept
// in a golden file under tests/golden/.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace mftest {

inline std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

/// Fails with the first line that differs (1-based), or with the line count.
inline ::testing::AssertionResult sameLines(const std::string& actual,
                                            const std::string& expected) {
    const auto a = splitLines(actual);
    const auto e = splitLines(expected);
    for (size_t i = 0; i < a.size() && i < e.size(); ++i) {
        if (a[i] != e[i]) {
            return ::testing::AssertionFailure()
                   << "first difference at line " << i + 1 << "\n  actual:   [" << a[i] << "]"
                   << "\n  expected: [" << e[i] << "]";
        }
    }
    if (a.size() != e.size()) {
        return ::testing::AssertionFailure()
               << "line count " << a.size() << ", expected " << e.size();
    }
    if (actual != expected) {
        return ::testing::AssertionFailure() << "same lines, different line ends";
    }
    return ::testing::AssertionSuccess();
}

/// The text of tests/golden/`name`, with every "{key}" replaced by its value.
inline std::string golden(const std::string& name,
                          const std::vector<std::pair<std::string, std::string>>& values = {}) {
    std::ifstream in(MFREPORT_SOURCE_DIR "/tests/golden/" + name, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "no golden file " << name;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string result = text.str();
    for (const auto& [key, value] : values) {
        const std::string mark = "{" + key + "}";
        for (size_t at = result.find(mark); at != std::string::npos;
             at = result.find(mark, at + value.size())) {
            result.replace(at, mark.size(), value);
        }
    }
    return result;
}

} // namespace mftest
