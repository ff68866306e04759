// Numeric edit descriptors and whole records against the output of a Fortran
// compiler for the same formats and values (tests/data/fortran_edit_cases.txt,
// made by tests/tools/make_fortran_edit_cases.sh).
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "golden.h"
#include "mfreport/record/edit.h"
#include "mfreport/record/record_io.h"
#include "test_env.h"

namespace {

using namespace mfreport::record;

// Integers are given in decimal; R4 and R8 reals as IEEE bits in hexadecimal.
double realValue(const std::string& type, const std::string& bits) {
    const unsigned long long word = std::stoull(bits, nullptr, 16);
    if (type == "R4") {
        const auto narrow = static_cast<uint32_t>(word);
        float f = 0;
        std::memcpy(&f, &narrow, sizeof f);
        return f;
    }
    double d = 0;
    std::memcpy(&d, &word, sizeof d);
    return d;
}

std::optional<std::string> edit(const std::string& type, const std::string& descriptor,
                                const std::string& value) {
    static const std::regex integer(R"(\(I(\d+)(?:\.(\d+))?\))");
    static const std::regex fixed(R"(\(F(\d+)\.(\d+)\))");
    static const std::regex exponent(R"(\((-?\d+)PE(\d+)\.(\d+)(?:E(\d+))?\))");
    std::smatch m;
    if (std::regex_match(descriptor, m, integer)) {
        return editInteger(std::stoi(value), std::stoi(m[1]), m[2].matched ? std::stoi(m[2]) : 1);
    }
    if (std::regex_match(descriptor, m, fixed)) {
        return editFixed(realValue(type, value), std::stoi(m[1]), std::stoi(m[2]));
    }
    if (std::regex_match(descriptor, m, exponent)) {
        return editExponent(realValue(type, value), std::stoi(m[2]), std::stoi(m[3]),
                            m[4].matched ? std::stoi(m[4]) : 0, std::stoi(m[1]));
    }
    return std::nullopt;
}

// Writes a record format such as (A,2X,I0.0) with the items 'ab',0 (texts
// quoted) to the unit; at most four items.
int32_t writeReferenceRecord(int32_t unit, const std::string& format, const std::string& items) {
    std::vector<std::string> values;
    std::istringstream valueList(items);
    for (std::string v; std::getline(valueList, v, ',');) {
        values.push_back(v);
    }
    std::vector<std::string> texts(values.size());
    std::vector<FormatItem> f;
    std::istringstream descriptors(format.substr(1, format.size() - 2));
    size_t next = 0;
    for (std::string d; std::getline(descriptors, d, ',');) {
        if (d.back() == 'X') {
            f.emplace_back(item::X(std::stoi(d)));
        } else if (d == "A") {
            texts.at(next) = values.at(next).substr(1, values.at(next).size() - 2);
            f.emplace_back(item::A(texts.at(next++)));
        } else {
            const size_t dot = d.find('.');
            f.emplace_back(item::I(std::stoi(values.at(next++)), std::stoi(d.substr(1)),
                                   dot == std::string::npos ? 1 : std::stoi(d.substr(dot + 1))));
        }
    }
    f.resize(4, item::X(0)); // a skip at the end writes nothing
    return writeRecord(unit, {f[0], f[1], f[2], f[3]});
}

TEST(EditDescriptors, MatchFortranReferenceOutput) {
    std::ifstream in(MFREPORT_TEST_DATA "/fortran_edit_cases.txt");
    mftest::TempFile records("reference-records.txt");
    OpenRequest request;
    request.unit = 32;
    request.file = records.path();
    ASSERT_EQ(openUnit(request), kIoOk);
    std::string expectedRecords;
    std::string line;
    int cases = 0;
    while (std::getline(in, line)) {
        // <type> <descriptor> <value> |<field>|
        const size_t a = line.find(' ');
        const size_t b = line.find(' ', a + 1);
        const size_t bar = line.find('|');
        const std::string type = line.substr(0, a);
        const std::string descriptor = line.substr(a + 1, b - a - 1);
        const std::string value = line.substr(b + 1, bar - b - 2);
        const std::string expected = line.substr(bar + 1, line.rfind('|') - bar - 1);
        if (type == "REC") {
            EXPECT_EQ(writeReferenceRecord(32, descriptor, value), kIoOk) << line;
            expectedRecords += expected + "\n";
            continue;
        }
        EXPECT_EQ(edit(type, descriptor, value).value_or("<malformed>"), expected) << line;
        ++cases;
    }
    EXPECT_GT(cases, 2000);
    closeUnit(32);
    EXPECT_GT(expectedRecords.size(), 10U);
    EXPECT_TRUE(mftest::sameLines(mftest::readFile(records.path()), expectedRecords));
}

TEST(EditDescriptors, MalformedDescriptorsGiveNoText) {
    EXPECT_FALSE(editInteger(1, -1));
    EXPECT_FALSE(editInteger(1, 3, 4));
    EXPECT_FALSE(editFixed(1.0, 0, 0));
    EXPECT_FALSE(editFixed(1.0, 5, -1));
    EXPECT_FALSE(editFixed(1.0, kMaxFieldWidth + 1, 2));
    EXPECT_FALSE(editExponent(1.0, 10, 3, 2, 5));  // k must stay below d + 2
    EXPECT_FALSE(editExponent(1.0, 10, 3, 2, -3)); // and above -d
}

// The text that a put routine leaves in a field of w characters between two
// guard characters, "<malformed>" when it refuses.
template <class Put>
std::string putInto(int32_t w, Put put) {
    std::string buffer = "[" + std::string(static_cast<size_t>(w), '?') + "]";
    if (!put(buffer.data() + 1)) {
        return buffer == "[" + std::string(static_cast<size_t>(w), '?') + "]" ? "<malformed>"
                                                                              : "<changed>";
    }
    EXPECT_EQ(buffer.front(), '[');
    EXPECT_EQ(buffer.back(), ']');
    return buffer.substr(1, buffer.size() - 2);
}

TEST(EditDescriptors, PutRoutinesFillTheirFieldExactly) {
    EXPECT_EQ(putInto(6, [](char* p) { return putInteger(p, -42, 6, 3); }), "  -042");
    EXPECT_EQ(putInto(2, [](char* p) { return putInteger(p, 123, 2); }), "**");
    EXPECT_EQ(putInto(5, [](char* p) { return putInteger(p, 0, 5, 0); }), "     ");
    EXPECT_EQ(putInto(20, [](char* p) { return putInteger(p, 7, 20, 16); }),
              "    0000000000000007");
    EXPECT_EQ(putInto(8, [](char* p) { return putFixed(p, 3.14159, 8, 2); }), "    3.14");
    EXPECT_EQ(putInto(4, [](char* p) { return putFixed(p, -0.5, 4, 2); }), "-.50");
    EXPECT_EQ(putInto(3, [](char* p) { return putFixed(p, 0.0, 3, 3); }), "***");
    EXPECT_EQ(putInto(9, [](char* p) { return putFixed(p, -HUGE_VAL, 9, 2); }), "-Infinity");
    EXPECT_EQ(putInto(10, [](char* p) { return putExponent(p, 12346.0, 10, 3, 2, 1); }),
              " 1.235E+04");
    EXPECT_EQ(putInto(9, [](char* p) { return putExponent(p, -0.00123, 9, 2, 2, 0); }),
              "-0.12E-02");
    EXPECT_EQ(putInto(8, [](char* p) { return putExponent(p, -0.00123, 8, 2, 2, 0); }), "-.12E-02");
    EXPECT_EQ(putInto(9, [](char* p) { return putExponent(p, 1e200, 9, 2, 2, 1); }), "*********");
    EXPECT_EQ(putInto(10, [](char* p) { return putExponent(p, 1e200, 10, 2, 0, 1); }),
              "  1.00+200");
    EXPECT_EQ(putInto(4, [](char* p) { return putInteger(p, 1, 0); }), "<malformed>");
    EXPECT_EQ(putInto(4, [](char* p) { return putFixed(p, 1.0, 4, -1); }), "<malformed>");
    EXPECT_EQ(putInto(4, [](char* p) { return putExponent(p, 1.0, 4, 1, 2, 3); }), "<malformed>");
}

TEST(EditDescriptors, FixedEditsShowTheDigitsOfTheExactValue) {
    // Exact ties at the last decimal and their neighbours, the smallest and
    // largest magnitudes of the integer path, and pseudo-random bit patterns:
    // an F60.d field shows the digits std::to_chars(fixed, d) gives |v|.
    std::vector<double> values = {0.0,
                                  0.5,
                                  1.5,
                                  2.5,
                                  0.125,
                                  0.375,
                                  0.1,
                                  0.7,
                                  1e-5,
                                  5e-5,
                                  1.5e-4,
                                  123456.78905,
                                  5e-324,
                                  2.2250738585072014e-308,
                                  4503599627370495.5,
                                  9007199254740991.0,
                                  1.8e19,
                                  1e22,
                                  9.5,
                                  99.995};
    const size_t ties = values.size();
    for (size_t i = 0; i < ties; ++i) {
        values.push_back(std::nextafter(values[i], 0.0));
        values.push_back(std::nextafter(values[i], HUGE_VAL));
    }
    std::uint64_t state = 20240601;
    for (int i = 0; i < 4000; ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        // Exponents from about 1e-20 to 1e20, any fraction bits.
        const std::uint64_t bits =
            ((state >> 11) & ((std::uint64_t{1} << 52) - 1)) |
            (static_cast<std::uint64_t>(1023 - 66 + static_cast<int>((state >> 1) % 133)) << 52);
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        values.push_back(i % 2 == 0 ? value : -value);
    }
    for (const double value : values) {
        for (int32_t d = 0; d <= 22; ++d) {
            char digits[400];
            char* end = std::to_chars(digits, digits + sizeof digits, std::fabs(value),
                                      std::chars_format::fixed, d)
                            .ptr;
            if (d == 0) {
                *end++ = '.';
            }
            const std::string expected =
                (std::signbit(value) ? "-" : "") + std::string(digits, end);
            const std::optional<std::string> field = editFixed(value, 60, d);
            ASSERT_TRUE(field.has_value());
            EXPECT_EQ(field->substr(field->find_first_not_of(' ')), expected)
                << value << " with " << d << " decimals";
        }
    }
}

TEST(EditDescriptors, WideFieldsOfHugeValuesStayInBounds) {
    EXPECT_EQ(editFixed(1.0e300, 400, 50)->size(), 400U);
    EXPECT_EQ(editFixed(-1.0e300, 40, 5), std::string(40, '*'));
    EXPECT_EQ(editExponent(1.0e-300, 9, 2, 2, 1), "*********");
}

} // namespace
