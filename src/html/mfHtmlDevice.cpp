#include "mfreport/html/mfHtmlDevice.h"

#include <array>
#include <sstream>
#include <string_view>

#include "mfreport/html/mfTableHtml.h"
#include "mfreport/platform/mfDateTime.h"

namespace {

using mfreport::markup::finish;

constexpr std::string_view prologueHead[] = {
    R"(<?xml version="1.0" encoding="UTF-8"?>)",
    R"(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN"     "http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd" >)",
    R"(<html xmlns="http://www.w3.org/1999/xhtml" xml:lang="en" lang="en">)",
    R"(<head>)",
};
// Between the two: the title line.
constexpr std::string_view prologueTail[] = {
    R"(   <style type="text/css"> )",
    R"(       th {background-color:#CCCCCC } )",
    R"(   </style>)",
    R"(</head>)",
    R"(<body>)",
};

constexpr std::string_view tocIndent = "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";

template <class T>
std::string streamed(const T& value) {
    std::ostringstream os;
    os << value;
    return os.str();
}

} // namespace

mfHtmlDevice::mfHtmlDevice(const mfReportClient& client, const std::string& fileName,
                           const mfReportHeader& header)
    : client_(client) {
    mfreport::markup::openOutput(out_, fileName);
    writePrologue();
    writeTitleBlock(header);
    finish(out_);
}

void mfHtmlDevice::writePrologue() {
    mfreport::markup::lines(out_, prologueHead);
    writeLine("   <title> ", client_.name(), " ", client_.version(), " HTML report</title>");
    mfreport::markup::lines(out_, prologueTail);
}

void mfHtmlDevice::writeTitleBlock(const mfReportHeader& header) {
    writeLine("<p><i>", client_.name(), " version ", client_.version(), " - ",
              client_.version_date(), " - ", client_.description(), "</i>");
    writeLine("</p>");
    writeLine("<p><b>", header.model_name(), "  -  ", header.model_description(), "</b>");
    writeLine("</p>");
    writeLine("<p><i>Report created - Date : ", streamed(mfDate()),
              "  - Time : ", streamed(mfTime()), "  - User  : ", streamed(mfUserName()),
              "</i></p>");
}

mfHtmlDevice::~mfHtmlDevice() {
    writeLine("</body>");
    writeLine("</html>");
    out_.close();
}

bool mfHtmlDevice::addHeading(const std::string& text, int level) {
    const std::string numbered = numbered_heading(text, level);
    writeLine("<p><a id=\"", numbered, "\" /></p>");
    if (level >= 1 && level <= 5) {
        const char tag[] = {static_cast<char>('0' + level), '\0'};
        writeLine("<h", tag, ">", numbered, "</h", tag, ">");
    } else {
        writeLine("<h3>", numbered, "</h3>");
    }
    return finish(out_);
}

bool mfHtmlDevice::addHeadingToTOC(const std::string& text, int level) {
    const std::string numbered = numbered_heading(text, level);
    out_ << "<br/>";
    for (int i = 0; i < level; ++i) {
        out_ << tocIndent;
    }
    writeLine("<a href=\"#", numbered, "\">", numbered, "</a>");
    return finish(out_);
}

bool mfHtmlDevice::addParagraph(const std::string& text) {
    writeLine("<p>", text, "</p>");
    return finish(out_);
}

bool mfHtmlDevice::addFigure(const std::string& fileName, const std::string& caption) {
    writeLine("<p><img src=\"", fileName, "\" alt=\"", fileName, "\" /></p>");
    writeLine("<p>", caption, "</p>");
    return finish(out_);
}

bool mfHtmlDevice::addList(const Vector<std::string>& items, int style) {
    if (style == 2 && items.size() % 2 == 0) {
        writeLine("<table>");
        for (size_t i = 0; i < items.size(); i += 2) {
            writeLine("<tr> <td align=\"left\"> ", items[i], "</td>");
            writeLine("<td>&nbsp;&nbsp;&nbsp;</td><td align=\"left\"> ", items[i + 1],
                      "</td></tr>");
        }
        writeLine("</table>");
    } else {
        writeLine("<p>");
        for (const std::string& item : items) {
            writeLine(item, "<br/>");
        }
        writeLine("</p>");
    }
    return finish(out_);
}

mfTable* mfHtmlDevice::addTable(const mfTableHeader& header) {
    return new mfTableHtml(header, this);
}

mfDevice::ReportType mfHtmlDevice::report_type() const {
    return HTML;
}
