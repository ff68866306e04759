// Failed writes in every kind and at every stage of a report: a full disk
// (/dev/full) and a file size limit that lets the first bytes through. Once a
// writing operation has answered false every later one does, close() answers
// false, and nothing crashes or ends the process.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "mfreport/mfreport.h"
#include "test_env.h"

namespace {

constexpr int kRecords = 6000; // more than any output buffer holds
// A package's records compress to a few bytes each and its compressor holds
// 64 KiB: so many records that it writes to the file during the table.
constexpr int kPackageRecords = 60000;

struct Call {
    std::string name;
    bool answer;
};

/// The answers of one report, and the file's size after each stage.
struct Answers {
    std::vector<Call> calls;
    std::vector<off_t> stageEnds;
};

off_t sizeOf(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 ? status.st_size : 0;
}

/// Writes one report: construction, a table's head, its records, content
/// after it (a contents pass, a second table) and close().
Answers writeReport(mfDevice::ReportType kind, const std::string& fileName,
                    const std::string& written) {
    Answers run;
    const auto note = [&run](const char* name, bool answer) {
        run.calls.push_back({name, answer});
    };
    const auto stageEnd = [&] { run.stageEnds.push_back(sizeOf(written)); };
    const mfReportClient client("BeamCalc", "Plane frames", "2.4.1", "01-NOV-2026");
    const mfReportHeader model("Footbridge", "Two spans", "bridge.mdl", "JD", "05-DEC-2026");
    std::unique_ptr<mfDevice> d(mfDevice::createDevice(client, fileName, kind, model));
    stageEnd();

    note("addHeading", d->addHeading("Results", 1));
    note("addParagraph", d->addParagraph("Element end forces of the load case ULS-1."));
    mfTableHeader header("FORCES", "Element end forces", 2);
    header.addNote("Positive normal force is tension.");
    std::unique_ptr<mfTable> t(d->addTable(header));
    mfTableColumn n("N", "Normal force", mfTableColumn::REAL);
    n.setWidth(12, 3, mfTableColumn::FIXED);
    mfTableColumn label("Label", "Element label", mfTableColumn::STRING);
    label.setWidth(16, 0, mfTableColumn::GENERAL);
    t->addColumn(mfTableColumn("Elem", "Element number", mfTableColumn::INTEGER));
    t->addColumn(n);
    t->addColumn(label);
    note("begin_table", t->begin_table());
    const auto record = [&](int k) {
        note("begin_record", t->begin_record());
        note("insertValue", t->insertValue(0, k));
        note("insertValue", t->insertValue(1, -12.5 * k));
        note("insertValue", t->insertValue(2, "element " + std::to_string(k)));
        note("end_record", t->end_record());
    };
    record(1);
    stageEnd();

    const bool packaged = kind == mfDevice::XLSX || kind == mfDevice::DOCX;
    for (int k = 2; k <= (packaged ? kPackageRecords : kRecords); ++k) {
        record(k);
    }
    note("flush", d->flush());
    stageEnd();

    note("end_table", t->end_table());
    t.reset();
    note("beginTOC", d->beginTOC());
    {
        mfTOCDevice contents(d.get());
        note("contents line", contents.addHeading("Results", 1));
    }
    note("endTOC", d->endTOC());
    note("addList", d->addList({"a", "first", "b", "second"}, 2));
    note("addPageBreak", d->addPageBreak());
    std::unique_ptr<mfTable> second(d->addTable(mfTableHeader("MORE", "More forces", 2)));
    second->addColumn(mfTableColumn("Elem", "Element number", mfTableColumn::INTEGER));
    note("begin_table", second->begin_table());
    note("begin_record", second->begin_record());
    note("insertValue", second->insertValue(0, 7));
    note("end_record", second->end_record());
    note("end_table", second->end_table());
    second.reset();
    stageEnd();

    note("close", d->close());
    note("close again", d->close());
    stageEnd();
    return run;
}

/// "" when the faulty run keeps the rules, otherwise the first broken one.
std::string brokenRule(const Answers& healthy, const Answers& faulty) {
    if (faulty.calls.size() != healthy.calls.size()) {
        return "another number of calls";
    }
    std::string failedAt;
    for (size_t i = 0; i < faulty.calls.size(); ++i) {
        const Call& h = healthy.calls[i];
        const Call& f = faulty.calls[i];
        const std::string call = "call " + std::to_string(i) + " (" + f.name + ")";
        if (f.answer && !h.answer) {
            return call + " answered true, though false without the fault";
        }
        if (!h.answer) {
            continue;
        }
        if (f.answer && !failedAt.empty()) {
            return call + " answered true after " + failedAt + " answered false";
        }
        if (!f.answer && failedAt.empty()) {
            failedAt = call;
        }
    }
    if (faulty.calls.back().answer || faulty.calls[faulty.calls.size() - 2].answer) {
        return "close() answered true";
    }
    return "";
}

/// Runs `body` in a child process; its text, or how the child ended when it
/// did not end normally.
std::string inChild(const std::function<std::string()>& body) {
    int fds[2];
    if (pipe(fds) != 0) {
        return "no pipe";
    }
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const std::string text = body();
        if (write(fds[1], text.data(), text.size()) < 0) {
            _exit(3);
        }
        _exit(0);
    }
    close(fds[1]);
    std::string text;
    char buffer[512];
    for (ssize_t got; (got = read(fds[0], buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<size_t>(got));
    }
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFSIGNALED(status)) {
        return "the child ended by signal " + std::to_string(WTERMSIG(status)) + "; " + text;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return "the child ended with status " + std::to_string(WEXITSTATUS(status)) + "; " + text;
    }
    return text;
}

