#include "mfreport/docx/pages.h"

#include <algorithm>

namespace mfreport::docx {

namespace {

// The average width of a character, in thousandths of the font size.
constexpr int64_t kCharWidth = 520;
// The empty paragraph after a table.
constexpr ParagraphLayout afterTable{16, 0, 60, 0, false};

} // namespace

int64_t PageModel::lines(int64_t chars, int64_t size, int64_t width) {
    // size / 2 points = 10 * size twentieths of a point per em.
    const int64_t perLine = width * 1000 / (10 * size * kCharWidth);
    if (chars <= 0 || perLine <= 0) {
        return 1;
    }
    return (chars + perLine - 1) / perLine;
}

void PageModel::paragraph(const ParagraphLayout& layout, int64_t chars, int64_t slot) {
    endTable();
    const int64_t line = lineHeight(layout.size);
    const int64_t count = lines(chars, layout.size, width_ - layout.indent);
    if (layout.keepNext) {
        place(layout.before, count * line, layout.after, true, slot);
        return;
    }
    // Lines that do not fit go on to the next page.
    place(layout.before, line, count > 1 ? 0 : layout.after, false, slot);
    for (int64_t k = 1; k < count; ++k) {
        place(0, line, k + 1 < count ? 0 : layout.after, false, -1);
    }
}

void PageModel::block(const ParagraphLayout& layout, int64_t height) {
    endTable();
    place(layout.before, height, layout.after, layout.keepNext, -1);
}

void PageModel::pageBreak(const ParagraphLayout& layout) {
    endTable();
    settle();
    newPage(0);
    place(0, lineHeight(layout.size), layout.after, false, -1);
}

void PageModel::tableHead(int64_t height) {
    endTable();
    place(0, height, 0, true, -1);
    head_ = height;
}

void PageModel::tableRow(int64_t height) {
    if (head_ >= 0 && kept_.empty() && y_ + height > body_ && y_ > head_) {
        newPage(head_);
    }
    place(0, height, 0, false, -1);
}

void PageModel::finish() {
    endTable();
    settle();
}

void PageModel::endTable() {
    if (head_ >= 0) {
        head_ = -1;
        place(afterTable.before, lineHeight(afterTable.size), afterTable.after, false, -1);
    }
}

void PageModel::place(int64_t before, int64_t height, int64_t after, bool keepNext, int64_t slot) {
    // Between two paragraphs the larger of the spacing after the one and
    // before the other, as LibreOffice lays out such a document.
    int64_t gap = y_ > 0 ? std::max(after_, before) : 0;
    if (y_ > 0 && y_ + gap + height > body_) {
        if (!kept_.empty() && keptTop_ > 0) {
            // What is kept with this piece starts the next page with it.
            const int64_t kept = y_ - keptTop_;
            ++page_;
            for (const Kept& piece : kept_) {
                setPage(piece.slot, page_);
            }
            y_ = kept;
            keptTop_ = 0;
            gap = std::max(after_, before);
        } else {
            settle();
            newPage(0);
            gap = 0;
        }
    }
    if (keepNext) {
        if (kept_.empty()) {
            keptTop_ = y_ + gap;
        }
        kept_.push_back(Kept{slot});
    } else {
        settle();
        setPage(slot, page_);
    }
    // A slot of a kept piece holds its page until it is settled.
    if (keepNext && slot >= 0 && slot < static_cast<int64_t>(pages_.size()) && pages_[slot] == 0) {
        pages_[slot] = -page_;
    }
    y_ += gap + height;
    after_ = after;
}

void PageModel::newPage(int64_t y) {
    ++page_;
    y_ = y;
    after_ = 0;
}

void PageModel::settle() {
    for (const Kept& piece : kept_) {
        if (piece.slot >= 0 && piece.slot < static_cast<int64_t>(pages_.size()) &&
            pages_[piece.slot] < 0) {
            pages_[piece.slot] = -pages_[piece.slot];
        }
    }
    kept_.clear();
    keptTop_ = -1;
}

void PageModel::setPage(int64_t slot, int64_t page) {
    if (slot < 0 || slot >= static_cast<int64_t>(pages_.size())) {
        return;
    }
    // Zero: not yet placed; negative: placed, waiting for what follows.
    if (pages_[slot] == 0) {
        pages_[slot] = page;
    } else if (pages_[slot] < 0) {
        pages_[slot] = -page;
    }
}

} // namespace mfreport::docx
