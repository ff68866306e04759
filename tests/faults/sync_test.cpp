// close() answers whether the report reached stable storage: a failing
// synchronisation, stood in for here by this program's own fdatasync, turns
// close() false in every kind.
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "mfreport/mfreport.h"
#include "test_env.h"

namespace {

bool syncFails = false;
int syncCalls = 0;

} // namespace

// Takes the place of the C library's function in this program.
extern "C" int fdatasync(int fd) {
    ++syncCalls;
    if (syncFails) {
        errno = EIO;
        return -1;
    }
    return static_cast<int>(syscall(SYS_fdatasync, fd));
}

namespace {

bool writeReport(mfDevice::ReportType kind, const std::string& name) {
    const mfReportClient client("BeamCalc", "Plane frames", "2.4.1", "01-NOV-2026");
    const mfReportHeader model("Footbridge", "Two spans", "bridge.mdl", "JD", "05-DEC-2026");
    auto d = mfDevice::create(client, name, kind, model);
    std::unique_ptr<mfTable> t(d->addTable(mfTableHeader("FORCES", "Element end forces", 2)));
    t->addColumn(mfTableColumn("Elem", "Element number", mfTableColumn::INTEGER));
    bool written = t->begin_table() && t->begin_record() && t->insertValue(0, 1) &&
                   t->end_record() && t->end_table() && d->flush();
    t.reset();
    const bool closed = d->close();
    EXPECT_EQ(d->close(), closed); // the same answer again
    return written && closed;
}

TEST(StableStorage, CloseAnswersWhetherTheFileReachedIt) {
    mftest::FixedClock clock("1796585527");
    const struct {
        mfDevice::ReportType kind;
        const char* stem;
        const char* written;
    } kinds[] = {{mfDevice::HTML, "sync.html", "sync.html"},
                 {mfDevice::XML_SS, "sync.xml", "sync.xml"},
                 {mfDevice::XML_WP, "sync-doc.xml", "sync-doc.xml"},
                 {mfDevice::TEXT, "sync", "sync.LIS"},
                 {mfDevice::TEXT_CSV, "sync", "sync.csv"}};
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.written);
        mftest::TempFile stem(k.stem);
        mftest::TempFile written(k.written);
        mftest::TempFile backup(std::string(k.written) + ".bak");
        syncFails = false;
        syncCalls = 0;
        EXPECT_TRUE(writeReport(k.kind, stem.path()));
        EXPECT_EQ(syncCalls, 1);
        syncFails = true;
        EXPECT_FALSE(writeReport(k.kind, stem.path()));
        syncFails = false;
    }
}

} // namespace
