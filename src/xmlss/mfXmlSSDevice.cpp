#include "mfreport/xmlss/mfXmlSSDevice.h"

#include <string_view>

#include "mfreport/markup/markup_output.h"
#include "mfreport/xmlss/mfTableXmlSS.h"

namespace {

using mfreport::markup::line;
using mfreport::markup::lines;

constexpr std::string_view prologue[] = {
    R"(<?xml version="1.0"?>)",
    R"(<?mso-application progid="Excel.Sheet"?>)",
    R"(<Workbook xmlns="urn:schemas-microsoft-com:office:spreadsheet")",
    R"(xmlns:o="urn:schemas-microsoft-com:office:office")",
    R"(xmlns:x="urn:schemas-microsoft-com:office:excel")",
    R"(xmlns:ss="urn:schemas-microsoft-com:office:spreadsheet")",
    R"(xmlns:html="http://www.w3.org/TR/REC-html40">)",
};

constexpr std::string_view fixedStyles[] = {
    R"(<Styles>)",
    R"(  <Style ss:ID="Default" ss:Name="Normal">)",
    R"(    <Alignment ss:Vertical="Bottom"/>)",
    R"(    <Borders/>)",
    R"(    <Font/>)",
    R"(    <Interior/>)",
    R"(    <NumberFormat/>)",
    R"(    <Protection/>)",
    R"(  </Style>)",
    R"(  <Style ss:ID="HeaderStyle">)",
    R"(    <Font ss:Bold="1"/>)",
    R"(    <Interior  ss:Color="#C0C0C0" ss:Pattern="Solid"/>)",
    R"(  </Style>)",
};

// The number styles: for n = 0 to 9 of each run, the style `id` followed by n,
// whose format is "0.", n zeros and the run's tail.
struct NumberStyleRun {
    std::string_view id;
    std::string_view tail;
};
constexpr NumberStyleRun numberStyleRuns[] = {{"FixedDecimal", ""}, {"ExponentDecimal", "E+00"}};
constexpr int numberStylesPerRun = 10;

constexpr std::string_view stylesEnd = "</Styles>";
constexpr std::string_view workbookEnd = "</Workbook>";
constexpr std::string_view rowStart = " <Row>";
constexpr std::string_view rowEnd = "  </Row>"; // no line end
constexpr std::string_view sheetEnd[] = {"</Table>", "</Worksheet>", ""};

} // namespace

mfXmlSSDevice::mfXmlSSDevice(const mfReportClient& client, const std::string& fileName)
    : client_(client) {
    mfreport::markup::openOutput(out_, fileName);
    writePrologue();
    writeStyles();
    mfreport::markup::finish(out_);
}

void mfXmlSSDevice::writePrologue() {
    lines(out_, prologue);
}

void mfXmlSSDevice::writeStyles() {
    lines(out_, fixedStyles);
    std::string text;
    for (const NumberStyleRun& run : numberStyleRuns) {
        for (int n = 0; n < numberStylesPerRun; ++n) {
            text.assign(R"(  <Style ss:ID=")").append(run.id);
            text.append(1, static_cast<char>('0' + n)).append(R"(">)");
            line(out_, text);
            text.assign(R"(     <NumberFormat ss:Format="0.)");
            text.append(static_cast<size_t>(n), '0').append(run.tail).append(R"("/>)");
            line(out_, text);
            line(out_, "  </Style>");
        }
    }
    line(out_, stylesEnd);
}

mfXmlSSDevice::~mfXmlSSDevice() {
    closeSheet();
    line(out_, workbookEnd);
    out_.close();
}

mfTable* mfXmlSSDevice::addTable(const mfTableHeader& header) {
    return new mfTableXmlSS(header, this);
}

mfDevice::ReportType mfXmlSSDevice::report_type() const {
    return XML_SS;
}

uint64_t mfXmlSSDevice::openSheet() {
    closeSheet();
    open_sheet_ = ++last_sheet_;
    return open_sheet_;
}

void mfXmlSSDevice::beginRow() {
    line(out_, rowStart);
    row_open_ = true;
}

void mfXmlSSDevice::endRow() {
    out_ << rowEnd;
    row_open_ = false;
}

void mfXmlSSDevice::closeSheet() {
    if (open_sheet_ == 0) {
        return;
    }
    if (row_open_) {
        endRow();
    }
    lines(out_, sheetEnd);
    open_sheet_ = 0;
}
