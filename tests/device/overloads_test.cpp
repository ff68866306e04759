// The arithmetic overloads of insertValue and the owning factory.
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "mfreport/mfreport.h"
#include "recording_device.h"
#include "test_env.h"

namespace {

// Records which variant received each cell.
class RecordingTable : public mfTable {
public:
    using mfTable::mfTable;
    std::vector<std::string> cells;

    bool begin_table() override { return true; }
    bool begin_record() override { return true; }
    bool insertValue(int column, const std::string& value, const std::string* link) override {
        return record(column, "text " + value, link);
    }
    bool insertValue(int column, const double& value, const std::string* link) override {
        char text[64];
        std::snprintf(text, sizeof text, "double %.17g", value);
        return record(column, text, link);
    }
    bool insertValue(int column, const int& value, const std::string* link) override {
        return record(column, "int " + std::to_string(value), link);
    }
    bool end_record() override { return true; }
    bool end_table() override { return true; }

private:
    bool record(int column, const std::string& cell, const std::string* link) {
        cells.push_back(std::to_string(column) + " " + cell + (link ? " -> " + *link : ""));
        return true;
    }
};

template <typename T, typename Table = mfTable, typename = void>
struct Insertable : std::false_type {};
template <typename T, typename Table>
struct Insertable<T, Table,
                  std::void_t<decltype(std::declval<Table&>().insertValue(
                      0, std::declval<T>(), static_cast<const std::string*>(nullptr)))>>
    : std::true_type {};

// An ambiguous call would make the expression ill-formed.
static_assert(Insertable<int>::value && Insertable<double>::value);
static_assert(Insertable<std::string>::value && Insertable<const char*>::value);
static_assert(Insertable<std::size_t>::value && Insertable<long>::value);
static_assert(Insertable<long long>::value && Insertable<unsigned>::value);
static_assert(Insertable<unsigned long long>::value && Insertable<short>::value);
static_assert(Insertable<unsigned char>::value && Insertable<char>::value);
static_assert(Insertable<bool>::value && Insertable<float>::value);
static_assert(Insertable<long double>::value && Insertable<const std::int64_t&>::value);
static_assert(!Insertable<void*>::value);
// Callers holding a writer's own type see the same overloads.
static_assert(Insertable<std::size_t, mfTableHtml>::value &&
              Insertable<float, mfTableXmlSS>::value);
static_assert(Insertable<long, mfTableXmlWP>::value && Insertable<short, mfTableText>::value);

template <typename... Values>
std::vector<std::string> cellsOf(Values... values) {
    mftest::RecordingDevice device;
    RecordingTable table(mfTableHeader("T", "Table", 1), &device);
    mfTable& t = table;
    (t.insertValue(0, values), ...);
    return table.cells;
}

TEST(InsertValueOverloads, IntegersThatFitAnIntArriveAsInt) {
    EXPECT_EQ(cellsOf(std::size_t{7}, -3L, short{-2}, true, 'A', 2147483647LL, -2147483648LL,
                      static_cast<unsigned char>(200)),
              (std::vector<std::string>{"0 int 7", "0 int -3", "0 int -2", "0 int 1", "0 int 65",
                                        "0 int 2147483647", "0 int -2147483648", "0 int 200"}));
}

TEST(InsertValueOverloads, WiderIntegersArriveAsDoubleWhenExactOtherwiseAsText) {
    using u64 = std::uint64_t;
    using i64 = std::int64_t;
    EXPECT_EQ(
        cellsOf(2147483648LL, -2147483649LL, 4000000000U, u64{1} << 53, (u64{1} << 53) + 1,
                -(i64{1} << 53) - 1, std::numeric_limits<i64>::min(),
                std::numeric_limits<u64>::max(), u64{1} << 63, u64{3} << 60),
        (std::vector<std::string>{
            "0 double 2147483648", "0 double -2147483649", "0 double 4000000000",
            "0 double 9007199254740992", "0 text 9007199254740993", "0 text -9007199254740993",
            "0 double -9.2233720368547758e+18", "0 text 18446744073709551615",
            "0 double 9.2233720368547758e+18", "0 double 3.4587645138205409e+18"}));
}

TEST(InsertValueOverloads, FloatingPointArrivesAsDoubleAndExistingCallsAreUnchanged) {
    EXPECT_EQ(cellsOf(0.5F, 2.25L, 4, 1.5, std::string("s"), "c"),
              (std::vector<std::string>{"0 double 0.5", "0 double 2.25", "0 int 4", "0 double 1.5",
                                        "0 text s", "0 text c"}));
}

TEST(InsertValueOverloads, ColumnAndLinkPassThrough) {
    mftest::RecordingDevice device;
    RecordingTable table(mfTableHeader("T", "Table", 1), &device);
    mfTable& t = table;
    const std::string anchor = "N1";
    EXPECT_TRUE(t.insertValue(2, std::size_t{5}, &anchor));
    EXPECT_TRUE(t.insertValue(3, std::uint64_t{1} << 60, &anchor));
    EXPECT_TRUE(t.insertValue(4, std::numeric_limits<std::uint64_t>::max(), &anchor));
    EXPECT_EQ(table.cells,
              (std::vector<std::string>{"2 int 5 -> N1", "3 double 1.152921504606847e+18 -> N1",
                                        "4 text 18446744073709551615 -> N1"}));
}

TEST(OwningFactory, BuildsWhatCreateDeviceBuilds) {
    mftest::TempFile file("owning.html");
    const mfReportClient client;
    const mfReportHeader model;
    using RT = mfDevice::ReportType;
    const std::pair<RT, RT> kinds[] = {
        {mfDevice::TEXT, mfDevice::TEXT},     {mfDevice::HTML, mfDevice::HTML},
        {mfDevice::XML_SS, mfDevice::XML_SS}, {mfDevice::XML_WP, mfDevice::XML_WP},
        {mfDevice::TEXT_CSV, mfDevice::TEXT}, {mfDevice::TOC, mfDevice::TEXT}};
    for (const auto& [kind, built] : kinds) {
        std::unique_ptr<mfDevice> device = mfDevice::create(client, file.path(), kind, model);
        ASSERT_NE(device, nullptr);
        EXPECT_EQ(device->report_type(), built) << kind;
    }
    try {
        mfDevice::create(client, "/nonexistent-dir/x.html", mfDevice::HTML, model);
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Unable to open file /nonexistent-dir/x.html.\nIs file locked by another "
                  "program or an illegal filename specified ?");
    }
}

} // namespace
