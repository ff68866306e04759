#include "mfreport/print/print_defaults.h"

#include "mfreport/print/primas_state.h"
#include "mfreport/record/fixed_text.h"
#include "mfreport/record/logical.h"
#include "mfreport/support/idents.h"

namespace mfreport::print {

void PRTDEF() {
    PrimasState& state = primasState();
    state.unit = 6;
    state.page_size = 60;
    state.line_width = 132;
    state.line_feeds = 1;
    state.line_count = 100000;
    state.page_no = 0;
    state.sub_page_no = 0;
    state.main_lines = 0;
    state.sub_lines = 0;
    state.table_lines = 0;
    state.heading_size = 0;
    for (auto& line : state.main_heading) {
        line.view().blank();
    }
    for (auto& line : state.sub_heading) {
        line.view().blank();
    }
    for (auto& line : state.table_heading) {
        line.view().blank();
    }

    int32_t pageSize = 0;
    int32_t status = 0;
    support::IDGINT("PRINT-PAGESIZE", pageSize, status);
    if (status == support::kIdentFound) {
        state.page_size = pageSize < 1 ? 100000 : pageSize;
    }

    state.page_advance_char = '\f';
    record::FixedString<80> formFeed;
    support::IDGSTR("PRINT-FORMFEED", formFeed, status);
    if (status == support::kIdentFound) {
        support::EDTSTR(formFeed, "Upper");
        if (record::textEqual(formFeed, "FORTRAN")) {
            state.page_advance_char = '1';
        } else if (record::textEqual(formFeed, "ASCII")) {
            state.page_advance_char = '\f';
        }
    }
    state.clear_after_write = record::kTrue;
}

} // namespace mfreport::print
