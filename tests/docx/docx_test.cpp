#include <minizip/unzip.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "golden.h"
#include "mfreport/markup/logo_png.h"
#include "mfreport/mfreport.h"
#include "test_env.h"

namespace {

using Parts = std::map<std::string, std::string>;

/// Every part of the package at `path`, by name; empty when it is no ZIP.
Parts partsOf(const std::string& path) {
    Parts parts;
    unzFile zip = unzOpen64(path.c_str());
    if (zip == nullptr) {
        return parts;
    }
    for (int at = unzGoToFirstFile(zip); at == UNZ_OK; at = unzGoToNextFile(zip)) {
        char name[512];
        unz_file_info64 info;
        unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0);
        std::string content(info.uncompressed_size, '\0');
        unzOpenCurrentFile(zip);
        unzReadCurrentFile(zip, content.data(), static_cast<unsigned>(content.size()));
        unzCloseCurrentFile(zip);
        parts[name] = content;
    }
    unzClose(zip);
    return parts;
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

bool has(const std::string& text, const std::string& what) {
    return text.find(what) != std::string::npos;
}

const mfReportClient client("BeamCalc", "Plane frame analysis", "2.4.1", "01-NOV-2026");
const mfReportHeader model("Foot & bridge", "Two spans", "bridge.mdl", "JD", "05-DEC-2026");

std::unique_ptr<mfDevice> document(const std::string& path) {
    return mfDevice::create(client, path, mfDevice::DOCX, model);
}

const std::string namespaces =
    R"(xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main")"
    R"( xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships")"
    R"( xmlns:wp="http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing")"
    R"( xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main")"
    R"( xmlns:pic="http://schemas.openxmlformats.org/drawingml/2006/picture")";

/// The body's content between "<w:body>" and the section's properties.
std::string content(const Parts& parts) {
    const std::string& body = parts.at("word/document.xml");
    const size_t from = body.find("<w:body>\n") + 9;
    return body.substr(from, body.find("<w:sectPr>") - from);
}

