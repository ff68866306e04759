// Numeric edit descriptors and whole records against the output of a Fortran
// compiler for the same formats and values (tests/data/fortran_edit_cases.txt,
// made by tests/tools/make_fortran_edit_cases.sh).
#include <cstring>
#include <fstream>
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

// One reference line: <type> <descriptor> <value> |<field>|
struct ReferenceCase {
    std::string line;
    std::string type;
    std::string descriptor;
    std::string value;
    std::string expected;
};

std::vector<ReferenceCase> referenceCases() {
    std::ifstream in(MFREPORT_TEST_DATA "/fortran_edit_cases.txt");
    std::vector<ReferenceCase> cases;
    for (std::string line; std::getline(in, line);) {
        const size_t a = line.find(' ');
        const size_t b = line.find(' ', a + 1);
        const size_t bar = line.find('|');
        cases.push_back({line, line.substr(0, a), line.substr(a + 1, b - a - 1),
                         line.substr(b + 1, bar - b - 2),
                         line.substr(bar + 1, line.rfind('|') - bar - 1)});
    }
    return cases;
}

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

TEST(EditDescriptors, MatchFortranReferenceOutput) {
    int cases = 0;
    for (const ReferenceCase& c : referenceCases()) {
        if (c.type != "REC") {
            EXPECT_EQ(edit(c.type, c.descriptor, c.value).value_or("<malformed>"), c.expected)
                << c.line;
            ++cases;
        }
    }
    EXPECT_GT(cases, 2000);
}

// A record format such as (A,2X,I0.0) with the items 'ab',0 as format items.
std::vector<FormatItem> recordItems(const std::string& descriptor, const std::string& values,
                                    std::vector<std::string>& texts) {
    static const std::regex blanks(R"((\d+)X)");
    static const std::regex integer(R"(I(\d+)(?:\.(\d+))?)");
    std::vector<std::string> items;
    std::istringstream valueList(values);
    for (std::string v; std::getline(valueList, v, ',');) {
        items.push_back(v);
    }
    texts.clear();
    texts.reserve(items.size());
    std::vector<FormatItem> format;
    std::istringstream descriptors(descriptor.substr(1, descriptor.size() - 2));
    size_t next = 0;
    std::smatch m;
    for (std::string d; std::getline(descriptors, d, ',');) {
        if (d == "A" && next < items.size()) {
            const std::string& quoted = items[next++];
            texts.push_back(quoted.substr(1, quoted.size() - 2));
            format.emplace_back(item::A(texts.back()));
        } else if (std::regex_match(d, m, blanks)) {
            format.emplace_back(item::X(std::stoi(m[1])));
        } else if (std::regex_match(d, m, integer) && next < items.size()) {
            format.emplace_back(item::I(std::stoi(items[next++]), std::stoi(m[1]),
                                        m[2].matched ? std::stoi(m[2]) : 1));
        } else {
            ADD_FAILURE() << "unknown record format " << descriptor;
        }
    }
    return format;
}

TEST(RecordFormats, MatchFortranReferenceRecords) {
    mftest::TempFile file("reference-records.txt");
    OpenRequest request;
    request.unit = 32;
    request.file = file.path();
    ASSERT_EQ(openUnit(request), kIoOk);
    std::string expected;
    std::vector<std::string> texts;
    for (const ReferenceCase& c : referenceCases()) {
        if (c.type != "REC") {
            continue;
        }
        const std::vector<FormatItem> f = recordItems(c.descriptor, c.value, texts);
        int32_t status = kIoBadFormat;
        switch (f.size()) {
        case 1:
            status = writeRecord(32, {f[0]});
            break;
        case 2:
            status = writeRecord(32, {f[0], f[1]});
            break;
        case 3:
            status = writeRecord(32, {f[0], f[1], f[2]});
            break;
        case 4:
            status = writeRecord(32, {f[0], f[1], f[2], f[3]});
            break;
        default:
            ADD_FAILURE() << "too many items: " << c.line;
        }
        EXPECT_EQ(status, kIoOk) << c.line;
        expected += c.expected + "\n";
    }
    closeUnit(32);
    EXPECT_GT(expected.size(), 10U);
    EXPECT_TRUE(mftest::sameLines(mftest::readFile(file.path()), expected));
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

TEST(EditDescriptors, WideFieldsOfHugeValuesStayInBounds) {
    EXPECT_EQ(editFixed(1.0e300, 400, 50)->size(), 400U);
    EXPECT_EQ(editFixed(-1.0e300, 40, 5), std::string(40, '*'));
    EXPECT_EQ(editExponent(1.0e-300, 9, 2, 2, 1), "*********");
}

} // namespace
