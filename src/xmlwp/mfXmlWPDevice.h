// WordprocessingML 2003 document: the single-file XML format that desktop
// word processors open directly.
//
// The constructor writes the prologue, fonts, styles, the page header (a
// bordered table with the logo, the program's name and version and the
// model's identity) and the footer (date, time and "Page X of Y"), and opens
// the section that receives the content; the destructor closes it.
//
// Caller text is written as XML character data (attribute values for bookmark
// and link names and the figure's file name): "<", ">" and "&" are escaped
// unless they begin a reference the caller wrote, so the document is always
// well-formed.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "mfreport/device/mfDevice.h"

class mfXmlWPDevice : public mfDevice {
public:
    /// Opens the file and writes the document start. Throws std::runtime_error
    /// when the file cannot be opened.
    mfXmlWPDevice(const mfReportClient& client, const std::string& fileName,
                  const mfReportHeader& header);
    mfXmlWPDevice(const mfXmlWPDevice&) = delete;
    mfXmlWPDevice& operator=(const mfXmlWPDevice&) = delete;

    /// Closes what tables left open, the section, the body and the document,
    /// and the file.
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

    /// The open document stream; table writers write through it.
    std::ofstream& out() { return out_; }

    // Markup that table writers leave open between calls (a table, a row).
    // Whatever is still open when an element closes, or when the document
    // ends, is closed first, innermost first, so the document stays
    // well-formed whatever the order of the calls.
    using MarkupId = uint64_t;
    /// Records an open element whose end is `closing`; never returns 0.
    MarkupId openMarkup(std::string closing);
    bool isOpen(MarkupId id) const;
    /// Closes what was opened after `id`, writes `content` and the end of `id`.
    void closeMarkup(MarkupId id, std::string_view content = {});

private:
    void writePrologue();
    void writeFonts();
    void writeStyles();
    void writePageHeader(const mfReportHeader& header, const std::string& date,
                         const std::string& time);
    void writeFooter(const std::string& date, const std::string& time);
    void writeBookmark(std::string_view name);
    void writeBlankParagraph();

    mfReportClient client_;
    std::ofstream out_;
    std::vector<std::pair<MarkupId, std::string>> open_; ///< innermost last
    MarkupId lastId_ = 0;
    std::string line_; ///< scratch line, reused
};
