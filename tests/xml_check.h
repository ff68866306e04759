// Parses a written document with xmllint, so that no test passes on an
// ill-formed file.
#pragma once

#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace mftest {

/// Runs xmllint on `path` and returns its messages when it fails; "" means
/// well-formed (validity messages, such as a repeated id, do not count). With
/// `loadDtd` the XHTML DTD (for its entities) comes from the copy in the test
/// data, never from the network or the system.
inline std::string xmllintMessages(const std::string& path, bool loadDtd = false) {
    const std::string command = std::string("XML_CATALOG_FILES='" MFREPORT_TEST_DATA
                                            "/xhtml1/catalog.xml' xmllint --noout --nonet ") +
                                (loadDtd ? "--loaddtd " : "") + "'" + path + "' 2>&1; echo rc=$?";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) {
        return "cannot run xmllint";
    }
    std::string output;
    std::array<char, 512> buffer;
    while (fgets(buffer.data(), static_cast<int>(buffer.size()), pipe.get()) != nullptr) {
        output += buffer.data();
    }
    const std::string success = "rc=0\n";
    const bool passed =
        output.size() >= success.size() &&
        output.compare(output.size() - success.size(), success.size(), success) == 0;
    return passed ? "" : output;
}

#define EXPECT_WELL_FORMED(path) EXPECT_EQ(mftest::xmllintMessages(path), "")
#define EXPECT_WELL_FORMED_XHTML(path) EXPECT_EQ(mftest::xmllintMessages(path, true), "")

} // namespace mftest