TEST(DocxPackage, HoldsTheDocumentPartsAndTheirRelationships) {
    mftest::TempFile file("parts.docx");
    {
        auto d = document(file.path());
        EXPECT_EQ(d->report_type(), mfDevice::DOCX);
        d->addParagraph("text");
        EXPECT_TRUE(d->close());
    }
    const Parts parts = partsOf(file.path());
    std::string names;
    for (const auto& part : parts) {
        names += part.first + "\n";
    }
    EXPECT_EQ(names, "[Content_Types].xml\n_rels/.rels\ndocProps/app.xml\ndocProps/core.xml\n"
                     "word/_rels/document.xml.rels\nword/_rels/header1.xml.rels\n"
                     "word/document.xml\nword/footer1.xml\nword/header1.xml\n"
                     "word/media/logo.png\nword/numbering.xml\nword/settings.xml\n"
                     "word/styles.xml\n");
    const std::string& types = parts.at("[Content_Types].xml");
    for (
        const char* expected : {
            R"(<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>)",
            R"(<Override PartName="/word/header1.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.header+xml"/>)",
            R"(<Override PartName="/word/numbering.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.numbering+xml"/>)",
            R"(<Override PartName="/word/media/logo.png" ContentType="image/png"/>)",
        }) {
        EXPECT_TRUE(has(types, expected)) << expected;
    }
    EXPECT_TRUE(has(
        parts.at("_rels/.rels"),
        R"(Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml")"));
    const std::string& rels = parts.at("word/_rels/document.xml.rels");
    EXPECT_TRUE(has(
        rels,
        R"(<Relationship Id="rId4" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/header" Target="header1.xml"/>)"));
    EXPECT_TRUE(has(
        rels,
        R"(<Relationship Id="rId5" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/footer" Target="footer1.xml"/>)"));
    EXPECT_TRUE(has(
        parts.at("word/_rels/header1.xml.rels"),
        R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/image" Target="media/logo.png"/>)"));
    EXPECT_EQ(parts.at("word/media/logo.png"),
              std::string(reinterpret_cast<const char*>(mfreport::markup::logoPng),
                          mfreport::markup::logoPngSize));
    // The section puts the header and footer on every page.
    const std::string& body = parts.at("word/document.xml");
    EXPECT_EQ(body.substr(0, body.find("<w:body>")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:document " +
                  namespaces + ">\n");
    EXPECT_TRUE(has(body, "<w:sectPr>\n<w:headerReference w:type=\"default\" r:id=\"rId4\"/>\n"
                          "<w:footerReference w:type=\"default\" r:id=\"rId5\"/>\n"));
    EXPECT_EQ(body.substr(body.find("</w:sectPr>")), "</w:sectPr>\n</w:body>\n</w:document>\n");
    EXPECT_FALSE(has(parts.at("word/header1.xml"), "titlePg"));
}

TEST(DocxPackage, StylesSettingsAndNumbering) {
    mftest::TempFile file("styles.docx");
    {
        auto d = document(file.path());
        Vector<std::string> items{"one", "two"};
        d->addList(items, 2);
        d->addList(items, 2);
        ASSERT_TRUE(d->close());
    }
    const Parts parts = partsOf(file.path());
    const std::string& styles = parts.at("word/styles.xml");
    for (int level = 1; level <= 5; ++level) {
        const std::string n = std::to_string(level);
        const std::string style = styles.substr(
            styles.find(R"(<w:style w:type="paragraph" w:styleId="Heading)" + n + "\">"));
        const std::string one = style.substr(0, style.find("</w:style>"));
        EXPECT_TRUE(has(one, R"(<w:name w:val="heading )" + n + "\"/>")) << one;
        EXPECT_TRUE(has(one, "<w:keepNext/>")) << one;
        EXPECT_TRUE(has(one, R"(<w:outlineLvl w:val=")" + std::to_string(level - 1) + "\"/>"))
            << one;
    }
    EXPECT_TRUE(has(parts.at("word/settings.xml"), R"(<w:updateFields w:val="true"/>)"));
    // Bullets, numbers, and each numbered list restarting at 1.
    const std::string& numbering = parts.at("word/numbering.xml");
    EXPECT_TRUE(has(numbering, R"(<w:numFmt w:val="bullet"/>)"));
    EXPECT_TRUE(has(numbering, R"(<w:numFmt w:val="decimal"/><w:lvlText w:val="%1."/>)"));
    for (const char* num : {"2", "3"}) {
        EXPECT_TRUE(has(
            numbering,
            std::string(R"(<w:num w:numId=")") + num +
                R"("><w:abstractNumId w:val="1"/><w:lvlOverride w:ilvl="0"><w:startOverride w:val="1"/></w:lvlOverride></w:num>)"))
            << num;
    }
    const std::string body = content(parts);
    EXPECT_EQ(count(body, R"(<w:numId w:val="2"/>)"), 2U);
    EXPECT_EQ(count(body, R"(<w:numId w:val="3"/>)"), 2U);
}

TEST(DocxPackage, HeaderAndFooterShowTheIdentityTheTimeTheMakerAndPageXOfY) {
    mftest::FixedClock clock("1796585527"); // 06-DEC-2026 19:32:07
    mftest::TempFile file("header.docx");
    {
        auto d = document(file.path());
        ASSERT_TRUE(d->close());
    }
    const Parts parts = partsOf(file.path());
    const std::string& header = parts.at("word/header1.xml");
    for (const char* text :
         {">BeamCalc<", ">2.4.1<", ">Report:<", ">Foot &amp; bridge<", ">Model Id:<", ">Sign:<",
          ">JD<", ">Description:<", ">Two spans<", ">Date:<", ">05-DEC-2026<", ">Model file name:<",
          ">bridge.mdl<", ">Last saved:<", ">06-DEC-2026  19:32:07<"}) {
        EXPECT_TRUE(has(header, text)) << text;
    }
    EXPECT_EQ(count(header, ">Foot &amp; bridge<"), 2U);
    // The logo at 48 x 33 points, from the header's own relationship.
    EXPECT_TRUE(has(header, R"(<wp:extent cx="609600" cy="419100"/>)"));
    EXPECT_TRUE(has(header, R"(<a:blip r:embed="rId1"/>)"));
    EXPECT_TRUE(has(header, R"(<w:vMerge w:val="restart"/>)"));
    EXPECT_EQ(count(header, "<w:vMerge/>"), 4U);

    const std::string& footer = parts.at("word/footer1.xml");
    EXPECT_TRUE(has(footer, "<w:t>06-DEC-2026 19:32:07</w:t>"));
    EXPECT_TRUE(has(footer, "<w:t>ZEB Software</w:t>"));
    EXPECT_TRUE(has(
        footer,
        R"(<w:r><w:t xml:space="preserve">Page </w:t></w:r>)"
        "\n"
        R"(<w:r><w:fldChar w:fldCharType="begin"/></w:r><w:r><w:instrText xml:space="preserve"> PAGE </w:instrText></w:r>)"
        R"(<w:r><w:fldChar w:fldCharType="separate"/></w:r><w:r><w:t>1</w:t></w:r><w:r><w:fldChar w:fldCharType="end"/></w:r>)"
        R"(<w:r><w:t xml:space="preserve"> of </w:t></w:r>)"
        R"(<w:r><w:fldChar w:fldCharType="begin"/></w:r><w:r><w:instrText xml:space="preserve"> NUMPAGES </w:instrText></w:r>)"));
    const std::string& core = parts.at("docProps/core.xml");
    EXPECT_TRUE(has(core, "<dc:creator>BeamCalc</dc:creator>"));
    EXPECT_TRUE(has(core, "<dc:title>Foot &amp; bridge</dc:title>"));
}

TEST(DocxContent, HeadingsParagraphsListsPageBreaksAndTheContentsField) {
    mftest::TempFile file("content.docx");
    {
        auto d = document(file.path());
        EXPECT_TRUE(d->beginTOC());
        {
            mfTOCDevice toc(d.get());
            toc.addHeading("Model", 1);
            toc.addHeading("Load cases", 2);
        }
        EXPECT_TRUE(d->endTOC());
        EXPECT_TRUE(d->addHeading("Model", 1));
        EXPECT_TRUE(d->addHeading("Load cases", 2));
        EXPECT_TRUE(d->addHeading("Remarks", 0));
        EXPECT_TRUE(d->addParagraph("A & B"));
        EXPECT_TRUE(d->addList(Vector<std::string>{"x", "y"}, 1));
        EXPECT_TRUE(d->addList(Vector<std::string>{}, 1));
        EXPECT_TRUE(d->addPageBreak());
        ASSERT_TRUE(d->close());
    }
    const std::string contentsEntry =
        R"(<w:hyperlink w:anchor="1_1__Load_cases" w:history="1"><w:r><w:t xml:space="preserve">1.1  Load cases</w:t></w:r>)"
        R"(<w:r><w:tab/></w:r><w:r><w:fldChar w:fldCharType="begin"/></w:r>)"
        R"(<w:r><w:instrText xml:space="preserve"> PAGEREF 1_1__Load_cases \h </w:instrText></w:r>)";
    const std::string expected =
        R"(<w:p><w:pPr><w:pStyle w:val="TOC1"/></w:pPr><w:r><w:fldChar w:fldCharType="begin"/></w:r>)"
        R"(<w:r><w:instrText xml:space="preserve"> TOC \o "1-5" \h \z \u </w:instrText></w:r>)"
        R"(<w:r><w:fldChar w:fldCharType="separate"/></w:r></w:p>)"
        "\n";
    const std::string body = content(partsOf(file.path()));
    EXPECT_EQ(body.substr(0, expected.size()), expected);
    EXPECT_TRUE(has(body, R"(<w:p><w:pPr><w:pStyle w:val="TOC2"/></w:pPr>)" + contentsEntry))
        << body;
    const std::string fieldEnd = "<w:p><w:r><w:fldChar w:fldCharType=\"end\"/></w:r></w:p>\n";
    const std::string rest = body.substr(body.find(fieldEnd) + fieldEnd.size());
    // Bookmark ids count up through the document.
    EXPECT_EQ(
        rest,
        "<w:p><w:pPr><w:pStyle w:val=\"Heading1\"/></w:pPr>\n"
        "<w:bookmarkStart w:id=\"1\" w:name=\"1__Model\"/>\n"
        "<w:r><w:t xml:space=\"preserve\">1  Model</w:t></w:r>\n"
        "<w:bookmarkEnd w:id=\"1\"/>\n"
        "</w:p>\n"
        "<w:p><w:pPr><w:pStyle w:val=\"Heading2\"/></w:pPr>\n"
        "<w:bookmarkStart w:id=\"2\" w:name=\"1_1__Load_cases\"/>\n"
        "<w:r><w:t xml:space=\"preserve\">1.1  Load cases</w:t></w:r>\n"
        "<w:bookmarkEnd w:id=\"2\"/>\n"
        "</w:p>\n"
        "<w:p><w:pPr><w:pStyle w:val=\"HeadingUnnumbered\"/></w:pPr>\n"
        "<w:bookmarkStart w:id=\"3\" w:name=\"Remarks\"/>\n"
        "<w:r><w:t xml:space=\"preserve\">Remarks</w:t></w:r>\n"
        "<w:bookmarkEnd w:id=\"3\"/>\n"
        "</w:p>\n"
        "<w:p><w:pPr><w:pStyle w:val=\"TextParagraph\"/></w:pPr><w:r><w:t xml:space=\"preserve\">A "
        "&amp; B</w:t></w:r></w:p>\n"
        "<w:p><w:pPr><w:pStyle w:val=\"ListParagraph\"/><w:numPr><w:ilvl w:val=\"0\"/><w:numId "
        "w:val=\"1\"/></w:numPr></w:pPr><w:r><w:t xml:space=\"preserve\">x</w:t></w:r></w:p>\n"
        "<w:p><w:pPr><w:pStyle w:val=\"ListParagraph\"/><w:numPr><w:ilvl w:val=\"0\"/><w:numId "
        "w:val=\"1\"/></w:numPr></w:pPr><w:r><w:t xml:space=\"preserve\">y</w:t></w:r></w:p>\n"
        "<w:p><w:r><w:br w:type=\"page\"/></w:r></w:p>\n");
}

TEST(DocxContent, FiguresAreInlinePicturesAtTheirSizeInMediaParts) {
    mftest::TempFile png("figure.png");
    // A PNG header of 200 x 100 pixels is all the reader needs of the file.
    mftest::writeFile(png.path(), std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\xc8\0\0\0\x64"
                                              "\x08\x02\0\0\0",
                                              29));
    mftest::TempFile file("figure.docx");
    {
        auto d = document(file.path());
        EXPECT_FALSE(d->addFigure(png.path() + ".missing", "gone"));
        EXPECT_TRUE(d->addFigure(png.path(), "Elevation"));
        ASSERT_TRUE(d->close());
    }
    const Parts parts = partsOf(file.path());
    EXPECT_EQ(parts.at("word/media/image1.png"), mftest::readFile(png.path()));
    EXPECT_TRUE(has(
        parts.at("word/_rels/document.xml.rels"),
        R"(<Relationship Id="rId6" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/image" Target="media/image1.png"/>)"));
    const std::string body = content(parts);
    EXPECT_TRUE(has(body, R"(<wp:extent cx="1905000" cy="952500"/>)")) << body;
    EXPECT_TRUE(has(body, R"(<a:blip r:embed="rId6"/>)"));
    EXPECT_TRUE(has(body, " : Elevation</w:t>"));
    EXPECT_EQ(count(body, "<w:drawing>"), 1U);
}

void writeForces(mfDevice& d, int records) {
    std::unique_ptr<mfTable> t(d.addTable(mfTableHeader("FORCES", "Forces", 2)));
    mfTableColumn n("N", "Normal force", mfTableColumn::REAL);
    n.setUnits("kN", 0.001);
    n.setWidth(8, 2, mfTableColumn::FIXED);
    n.setAdjust(mfTableColumn::RIGHT);
    mfTableColumn text("Name", "Name", mfTableColumn::STRING);
    text.setBackgroundColor("FFFF00");
    text.setAdjust(mfTableColumn::CENTER);
    t->header().addNote("Tension positive.");
    t->addColumn(n);
    t->addColumn(text);
    t->begin_table();
    for (int r = 0; r < records; ++r) {
        t->begin_record();
        t->insertValue(0, 3141.59);
        t->insertValue(1, std::string("a\nb"));
        t->end_record();
    }
    t->end_table();
}

TEST(DocxTable, HeadRowRepeatsAndCellsShowFormatsColoursAndLines) {
    mftest::TempFile file("table.docx");
    {
        auto d = document(file.path());
        writeForces(*d, 2);
        ASSERT_TRUE(d->close());
    }
    const std::string body = content(partsOf(file.path()));
    // The description as a numbered heading carrying the table's bookmark, the notes.
    EXPECT_TRUE(has(body, "<w:bookmarkStart w:id=\"2\" w:name=\"FORCES\"/>\n"
                          "<w:bookmarkStart w:id=\"1\" w:name=\"0_1__Forces\"/>\n"));
    EXPECT_TRUE(has(body, "<w:t xml:space=\"preserve\">Tension positive.</w:t>"));
    EXPECT_TRUE(has(body, "<w:gridCol w:w=\"960\"/>\n<w:gridCol w:w=\"1440\"/>\n</w:tblGrid>\n"
                          "<w:tr><w:trPr><w:cantSplit/><w:tblHeader/></w:trPr>\n"));
    EXPECT_TRUE(has(body, "<w:tblCellMar><w:left w:w=\"108\" w:type=\"dxa\"/>"
                          "<w:right w:w=\"108\" w:type=\"dxa\"/></w:tblCellMar>"));
    EXPECT_TRUE(has(
        body,
        R"(<w:b/></w:rPr><w:t xml:space="preserve">N</w:t></w:r><w:r><w:br/><w:t xml:space="preserve">[kN]</w:t></w:r></w:p></w:tc>)"));
    const std::string record =
        "<w:tr><w:trPr><w:cantSplit/></w:trPr>\n"
        R"(<w:tc><w:p><w:pPr><w:jc w:val="right"/></w:pPr><w:r><w:t xml:space="preserve">    3.14</w:t></w:r></w:p></w:tc>)"
        "\n"
        R"(<w:tc><w:tcPr><w:shd w:val="clear" w:color="auto" w:fill="FFFF00"/></w:tcPr><w:p><w:pPr><w:jc w:val="center"/></w:pPr>)"
        R"(<w:r><w:t xml:space="preserve">a</w:t><w:br/><w:t xml:space="preserve">b</w:t></w:r></w:p></w:tc>)"
        "\n</w:tr>\n";
    EXPECT_EQ(count(body, record), 2U) << body;
    EXPECT_TRUE(has(body, record + "</w:tbl>\n"));
}

TEST(DocxTable, WideTablesFoldAndEmptyTablesSaySo) {
    mftest::TempFile file("fold.docx");
    {
        auto d = document(file.path());
        std::unique_ptr<mfTable> t(d->addTable(mfTableHeader("WIDE", "Wide", 1)));
        for (const char* name : {"A", "B", "C"}) {
            t->addColumn(mfTableColumn(name, name, mfTableColumn::INTEGER));
        }
        t->setWrapping(2, 1);
        t->begin_table();
        t->begin_record();
        t->insertValue(2, 3);
        t->insertValue(0, 1);
        t->end_record();
        t->end_table();
        std::unique_ptr<mfTable> empty(d->addTable(mfTableHeader("NONE", "None", 1)));
        empty->addColumn(mfTableColumn("A", "A", mfTableColumn::STRING));
        empty->begin_table();
        empty->end_table();
        ASSERT_TRUE(d->close());
    }
    const std::string body = content(partsOf(file.path()));
    const std::string wide = body.substr(0, body.find("</w:tbl>"));
    EXPECT_EQ(count(wide, "<w:gridCol "), 2U);
    EXPECT_EQ(count(wide, "<w:tblHeader/>"), 2U);
    const std::string cell =
        R"(<w:tc><w:p><w:pPr><w:jc w:val="right"/></w:pPr><w:r><w:t xml:space="preserve">)";
    EXPECT_TRUE(has(wide, "<w:tr><w:trPr><w:cantSplit/></w:trPr>\n" + cell +
                              "1</w:t></w:r></w:p></w:tc>\n<w:tc><w:p/></w:tc>\n</w:tr>\n"
                              "<w:tr><w:trPr><w:cantSplit/></w:trPr>\n<w:tc><w:p/></w:tc>\n" +
                              cell + "3</w:t></w:r></w:p></w:tc>\n</w:tr>\n"))
        << wide;
    EXPECT_TRUE(has(body.substr(body.find("</w:tbl>")), ">Empty table</w:t>"));
}

TEST(DocxPackage, TwoRunsUnderAFixedClockGiveTheSameBytes) {
    mftest::FixedClock clock("1796585527");
    mftest::TempFile first("first.docx");
    mftest::TempFile second("second.docx");
    for (const std::string& path : {first.path(), second.path()}) {
        auto d = document(path);
        d->addHeading("Results", 1);
        writeForces(*d, 3);
        ASSERT_TRUE(d->close());
    }
    const std::string bytes = mftest::readFile(first.path());
    EXPECT_EQ(bytes.substr(0, 2), "PK");
    EXPECT_EQ(bytes, mftest::readFile(second.path()));
}

TEST(DocxPackage, AFullDiskShowsInTheAnswers) {
    auto d = document("/dev/full");
    bool failed = false;
    for (int r = 0; r < 20000 && !failed; ++r) {
        failed = !d->addParagraph("A paragraph that fills the disk, " + std::to_string(r));
    }
    std::unique_ptr<mfTable> t(d->addTable(mfTableHeader("T", "T", 1)));
    t->addColumn(mfTableColumn("N", "N", mfTableColumn::REAL));
    t->begin_table();
    t->begin_record();
    t->insertValue(0, 1.5);
    t->end_record();
    t->end_table();
    EXPECT_FALSE(d->close());
    EXPECT_FALSE(d->close());
    EXPECT_FALSE(d->addParagraph("after"));
}

} // namespace

namespace {

// A small document with every kind of content: contents, headings, a
// paragraph, both lists, a page break and a table with a unit, notes and a
// folded record.
void writeNodes(mfTable& table);

void writeSmall(mfDevice& d) {
    d.addHeading("Model", 1);
    d.addParagraph("Two spans & one deck.");
    d.addList({"Steel", "Timber"}, 2);
    mfTableHeader header("NODES", "Nodes", 2);
    header.addNote("Global system.");
    if (std::unique_ptr<mfTable> t(d.addTable(header)); t) {
        writeNodes(*t);
    } else {
        d.addHeading(header.description(), 2);
    }
    d.addPageBreak();
    d.addHeading("Results", 1);
    d.addList({"All checks pass."}, 1);
}

void writeNodes(mfTable& table) {
    mfTable* t = &table;
    mfTableColumn x("X", "X coordinate", mfTableColumn::REAL);
    x.setUnits("m", 1.0);
    x.setWidth(8, 2, mfTableColumn::FIXED);
    t->addColumn(mfTableColumn("Node", "Node number", mfTableColumn::INTEGER));
    t->addColumn(x);
    t->addColumn(mfTableColumn("Support", "Support", mfTableColumn::STRING));
    t->setWrapping(2, 1);
    t->begin_table();
    t->begin_record();
    t->insertValue(0, 1);
    t->insertValue(1, 12.5);
    t->insertValue(2, std::string("pinned"));
    t->end_record();
    t->end_table();
}

} // namespace

TEST(DocxGolden, TheSmallDocumentsPartsAreAsExpected) {
    mftest::FixedClock clock("1796585527");
    mftest::TempFile file("golden.docx");
    {
        auto d = document(file.path());
        d->beginTOC();
        {
            mfTOCDevice contents(d.get());
            writeSmall(contents);
        }
        d->endTOC();
        writeSmall(*d);
        ASSERT_TRUE(d->close());
    }
    std::vector<std::string> names;
    unzFile zip = unzOpen64(file.path().c_str());
    ASSERT_NE(zip, nullptr);
    for (int at = unzGoToFirstFile(zip); at == UNZ_OK; at = unzGoToNextFile(zip)) {
        char name[512];
        unzGetCurrentFileInfo64(zip, nullptr, name, sizeof name, nullptr, 0, nullptr, 0);
        names.emplace_back(name);
    }
    unzClose(zip);
    std::string list;
    for (const std::string& name : names) {
        list += name + "\n";
    }
    EXPECT_TRUE(mftest::sameLines(list, mftest::golden("docx/parts.txt")));
    const Parts parts = partsOf(file.path());
    for (const std::string& name : names) {
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0) {
            continue;
        }
        std::string golden = name;
        for (char& c : golden) {
            c = c == '/' ? '-' : c;
        }
        EXPECT_TRUE(mftest::sameLines(parts.at(name), mftest::golden("docx/" + golden))) << name;
    }
}

