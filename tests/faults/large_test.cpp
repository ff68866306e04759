// A table of a million records in every kind: every record reaches the file
// (a package's worksheet), the last one last, and the memory the writing takes
// stays far below the file's size. Each kind is written in a child process, so
// that its peak memory is its own.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "memory_probe.h"
#include "mfreport/mfreport.h"
#include "package_reader.h"
#include "test_env.h"

namespace {

constexpr int kRecords = 1000000;

using mftest::kAddressSanitizer;
using mftest::statusField;

/// Writes the table and returns how far the peak resident memory rose, in
/// kB, from the end of the first record (what the device and the table hold
/// from the start does not grow with the records).
long writeLargeTable(mfDevice::ReportType kind, const std::string& fileName) {
    long before = 0;
    {
        const mfReportClient client("BeamCalc", "Plane frames", "2.4.1", "01-NOV-2026");
        std::unique_ptr<mfDevice> d(
            mfDevice::createDevice(client, fileName, kind, mfReportHeader()));
        std::unique_ptr<mfTable> t(d->addTable(mfTableHeader("FORCES", "Element end forces", 1)));
        mfTableColumn n("N", "Normal force", mfTableColumn::REAL);
        n.setWidth(12, 1, mfTableColumn::FIXED);
        mfTableColumn label("Label", "Element label", mfTableColumn::STRING);
        label.setWidth(12, 0, mfTableColumn::GENERAL);
        t->addColumn(mfTableColumn("Elem", "Element number", mfTableColumn::INTEGER));
        t->addColumn(n);
        t->addColumn(label);
        bool written = t->begin_table();
        for (int k = 1; k <= kRecords; ++k) {
            written &= t->begin_record();
            t->insertValue(0, k);
            t->insertValue(1, 0.5 * k);
            t->insertValue(2, "rec-" + std::to_string(k));
            written &= t->end_record();
            if (k == 1) {
                // Peak memory counts from here on: 5 resets it to the current size.
                std::ofstream("/proc/self/clear_refs") << "5";
                before = statusField("VmRSS");
            }
        }
        written &= t->end_table();
        t.reset();
        if (!written || !d->close()) {
            return -1;
        }
    }
    return statusField("VmHWM") - before;
}

/// The growth of peak memory in the child, or -1 when it failed.
long inChild(mfDevice::ReportType kind, const std::string& fileName) {
    int fds[2];
    if (pipe(fds) != 0) {
        return -1;
    }
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const long growth = writeLargeTable(kind, fileName);
        const bool sent = write(fds[1], &growth, sizeof growth) == sizeof growth;
        _exit(sent ? 0 : 1);
    }
    close(fds[1]);
    long growth = -1;
    if (read(fds[0], &growth, sizeof growth) != sizeof growth) {
        growth = -1;
    }
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? growth : -1;
}

struct Large {
    mfDevice::ReportType kind;
    const char* stem;
    const char* written;
};

class LargeTable : public ::testing::TestWithParam<Large> {};

TEST_P(LargeTable, EveryRecordInConstantMemory) {
    const mftest::FixedClock clock("1796585527");
    const mftest::TempFile name(GetParam().stem);
    const mftest::TempFile file(GetParam().written);
    const long growth = inChild(GetParam().kind, name.path());
    ASSERT_GE(growth, 0) << "the report failed";
    RecordProperty("peak_growth_kB", std::to_string(growth));

    // A package's records are in its worksheet or body part.
    const bool packaged = GetParam().kind == mfDevice::XLSX || GetParam().kind == mfDevice::DOCX;
    const std::string text =
        packaged ? mftest::packageText(file.path()) : mftest::readFile(file.path());
    const size_t fileSize = packaged ? mftest::readFile(file.path()).size() : text.size();
    size_t count = 0;
    size_t last = std::string::npos;
    size_t before = std::string::npos;
    for (size_t at = text.find("rec-"); at != std::string::npos; at = text.find("rec-", at + 4)) {
        ++count;
        before = last;
        last = at;
    }
    EXPECT_EQ(count, static_cast<size_t>(kRecords));
    ASSERT_NE(before, std::string::npos);
    EXPECT_EQ(text.substr(last, 12), "rec-1000000" + std::string(1, text[last + 11]));
    EXPECT_FALSE(text[last + 11] >= '0' && text[last + 11] <= '9');
    // The last record's number stands between the last two labels.
    EXPECT_NE(text.substr(before, last - before).find("1000000"), std::string::npos);
    // Far below the file: a sixteenth of it at most. AddressSanitizer keeps
    // freed memory back for a while, so there the peak says nothing.
    if (kAddressSanitizer) {
        return;
    }
    EXPECT_LT(growth * 1024, static_cast<long>(fileSize / 16))
        << "peak memory grew by " << growth << " kB for a file of " << fileSize << " bytes";
}

INSTANTIATE_TEST_SUITE_P(EveryKind, LargeTable,
                         ::testing::Values(Large{mfDevice::HTML, "large.html", "large.html"},
                                           Large{mfDevice::XML_SS, "large-ss.xml", "large-ss.xml"},
                                           Large{mfDevice::XML_WP, "large-wp.xml", "large-wp.xml"},
                                           Large{mfDevice::TEXT, "large", "large.LIS"},
                                           Large{mfDevice::TEXT_CSV, "large", "large.csv"},
                                           Large{mfDevice::XLSX, "large.xlsx", "large.xlsx"},
                                           Large{mfDevice::DOCX, "large.docx", "large.docx"}));

} // namespace
