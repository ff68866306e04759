// WordprocessingML 2003 document: the single-file XML format that desktop
// word processors open directly.
//
// The constructor writes the prologue, fonts and styles and opens the section
// that receives the content. Closing the document ends the section with its
// properties: the page header (a bordered table with the logo, the program's
// name and version and the model's identity) and the footer (date, time, the
// maker's name and "Page X of Y"), made from the identity, the time and the
// maker (mfreport::setMaker) kept at construction.
//
// Caller text is written as XML character data (attribute values for bookmark
// and link names and the figure's file name): "<", ">" and "&" are escaped
// unless they begin a reference the caller wrote, so the document is always
// well-formed.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

#include "mfreport/device/mfDevice.h"

namespace mfreport::markup {
class Output;
}

class mfXmlWPDevice : public mfDevice {
public:
    /// Opens the file and writes the document start. Throws std::runtime_error
    /// when the file cannot be opened.
    mfXmlWPDevice(const mfReportClient& client, const std::string& fileName,
                  const mfReportHeader& header);
    mfXmlWPDevice(const mfXmlWPDevice&) = delete;
    mfXmlWPDevice& operator=(const mfXmlWPDevice&) = delete;

    /// Closes the document unless close() did.
    ~mfXmlWPDevice() override;
    /// Numbered heading paragraph (styles Heading1 to Heading3, outline level)
    /// followed by its bookmark.
    bool addHeading(const std::string& text, int level) override;
    bool addParagraph(const std::string& text) override;
    /// A borderless table: two items per row for style 2 and an even count,
    /// otherwise one item per row.
    bool addList(const Vector<std::string>& items, int style) override;
    mfTable* addTable(const mfTableHeader& header) override;
    /// Embeds the image file's bytes; an unreadable file gives an empty picture.
    bool addFigure(const std::string& fileName, const std::string& caption) override;
    bool addPageBreak() override;
    /// One entry of the contents field, linked to the heading's bookmark.
    bool addHeadingToTOC(const std::string& text, int level) override;
    bool beginTOC() override;
    bool endTOC() override;
    ReportType report_type() const override;
    /// Closes what tables left open, writes the section's properties with the
    /// page header and footer, closes the section, the body and the document,
    /// and the file; false when any write or the close failed.
    bool close() override;
    /// Writes what is buffered to the file; false when a write failed or the
    /// document is closed.
    bool flush() override;

    /// The open document stream.
    std::ofstream& out();
    /// The document's output, which the table writers share.
    const std::shared_ptr<mfreport::markup::Output>& output();

private:
    void writePageHeader(std::string_view type);
    void writeFooter(std::string_view type);

    mfReportClient client_;
    std::shared_ptr<mfreport::markup::Output> output_;
    mfReportHeader model_; ///< the model's identity texts, for the page header
    std::string date_;     ///< when the document was made
    std::string time_;
    std::string maker_; ///< the maker's name when the document was made, for the footer
};
