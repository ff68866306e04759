// Helpers for the text report tests: a scratch folder as the working
// directory (reports, backups and dumps land there), a fixed clock, fixed
// host facts and empty ident stores, as the banner's golden page assumes.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "golden.h"
#include "mfreport/device/mfDevice.h"
#include "mfreport/device/mfTable.h"
#include "mfreport/platform/host.h"
#include "mfreport/record/record_io.h"
#include "mfreport/support/host_info.h"
#include "mfreport/support/ident_store.h"
#include "test_env.h"

namespace mftest {

class TextReport : public testing::Test {
protected:
    void SetUp() override {
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  ("mfreport-" + std::to_string(getpid()) + "-" + test->name());
        std::filesystem::create_directories(folder_);
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(folder_);
        mfreport::support::clearIdentStores();
        mfreport::support::resetHostInfo();
        mfreport::platform::setHostFacts(
            mfreport::platform::HostFacts{"jdoe", "BRIDGE-WS01", 8664, "Linux 6.1 [0]", 123456789});
    }
    void TearDown() override {
        mfreport::record::closeUnit(20);
        mfreport::record::closeUnit(21);
        mfreport::platform::setHostFacts(std::nullopt);
        mfreport::support::resetHostInfo();
        mfreport::support::clearIdentStores();
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(folder_);
    }

    std::unique_ptr<mfDevice> device(mfDevice::ReportType type = mfDevice::TEXT,
                                     const std::string& name = "report") {
        return std::unique_ptr<mfDevice>(mfDevice::createDevice(client_, name, type, model_));
    }
    std::unique_ptr<mfTable> table(mfDevice& device, const std::string& name,
                                   const std::string& title = "Results") {
        return std::unique_ptr<mfTable>(device.addTable(mfTableHeader(name, title, 2)));
    }

    static std::string golden(const std::string& name) {
        return readFile(MFREPORT_SOURCE_DIR "/tests/golden/text/" + name);
    }
    /// The banner page that the fixture's client and host give.
    static std::string bannerPage() {
        return readFile(MFREPORT_SOURCE_DIR "/tests/golden/banner/long.txt");
    }

    FixedClock clock_{"1796585527"}; // 06-DEC-2026 19:32:07
    const mfReportClient client_{"BEAMCALC", "Plane frame analysis", "2.4.1", "01-NOV-2026"};
    const mfReportHeader model_{"Bridge", "Footbridge", "bridge.mdl", "JD", "05-DEC-2026"};

private:
    std::filesystem::path folder_;
    std::filesystem::path previous_;
};

/// A column with a unit factor of 1, its width, decimals and format set.
inline mfTableColumn column(const std::string& name, const std::string& description,
                            mfTableColumn::col_type type, size_t width, size_t decimals = 0,
                            mfTableColumn::fmt_type format = mfTableColumn::FIXED,
                            const std::string& unit = "") {
    mfTableColumn c(name, description, type);
    c.setWidth(width, decimals, format);
    if (!unit.empty()) {
        c.setUnits(unit, 1.0);
    }
    return c;
}

/// The pages of a print file, split at the page-advance records (the first
/// entry is what precedes the first one).
inline std::vector<std::vector<std::string>> pages(const std::string& file) {
    std::vector<std::vector<std::string>> result(1);
    for (const std::string& line : splitLines(file)) {
        if (line == "\f") {
            result.emplace_back();
        } else {
            result.back().push_back(line);
        }
    }
    return result;
}

} // namespace mftest
