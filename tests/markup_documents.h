// Writes markup documents (XHTML, workbook, word-processing) for the tests
// with a fixed clock, checks that they are well-formed, and cuts out what the
// content calls added.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "golden.h"
#include "mfreport/mfreport.h"
#include "test_env.h"
#include "xml_check.h"

namespace mftest {

constexpr const char* fixedEpoch = "1796585527"; // 06-DEC-2026 19:32:07 UTC

inline const mfReportClient testClient("BeamCalc", "Linear static analysis of plane frames",
                                       "2.4.1", "01-NOV-2026");
inline const mfReportHeader testModel("Footbridge B-12", "Steel footbridge, two spans of 12 m",
                                      "footbridge-b12.mdl", "JD", "05-DEC-2026");

constexpr mfDevice::ReportType markupKinds[] = {mfDevice::HTML, mfDevice::XML_SS, mfDevice::XML_WP};

using Content = std::function<void(mfDevice&)>;

/// Writes a document of `kind` through the factory, `write` adding the
/// content, and returns the file with the login name replaced by "USER". The
/// file must be well-formed; XHTML takes caller text unescaped, so a test that
/// writes a lone "<" or "&" there on purpose passes `checkXml` false.
inline std::string writeDocument(mfDevice::ReportType kind, const Content& write,
                                 const mfReportClient& client = testClient,
                                 const mfReportHeader& model = testModel, bool checkXml = true) {
    FixedClock clock(fixedEpoch);
    TempFile file("document.xml");
    {
        std::unique_ptr<mfDevice> device(mfDevice::createDevice(client, file.path(), kind, model));
        write(*device);
    }
    if (checkXml) {
        EXPECT_EQ(xmllintMessages(file.path(), kind == mfDevice::HTML), "");
    }
    std::string text = readFile(file.path());
    const std::string user = "  - User  : " + mfUserName().text() + "</i></p>";
    if (const size_t at = text.find(user); at != std::string::npos) {
        text.replace(at, user.size(), "  - User  : USER</i></p>");
    }
    return text;
}

/// The text of `text` between the first `start` and the last `end`.
inline std::string between(const std::string& text, const std::string& start,
                           const std::string& end) {
    const size_t from = text.find(start);
    const size_t to = text.rfind(end);
    if (from == std::string::npos || to == std::string::npos || to < from + start.size()) {
        ADD_FAILURE() << "no [" << start << "] ... [" << end << "] in:\n" << text;
        return text;
    }
    return text.substr(from + start.size(), to - from - start.size());
}

/// What the content calls added: the XHTML between the title block and
/// "</body>", the workbook's worksheets, the word-processing section up to
/// its properties.
inline std::string documentBody(mfDevice::ReportType kind, const Content& write,
                                bool checkXml = true) {
    const std::string text = writeDocument(kind, write, testClient, testModel, checkXml);
    switch (kind) {
    case mfDevice::HTML:
        return between(text, "  - User  : USER</i></p>\n", "</body>\n");
    case mfDevice::XML_SS:
        return between(text, "</Styles>\n", "</Workbook>\n");
    default:
        return between(text, "<wx:sect>\n", "<w:sectPr>\n");
    }
}

/// A table "T" described as "Tab" at level 1 with the given columns.
inline std::unique_ptr<mfTable> makeTable(mfDevice& device,
                                          const std::vector<mfTableColumn>& columns,
                                          const std::string& name = "T") {
    std::unique_ptr<mfTable> table(device.addTable(mfTableHeader(name, "Tab", 1)));
    for (const mfTableColumn& column : columns) {
        table->addColumn(column);
    }
    return table;
}

/// A column of `type` named `name` with the given width, decimals and format.
inline mfTableColumn column(const std::string& name, mfTableColumn::col_type type,
                            size_t width = 12, size_t decimals = 4,
                            mfTableColumn::fmt_type format = mfTableColumn::GENERAL) {
    mfTableColumn c(name, name, type);
    c.setWidth(width, decimals, format);
    return c;
}

/// The document body of one table with `columns`, `setup` run before
/// begin_table and `records` between begin_table and end_table.
inline std::string tableBody(
    mfDevice::ReportType kind, const std::vector<mfTableColumn>& columns,
    const std::function<void(mfTable&)>& records,
    const std::function<void(mfTable&)>& setup = [](mfTable&) {}) {
    return documentBody(kind, [&](mfDevice& d) {
        std::unique_ptr<mfTable> table = makeTable(d, columns);
        setup(*table);
        EXPECT_TRUE(table->begin_table());
        records(*table);
        EXPECT_TRUE(table->end_table());
    });
}

} // namespace mftest
