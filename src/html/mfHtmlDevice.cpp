#include "mfreport/html/mfHtmlDevice.h"

#include <algorithm>
#include <sstream>
#include <string_view>

#include "mfreport/html/mfTableHtml.h"
#include "mfreport/markup/output.h"
#include "mfreport/platform/mfDateTime.h"

namespace {

using mfreport::markup::Output;
using mfreport::markup::Utf8;

constexpr std::string_view prologueStart[] = {
    R"(<?xml version="1.0" encoding="UTF-8"?>)",
    R"(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN"     "http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd" >)",
    R"(<html xmlns="http://www.w3.org/1999/xhtml" xml:lang="en" lang="en">)",
    R"(<head>)",
};
// Between the two: the title line.
constexpr std::string_view prologueEnd[] = {
    R"(   <style type="text/css"> )",
    R"(       th {background-color:#CCCCCC } )",
    R"(   </style>)",
    R"(</head>)",
    R"(<body>)",
};
constexpr std::string_view documentEnd = "</body>\n</html>\n";

constexpr std::string_view tocIndent = "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";
constexpr int kDeepestIndent = 5; // the deepest numbered heading level

template <class T>
std::string streamed(const T& value) {
    std::ostringstream os;
    os << value;
    return os.str();
}

void writePrologue(Output& out, const mfReportClient& client) {
    out.lines(prologueStart);
    out.line("   <title> ", Utf8{client.name()}, " ", Utf8{client.version()},
             " HTML report</title>");
    out.lines(prologueEnd);
}

void writeTitleBlock(Output& out, const mfReportClient& client, const mfReportHeader& model) {
    out.line("<p><i>", Utf8{client.name()}, " version ", Utf8{client.version()}, " - ",
             Utf8{client.version_date()}, " - ", Utf8{client.description()}, "</i>");
    out.line("</p>");
    out.line("<p><b>", Utf8{model.model_name()}, "  -  ", Utf8{model.model_description()}, "</b>");
    out.line("</p>");
    out.line("<p><i>Report created - Date : ", streamed(mfDate()),
             "  - Time : ", streamed(mfTime()), "  - User  : ", Utf8{streamed(mfUserName())},
             "</i></p>");
}

} // namespace

mfHtmlDevice::mfHtmlDevice(const mfReportClient& client, const std::string& fileName,
                           const mfReportHeader& header)
    : client_(client), output_(std::make_shared<Output>(fileName)) {
    writePrologue(*output_, client_);
    writeTitleBlock(*output_, client_, header);
    output_->finish();
}

mfHtmlDevice::~mfHtmlDevice() {
    mfHtmlDevice::close();
}

bool mfHtmlDevice::close() {
    return output_->closeDocument(documentEnd);
}

bool mfHtmlDevice::addHeading(const std::string& text, int level) {
    if (!output_->startContent()) {
        return false;
    }
    const std::string numbered = numbered_heading(text, level);
    output_->line("<p><a id=\"", Utf8{numbered}, "\" /></p>");
    const int tag = level >= 1 && level <= 5 ? level : 3;
    output_->line("<h", tag, ">", Utf8{numbered}, "</h", tag, ">");
    return output_->finish();
}

bool mfHtmlDevice::addHeadingToTOC(const std::string& text, int level) {
    if (!output_->startContent()) {
        return false;
    }
    const std::string numbered = numbered_heading(text, level);
    output_->put("<br/>");
    // Levels deeper than the numbered ones indent as the deepest: the indent
    // grows with the level, and no level may make the line huge.
    for (int i = 0; i < std::min(level, kDeepestIndent); ++i) {
        output_->put(tocIndent);
    }
    output_->line("<a href=\"#", Utf8{numbered}, "\">", Utf8{numbered}, "</a>");
    return output_->finish();
}

bool mfHtmlDevice::addParagraph(const std::string& text) {
    if (!output_->startContent()) {
        return false;
    }
    output_->line("<p>", Utf8{text}, "</p>");
    return output_->finish();
}

bool mfHtmlDevice::addFigure(const std::string& fileName, const std::string& caption) {
    if (!output_->startContent()) {
        return false;
    }
    output_->line("<p><img src=\"", Utf8{fileName}, "\" alt=\"", Utf8{fileName}, "\" /></p>");
    output_->line("<p>", Utf8{caption}, "</p>");
    return output_->finish();
}

bool mfHtmlDevice::addList(const Vector<std::string>& items, int style) {
    if (!output_->startContent()) {
        return false;
    }
    if (style == 2 && items.size() % 2 == 0) {
        output_->line("<table>");
        for (size_t i = 0; i < items.size(); i += 2) {
            output_->line("<tr> <td align=\"left\"> ", Utf8{items[i]}, "</td>");
            output_->line("<td>&nbsp;&nbsp;&nbsp;</td><td align=\"left\"> ", Utf8{items[i + 1]},
                          "</td></tr>");
        }
        output_->line("</table>");
    } else {
        output_->line("<p>");
        for (const std::string& item : items) {
            output_->line(Utf8{item}, "<br/>");
        }
        output_->line("</p>");
    }
    return output_->finish();
}

mfTable* mfHtmlDevice::addTable(const mfTableHeader& header) {
    return new mfTableHtml(header, this);
}

mfDevice::ReportType mfHtmlDevice::report_type() const {
    return HTML;
}

std::ofstream& mfHtmlDevice::out() {
    return output_->stream();
}

const std::shared_ptr<mfreport::markup::Output>& mfHtmlDevice::output() {
    return output_;
}

bool mfHtmlDevice::flush() {
    return output_->finish();
}
