#include "mfreport/text/channels.h"

#include <algorithm>

#include "mfreport/print/print_channels.h"
#include "mfreport/record/logical.h"
#include "mfreport/support/files.h"
#include "mfreport/text/formatter_state.h"
#include "mfreport/text/status.h"

namespace mfreport::text {

namespace {

using print::printChannels;
using record::TRMLEN;

constexpr std::string_view kReportChannel = "PFILE";
constexpr std::string_view kUndefinedFile = "**UNDEFINED**";
constexpr int32_t kMaxWidth = 1310;

size_t slot(int32_t channel) {
    return static_cast<size_t>(channel - 1);
}

bool definedChannel(int32_t channel) {
    return channel >= 1 && channel <= formatterState().channels;
}

// Checks a channel name; the number of a defined channel of that name, 0
// when there is none, -1 with `status` set when the name is not valid.
int32_t lookUp(std::string_view name, int32_t& status) {
    const int32_t length = TRMLEN(name);
    if (length == 0) {
        status = kBlankChannelName;
        return -1;
    }
    if (length > kTableNameLength) {
        status = kLongChannelName;
        return -1;
    }
    for (int32_t c = 1; c <= formatterState().channels; ++c) {
        if (record::textEqual(reportState().channel[slot(c)].name, name)) {
            return c;
        }
    }
    return 0;
}

void closeChannel(int32_t channel, int32_t& status) {
    print::PrintChannels& channels = printChannels();
    if (!record::isTrue(channels.banner_written[slot(channel)])) {
        return;
    }
    int32_t iostat = 0;
    support::CLSFIL(channels.unit[slot(channel)], iostat);
    reportState().close_status = iostat;
    channels.banner_written[slot(channel)] = record::kFalse;
    reportState().channel[slot(channel)].heading_table = 0;
    if (iostat != 0) {
        status = kCloseFailed;
    }
}

// Names the report channel's file and records the channel.
void openReport(int32_t& status) {
    ReportState& report = reportState();
    PTSFIL(kReportChannel, " ", report.report_file, status);
    if (status != kOk) {
        return;
    }
    int32_t channel = 0;
    PTFCHN(kReportChannel, channel, status);
    if (status == kOk) {
        report.report_channel = channel;
    }
}

} // namespace

void PTINIT(int32_t dump_unit, int32_t& status) {
    resetFormatter();
    ReportState& report = reportState();
    report.dump_unit = dump_unit;
    for (ChannelFile& channel : report.channel) {
        record::assign(channel.directory.view(), "[]");
        record::assign(channel.name.view(), "PRIMAX");
        record::assign(channel.extension.view(), ".LIS");
    }
    record::assign(report.report_file.view(), kUndefinedFile);
    status = kOk;
}

void PTPRID(std::string_view suite, std::string_view name, std::string_view description,
            std::string_view version, std::string_view update, std::string_view notes,
            std::string_view date, int32_t extra_count, record::TextArray extra_lines,
            int32_t& status) {
    status = kOk;
    constexpr int32_t kMaxExtra = ProgramIdentity::kMaxHeadingLines - 2;
    if (extra_count > kMaxExtra) {
        status = kTooManyExtraLines;
        return;
    }
    const int32_t extra = std::max(extra_count, 0);
    ProgramIdentity& id = reportState().identity;
    id.heading.fill(' ');
    const record::TextArray heading(id.heading.data(), ProgramIdentity::kHeadingWidth,
                                    ProgramIdentity::kMaxHeadingLines);
    record::concat(heading[0], {"PROGRAM: ", FixedString<8>(suite), " ", FixedString<9>(name), " ",
                                FixedString<7>(version), " ", FixedString<11>(date)});
    for (int32_t i = 0; i < extra; ++i) {
        record::assign(heading[2 + i], extra_lines[i]);
    }
    record::assign(id.suite.view(), suite);
    record::assign(id.name.view(), name);
    record::assign(id.title.view(), description);
    record::assign(id.version.view(), version);
    record::assign(id.update.view(), update);
    record::assign(id.notes.view(), notes);
    record::assign(id.date.view(), date);
    formatterState().heading_lines = 2 + extra;
}

void PTDCHN(std::string_view name, int32_t unit, int32_t kind, int32_t& channel, int32_t& status) {
    status = kOk;
    const int32_t found = lookUp(name, status);
    if (found < 0) {
        return;
    }
    if (found > 0) {
        channel = found;
        status = kChannelExists;
        return;
    }
    if (kind < print::kPrintChannel || kind > print::kCommaSeparatedChannel) {
        status = kBadChannelKind;
        return;
    }
    FormatterState& s = formatterState();
    if (s.channels >= kMaxChannels) {
        status = kTooManyChannels;
        return;
    }
    channel = ++s.channels;
    print::PrintChannels& channels = printChannels();
    const bool screen = kind == print::kScreenChannel;
    channels.banner_written[slot(channel)] = record::kFalse;
    channels.unit[slot(channel)] = unit;
    channels.kind[slot(channel)] = kind;
    channels.line_width[slot(channel)] = screen ? 79 : 131;
    channels.page_length[slot(channel)] = screen ? 24 : 60;
    ChannelFile& file = reportState().channel[slot(channel)];
    record::assign(file.name.view(), name);
    file.heading_table = 0;
}

void PTGEOM(int32_t channel, int32_t page_length, int32_t width, int32_t& status) {
    status = kOk;
    if (!definedChannel(channel)) {
        status = kNoSuchChannel;
        return;
    }
    print::PrintChannels& channels = printChannels();
    if (page_length > 0) {
        channels.page_length[slot(channel)] = page_length;
    }
    if (width > 0) {
        channels.line_width[slot(channel)] = std::min(width, kMaxWidth);
    }
}

void PTSFIL(std::string_view name, std::string_view directory, std::string_view file,
            int32_t& status) {
    status = kOk;
    int32_t lookUpStatus = kOk;
    const int32_t channel = lookUp(name, lookUpStatus);
    if (channel <= 0) {
        status = kChannelNotFound;
        return;
    }
    const int32_t kind = printChannels().kind[slot(channel)];
    if (kind == print::kScreenChannel) {
        status = kScreenChannel;
        return;
    }
    if (TRMLEN(file) == 0) {
        status = kBlankFileName;
        return;
    }
    ChannelFile& target = reportState().channel[slot(channel)];
    record::assign(target.directory.view(), directory);
    record::assign(target.file.view(), file);
    record::assign(target.extension.view(),
                   kind == print::kCommaSeparatedChannel ? ".csv" : ".LIS");
    target.create_failed = false;
}

void PTFCHN(std::string_view name, int32_t& channel, int32_t& status) {
    status = kOk;
    const int32_t found = lookUp(name, status);
    if (found < 0) {
        return;
    }
    if (found == 0) {
        status = kChannelNotFound;
        return;
    }
    channel = found;
    reportState().current_channel = found;
}

void PTCLOS(int32_t all, int32_t channel, int32_t& status) {
    status = kOk;
    if (record::isTrue(all)) {
        for (int32_t c = 1; c <= formatterState().channels; ++c) {
            closeChannel(c, status);
        }
        return;
    }
    if (!definedChannel(channel)) {
        status = kNoSuchChannel;
        return;
    }
    closeChannel(channel, status);
}

void PTREPF(std::string_view operation, std::string_view file, int32_t& status) {
    status = kOk;
    ReportState& report = reportState();
    if (record::textEqual(operation, "open")) {
        int32_t closeStatus = kOk;
        if (report.report_channel != 0) {
            PTCLOS(record::kFalse, report.report_channel, closeStatus);
            report.report_channel = 0;
        }
        record::assign(report.report_file.view(), file);
        openReport(status);
        if (status == kOk) {
            status = closeStatus;
        }
    } else if (record::textEqual(operation, "close")) {
        if (report.report_channel != 0) {
            PTCLOS(record::kFalse, report.report_channel, status);
            report.report_channel = 0;
        }
    } else if (record::textEqual(operation, "default")) {
        if (report.report_channel == 0) {
            if (record::textEqual(report.report_file, kUndefinedFile)) {
                record::assign(report.report_file.view(), "REPORT");
            }
            openReport(status);
        }
    }
}

int32_t channelUnit(int32_t channel) {
    return definedChannel(channel) ? printChannels().unit[slot(channel)] : 0;
}

} // namespace mfreport::text