struct KindFiles {
    mfDevice::ReportType kind;
    const char* stem;    ///< the name given to createDevice, in the temporary folder
    const char* written; ///< the file the device writes
};

class Faults : public ::testing::TestWithParam<KindFiles> {
protected:
    Faults()
        : folder_(std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                  "/mfreport-faults-" + std::to_string(getpid())) {
        mkdir(folder_.c_str(), 0700);
    }
    ~Faults() override {
        std::remove((folder_ + "/" + GetParam().written).c_str());
        std::remove((folder_ + "/" + GetParam().written + ".bak").c_str());
        rmdir(folder_.c_str());
    }
    std::string path(const std::string& name) const { return folder_ + "/" + name; }

    Answers healthy() {
        const Answers run =
            writeReport(GetParam().kind, path(GetParam().stem), path(GetParam().written));
        const Call& close = run.calls.back();
        EXPECT_TRUE(close.answer) << "the report failed without a fault";
        return run;
    }

private:
    mftest::FixedClock clock_{"1796585527"};
    std::string folder_;
};

/// Writes the report in a child whose files may not grow beyond `limit`
/// bytes (no limit when negative); "" when the rules held.
std::string faultyReport(const Answers& reference, const KindFiles& kind,
                         const std::string& fileName, const std::string& written, off_t limit) {
    return inChild([&] {
        if (limit >= 0) {
            const rlimit size{static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)};
            if (setrlimit(RLIMIT_FSIZE, &size) != 0 || signal(SIGXFSZ, SIG_IGN) == SIG_ERR) {
                return std::string("cannot set the limit");
            }
        }
        const Answers faulty = writeReport(kind.kind, fileName, written);
        if (limit >= 0 && sizeOf(written) > limit) {
            return std::string("the file outgrew the limit");
        }
        return brokenRule(reference, faulty);
    });
}

TEST_P(Faults, FullDiskFromTheFirstByte) {
    const Answers reference = healthy();
    if (GetParam().kind == mfDevice::TEXT || GetParam().kind == mfDevice::TEXT_CSV) {
        // The text kinds add an extension to the name and create the file as
        // a new one, so /dev/full cannot stand in for it: a size limit of 0
        // fails every write in the same way.
        EXPECT_EQ(
            faultyReport(reference, GetParam(), path(GetParam().stem), path(GetParam().written), 0),
            "");
    } else {
        EXPECT_EQ(faultyReport(reference, GetParam(), "/dev/full", "/dev/full", -1), "");
    }
}

TEST_P(Faults, FileSizeLimitReachedAtEveryStage) {
    const Answers reference = healthy();
    const std::vector<off_t>& ends = reference.stageEnds;
    ASSERT_EQ(ends.size(), 5U);
    // A limit inside the bytes of each stage that writes any, and one that
    // fails only the last byte.
    std::set<off_t> limits = {0, ends.back() - 1};
    off_t start = 0;
    for (const off_t end : ends) {
        if (end > start + 1) {
            limits.insert((start + end) / 2);
        }
        start = end;
    }
    for (const off_t limit : limits) {
        SCOPED_TRACE("file size limit " + std::to_string(limit) + " of " +
                     std::to_string(ends.back()));
        const std::string result = faultyReport(reference, GetParam(), path(GetParam().stem),
                                                path(GetParam().written), limit);
        EXPECT_EQ(result, "");
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, Faults,
                         ::testing::Values(KindFiles{mfDevice::HTML, "report.html", "report.html"},
                                           KindFiles{mfDevice::XML_SS, "book.xml", "book.xml"},
                                           KindFiles{mfDevice::XML_WP, "doc.xml", "doc.xml"},
                                           KindFiles{mfDevice::TEXT, "report", "report.LIS"},
                                           KindFiles{mfDevice::TEXT_CSV, "report", "report.csv"},
                                           KindFiles{mfDevice::XLSX, "book.xlsx", "book.xlsx"},
                                           KindFiles{mfDevice::DOCX, "doc.docx", "doc.docx"}),
                         [](const auto& info) {
                             switch (info.param.kind) {
                             case mfDevice::HTML:
                                 return std::string("Html");
                             case mfDevice::XML_SS:
                                 return std::string("Workbook");
                             case mfDevice::XML_WP:
                                 return std::string("Document");
                             case mfDevice::TEXT:
                                 return std::string("Text");
                             case mfDevice::XLSX:
                                 return std::string("Package");
                             case mfDevice::DOCX:
                                 return std::string("DocumentPackage");
                             default:
                                 return std::string("Csv");
                             }
                         });

} // namespace
