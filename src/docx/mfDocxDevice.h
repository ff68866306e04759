// Office Open XML document (.docx, file name as given): a ZIP package whose
// body streams into its part as the report is written, in constant memory.
// The page header is the bordered identification table with the logo, the
// program's name and version and the model's identity; the footer shows the
// date and time the document was made, the maker's name and "Page X of Y" as
// page-number fields, on every page. Headings take the built-in heading
// styles with their outline levels and carry bookmarks; lists are bulleted or
// numbered; figures are inline pictures at their own size, scaled down to the
// text width when wider, kept in memory until close() writes them as media
// parts. The contents field holds hyperlinked entries with page references,
// which readers update on opening. The package is complete once close() has
// written its central directory.
//
// Caller text is written as XML character data ("<", ">" and "&" escaped).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "mfreport/device/mfDevice.h"

namespace mfreport::markup {
class Output;
}
namespace mfreport::docx {
class Document;
class PageModel;
struct Identity;
} // namespace mfreport::docx

class mfDocxDevice : public mfDevice {
public:
    /// Creates the file. Throws std::runtime_error when it cannot be opened.
    mfDocxDevice(const mfReportClient& client, const std::string& fileName,
                 const mfReportHeader& header);
    mfDocxDevice(const mfDocxDevice&) = delete;
    mfDocxDevice& operator=(const mfDocxDevice&) = delete;

    /// Closes the document unless close() did.
    ~mfDocxDevice() override;
    /// Numbered heading in the style of its level (Heading1 to Heading5),
    /// carrying the bookmark of its numbered text; other levels are
    /// unnumbered headings outside the outline.
    bool addHeading(const std::string& text, int level) override;
    /// As addHeading, the heading also carrying the bookmark `anchor`.
    bool addAnchoredHeading(const std::string& text, int level, const std::string& anchor);
    bool addParagraph(const std::string& text) override;
    /// Style 2: a numbered list, restarting at 1; any other: bulleted. An
    /// empty list writes nothing.
    bool addList(const Vector<std::string>& items, int style) override;
    mfTable* addTable(const mfTableHeader& header) override;
    /// An inline picture of a PNG or JPEG file with its caption; false,
    /// writing nothing, when the file cannot be read or is neither.
    bool addFigure(const std::string& fileName, const std::string& caption) override;
    bool addPageBreak() override;
    /// One entry of the contents field, linked to the heading's bookmark.
    bool addHeadingToTOC(const std::string& text, int level) override;
    bool beginTOC() override;
    bool endTOC() override;
    ReportType report_type() const override;
    /// Ends the body, writes the other parts and the ZIP's central
    /// directory, puts the file on stable storage and closes it; false when
    /// any of it failed.
    bool close() override;
    /// Hands what is buffered to the compressor; false when a write failed or
    /// the document is closed. The file is a readable ZIP only once closed.
    bool flush() override;

    /// The body's output, which the table writers share.
    const std::shared_ptr<mfreport::markup::Output>& output();
    /// The layout model that counts the pages of the body as it is written.
    mfreport::docx::PageModel& layout();

private:
    bool writeHeading(const std::string& text, int level, const std::string* anchor);

    std::unique_ptr<mfreport::docx::Identity> identity_;
    std::shared_ptr<mfreport::docx::Document> document_;
    std::shared_ptr<mfreport::markup::Output> output_;
};
