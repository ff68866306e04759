#include <gtest/gtest.h>

#include "mfreport/markup/text_codec.h"

namespace {

using mfreport::markup::isValidUtf8;
using mfreport::markup::Utf8;
using mfreport::markup::XmlAttribute;
using mfreport::markup::XmlText;

// `text` as a piece of a line marked `Mark` becomes.
template <class Mark>
std::string as(std::string_view text) {
    std::string out;
    mfreport::markup::append(out, Mark{text});
    return out;
}

TEST(Utf8Repair, ValidTextPassesUnchanged) {
    EXPECT_EQ(as<Utf8>("plain ascii <b>&amp;</b>"), "plain ascii <b>&amp;</b>");
    EXPECT_EQ(as<Utf8>("\xC2\xB5m \xE2\x82\xAC \xF0\x9F\x98\x80"),
              "\xC2\xB5m \xE2\x82\xAC \xF0\x9F\x98\x80");
    EXPECT_EQ(as<Utf8>(std::string("a\0b\x01", 4)), std::string("a\0b\x01", 4));
}

TEST(Utf8Repair, InvalidBytesAreReadAsWindows1252) {
    EXPECT_EQ(as<Utf8>("\xB5m"), "\xC2\xB5m"); // micro sign
    EXPECT_EQ(as<Utf8>("20\xB0"
                       "C"),
              "20\xC2\xB0"
              "C"); // degree sign
    EXPECT_EQ(as<Utf8>("\x80 \x96 \x9F"), "\xE2\x82\xAC \xE2\x80\x93 \xC5\xB8");
    EXPECT_EQ(as<Utf8>("\x81"), "\xEF\xBF\xBD"); // unassigned
    EXPECT_EQ(as<Utf8>("ok \xC2\xB5 bad \xE9t\xE9"), "ok \xC2\xB5 bad \xC3\xA9t\xC3\xA9");
}

TEST(Utf8Repair, RejectsMalformedSequences) {
    EXPECT_TRUE(isValidUtf8("\xED\x9F\xBF"));      // U+D7FF
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));         // overlong
    EXPECT_FALSE(isValidUtf8("\xE0\x80\xAF"));     // overlong
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xE2\x82"));         // cut short
    EXPECT_EQ(as<Utf8>("\xE2\x82"), "\xC3\xA2\xE2\x80\x9A");
}

TEST(XmlEscape, EscapesMarkupCharacters) {
    EXPECT_EQ(as<XmlText>("A&B"), "A&amp;B");
    EXPECT_EQ(as<XmlText>("a<b>c"), "a&lt;b&gt;c");
    EXPECT_EQ(as<XmlText>("say \"hi\""), "say \"hi\"");
    EXPECT_EQ(as<XmlAttribute>("say \"hi\" & go"), "say &quot;hi&quot; &amp; go");
}

TEST(XmlEscape, KeepsReferencesTheCallerWrote) {
    EXPECT_EQ(as<XmlText>("&amp; &lt; &gt; &quot; &apos;"), "&amp; &lt; &gt; &quot; &apos;");
    EXPECT_EQ(as<XmlText>("&#65; &#x3bc; &#X41;"), "&#65; &#x3bc; &amp;#X41;");
    EXPECT_EQ(as<XmlText>("&#0; &#x1; &#xD800; &#1114112;"),
              "&amp;#0; &amp;#x1; &amp;#xD800; &amp;#1114112;");
    EXPECT_EQ(as<XmlText>("&nbsp; &amp &#; &#x;"), "&amp;nbsp; &amp;amp &amp;#; &amp;#x;");
    EXPECT_EQ(as<XmlText>("&"), "&amp;");
}

TEST(XmlEscape, ReplacesCharactersXmlForbids) {
    EXPECT_EQ(as<XmlText>(std::string("a\x01"
                                      "b\0c\td\ne\rf",
                                      11)),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD"
              "c\td\ne\rf");
    EXPECT_EQ(as<XmlText>("\xEF\xBF\xBE"), "\xEF\xBF\xBD"); // U+FFFE
    EXPECT_EQ(as<XmlText>("\xB5m & \xB0"
                          "C"),
              "\xC2\xB5m &amp; \xC2\xB0"
              "C");
}

} // namespace
