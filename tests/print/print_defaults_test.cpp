#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "mfreport/print/primas_state.h"
#include "mfreport/print/print_defaults.h"
#include "mfreport/record/logical.h"
#include "mfreport/support/ident_store.h"

namespace {

using namespace mfreport::support;
using mfreport::print::primasState;
using mfreport::print::PRTDEF;

class PrintDefaults : public testing::Test {
protected:
    void SetUp() override { clearIdentStores(); }
    void TearDown() override { clearIdentStores(); }
};

TEST_F(PrintDefaults, WithoutIdents) {
    primasState() = mfreport::print::PrimasState();
    primasState().main_heading[0] = mfreport::record::FixedString<132>("old heading");
    PRTDEF();
    const auto& s = primasState();
    EXPECT_EQ(s.unit, 6);
    EXPECT_EQ(s.page_size, 60);
    EXPECT_EQ(s.line_width, 132);
    EXPECT_EQ(s.line_feeds, 1);
    EXPECT_EQ(s.line_count, 100000);
    EXPECT_EQ(s.page_advance_char, '\f');
    EXPECT_EQ(s.clear_after_write, mfreport::record::kTrue);
    EXPECT_EQ(s.main_heading[0].str(), std::string(132, ' '));
}

TEST_F(PrintDefaults, FromIdents) {
    for (const auto& [value, expected] : std::vector<std::pair<std::string, int32_t>>{
             {"72", 72}, {"0", 100000}, {"-3", 100000}, {"many", 60}}) {
        clearIdentStores();
        setTypedIdent("PRINT-PAGESIZE", kIdentText, value);
        PRTDEF();
        EXPECT_EQ(primasState().page_size, expected) << value;
    }
    for (const auto& [value, expected] : std::vector<std::pair<std::string, char>>{
             {"fOrTrAn", '1'}, {"ascii", '\f'}, {"LASER", '\f'}}) {
        clearIdentStores();
        setTypedIdent("PRINT-FORMFEED", kIdentWord, value);
        PRTDEF();
        EXPECT_EQ(primasState().page_advance_char, expected) << value;
    }
}

} // namespace
