// Writes word-processing documents for the tests and hands back their text.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "mfreport/mfreport.h"
#include "test_env.h"
#include "xml_check.h"

namespace mftest {

inline mfReportClient wpClient() {
    return mfReportClient("BeamCalc", "Linear static analysis of plane frames", "2.4.1",
                          "01-NOV-2026");
}

inline mfReportHeader wpModel() {
    return mfReportHeader("Footbridge B-12", "Steel footbridge, two spans of 12 m",
                          "footbridge-b12.mdl", "JD", "05-DEC-2026");
}

// The borderless list table around its rows, and its one-column grid.
inline const std::string listStart = R"(<w:tbl>
 <w:tblPr>
  <w:tblBorders>
   <w:top     w:sz="0"  wx:bdrwidth="0" w:space="0" w:val="none"/>
   <w:bottom  w:sz="0"  wx:bdrwidth="0" w:space="0" w:val="none"/>
   <w:left    w:sz="0"  wx:bdrwidth="0" w:space="0" w:val="none"/>
   <w:right   w:sz="0"  wx:bdrwidth="0" w:space="0" w:val="none"/>
   <w:insideH w:sz="0"  wx:bdrwidth="0" w:space="0" w:val="none"/>
   <w:insideV w:sz="0"  wx:bdrwidth="0" w:space="0" w:val="none"/>
  </w:tblBorders>
 </w:tblPr>
)";
inline const std::string listEnd = R"( </w:tbl>
 <w:br/>
 <w:p>
  <w:r><w:t> </w:t></w:r>
 </w:p>
)";
inline const std::string singleGrid = R"( <w:tblGrid>
  <w:gridCol w:w="9350"/>
 </w:tblGrid>
)";

/// Writes a document whose content `write` adds, checks that it is
/// well-formed and returns what lies between "<wx:sect>" and "</wx:sect>".
template <class Write>
std::string wpBody(const std::string& stem, Write write) {
    TempFile file(stem + ".xml");
    {
        mfXmlWPDevice device(wpClient(), file.path(), wpModel());
        write(device);
    }
    EXPECT_WELL_FORMED(file.path());
    const std::string text = readFile(file.path());
    const std::string open = "<wx:sect>\n";
    const size_t start = text.find(open);
    const size_t end = text.rfind("</wx:sect>\n");
    if (start == std::string::npos || end == std::string::npos || end < start) {
        ADD_FAILURE() << "no section in the document";
        return text;
    }
    return text.substr(start + open.size(), end - start - open.size());
}

} // namespace mftest
