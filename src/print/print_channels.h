// The table formatter's per-channel data that the page manager reads, and the
// channel front ends PRTLIN and PRTNEW through which the formatter writes.
#pragma once

#include <array>
#include <cstdint>

#include "mfreport/record/fixed_text.h"

namespace mfreport::print {

using record::FixedText;

inline constexpr int32_t kMaxChannels = 5;

/// Channel kinds.
enum ChannelKind : int32_t {
    kPrintChannel = 0,
    kScreenChannel = 1,
    kCommaSeparatedChannel = 2,
};

/// Status of the front ends for a channel number outside 1 to kMaxChannels.
inline constexpr int32_t kNoSuchChannel = 2;

/// Per-channel data of the table formatter, indexed by channel number - 1,
/// and its two output-suppression flags. The formatter fills it; the front
/// ends read kind and page length and clear the flags at a screen pager stop.
struct PrintChannels {
    std::array<int32_t, kMaxChannels> banner_written{}; ///< logical: banner page written
    std::array<int32_t, kMaxChannels> unit{};           ///< unit number of the channel's file
    std::array<int32_t, kMaxChannels> kind{};           ///< ChannelKind
    std::array<int32_t, kMaxChannels> line_width{};     ///< characters per line
    std::array<int32_t, kMaxChannels> page_length{};    ///< lines per page
    int32_t suppress_table_output = 0;                  ///< logical: skip the current table
    int32_t suppress_all_output = 0;                    ///< logical: skip all further output
};

/// The process's one channel table.
inline PrintChannels& printChannels() {
    static PrintChannels channels;
    return channels;
}

/// Writes the line without trailing blanks (one blank when it is all blank)
/// on the channel: WRSCR for a screen channel, WRWIDE (the whole line) for a
/// comma-separated channel, WRLINE otherwise.
void PRTLIN(int32_t channel, FixedText line, int32_t& status);

/// Page break requested on the channel: NEWPAG(count, mode) on a print
/// channel, NEWSCR on a screen channel, where a break that the page length
/// calls for first passes the pager prompt. A mode outside 0 to 2 counts as
/// 1, a negative count as 0. The first argument is not used.
void PRTNEW(int32_t unused, int32_t channel, int32_t count, int32_t mode, int32_t& status);

} // namespace mfreport::print
