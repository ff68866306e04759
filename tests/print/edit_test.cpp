// Numeric edit descriptors against the reference output of a Fortran
// compiler (tests/data/fortran_edit_cases.txt, made by tests/tools).
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "print/edit.h"

namespace {

using mfreport::print::editExponent;
using mfreport::print::editFixed;
using mfreport::print::editInteger;

struct Case {
    std::string type;       // I, R4 or R8
    std::string descriptor; // as written in the format, e.g. (1PE12.4E2)
    std::string value;      // decimal integer or IEEE bits in hexadecimal
    std::string expected;   // the field between the bars
};

std::vector<Case> loadCases() {
    std::ifstream in(MFREPORT_TEST_DATA "/fortran_edit_cases.txt");
    std::vector<Case> cases;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Case c;
        fields >> c.type >> c.descriptor >> c.value;
        const size_t open = line.find('|');
        c.expected = line.substr(open + 1, line.rfind('|') - open - 1);
        cases.push_back(c);
    }
    return cases;
}

double realValue(const Case& c) {
    const unsigned long long bits = std::stoull(c.value, nullptr, 16);
    if (c.type == "R4") {
        const auto narrow = static_cast<uint32_t>(bits);
        float f = 0;
        std::memcpy(&f, &narrow, sizeof f);
        return f;
    }
    double d = 0;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

std::optional<std::string> edit(const Case& c) {
    std::smatch m;
    static const std::regex integer(R"(\(I(\d+)(?:\.(\d+))?\))");
    static const std::regex fixed(R"(\(F(\d+)\.(\d+)\))");
    static const std::regex exponent(R"(\((-?\d+)PE(\d+)\.(\d+)(?:E(\d+))?\))");
    if (std::regex_match(c.descriptor, m, integer)) {
        const int32_t digits = m[2].matched ? std::stoi(m[2]) : 1;
        return editInteger(std::stoi(c.value), std::stoi(m[1]), digits);
    }
    if (std::regex_match(c.descriptor, m, fixed)) {
        return editFixed(realValue(c), std::stoi(m[1]), std::stoi(m[2]));
    }
    if (std::regex_match(c.descriptor, m, exponent)) {
        const int32_t e = m[4].matched ? std::stoi(m[4]) : 0;
        return editExponent(realValue(c), std::stoi(m[2]), std::stoi(m[3]), e, std::stoi(m[1]));
    }
    ADD_FAILURE() << "unknown descriptor " << c.descriptor;
    return std::nullopt;
}

TEST(EditDescriptors, MatchFortranReferenceOutput) {
    const std::vector<Case> cases = loadCases();
    ASSERT_GT(cases.size(), 500U);
    int failures = 0;
    for (const Case& c : cases) {
        const std::optional<std::string> got = edit(c);
        if (!got || *got != c.expected) {
            ++failures;
            ADD_FAILURE() << c.type << " " << c.descriptor << " " << c.value << ": expected |"
                          << c.expected << "| got |" << got.value_or("<malformed>") << "|";
        }
        if (failures > 20) {
            break;
        }
    }
}

TEST(EditDescriptors, MalformedDescriptorsGiveNoText) {
    EXPECT_FALSE(editInteger(1, -1));
    EXPECT_FALSE(editInteger(1, 3, 4));
    EXPECT_FALSE(editFixed(1.0, 0, 0));
    EXPECT_FALSE(editFixed(1.0, 5, -1));
    EXPECT_FALSE(editFixed(1.0, mfreport::print::kMaxFieldWidth + 1, 2));
    EXPECT_FALSE(editExponent(1.0, 10, 3, 2, 5));  // k must stay below d + 2
    EXPECT_FALSE(editExponent(1.0, 10, 3, 2, -3)); // and above -d
}

TEST(EditDescriptors, HugeDecimalsDoNotOverrun) {
    const auto text = editFixed(1.0e300, 400, 50);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->size(), 400U);
    EXPECT_EQ(editFixed(1.0e300, 40, 5), std::string(40, '*'));
}

} // namespace
