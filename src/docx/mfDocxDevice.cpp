#include "mfreport/docx/mfDocxDevice.h"

#include <sstream>

#include "mfreport/docx/document.h"
#include "mfreport/docx/mfTableDocx.h"
#include "mfreport/docx/picture.h"
#include "mfreport/markup/output.h"
#include "mfreport/markup/word_markup.h"
#include "mfreport/platform/files.h"
#include "mfreport/platform/maker.h"
#include "mfreport/platform/mfDateTime.h"

namespace {

using mfreport::markup::Output;
using mfreport::markup::XmlAttribute;
using mfreport::markup::XmlText;

constexpr std::string_view paragraphStart =
    R"(<w:p><w:pPr><w:pStyle w:val="TextParagraph"/></w:pPr><w:r><w:t xml:space="preserve">)";
constexpr std::string_view runEnd = "</w:t></w:r></w:p>";
constexpr std::string_view pageBreak = R"(<w:p><w:r><w:br w:type="page"/></w:r></w:p>)";
constexpr std::string_view tocBegin[] = {
    R"(<w:p><w:pPr><w:pStyle w:val="TOC1"/></w:pPr><w:r><w:fldChar w:fldCharType="begin"/></w:r>)"
    R"(<w:r><w:instrText xml:space="preserve"> TOC \o "1-5" \h \z \u </w:instrText></w:r>)"
    R"(<w:r><w:fldChar w:fldCharType="separate"/></w:r></w:p>)",
};
constexpr std::string_view tocEnd = R"(<w:p><w:r><w:fldChar w:fldCharType="end"/></w:r></w:p>)";
using mfreport::docx::ParagraphLayout;

template <class T>
std::string streamed(const T& value) {
    std::ostringstream os;
    os << value;
    return os.str();
}

// Characters of UTF-8 text, for the layout's estimate of its lines.
int64_t characters(std::string_view text) {
    int64_t count = 0;
    for (char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

ParagraphLayout contentsLayout(int style) {
    ParagraphLayout layout = mfreport::docx::kContentsLayout;
    layout.indent = 240 * (style - 1);
    return layout;
}

} // namespace

mfDocxDevice::mfDocxDevice(const mfReportClient& client, const std::string& fileName,
                           const mfReportHeader& header)
    : identity_(std::make_unique<mfreport::docx::Identity>(mfreport::docx::Identity{
          client.name(), client.version(), header.model_name(), header.model_sign(),
          header.model_description(), header.model_date(), header.model_filename(),
          streamed(mfDate()), streamed(mfTime()), mfreport::maker().name})),
      document_(std::make_shared<mfreport::docx::Document>(fileName)),
      output_(std::make_shared<Output>(document_->sink())) {
    output_->line(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)");
    output_->line("<w:document ", mfreport::docx::kNamespaces, ">");
    output_->line("<w:body>");
    output_->finish();
}

mfDocxDevice::~mfDocxDevice() {
    mfDocxDevice::close();
}

bool mfDocxDevice::close() {
    const int64_t logoId = output_->closed() ? 0 : output_->nextId();
    const bool body = output_->closeDocument(mfreport::docx::Document::bodyEnd());
    return document_->close(*identity_, logoId) && body;
}

bool mfDocxDevice::flush() {
    return output_->finish();
}

mfTable* mfDocxDevice::addTable(const mfTableHeader& header) {
    return new mfTableDocx(header, this);
}

mfreport::docx::PageModel& mfDocxDevice::layout() {
    return document_->layout();
}

mfDevice::ReportType mfDocxDevice::report_type() const {
    return DOCX;
}

const std::shared_ptr<mfreport::markup::Output>& mfDocxDevice::output() {
    return output_;
}

bool mfDocxDevice::addParagraph(const std::string& text) {
    if (!output_->startContent()) {
        return false;
    }
    document_->layout().paragraph(mfreport::docx::kTextLayout, characters(text));
    output_->line(paragraphStart, XmlText{text}, runEnd);
    return output_->finish();
}

bool mfDocxDevice::addPageBreak() {
    if (!output_->startContent()) {
        return false;
    }
    document_->layout().pageBreak(mfreport::docx::kNormalLayout);
    output_->line(pageBreak);
    return output_->finish();
}

bool mfDocxDevice::beginTOC() {
    if (!output_->startContent()) {
        return false;
    }
    document_->layout().paragraph(contentsLayout(1), 0);
    output_->lines(tocBegin);
    return output_->finish();
}

bool mfDocxDevice::endTOC() {
    if (!output_->startContent()) {
        return false;
    }
    document_->layout().paragraph(mfreport::docx::kNormalLayout, 0);
    output_->line(tocEnd);
    return output_->finish();
}

bool mfDocxDevice::addHeading(const std::string& text, int level) {
    return writeHeading(text, level, nullptr);
}

bool mfDocxDevice::addAnchoredHeading(const std::string& text, int level,
                                      const std::string& anchor) {
    return writeHeading(text, level, &anchor);
}

bool mfDocxDevice::writeHeading(const std::string& text, int level, const std::string* anchor) {
    if (!output_->startContent()) {
        return false;
    }
    Output& out = *output_;
    const std::string numbered = numbered_heading(text, level);
    const int64_t id = out.nextId();
    const std::string bookmark = mfreport::markup::word::bookmarkName(numbered);
    document_->layout().paragraph(level >= 1 && level <= 5
                                      ? mfreport::docx::kHeadingLayouts[level - 1]
                                      : mfreport::docx::kUnnumberedLayout,
                                  characters(numbered), document_->contentsSlot(bookmark));
    if (level >= 1 && level <= 5) {
        out.line(R"(<w:p><w:pPr><w:pStyle w:val="Heading)", level, R"("/></w:pPr>)");
    } else {
        out.line(R"(<w:p><w:pPr><w:pStyle w:val="HeadingUnnumbered"/></w:pPr>)");
    }
    int64_t anchorId = 0;
    if (anchor != nullptr) {
        anchorId = out.nextId();
        out.line(R"(<w:bookmarkStart w:id=")", anchorId, R"(" w:name=")", XmlAttribute{*anchor},
                 R"("/>)");
    }
    out.line(R"(<w:bookmarkStart w:id=")", id, R"(" w:name=")", XmlAttribute{bookmark}, R"("/>)");
    out.line(R"(<w:r><w:t xml:space="preserve">)", XmlText{numbered}, "</w:t></w:r>");
    out.line(R"(<w:bookmarkEnd w:id=")", id, R"("/>)");
    if (anchor != nullptr) {
        out.line(R"(<w:bookmarkEnd w:id=")", anchorId, R"("/>)");
    }
    out.line("</w:p>");
    return out.finish();
}

bool mfDocxDevice::addHeadingToTOC(const std::string& text, int level) {
    if (!output_->startContent()) {
        return false;
    }
    // The entry waits for its page number until close(); what the body
    // holds before it is written first.
    const std::string numbered = numbered_heading(text, level);
    const int style = level < 1 ? 1 : level > 5 ? 5 : level;
    if (!output_->finish() ||
        !document_->addContentsEntry(style, numbered,
                                     mfreport::markup::word::bookmarkName(numbered))) {
        return false;
    }
    document_->layout().paragraph(contentsLayout(style), characters(numbered));
    return true;
}

bool mfDocxDevice::addList(const Vector<std::string>& items, int style) {
    if (!output_->startContent()) {
        return false;
    }
    if (items.empty()) {
        return output_->finish();
    }
    const int64_t numbering =
        style == 2 ? document_->nextNumberedList() : mfreport::docx::Document::kBullets;
    for (size_t k = 0; k < items.size(); ++k) {
        const std::string& item = items[k];
        ParagraphLayout layout = mfreport::docx::kListLayout;
        if (k + 1 == items.size()) {
            layout.after = mfreport::docx::kNormalLayout.after;
        }
        document_->layout().paragraph(layout, characters(item));
        output_->line(
            R"(<w:p><w:pPr><w:pStyle w:val="ListParagraph"/><w:numPr><w:ilvl w:val="0"/><w:numId w:val=")",
            numbering, R"("/></w:numPr></w:pPr><w:r><w:t xml:space="preserve">)", XmlText{item},
            runEnd);
    }
    return output_->finish();
}