TEST(DocxContent, TheContentsShowPagesAndTheBodyFollowsWhole) {
    mftest::TempFile file("pages.docx");
    const auto write = [](mfDevice& d) {
        d.addHeading("First", 1);
        for (int k = 0; k < 3000; ++k) { // some 200 pages of paragraphs
            d.addParagraph("Paragraph " + std::to_string(k));
        }
        d.addPageBreak();
        d.addHeading("Last", 1);
    };
    {
        auto d = document(file.path());
        d->addParagraph("Contents");
        EXPECT_TRUE(d->beginTOC());
        {
            mfTOCDevice toc(d.get());
            write(toc);
            EXPECT_TRUE(toc.addHeading("Never written", 1));
        }
        EXPECT_TRUE(d->endTOC());
        write(*d);
        ASSERT_TRUE(d->close());
    }
    const std::string body = content(partsOf(file.path()));
    const auto shown = [&](const std::string& bookmark) {
        const std::string field = " PAGEREF " + bookmark +
                                  R"( \h </w:instrText></w:r>)"
                                  R"(<w:r><w:fldChar w:fldCharType="separate"/></w:r><w:r><w:t>)";
        const size_t at = body.find(field);
        return at == std::string::npos
                   ? std::string("none")
                   : body.substr(at + field.size(),
                                 body.find('<', at + field.size()) - at - field.size());
    };
    EXPECT_EQ(shown("1__First"), "1");
    // 36 paragraphs of one line a page (36 x 240 + 35 x 120 <= 12868), some
    // fewer on the first; a page break ends the last page of paragraphs.
    const int64_t last = std::stoll(shown("2__Last"));
    EXPECT_GE(last, 3000 / 36 + 1);
    EXPECT_LE(last, 3000 / 36 + 3);
    EXPECT_EQ(shown("3__Never_written"), "");
    // The body arrives whole and in order after the contents.
    size_t at = body.find(R"(<w:fldChar w:fldCharType="end"/></w:r></w:p>)"
                          "\n<w:p>");
    ASSERT_NE(at, std::string::npos);
    for (int k = 0; k < 3000 && at != std::string::npos; ++k) {
        at = body.find(">Paragraph " + std::to_string(k) + "<", at);
    }
    EXPECT_NE(at, std::string::npos);
    EXPECT_TRUE(has(body.substr(at), R"(<w:t xml:space="preserve">2  Last</w:t>)"));
}

TEST(DocxPackage, AFullDiskAfterTheContentsShowsInTheAnswers) {
    auto d = document("/dev/full");
    d->beginTOC();
    {
        mfTOCDevice toc(d.get());
        toc.addHeading("Model", 1);
    }
    d->endTOC();
    d->addHeading("Model", 1);
    for (int r = 0; r < 20000; ++r) {
        d->addParagraph("A paragraph that goes to the spool, " + std::to_string(r));
    }
    EXPECT_FALSE(d->close());
    EXPECT_FALSE(d->close());
}
