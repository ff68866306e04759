// The package of a .docx document: the body streamed into its part while the
// document is written, the pictures kept for their media parts, and the parts
// written when the document closes (styles, settings, numbering, the page
// header with the logo, the footer, relationships, content types and
// properties).
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "mfreport/docx/pages.h"
#include "mfreport/docx/picture.h"
#include "mfreport/markup/output.h"
#include "mfreport/package/package.h"

namespace mfreport::docx {

/// The page: A4 with margins of 2 cm at the sides (twentieths of a point).
constexpr int64_t kPageWidth = 11906;
constexpr int64_t kPageHeight = 16838;
constexpr int64_t kSideMargin = 1134;
constexpr int64_t kTextWidth = kPageWidth - 2 * kSideMargin;
/// Margins above and below the body, which leave room for the page header
/// and footer.
constexpr int64_t kTopMargin = 2552;
constexpr int64_t kBottomMargin = 1418;
constexpr int64_t kBodyHeight = kPageHeight - kTopMargin - kBottomMargin;

/// How the styles lay out their paragraphs (sizes in half-points).
constexpr ParagraphLayout kNormalLayout{16, 0, 60, 0, false};
constexpr ParagraphLayout kTextLayout{20, 0, 120, 0, false};
constexpr ParagraphLayout kHeadingLayouts[] = {
    {28, 360, 120, 0, true}, {24, 240, 120, 0, true}, {20, 240, 120, 0, true},
    {18, 180, 120, 0, true}, {16, 180, 120, 0, true},
};
constexpr ParagraphLayout kUnnumberedLayout{18, 180, 120, 0, true};
/// List items: no spacing between items of a list, the normal after the last.
constexpr ParagraphLayout kListLayout{16, 0, 0, 720, false};
constexpr ParagraphLayout kFigureLayout{16, 120, 60, 0, true};
constexpr ParagraphLayout kCaptionLayout{16, 0, 240, 0, false};
/// Contents entries indent by 240 a level.
constexpr ParagraphLayout kContentsLayout{16, 0, 40, 0, false};

/// What the page header and footer show, as caller text (escaped when written).
struct Identity {
    std::string program;
    std::string version;
    std::string modelName;
    std::string modelSign;
    std::string modelDescription;
    std::string modelDate;
    std::string modelFile;
    std::string date; ///< when the document was made
    std::string time;
    std::string maker;
};

/// The namespaces of the body, header and footer parts.
extern const std::string_view kNamespaces;

/// Appends the run content of an inline picture: `id` is unique in the
/// document, `relation` the relationship id of its media part.
void appendInlinePicture(std::string& out, int64_t id, std::string_view relation,
                         std::string_view name, const Extent& extent);

/// Where the body's bytes go: into the package until the first contents
/// entry, from then on into an unnamed temporary file, because the entries'
/// page numbers are known only when the body has been laid out. At close()
/// the entries, with the pages of their headings, and the spooled body go
/// into the package: the body after the contents is written twice.
class Document {
public:
    /// Creates the file and starts the body part; throws as Package does.
    explicit Document(const std::string& fileName);

    /// The output whose bytes go into the body part.
    std::unique_ptr<markup::Output::Sink> sink();
    /// The end of the body: the section with its page, header and footer.
    static std::string_view bodyEnd();

    /// Keeps the bytes of a picture for its media part; its relationship id.
    std::string addPicture(std::string bytes, const Picture& picture);
    /// Numbered lists so far: each restarts its numbering. The numbering id
    /// of the next one.
    int64_t nextNumberedList() { return kFirstNumberedList + numberedLists_++; }

    /// Ends the body part, writes the other parts and closes the package.
    /// `logoId` is the logo's picture id, unique in the document. False when
    /// anything failed.
    bool close(const Identity& identity, int64_t logoId);
    bool healthy() const { return package_.healthy() && !failed_; }

    /// Keeps a contents entry of style TOC`style` (1 to 5) showing `text` and
    /// linked to the bookmark `bookmark`; it is written where the body now
    /// ends, with the page of the heading that carries the bookmark. False
    /// when the temporary file cannot be made.
    bool addContentsEntry(int style, std::string_view text, const std::string& bookmark);
    /// The slot of the first contents entry linked to `bookmark`, -1 when
    /// none is.
    int64_t contentsSlot(const std::string& bookmark) const;
    /// The layout model that sets the entries' pages.
    PageModel& layout() { return layout_; }

    /// Takes the body's bytes; false once a write has failed.
    bool writeBody(const char* data, size_t size);
    /// Ends the body part: the kept entries and the spooled bytes go into it.
    bool endBody();

    /// The bulleted list's numbering id.
    static constexpr int64_t kBullets = 1;
    static constexpr int64_t kFirstNumberedList = 2;

private:
    struct Media {
        std::string bytes;
        std::string_view extension;
    };

    struct Entry {
        std::string markup; ///< up to the page number
        int64_t offset;     ///< where in the spooled body it goes
    };
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    bool copySpool(int64_t bytes, std::vector<char>& chunk);

    package::Package package_;
    std::vector<Media> media_;
    int64_t numberedLists_ = 0;
    std::vector<Entry> entries_;
    std::vector<int64_t> pages_; ///< per entry: its heading's page, 0 unknown
    std::unordered_map<std::string, int64_t> bookmarks_;
    PageModel layout_{kBodyHeight, kTextWidth, pages_};
    std::unique_ptr<std::FILE, FileCloser> spool_;
    int64_t spooled_ = 0;
    bool failed_ = false;
};

/// The fixed and generated parts, apart for the tests.
std::string stylesPart();
std::string settingsPart();
std::string numberingPart(int64_t numberedLists);
std::string headerPart(const Identity& identity, int64_t logoId);
std::string footerPart(const Identity& identity);

} // namespace mfreport::docx
