#include <gtest/gtest.h>

#include "mfreport/platform/host.h"

namespace {

using namespace mfreport::platform;

TEST(HostVersionText, WindowsFormsFromThePackedVersion) {
    EXPECT_EQ(windowsVersionText(0x23F00206U), "Win NT 6.2 [9200]");
    EXPECT_EQ(windowsVersionText(0x0000000AU), "Win NT 10.0 [0]");
    EXPECT_EQ(windowsVersionText(0x80000A03U), "Win32s 3.10 [0]");    // top bit set, major below 4
    EXPECT_EQ(windowsVersionText(0xC3B60004U), "Win 95 4.0 [17334]"); // build loses the top bit
}

TEST(HostVersionText, OtherSystemsUseTheirOwnNameAndRelease) {
    EXPECT_EQ(posixVersionText("Linux", "6.1.0-18-amd64"), "Linux 6.1 [0]");
    EXPECT_EQ(posixVersionText("Linux", "5.15.90.1-microsoft-standard-WSL2"), "Linux 5.15 [90]");
    EXPECT_EQ(posixVersionText("Darwin", "23"), "Darwin 23.0 [0]");
    EXPECT_EQ(posixVersionText("Odd", "99999999999.1"), "Odd 4294967295.1 [0]");
}

TEST(HostQueries, HostIdIsStableAndNotNegative) {
    const int32_t id = hostId();
    EXPECT_GE(id, 0);
    EXPECT_EQ(hostId(), id);
}

TEST(HostQueries, SetFactsReplaceTheSystemUntilCleared) {
    const std::string system = hostSystemText();
    setHostFacts(HostFacts{"jdoe", "BRIDGE-WS01", 8664, "Test 1.2 [3]", 42});
    EXPECT_EQ(hostUserName(), "jdoe");
    EXPECT_EQ(hostComputerName(), "BRIDGE-WS01");
    EXPECT_EQ(hostProcessorType(), 8664);
    EXPECT_EQ(hostSystemText(), "Test 1.2 [3]");
    EXPECT_EQ(hostId(), 42);
    setHostFacts(std::nullopt);
    EXPECT_EQ(hostSystemText(), system);
}

} // namespace
