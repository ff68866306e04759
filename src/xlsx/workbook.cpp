#include "mfreport/xlsx/workbook.h"

#include <algorithm>
#include <string_view>

#include "mfreport/markup/text_codec.h"

namespace mfreport::xlsx {

namespace {

constexpr std::string_view mainContent =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
constexpr std::string_view worksheetContent =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
constexpr std::string_view stylesContent =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml";
constexpr std::string_view worksheetRelation =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
constexpr std::string_view stylesRelation =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";

constexpr std::string_view workbookStart[] = {
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)",
    R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main")"
    R"( xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)",
    R"(<bookViews><workbookView/></bookViews>)",
    R"(<sheets>)",
};
constexpr std::string_view workbookEnd = "</workbook>\n";

// The style sheet: cell format 0 is the default, 1 the head row, 2 + n the
// fixed format of n decimals and 12 + n the exponent format of n decimals.
constexpr std::string_view stylesStart[] = {
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)",
    R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)",
    R"(<numFmts count="20">)",
};
constexpr std::string_view stylesMiddle[] = {
    R"(</numFmts>)",
    R"(<fonts count="2">)",
    R"(<font><sz val="11"/><name val="Calibri"/><family val="2"/></font>)",
    R"(<font><b/><sz val="11"/><name val="Calibri"/><family val="2"/></font>)",
    R"(</fonts>)",
    R"(<fills count="3">)",
    R"(<fill><patternFill patternType="none"/></fill>)",
    R"(<fill><patternFill patternType="gray125"/></fill>)",
    R"(<fill><patternFill patternType="solid"><fgColor rgb="FFC0C0C0"/><bgColor indexed="64"/></patternFill></fill>)",
    R"(</fills>)",
    R"(<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>)",
    R"(<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>)",
    R"(<cellXfs count="22">)",
    R"(<xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>)",
    R"(<xf numFmtId="0" fontId="1" fillId="2" borderId="0" xfId="0" applyFont="1" applyFill="1"/>)",
};
constexpr std::string_view stylesEnd[] = {
    R"(</cellXfs>)",
    R"(<cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>)",
    R"(</styleSheet>)",
};
// The number formats: for n = 0 to 9 of each run, "0.", n zeros and the run's tail.
constexpr std::string_view numberFormatTails[] = {"", "E+00"};
constexpr int formatsPerRun = 10;
constexpr int firstFormatId = 164;
constexpr std::string_view zeros = "000000000";

// After the rows: the autofilter (written apart, it holds the last row) and the page.
constexpr std::string_view sheetEnd[] = {
    R"(<pageMargins left="0.7" right="0.7" top="0.75" bottom="0.75" header="0.3" footer="0.3"/>)",
    R"(<pageSetup orientation="landscape"/>)",
    R"(</worksheet>)",
};

template <class Lines>
void appendLines(std::string& out, const Lines& lines) {
    for (std::string_view line : lines) {
        out += line;
        out += '\n';
    }
}

std::string stylesPart() {
    std::string out;
    appendLines(out, stylesStart);
    int id = firstFormatId;
    for (std::string_view tail : numberFormatTails) {
        for (int n = 0; n < formatsPerRun; ++n, ++id) {
            out += R"(<numFmt numFmtId=")" + std::to_string(id) + R"(" formatCode="0.)";
            out += zeros.substr(0, static_cast<size_t>(n));
            out += tail;
            out += "\"/>\n";
        }
    }
    appendLines(out, stylesMiddle);
    for (id = firstFormatId; id < firstFormatId + 2 * formatsPerRun; ++id) {
        out += R"(<xf numFmtId=")" + std::to_string(id) +
               R"(" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>)" + "\n";
    }
    appendLines(out, stylesEnd);
    return out;
}

std::string worksheetPartName(size_t sheet) {
    return "xl/worksheets/sheet" + std::to_string(sheet) + ".xml";
}

// "A1:C11": the head row and the records of a worksheet.
std::string filterRange(size_t columns, int64_t records, bool absolute) {
    const std::string last =
        columnLetters(std::min<int64_t>(static_cast<int64_t>(columns), kSheetColumns));
    const std::string row = std::to_string(std::min(records, markup::kRecordsPerSheet) + 1);
    return absolute ? "$A$1:$" + last + "$" + row : "A1:" + last + row;
}

class SheetSink final : public markup::Output::Sink {
public:
    explicit SheetSink(Workbook& workbook, package::Package& package)
        : workbook_(workbook), package_(package) {}
    bool write(const char* data, size_t size) override {
        return package_.write(std::string_view(data, size));
    }
    bool flush() override { return package_.healthy(); }
    bool close() override { return workbook_.endSheet(); }

private:
    Workbook& workbook_;
    package::Package& package_;
};

} // namespace

