#include <string>

#include <gtest/gtest.h>

#include "mfreport/markup/text_buffer.h"

namespace {

using mfreport::markup::Piece;
using mfreport::markup::Text;

TEST(MarkupText, PiecesOfEveryLengthAppendExactlyThemselves) {
    Text out;
    std::string expected;
    for (const size_t length :
         {size_t{0}, size_t{1}, size_t{63}, size_t{64}, size_t{65}, size_t{300}}) {
        const std::string text(length, static_cast<char>('a' + length % 26));
        const Piece piece(text);
        EXPECT_EQ(piece.view(), text);
        out += piece;
        out += '|';
        expected += text + "|";
    }
    EXPECT_EQ(out.view(), expected);
}

TEST(MarkupText, GrowsKeepingItsBytesAndCopiesThem) {
    Text out;
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        const std::string piece = std::to_string(i) + ",";
        out += piece;
        expected += piece;
    }
    out.append(3, ' ');
    expected += "   ";
    EXPECT_EQ(out.view(), expected);
    Text copy(out);
    copy.truncate(4);
    EXPECT_EQ(copy.view(), "0,1,");
    EXPECT_EQ(out.size(), expected.size());
    Text moved(std::move(out));
    EXPECT_EQ(moved.view(), expected);
    copy = moved;
    EXPECT_EQ(copy.view(), expected);
    EXPECT_EQ(moved.view(1, 3), ",1");
}

} // namespace
