// Inputs that once crashed, hung or corrupted a document; each is also kept in
// the fuzz corpus (fuzz/corpus/<kind>/fault-*).
#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "markup_documents.h"

namespace {

using mftest::between;
using mftest::writeDocument;

const std::string indent = "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";

std::string times(int n, const std::string& text) {
    std::string out;
    for (int i = 0; i < n; ++i) {
        out += text;
    }
    return out;
}

// A contents line was indented once per level: INT_MAX levels wrote 77 GB.
TEST(Regressions, ContentsLinesIndentNoDeeperThanTheNumberedLevels) {
    const std::string page = writeDocument(mfDevice::HTML, [](mfDevice& d) {
        EXPECT_TRUE(d.addHeadingToTOC("Five", 5));
        EXPECT_TRUE(d.addHeadingToTOC("Six", 6));
        EXPECT_TRUE(d.addHeadingToTOC("Huge", INT_MAX));
    });
    const std::string deepest = "<br/>" + times(5, indent);
    EXPECT_NE(page.find(deepest + "<a href=\"#0.0.0.0.1  Five\">0.0.0.0.1  Five</a>\n"),
              std::string::npos);
    EXPECT_NE(page.find(deepest + "<a href=\"#Six\">Six</a>\n"), std::string::npos);
    EXPECT_NE(page.find(deepest + "<a href=\"#Huge\">Huge</a>\n"), std::string::npos);
}

// Reading a folder as a figure threw std::ios_failure out of addFigure.
TEST(Regressions, AFolderAsFigureIsAnUnreadableImage) {
    std::string encoded = "old";
    EXPECT_FALSE(Base64File::encode(MFREPORT_TEST_DATA, encoded));
    EXPECT_EQ(encoded, "");
    const std::string document = writeDocument(mfDevice::XML_WP, [](mfDevice& d) {
        EXPECT_TRUE(d.addFigure(MFREPORT_TEST_DATA, "Folder"));
        EXPECT_TRUE(d.addParagraph("after"));
    });
    EXPECT_NE(document.find(">after<"), std::string::npos);
}

} // namespace
