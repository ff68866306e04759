// Writes workbooks for the tests and cuts out their worksheets.
#pragma once

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "mfreport/mfreport.h"
#include "test_env.h"
#include "xml_check.h"

namespace mftest {

/// Runs `body` against a new workbook device and returns the file it wrote
/// after the device was deleted; the file must be well-formed XML.
inline std::string writeWorkbook(const std::function<void(mfXmlSSDevice&)>& body) {
    TempFile file("workbook.xml");
    {
        mfXmlSSDevice device(mfReportClient(), file.path());
        body(device);
    }
    EXPECT_WELL_FORMED(file.path());
    return readFile(file.path());
}

/// What a workbook holds between its style sheet and its closing line.
inline std::string worksheets(const std::string& workbook) {
    const std::string stylesEnd = "</Styles>\n";
    const size_t from = workbook.find(stylesEnd);
    const size_t to = workbook.rfind("</Workbook>\n");
    if (from == std::string::npos || to == std::string::npos || to < from + stylesEnd.size()) {
        ADD_FAILURE() << "not a workbook:\n" << workbook;
        return {};
    }
    return workbook.substr(from + stylesEnd.size(), to - from - stylesEnd.size());
}

/// The worksheets written by `body`.
inline std::string writeSheets(const std::function<void(mfXmlSSDevice&)>& body) {
    return worksheets(writeWorkbook(body));
}

} // namespace mftest
