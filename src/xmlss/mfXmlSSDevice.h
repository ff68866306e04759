// SpreadsheetML 2003 workbook: a fixed style sheet, then one worksheet per
// table (written by mfTableXmlSS), closed when the device is deleted.
//
// Content other than tables has no place in a workbook: headings, paragraphs,
// lists, figures, page breaks and contents lines write nothing and answer false.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "mfreport/device/mfDevice.h"

namespace mfreport::markup {
class Output;
class SheetNames;
} // namespace mfreport::markup

class mfXmlSSDevice : public mfDevice {
public:
    /// Opens the file and writes the prologue and the style sheet. Throws
    /// std::runtime_error when the file cannot be opened.
    mfXmlSSDevice(const mfReportClient& client, const std::string& fileName);
    mfXmlSSDevice(const mfXmlSSDevice&) = delete;
    mfXmlSSDevice& operator=(const mfXmlSSDevice&) = delete;

    /// Closes the workbook unless close() did.
    ~mfXmlSSDevice() override;
    /// A new mfTableXmlSS for this device; the caller owns it.
    mfTable* addTable(const mfTableHeader& header) override;
    ReportType report_type() const override;
    /// Closes a worksheet that a table left open, writes "</Workbook>" and
    /// closes the file; false when any write or the close failed.
    bool close() override;
    /// Writes what is buffered to the file; false when a write failed or the
    /// document is closed.
    bool flush() override;

    /// The open workbook stream.
    std::ofstream& out();
    /// The workbook's output, which the table writers share.
    const std::shared_ptr<mfreport::markup::Output>& output();
    /// The names of the workbook's worksheets, which the table writers share.
    const std::shared_ptr<mfreport::markup::SheetNames>& sheetNames() const;

private:
    mfReportClient client_;
    std::shared_ptr<mfreport::markup::Output> output_;
    std::shared_ptr<mfreport::markup::SheetNames> sheetNames_;
};
