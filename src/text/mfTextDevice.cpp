#include "mfreport/text/mfTextDevice.h"

#include <cstdint>

#include "mfreport/platform/maker.h"
#include "mfreport/print/primas_state.h"
#include "mfreport/print/print_channels.h"
#include "mfreport/print/print_defaults.h"
#include "mfreport/record/fixed_text.h"
#include "mfreport/record/logical.h"
#include "mfreport/record/record_io.h"
#include "mfreport/support/banner.h"
#include "mfreport/text/channels.h"
#include "mfreport/text/formatter_state.h"
#include "mfreport/text/mfTableText.h"
#include "mfreport/text/printable.h"

namespace {

using namespace mfreport;

constexpr int32_t kDumpUnit = 20;
constexpr int32_t kReportUnit = 21;
constexpr int32_t kPageLength = 55;
constexpr int32_t kEndlessPage = 999999;

} // namespace

mfTextDevice::mfTextDevice(const mfReportClient& client, const std::string& file_name,
                           bool comma_separated)
    : client_(client), file_name_(file_name), comma_separated_(comma_separated) {
    const std::string name = text::printable(client_.name());
    const std::string description = text::printable(client_.description());
    const std::string version = text::printable(client_.version());
    const std::string versionDate = text::printable(client_.version_date());

    // An earlier text device gives the page manager up closed: its records
    // reach its file, and its close() answers how that went.
    if (mfTextDevice* earlier = text::reportState().owner) {
        earlier->close();
    }
    print::PRTDEF();
    print::primasState().page_advance_char = '\f';
    int32_t status = 0;
    text::PTINIT(kDumpUnit, status);
    text::ReportState& report = text::reportState();
    record::assign(report.program_name.view(), name);
    record::assign(report.program_description.view(), description);
    record::assign(report.program_version.view(), version);
    record::assign(report.version_date.view(), versionDate);
    record::FixedString<20> update;
    record::FixedString<100> notes;
    // The maker as it is now names this report: its heading and banner page.
    const Maker& maker = mfreport::maker();
    support::setBannerMaker(maker);
    text::PTPRID(maker.suite, report.program_name, report.program_description,
                 report.program_version, update, notes, report.version_date, 0, record::TextArray(),
                 status);

    int32_t channel = 0;
    text::PTDCHN("PFILE", kReportUnit,
                 comma_separated_ ? print::kCommaSeparatedChannel : print::kPrintChannel, channel,
                 status);
    text::PTGEOM(channel, comma_separated_ ? kEndlessPage : kPageLength, -1, status);
    text::PTREPF("open", file_name_, status);
    named_ = status == 0; // a blank name leaves the report without a file
    text::reportState().owner = this;
}

mfTextDevice::~mfTextDevice() {
    close();
    if (text::reportState().owner == this) {
        text::reportState().owner = nullptr;
    }
}

bool mfTextDevice::close() {
    if (!closed_) {
        closed_ = true;
        close_result_ = closeReport() && named_;
    }
    return close_result_;
}

int32_t mfTextDevice::reportUnit(bool& failed) const {
    failed = false;
    const int32_t channel = text::reportState().report_channel;
    if (channel < 1 || channel > print::kMaxChannels) {
        return 0;
    }
    const auto c = static_cast<size_t>(channel - 1);
    const int32_t unit = text::channelUnit(channel);
    const bool open = unit != 0 && record::isTrue(print::printChannels().banner_written[c]);
    // A file that could not be created failed as much as one a write failed on.
    failed = (open && record::writeFailed(unit)) || text::reportState().channel[c].create_failed;
    return open ? unit : 0;
}

bool mfTextDevice::closeReport() {
    if (text::reportState().owner != this) {
        return true; // a later device has taken the report state over
    }
    bool failed = false;
    const int32_t unit = reportUnit(failed);
    int32_t status = 0;
    text::PTREPF("close", " ", status);
    // Closing writes the last records and puts the file on stable storage.
    return status == 0 && !failed && (unit == 0 || !record::writeFailed(unit));
}

bool mfTextDevice::flush() {
    if (closed_ || text::reportState().owner != this) {
        return false;
    }
    bool failed = false;
    const int32_t unit = reportUnit(failed);
    if (unit != 0 && !failed) {
        record::flushUnit(unit);
        failed = record::writeFailed(unit);
    }
    return named_ && !failed;
}

mfTable* mfTextDevice::addTable(const mfTableHeader& header) {
    return new mfTableText(header, this);
}

mfDevice::ReportType mfTextDevice::report_type() const {
    return TEXT;
}
