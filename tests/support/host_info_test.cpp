#include <string>

#include <gtest/gtest.h>

#include "mfreport/platform/host.h"
#include "mfreport/support/host_info.h"
#include "mfreport/support/ident_store.h"
#include "mfreport/support/idents.h"

namespace {

using namespace mfreport::support;
using mfreport::platform::HostFacts;
using mfreport::platform::setHostFacts;

std::string pad(const std::string& text, size_t length) {
    return text + std::string(length - text.size(), ' ');
}

class HostInfo : public testing::Test {
protected:
    void SetUp() override {
        clearIdentStores();
        resetHostInfo();
        setHostFacts(HostFacts{"jdoe", "BRIDGE-WS01", 8664, "Linux 6.1 [0]", 123456789});
    }
    void TearDown() override {
        setHostFacts(std::nullopt);
        resetHostInfo();
        clearIdentStores();
        identKeyTable() = IdentKeyTable(); // a typed look-up built it
    }

    // SYSINF's installation text in a field of `length` characters.
    std::string installation(size_t length = 25) {
        std::string text(length, '?');
        std::string processor(25, '?');
        std::string system(25, '?');
        SYSINF(text, processor, system, host_id, upper);
        return text;
    }

    int32_t host_id = -1;
    int32_t upper = 7;
};

TEST_F(HostInfo, SysinfGivesTheHostTextsAtTheCallersLength) {
    std::string inst(25, '?');
    std::string processor(25, '?');
    std::string system(10, '?');
    SYSINF(inst, processor, system, host_id, upper);
    EXPECT_EQ(inst, pad(", BRIDGE-WS01", 25)); // empty ident store: "," and the name
    EXPECT_EQ(processor, pad("8664", 25));
    EXPECT_EQ(system, "Linux 6.1 ");
    EXPECT_EQ(host_id, 123456789);
    EXPECT_EQ(upper, kFalse);
}

TEST_F(HostInfo, SysinfKeepsItsFirstAnswers) {
    const std::string first = installation();
    const int32_t id = host_id;
    setHostFacts(HostFacts{"other", "ELSEWHERE", 586, "Linux 7.0 [1]", 5});
    addIdentRecord("LETTER-CASE UPPER");
    EXPECT_EQ(installation(), first);
    EXPECT_EQ(host_id, id);
    EXPECT_EQ(upper, kFalse);
    resetHostInfo();
    EXPECT_EQ(installation(), pad(", ELSEWHERE", 25));
    EXPECT_EQ(host_id, 5);
    EXPECT_EQ(upper, kTrue);
}

TEST_F(HostInfo, InstallationIdentPrecedesTheComputerNameWhileItFits) {
    addIdentRecord("INSTALLATION ZEB-Oslo");
    EXPECT_EQ(installation(50), pad("ZEB-Oslo BRIDGE-WS01", 50));
    clearIdentStores();
    resetHostInfo();
    const std::string word48(48, 'W');
    addIdentRecord("INSTALLATION " + word48);
    EXPECT_EQ(installation(50), word48 + " B"); // the name starts in column 50
    clearIdentStores();
    resetHostInfo();
    const std::string word49(49, 'W');
    addIdentRecord("INSTALLATION " + word49);
    EXPECT_EQ(installation(50), word49 + " "); // no room for the name
}

TEST_F(HostInfo, UsrinfGivesUserCutTo20BlankAccountAndBatchFlag) {
    setHostFacts(HostFacts{"a.very.long.login.name", "", 0, "", 0});
    std::string user(25, '?');
    std::string account(8, '?');
    int32_t batch = 7;
    USRINF(user, account, batch);
    EXPECT_EQ(user, pad("a.very.long.login.na", 25));
    EXPECT_EQ(account, std::string(8, ' '));
    EXPECT_EQ(batch, kFalse);

    resetHostInfo();
    clearIdentStores(); // the run mode is asked once
    setHostFacts(HostFacts{});
    setTypedIdent("RUN-MODE", kIdentText, std::string("batch"));
    USRINF(user, account, batch);
    EXPECT_EQ(user, std::string(25, ' ')); // an unknown user is blank
    EXPECT_EQ(batch, kTrue);
}

} // namespace