std::string columnLetters(int64_t column) {
    std::string letters;
    for (int64_t n = std::max<int64_t>(column, 1); n > 0; n = (n - 1) / 26) {
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return letters;
}

Workbook::Workbook(const std::string& fileName) : package_(fileName) {}

std::unique_ptr<markup::Output::Sink> Workbook::sink() {
    return std::make_unique<SheetSink>(*this, package_);
}

size_t Workbook::beginSheet(std::string_view tableName, size_t columns) {
    endSheet();
    sheets_.push_back(Sheet{names_.add(tableName), columns, 0});
    package_.beginPart(worksheetPartName(sheets_.size()), true);
    sheetOpen_ = true;
    return sheets_.size();
}

bool Workbook::endSheet() {
    if (!sheetOpen_) {
        return package_.healthy();
    }
    sheetOpen_ = false;
    const Sheet& sheet = sheets_.back();
    std::string tail;
    if (sheet.columns > 0) {
        tail = R"(<autoFilter ref=")" + filterRange(sheet.columns, sheet.records, false) + "\"/>\n";
    }
    appendLines(tail, sheetEnd);
    return package_.write(tail) && package_.endPart();
}

std::string Workbook::workbookPart() const {
    std::string out;
    appendLines(out, workbookStart);
    for (size_t k = 0; k < sheets_.size(); ++k) {
        const std::string n = std::to_string(k + 1);
        out += R"(<sheet name=")";
        markup::appendXmlAttribute(out, sheets_[k].name);
        out += R"(" sheetId=")" + n + R"(" r:id="rId)" + n + "\"/>\n";
    }
    out += "</sheets>\n";
    std::string names;
    for (size_t k = 0; k < sheets_.size(); ++k) {
        const Sheet& sheet = sheets_[k];
        if (sheet.columns == 0) {
            continue;
        }
        const std::string local = R"(" localSheetId=")" + std::to_string(k);
        names += R"(<definedName name="_xlnm._FilterDatabase)" + local + R"(" hidden="1">)";
        markup::appendXmlText(
            names,
            markup::sheetReference(sheet.name, filterRange(sheet.columns, sheet.records, true)));
        names += "</definedName>\n";
        names += R"(<definedName name="_xlnm.Print_Titles)" + local + R"(">)";
        markup::appendXmlText(names, markup::sheetReference(sheet.name, "$1:$1"));
        names += "</definedName>\n";
    }
    if (!names.empty()) {
        out += "<definedNames>\n" + names + "</definedNames>\n";
    }
    out += workbookEnd;
    return out;
}

bool Workbook::close(std::string_view creatorXml, std::string_view titleXml) {
    if (package_.closed()) {
        return package_.close();
    }
    endSheet();
    if (sheets_.empty()) {
        // A workbook holds at least one worksheet.
        beginSheet("", 0);
        package_.write(
            R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
            "\n"
            R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
            "\n<sheetData/>\n");
        endSheet();
    }
    std::vector<package::Relationship> sheetRelations;
    std::vector<package::PartType> types = {{"xl/workbook.xml", mainContent}};
    for (size_t k = 1; k <= sheets_.size(); ++k) {
        sheetRelations.push_back({"rId" + std::to_string(k), worksheetRelation,
                                  "worksheets/sheet" + std::to_string(k) + ".xml"});
        types.push_back({worksheetPartName(k), worksheetContent});
    }
    sheetRelations.push_back(
        {"rId" + std::to_string(sheets_.size() + 1), stylesRelation, "styles.xml"});
    types.push_back({"xl/styles.xml", stylesContent});
    types.push_back({"docProps/core.xml", package::type::corePropertiesContent});
    types.push_back({"docProps/app.xml", package::type::extendedPropertiesContent});
    package_.addPart("xl/workbook.xml", workbookPart());
    package_.addPart("xl/_rels/workbook.xml.rels", package::relationships(sheetRelations));
    package_.addPart("xl/styles.xml", stylesPart());
    package_.addPart("docProps/core.xml", package::coreProperties(creatorXml, titleXml));
    package_.addPart("docProps/app.xml", package::appProperties("mfreport"));
    package_.addPart(
        "_rels/.rels",
        package::relationships({{"rId1", package::type::officeDocument, "xl/workbook.xml"},
                                {"rId2", package::type::coreProperties, "docProps/core.xml"},
                                {"rId3", package::type::extendedProperties, "docProps/app.xml"}}));
    package_.addPart("[Content_Types].xml", package::contentTypes(types));
    return package_.close();
}

} // namespace mfreport::xlsx
