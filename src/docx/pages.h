// A simple layout model of the document body as it is written, counting the
// page on which each heading starts, so that the contents can show real page
// numbers without the reader updating its fields. Lengths are twentieths of a
// point. The styles fix every line height (a line of a paragraph is at least
// 12 twentieths per half-point of its size, more than the natural height of
// common fonts), so the model depends on the fonts only where lines wrap,
// which it estimates from an average character width.
#pragma once

#include <cstdint>
#include <vector>

namespace mfreport::docx {

/// How one kind of paragraph is laid out.
struct ParagraphLayout {
    int64_t size;   ///< font size, half-points
    int64_t before; ///< spacing before
    int64_t after;  ///< spacing after
    int64_t indent; ///< left indent
    bool keepNext;  ///< kept on the page of the next paragraph
};

/// The height of a line of text at `size` half-points.
constexpr int64_t lineHeight(int64_t size) {
    return 12 * size;
}

class PageModel {
public:
    /// `pages` receives, at a slot given with a paragraph, the page on
    /// which it starts; a slot is set once (the first paragraph wins).
    PageModel(int64_t bodyHeight, int64_t textWidth, std::vector<int64_t>& pages)
        : body_(bodyHeight), width_(textWidth), pages_(pages) {}

    /// A paragraph of `chars` characters (at least one line); `slot` < 0:
    /// no slot. A paragraph that is not kept whole splits between lines.
    void paragraph(const ParagraphLayout& layout, int64_t chars, int64_t slot = -1);
    /// A paragraph of one line `height` high that never splits.
    void block(const ParagraphLayout& layout, int64_t height);
    /// An explicit page break: its paragraph's empty line starts the next page.
    void pageBreak(const ParagraphLayout& layout);

    /// A table's head rows, `height` high together; repeated on every page.
    void tableHead(int64_t height);
    /// A record's rows, `height` high together; never split.
    void tableRow(int64_t height);

    /// The page of the last thing placed (1-based).
    int64_t page() const { return page_; }
    /// Settles the pages of paragraphs still waiting for what follows them.
    void finish();

    /// Estimated lines of `chars` characters of `size` half-points on a line
    /// `width` wide.
    static int64_t lines(int64_t chars, int64_t size, int64_t width);

private:
    struct Kept {
        int64_t slot;
    };
    /// Places one piece `height` high with spacing `before` and `after`:
    /// on a new page when it does not fit, moving the kept pieces before it
    /// along.
    void place(int64_t before, int64_t height, int64_t after, bool keepNext, int64_t slot);
    void newPage(int64_t y);
    void settle();
    void endTable();
    void setPage(int64_t slot, int64_t page);

    const int64_t body_;
    const int64_t width_;
    std::vector<int64_t>& pages_;
    int64_t page_ = 1;
    int64_t y_ = 0;     ///< the bottom of the last piece on the page
    int64_t after_ = 0; ///< the spacing after the last piece
    // Pieces kept with what follows: where the first one starts on the page.
    std::vector<Kept> kept_;
    int64_t keptTop_ = -1;
    // The open table's head height, or -1.
    int64_t head_ = -1;
};

} // namespace mfreport::docx
