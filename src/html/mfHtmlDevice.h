// XHTML 1.0 Transitional report page.
//
// Caller text is written as given, not escaped: a caller may pass markup in a
// paragraph on purpose, and a caller that wants a literal "<" or "&" escapes it
// itself. The only change made to caller text is the repair of bytes that are
// not valid UTF-8 (taken as Windows-1252), since the page declares UTF-8.
#pragma once

#include <fstream>
#include <string>

#include "mfreport/device/mfDevice.h"
#include "mfreport/markup/markup_output.h"
#include "mfreport/markup/text_codec.h"

class mfHtmlDevice : public mfDevice {
public:
    /// Opens the file and writes the prologue and the title block. Throws
    /// std::runtime_error when the file cannot be opened.
    mfHtmlDevice(const mfReportClient& client, const std::string& fileName,
                 const mfReportHeader& header);
    mfHtmlDevice(const mfHtmlDevice&) = delete;
    mfHtmlDevice& operator=(const mfHtmlDevice&) = delete;

    /// Writes "</body>" and "</html>" and closes the file.
    ~mfHtmlDevice() override;
    bool addHeading(const std::string& text, int level) override;
    bool addParagraph(const std::string& text) override;
    bool addList(const Vector<std::string>& items, int style) override;
    mfTable* addTable(const mfTableHeader& header) override;
    bool addFigure(const std::string& fileName, const std::string& caption) override;
    bool addHeadingToTOC(const std::string& text, int level) override;
    ReportType report_type() const override;

    /// The open document stream; table writers write through it.
    std::ofstream& out() { return out_; }

    /// Writes one line made of the given pieces, caller text repaired to valid UTF-8.
    template <class... Pieces>
    void writeLine(const Pieces&... pieces) {
        line_.clear();
        (mfreport::markup::appendUtf8(line_, pieces), ...);
        mfreport::markup::line(out_, line_);
    }

private:
    void writePrologue();
    void writeTitleBlock(const mfReportHeader& header);

    mfReportClient client_;
    std::ofstream out_;
    std::string line_; ///< scratch line, reused
};
