#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "mfreport/markup/output.h"
#include "mfreport/markup/record_protocol.h"
#include "test_env.h"

namespace {

using mfreport::markup::Folding;
using mfreport::markup::Output;

TEST(MarkupOutput, OpenElementsCloseInnermostFirst) {
    mftest::TempFile file("output.xml");
    {
        Output out(file.path());
        const Output::Mark table = out.open("</table>\n");
        const Output::Mark row = out.open("</row>");
        const Output::Mark inner = out.open("</inner>\n");
        out.close(row, "<cell/>"); // closes the inner element first
        EXPECT_FALSE(out.isOpen(inner));
        EXPECT_FALSE(out.isOpen(row));
        EXPECT_TRUE(out.isOpen(table));
        out.close(row, "dropped"); // no longer open: nothing
        out.open("</other>\n");
        out.closeAll();
        EXPECT_FALSE(out.isOpen(table));
        out.line("<p>", 42, mfreport::markup::XmlText{"a<b"}, "</p>");
        out.open("</left-open>\n");
        EXPECT_TRUE(out.closeDocument("</doc>\n"));
        EXPECT_TRUE(out.closeDocument("twice\n"));
        EXPECT_FALSE(out.healthy());
    }
    EXPECT_EQ(mftest::readFile(file.path()), "</inner>\n<cell/></row></other>\n</table>\n"
                                             "<p>42a&lt;b</p>\n</left-open>\n</doc>\n");
}

// Writes "<kept/>" and closes its element when something else closes it.
struct KeptBack final : Output::Finisher {
    void finishOpen(Output& out, Output::Mark mark) override {
        ++calls;
        out.close(mark, "<kept/>");
    }
    int calls = 0;
};

TEST(MarkupOutput, FinishersCloseTheirElementsAndClosingStopsWriting) {
    mftest::TempFile file("finisher.xml");
    {
        Output out(file.path());
        EXPECT_EQ(out.nextId(), 1);
        EXPECT_EQ(out.nextId(), 2);
        auto kept = std::make_shared<KeptBack>();
        out.open("</table>\n");
        out.open("</row>\n", kept);
        EXPECT_TRUE(out.startContent()); // closes both, the row by its finisher
        EXPECT_EQ(kept->calls, 1);
        out.line("<p/>");
        {
            auto gone = std::make_shared<KeptBack>();
            out.open("</row>\n", gone);
        }
        out.closeAll(); // a finisher no longer alive: the closing text alone
        const Output::Mark row = out.open("</row>\n", kept);
        out.close(row, "<own/>"); // closed by its writer: no finisher
        EXPECT_EQ(kept->calls, 1);
        EXPECT_FALSE(out.closed());
        EXPECT_TRUE(out.closeDocument("</doc>\n"));
        EXPECT_TRUE(out.closed());
        EXPECT_FALSE(out.startContent());
        out.line("after");
        out.open("</late>\n");
        EXPECT_FALSE(out.finish());
        EXPECT_TRUE(out.closeDocument("</doc>\n"));
    }
    EXPECT_EQ(mftest::readFile(file.path()),
              "<kept/></row>\n</table>\n<p/>\n</row>\n<own/></row>\n</doc>\n");
}

TEST(MarkupOutput, AFailedWriteIsNeverForgotten) {
    Output flushed("/dev/full"); // fails when the line is flushed
    EXPECT_TRUE(flushed.healthy());
    flushed.line("x");
    EXPECT_FALSE(flushed.finish());
    flushed.stream().clear();
    EXPECT_FALSE(flushed.finish());
    EXPECT_FALSE(flushed.closeDocument("end\n"));

    Output written("/dev/full"); // fails while the line is written
    written.line(std::string(1 << 16, 'x'));
    written.stream().clear();
    EXPECT_FALSE(written.healthy());
}

long long sizeOf(const std::string& path) {
    return static_cast<long long>(mftest::readFile(path).size());
}

TEST(MarkupOutput, BytesReachTheFileAtFinishAndWhenTheBufferIsFull) {
    mftest::TempFile file("buffered.xml");
    Output out(file.path());
    out.line("<a/>");
    EXPECT_EQ(sizeOf(file.path()), 0);
    EXPECT_TRUE(out.finish());
    EXPECT_EQ(sizeOf(file.path()), 5);
    const size_t almost = Output::kBufferSize - 10;
    out.put(std::string(almost, 'x'));
    EXPECT_EQ(sizeOf(file.path()), 5);
    out.line(std::string(20, 'y')); // the buffer is full: written in one piece
    EXPECT_EQ(sizeOf(file.path()), static_cast<long long>(5 + almost + 21));
    out.put("tail");
    std::ofstream& direct = out.stream(); // what was written comes first
    direct << "!";
    direct.flush();
    EXPECT_TRUE(out.closeDocument("\n"));
    const std::string text = mftest::readFile(file.path());
    EXPECT_EQ(text.size(), 5 + almost + 21 + 6);
    EXPECT_EQ(text.substr(text.size() - 6), "tail!\n");
}

TEST(MarkupOutput, AFailedBufferWriteShowsInTheNextAnswer) {
    Output out("/dev/full");
    EXPECT_TRUE(out.endRecord());
    out.put(std::string(Output::kBufferSize, 'x'));
    EXPECT_FALSE(out.healthy());
    EXPECT_FALSE(out.endRecord());
    EXPECT_FALSE(out.closeDocument("end\n"));
}

// The walk of `columns` cells as text: "|" where a row folds, "." per indent cell.
std::string walk(const Folding& folding, size_t columns) {
    std::string text;
    folding.walk(
        columns, [&] { text += '|'; }, [&](int) { text += '.'; },
        [&](int column) { text += std::to_string(column); });
    return text;
}

TEST(MarkupOutput, FoldingCountsTheIndentCells) {
    EXPECT_EQ(walk(Folding{3, 1}, 8), "012|.34|.56|.7");
    EXPECT_EQ(walk(Folding{2, 0}, 5), "01|23|4");
    EXPECT_EQ(walk(Folding{1, 0}, 3), "0|1|2");
    EXPECT_EQ(walk(Folding{99, 0}, 5), "01234");
    EXPECT_EQ(walk(Folding{0, 1}, 5), "01234");
    EXPECT_EQ(walk(Folding{-2, 1}, 5), "01234");
}

} // namespace
