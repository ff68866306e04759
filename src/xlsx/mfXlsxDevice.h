// Office Open XML workbook (.xlsx): a ZIP package with one worksheet per
// table (written by mfTableXlsx), the style sheet and the workbook's
// properties (creator: the program's name, title: the model's name), complete
// when the device is closed.
//
// Content other than tables has no place in a workbook: headings, paragraphs,
// lists, figures, page breaks and contents lines write nothing and answer false.
#pragma once

#include <memory>
#include <string>

#include "mfreport/device/mfDevice.h"

namespace mfreport::markup {
class Output;
}
namespace mfreport::xlsx {
class Workbook;
}

class mfXlsxDevice : public mfDevice {
public:
    /// Creates the file. Throws std::runtime_error when it cannot be opened.
    mfXlsxDevice(const mfReportClient& client, const std::string& fileName,
                 const mfReportHeader& header);
    mfXlsxDevice(const mfXlsxDevice&) = delete;
    mfXlsxDevice& operator=(const mfXlsxDevice&) = delete;

    /// Closes the workbook unless close() did.
    ~mfXlsxDevice() override;
    /// A new mfTableXlsx for this device; the caller owns it.
    mfTable* addTable(const mfTableHeader& header) override;
    ReportType report_type() const override;
    /// Ends a worksheet that a table left open, writes the workbook's other
    /// parts and the ZIP's central directory, puts the file on stable storage
    /// and closes it; false when any of it failed.
    bool close() override;
    /// Hands what is buffered to the compressor; false when a write failed or
    /// the workbook is closed. The file is a readable ZIP only once closed.
    bool flush() override;

    /// The output of the open worksheet, which the table writers share.
    const std::shared_ptr<mfreport::markup::Output>& output();
    /// The workbook's package, which the table writers share.
    const std::shared_ptr<mfreport::xlsx::Workbook>& workbook() const;

private:
    std::string creator_;
    std::string title_;
    std::shared_ptr<mfreport::xlsx::Workbook> workbook_;
    std::shared_ptr<mfreport::markup::Output> output_;
};
