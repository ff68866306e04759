// The fuzz targets' well-formedness checker: a checker that passes a broken
// document would make every fuzzing hour worthless.
#include <string>

#include <gtest/gtest.h>

#include "xml_wellformed.h"

namespace {

using mffuzz::xmlProblem;

TEST(FuzzXmlCheck, PassesWellFormedDocuments) {
    EXPECT_EQ(xmlProblem("<a/>"), "");
    EXPECT_EQ(xmlProblem("<?xml version=\"1.0\"?>\n<!-- c -->\n<a x='1' y=\"&amp;&#65;&#x10FFFF;\">"
                         "t &lt; <![CDATA[<&]]><?pi data?><b/>\xc3\xa9</a>\n"),
              "");
    EXPECT_EQ(xmlProblem("<!DOCTYPE html PUBLIC \"-//W3C//DTD X//EN\" \"x.dtd\" >"
                         "<html>&nbsp;</html>",
                         {"nbsp"}),
              "");
}

TEST(FuzzXmlCheck, FindsEveryKindOfBreak) {
    const char* broken[] = {
        "",                            // no root
        "<a>",                         // not closed
        "<a></b>",                     // mismatched
        "<a/><b/>",                    // two roots
        "text<a/>",                    // text before the root
        "<a>&</a>",                    // bare ampersand
        "<a>&nbsp;</a>",               // undeclared entity
        "<a>&#0;</a>",                 // reference to a forbidden character
        "<a>&#xD800;</a>",             // reference to a surrogate
        "<a>\x01</a>",                 // control character
        "<a>\xff</a>",                 // not UTF-8
        "<a>\xed\xa0\x80</a>",         // encoded surrogate
        "<a>\xc0\xaf</a>",             // overlong form
        "<a>]]></a>",                  // CDATA end in text
        "<a x=\"1\" x=\"2\"/>",        // repeated attribute
        "<a x=\"<\"/>",                // "<" in an attribute
        "<a x=1/>",                    // unquoted attribute
        "<a x=\"1\"y=\"2\"/>",         // no blank between attributes
        "<a><!-- a -- b --></a>",      // "--" in a comment
        "<a><1/></a>",                 // bad name
        "<a/><?xml version=\"1.0\"?>", // late declaration
    };
    for (const char* document : broken) {
        EXPECT_NE(xmlProblem(document), "") << "passed: " << document;
    }
    EXPECT_EQ(xmlProblem("<t><r/><r><c/></r></t>", {}, {"r"}), "");
    EXPECT_NE(xmlProblem("<t><r><c><r/></c></r></t>", {}, {"r"}), "");
}

} // namespace
