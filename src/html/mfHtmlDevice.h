// XHTML 1.0 Transitional report page.
//
// Caller text is written as given, not escaped: a caller may pass markup in a
// paragraph on purpose, and a caller that wants a literal "<" or "&" escapes it
// itself. The only change made to caller text is the repair of bytes that are
// not valid UTF-8 (taken as Windows-1252), since the page declares UTF-8.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "mfreport/device/mfDevice.h"

namespace mfreport::markup {
class Output;
}

class mfHtmlDevice : public mfDevice {
public:
    /// Opens the file and writes the prologue and the title block. Throws
    /// std::runtime_error when the file cannot be opened.
    mfHtmlDevice(const mfReportClient& client, const std::string& fileName,
                 const mfReportHeader& header);
    mfHtmlDevice(const mfHtmlDevice&) = delete;
    mfHtmlDevice& operator=(const mfHtmlDevice&) = delete;

    /// Closes the page unless close() did.
    ~mfHtmlDevice() override;
    bool addHeading(const std::string& text, int level) override;
    bool addParagraph(const std::string& text) override;
    bool addList(const Vector<std::string>& items, int style) override;
    mfTable* addTable(const mfTableHeader& header) override;
    bool addFigure(const std::string& fileName, const std::string& caption) override;
    bool addHeadingToTOC(const std::string& text, int level) override;
    ReportType report_type() const override;
    /// Closes what tables left open, writes "</body>" and "</html>" and closes
    /// the file; false when any write or the close failed.
    bool close() override;
    /// Writes what is buffered to the file; false when a write failed or the
    /// document is closed.
    bool flush() override;

    /// The open document stream.
    std::ofstream& out();
    /// The document's output, which the table writers share.
    const std::shared_ptr<mfreport::markup::Output>& output();

private:
    mfReportClient client_;
    std::shared_ptr<mfreport::markup::Output> output_;
};