bool mfDocxDevice::addFigure(const std::string& fileName, const std::string& caption) {
    if (output_->closed()) {
        return false;
    }
    std::string bytes;
    if (!mfreport::platform::readWholeFile(fileName, bytes)) {
        return false;
    }
    const auto picture = mfreport::docx::readPicture(bytes);
    if (!picture || !output_->startContent()) {
        return false;
    }
    const int64_t id = output_->nextId();
    const std::string relation = document_->addPicture(std::move(bytes), *picture);
    const mfreport::docx::Extent extent = mfreport::docx::extentOf(
        *picture, mfreport::docx::kTextWidth * mfreport::docx::kEmuPerTwip);
    document_->layout().block(mfreport::docx::kFigureLayout,
                              extent.cy / mfreport::docx::kEmuPerTwip);
    document_->layout().paragraph(mfreport::docx::kCaptionLayout,
                                  characters(fileName) + 3 + characters(caption));
    std::string run = R"(<w:p><w:pPr><w:pStyle w:val="Figure"/></w:pPr><w:r>)";
    mfreport::docx::appendInlinePicture(run, id, relation, fileName, extent);
    run += "</w:r></w:p>";
    output_->line(run);
    output_->line(
        R"(<w:p><w:pPr><w:pStyle w:val="Caption"/></w:pPr><w:r><w:t xml:space="preserve">)",
        XmlText{fileName}, " : ", XmlText{caption}, runEnd);
    return output_->finish();
}
