#include "mfreport/xmlss/mfXmlSSDevice.h"

#include <string_view>

#include "mfreport/markup/output.h"
#include "mfreport/markup/sheet_names.h"
#include "mfreport/xmlss/mfTableXmlSS.h"

namespace {

using mfreport::markup::Output;

constexpr std::string_view prologue[] = {
    R"(<?xml version="1.0"?>)",
    R"(<?mso-application progid="Excel.Sheet"?>)",
    R"(<Workbook xmlns="urn:schemas-microsoft-com:office:spreadsheet")",
    R"(xmlns:o="urn:schemas-microsoft-com:office:office")",
    R"(xmlns:x="urn:schemas-microsoft-com:office:excel")",
    R"(xmlns:ss="urn:schemas-microsoft-com:office:spreadsheet")",
    R"(xmlns:html="http://www.w3.org/TR/REC-html40">)",
};

constexpr std::string_view stylesStart[] = {
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
// Then the number styles: for n = 0 to 9 of each run, the style `id` followed
// by n, whose format is "0.", n zeros and the run's tail.
struct NumberStyleRun {
    std::string_view id;
    std::string_view tail;
};
constexpr NumberStyleRun numberStyleRuns[] = {{"FixedDecimal", ""}, {"ExponentDecimal", "E+00"}};
constexpr int numberStylesPerRun = 10;
constexpr std::string_view zeros = "000000000";
constexpr std::string_view stylesEnd = "</Styles>";

constexpr std::string_view documentEnd = "</Workbook>\n";

void writePrologue(Output& out) {
    out.lines(prologue);
}

void writeStyles(Output& out) {
    out.lines(stylesStart);
    for (const NumberStyleRun& run : numberStyleRuns) {
        for (int n = 0; n < numberStylesPerRun; ++n) {
            out.line(R"(  <Style ss:ID=")", run.id, n, R"(">)");
            out.line(R"(     <NumberFormat ss:Format="0.)", zeros.substr(0, static_cast<size_t>(n)),
                     run.tail, R"("/>)");
            out.line("  </Style>");
        }
    }
    out.line(stylesEnd);
}

} // namespace

mfXmlSSDevice::mfXmlSSDevice(const mfReportClient& client, const std::string& fileName)
    : client_(client), output_(std::make_shared<Output>(fileName)),
      sheetNames_(std::make_shared<mfreport::markup::SheetNames>()) {
    writePrologue(*output_);
    writeStyles(*output_);
    output_->finish();
}

mfXmlSSDevice::~mfXmlSSDevice() {
    mfXmlSSDevice::close();
}

bool mfXmlSSDevice::close() {
    return output_->closeDocument(documentEnd);
}

mfTable* mfXmlSSDevice::addTable(const mfTableHeader& header) {
    return new mfTableXmlSS(header, this);
}

mfDevice::ReportType mfXmlSSDevice::report_type() const {
    return XML_SS;
}

std::ofstream& mfXmlSSDevice::out() {
    return output_->stream();
}

const std::shared_ptr<mfreport::markup::Output>& mfXmlSSDevice::output() {
    return output_;
}

bool mfXmlSSDevice::flush() {
    return output_->finish();
}

const std::shared_ptr<mfreport::markup::SheetNames>& mfXmlSSDevice::sheetNames() const {
    return sheetNames_;
}
