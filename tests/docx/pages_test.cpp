#include "mfreport/docx/pages.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

using mfreport::docx::PageModel;
using mfreport::docx::ParagraphLayout;

// Lines of 10 half-points are 120 high; a page's body holds 1000.
constexpr ParagraphLayout text{10, 0, 0, 0, false};
constexpr ParagraphLayout heading{10, 100, 50, 0, true};

TEST(DocxPages, PageBreaksAndFullPagesStartPages) {
    std::vector<int64_t> pages(4, 0);
    PageModel model(1000, 100000, pages);
    model.paragraph(heading, 5, 0);
    model.pageBreak(text);
    model.paragraph(heading, 5, 1);
    // 120 + 100 + 120, then 50 + 120 and 120 a paragraph: the sixth goes on.
    for (int k = 0; k < 7; ++k) {
        model.paragraph(text, 5);
    }
    model.paragraph(heading, 5, 2);
    model.paragraph(text, 5);
    model.finish();
    EXPECT_EQ(pages, (std::vector<int64_t>{1, 2, 3, 0}));
}

TEST(DocxPages, AHeadingGoesOnWithTheParagraphAfterIt) {
    std::vector<int64_t> pages(2, 0);
    PageModel model(1000, 100000, pages);
    for (int k = 0; k < 6; ++k) {
        model.paragraph(text, 5);
    }
    // 720 + 100 + 120 fit, but not with the paragraph's 50 + 120: both go on.
    model.paragraph(heading, 5, 0);
    model.paragraph(text, 5);
    model.paragraph(heading, 5, 1);
    model.paragraph(text, 5);
    model.finish();
    EXPECT_EQ(pages, (std::vector<int64_t>{2, 2}));
    EXPECT_EQ(model.page(), 2);
}

TEST(DocxPages, TableHeadsRepeatAndRecordsNeverSplit) {
    std::vector<int64_t> pages(1, 0);
    PageModel model(1000, 100000, pages);
    model.tableHead(200);
    for (int r = 1; r <= 20; ++r) { // eight records of 100 under each head
        model.tableRow(100);
        EXPECT_EQ(model.page(), (r + 7) / 8) << r;
    }
    model.tableRow(300); // 400 + 300 fit under the head of page 3
    EXPECT_EQ(model.page(), 3);
    model.tableRow(350); // 1050 do not
    EXPECT_EQ(model.page(), 4);
    model.paragraph(heading, 5, 0);
    model.finish();
    EXPECT_EQ(pages[0], 4);
}

TEST(DocxPages, LongParagraphsWrapByTheirCharacters) {
    // 10 half-points: an average character of 2.6 points, 20 in 1040.
    EXPECT_EQ(PageModel::lines(0, 10, 1040), 1);
    EXPECT_EQ(PageModel::lines(20, 10, 1040), 1);
    EXPECT_EQ(PageModel::lines(21, 10, 1040), 2);
    std::vector<int64_t> pages(1, 0);
    PageModel model(1000, 1040, pages);
    model.paragraph(text, 20 * 9); // nine lines: the ninth on page 2
    EXPECT_EQ(model.page(), 2);
}

} // namespace
