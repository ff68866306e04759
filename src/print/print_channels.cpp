#include "mfreport/print/print_channels.h"

#include "mfreport/print/line_output.h"
#include "mfreport/print/page_setup.h"
#include "mfreport/record/logical.h"

namespace mfreport::print {

namespace {

enum PagerAnswer : int32_t { kPagerContinue = 0 };

// The pager prompt of a screen channel; output always continues.
PagerAnswer pagerPrompt() {
    return kPagerContinue;
}

bool validChannel(int32_t channel) {
    return channel >= 1 && channel <= kMaxChannels;
}

size_t slot(int32_t channel) {
    return static_cast<size_t>(channel - 1);
}

} // namespace

void PRTLIN(int32_t channel, FixedText line, int32_t& status) {
    status = 0;
    if (!validChannel(channel)) {
        status = kNoSuchChannel;
        return;
    }
    char blank = ' ';
    FixedText text = line;
    int32_t length = TRMLEN(text);
    if (length == 0) {
        if (text.size() == 0) {
            text = FixedText(&blank, 1);
        }
        text[0] = ' ';
        length = 1;
    }
    text = text.sub(1, length);
    const int32_t kind = printChannels().kind[slot(channel)];
    if (kind == kScreenChannel) {
        WRSCR(text);
    } else if (kind == kCommaSeparatedChannel) {
        WRWIDE(text);
    } else {
        WRLINE(text);
    }
}

void PRTNEW(int32_t /*unused*/, int32_t channel, int32_t count, int32_t mode, int32_t& status) {
    status = 0;
    if (!validChannel(channel)) {
        status = kNoSuchChannel;
        return;
    }
    if (mode < kNoTableHeading || mode > kTableHeadingAlways) {
        mode = kTableHeadingOnPage;
    }
    if (count < 0) {
        count = 0;
    }
    PrintChannels& channels = printChannels();
    if (channels.kind[slot(channel)] != kScreenChannel) {
        NEWPAG(count, mode);
        return;
    }
    const bool fits = count != 0 && int64_t{CURLIN()} + count < channels.page_length[slot(channel)];
    if (!fits && pagerPrompt() == kPagerContinue) {
        channels.suppress_table_output = record::kFalse;
        channels.suppress_all_output = record::kFalse;
    }
    NEWSCR(count, mode);
}

} // namespace mfreport::print
