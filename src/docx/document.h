// The package of a .docx document: the body streamed into its part while the
// document is written, the pictures kept for their media parts, and the parts
// written when the document closes (styles, settings, numbering, the page
// header with the logo, the footer, relationships, content types and
// properties).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "mfreport/docx/picture.h"
#include "mfreport/markup/output.h"
#include "mfreport/package/package.h"

namespace mfreport::docx {

/// The page: A4 with margins of 2 cm at the sides (twentieths of a point).
constexpr int64_t kPageWidth = 11906;
constexpr int64_t kPageHeight = 16838;
constexpr int64_t kSideMargin = 1134;
constexpr int64_t kTextWidth = kPageWidth - 2 * kSideMargin;

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
    bool healthy() const { return package_.healthy(); }

    /// The bulleted list's numbering id.
    static constexpr int64_t kBullets = 1;
    static constexpr int64_t kFirstNumberedList = 2;

private:
    struct Media {
        std::string bytes;
        std::string_view extension;
    };

    package::Package package_;
    std::vector<Media> media_;
    int64_t numberedLists_ = 0;
};

/// The fixed and generated parts, apart for the tests.
std::string stylesPart();
std::string settingsPart();
std::string numberingPart(int64_t numberedLists);
std::string headerPart(const Identity& identity, int64_t logoId);
std::string footerPart(const Identity& identity);

} // namespace mfreport::docx
