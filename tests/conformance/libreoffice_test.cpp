// The demo report as a reader of a real spreadsheet and word-processing
// program gets it: LibreOffice opens the workbooks and the document, writes the
// worksheets as CSV and the document as text and as PDF, and every value and
// text of the report must be there, with the document's page header, footer
// and contents page numbers.

#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "golden.h"
#include "test_env.h"

namespace {

namespace fs = std::filesystem;

// 06-DEC-2026 19:32:07 UTC.
constexpr const char* kEpoch = "1796585527";
constexpr const char* kStamp = "06-DEC-2026 19:32:07";

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

// Runs a command with its output going to `log`; true when it exits with 0.
bool run(const std::string& command, const fs::path& log) {
    const std::string line = command + " >>" + quoted(log.string()) + " 2>&1";
    return std::system(line.c_str()) == 0;
}

// Blank runs collapsed to one blank, no blanks at the ends, no byte-order mark.
std::string normalized(std::string line) {
    if (line.rfind("\xEF\xBB\xBF", 0) == 0) {
        line.erase(0, 3);
    }
    std::string out;
    for (char c : line) {
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\f';
        if (!blank) {
            out += c;
        } else if (!out.empty() && out.back() != ' ') {
            out += ' ';
        }
    }
    if (!out.empty() && out.back() == ' ') {
        out.pop_back();
    }
    return out;
}

std::vector<std::string> normalizedLines(const std::string& text) {
    std::vector<std::string> lines;
    for (const std::string& line : mftest::splitLines(text)) {
        if (std::string n = normalized(line); !n.empty()) {
            lines.push_back(n);
        }
    }
    return lines;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out(1);
    for (char c : line) {
        if (c == ',') {
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    return out;
}

bool parseNumber(const std::string& text, double& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size();
}

// Cell by cell: numbers equal to 14 significant digits (the spreadsheet
// writes 15 and rounds on its own), text exactly.
::testing::AssertionResult sameValues(const std::string& actual, const std::string& expected) {
    const auto a = mftest::splitLines(actual);
    const auto e = mftest::splitLines(expected);
    if (a.size() != e.size()) {
        return ::testing::AssertionFailure()
               << "line count " << a.size() << ", expected " << e.size();
    }
    for (size_t i = 0; i < a.size(); ++i) {
        const auto af = fields(a[i]);
        const auto ef = fields(e[i]);
        if (af.size() != ef.size()) {
            return ::testing::AssertionFailure()
                   << "line " << i + 1 << ": [" << a[i] << "], expected [" << e[i] << "]";
        }
        for (size_t k = 0; k < af.size(); ++k) {
            double x = 0;
            double y = 0;
            const bool numbers = parseNumber(af[k], x) && parseNumber(ef[k], y);
            const bool same =
                numbers ? std::fabs(x - y) <= 1e-14 * std::max(1.0, std::fabs(y)) : af[k] == ef[k];
            if (!same) {
                return ::testing::AssertionFailure()
                       << "line " << i + 1 << ", field " << k + 1 << ": [" << af[k]
                       << "], expected [" << ef[k] << "]";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

class LibreOffice : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = fs::temp_directory_path() / ("mfreport-conformance-" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        log_ = dir_ / "commands.log";
        problem_ = convert();
    }

    static void TearDownTestSuite() {
        if (!::testing::UnitTest::GetInstance()->Failed()) {
            fs::remove_all(dir_);
        }
    }

    void SetUp() override {
        if (!problem_.empty()) {
            GTEST_FAIL() << problem_ << " (commands and their output: " << log_.string() << ")";
        }
    }

    // Writes the demo report and converts it; an empty text when all went well.
    static std::string convert() {
        const mftest::FixedClock clock(kEpoch);
        if (!run(quoted(MFREPORT_DEMO) + " " + quoted((dir_ / "reports").string()), log_)) {
            return "the demo program failed";
        }
        // Each conversion starts LibreOffice with a profile of its own, never
        // the user's, and gives it at most five minutes.
        const std::string office = "timeout 300 " + quoted(MFREPORT_SOFFICE) +
                                   " --headless --norestore -env:UserInstallation=file://" +
                                   (dir_ / "profile").string();
        // CSV of every sheet (the last option, -1), UTF-8, with the cells'
        // text as shown by their number formats (option 9) or their values.
        const std::string csv = "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,";
        const std::string workbook = quoted((dir_ / "reports/report-workbook.xml").string());
        const std::string document = quoted((dir_ / "reports/report-document.xml").string());
        const std::string package = quoted((dir_ / "reports/report.xlsx").string());
        const struct {
            std::string format, outdir, file;
        } conversions[] = {
            {csv + "true,false,false,-1", "shown", workbook},
            {csv + "false,false,false,-1", "values", workbook},
            {csv + "true,false,false,-1", "shown-xlsx", package},
            {csv + "false,false,false,-1", "values-xlsx", package},
            {"txt:Text (encoded):UTF8", "text", document},
            {"pdf", "pdf", document},
        };
        for (const auto& c : conversions) {
            if (!run(office + " --convert-to " + quoted(c.format) + " --outdir " +
                         quoted((dir_ / c.outdir).string()) + " " + c.file,
                     log_)) {
                return "LibreOffice failed to convert to " + c.format;
            }
        }
        const fs::path pdf = dir_ / "pdf/report-document.pdf";
        if (!run(quoted(MFREPORT_PDFTOTEXT) + " -layout " + quoted(pdf.string()), log_)) {
            return "pdftotext failed";
        }
        return {};
    }

    static std::string read(const std::string& relative) {
        const fs::path path = dir_ / relative;
        EXPECT_TRUE(fs::exists(path)) << path.string() << " was not written";
        return mftest::readFile(path.string());
    }

    // The document's pages as pdftotext lays them out, normalized.
    static std::vector<std::vector<std::string>> pages() {
        std::vector<std::vector<std::string>> out;
        std::istringstream in(read("pdf/report-document.txt"));
        for (std::string page; std::getline(in, page, '\f');) {
            out.push_back(normalizedLines(page));
        }
        while (!out.empty() && out.back().empty()) {
            out.pop_back();
        }
        return out;
    }

    static fs::path dir_;
    static fs::path log_;
    static std::string problem_;
};

fs::path LibreOffice::dir_;
fs::path LibreOffice::log_;
std::string LibreOffice::problem_;

const char* const kSheets[] = {"NODES", "FORCES", "ENVELOPE"};

TEST_F(LibreOffice, WorkbookShowsEveryCellInItsNumberFormat) {
    for (const char* sheet : kSheets) {
        SCOPED_TRACE(sheet);
        const std::string name = std::string("report-workbook-") + sheet + ".csv";
        EXPECT_TRUE(
            mftest::sameLines(read("shown/" + name),
                              mftest::golden(std::string("conformance/shown-") + sheet + ".csv")));
    }
}

TEST_F(LibreOffice, WorkbookHoldsEveryValueInFullPrecision) {
    for (const char* sheet : kSheets) {
        SCOPED_TRACE(sheet);
        const std::string name = std::string("report-workbook-") + sheet + ".csv";
        EXPECT_TRUE(
            sameValues(read("values/" + name),
                       mftest::golden(std::string("conformance/values-") + sheet + ".csv")));
    }
}

// The .xlsx workbook shows and holds the same cells as the 2003 workbook.
TEST_F(LibreOffice, XlsxWorkbookShowsAndHoldsEveryCell) {
    for (const char* sheet : kSheets) {
        SCOPED_TRACE(sheet);
        const std::string name = std::string("report-") + sheet + ".csv";
        EXPECT_TRUE(
            mftest::sameLines(read("shown-xlsx/" + name),
                              mftest::golden(std::string("conformance/shown-") + sheet + ".csv")));
        EXPECT_TRUE(
            sameValues(read("values-xlsx/" + name),
                       mftest::golden(std::string("conformance/values-") + sheet + ".csv")));
    }
}

TEST_F(LibreOffice, DocumentTextHoldsEveryTextAndValueInOrder) {
    const std::string figure = (dir_ / "reports/footbridge.png").string();
    const auto expected =
        normalizedLines(mftest::golden("conformance/document-body.txt", {{"figure", figure}}));
    const auto actual = normalizedLines(read("text/report-document.txt"));
    auto at = actual.begin();
    for (size_t i = 0; i < expected.size(); ++i) {
        at = std::find(at, actual.end(), expected[i]);
        ASSERT_NE(at, actual.end())
            << "line " << i + 1 << " of the expected body, [" << expected[i]
            << "], not found after [" << (i > 0 ? expected[i - 1] : std::string()) << "]";
        ++at;
    }
}

TEST_F(LibreOffice, EveryPageHasTheHeaderAndANumberedFooter) {
    const auto all = pages();
    ASSERT_GE(all.size(), 2u) << "the demo document fills more than one page";
    const std::regex footer(std::string(kStamp) + " ZEB Software Page (\\d+) of (\\d+)");
    const char* const header[] = {
        "Report:",     "Model Id:",         "Sign:", "Description:",    "Date:", "Model file name:",
        "Last saved:", "BeamCalc",          "2.4.1", "Footbridge B-12", "JD",    "Steel footbridge",
        "05-DEC-2026", "footbridge-b12.mdl"};
    for (size_t p = 0; p < all.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        std::string text;
        for (const std::string& line : all[p]) {
            text += line + "\n";
        }
        for (const char* label : header) {
            EXPECT_NE(text.find(label), std::string::npos) << label;
        }
        // "Last saved:" shows the time of writing, like the footer.
        EXPECT_NE(text.find(kStamp), std::string::npos);
        std::smatch m;
        ASSERT_TRUE(std::regex_search(text, m, footer)) << text;
        EXPECT_EQ(m[1].str(), std::to_string(p + 1));
        EXPECT_EQ(m[2].str(), std::to_string(all.size()));
    }
}

TEST_F(LibreOffice, ContentsEntriesShowThePagesOfTheirHeadings) {
    const auto all = pages();
    ASSERT_FALSE(all.empty());
    const char* const headings[] = {"1 Model",
                                    "1.1 Materials and sections",
                                    "1.2 Geometry",
                                    "1.2.1 Node coordinates",
                                    "2 Results",
                                    "2.1 Forces",
                                    "2.1.1 Element end forces",
                                    "2.2 Displacements",
                                    "2.2.1 Displacement envelope per load case",
                                    "3 Conclusion"};
    for (const char* heading : headings) {
        SCOPED_TRACE(heading);
        // The contents entry on the first page: the heading and a page number.
        const std::regex entry(std::regex_replace(heading, std::regex("\\."), "\\.") +
                               std::string(" (\\d+)"));
        int listed = 0;
        for (const std::string& line : all[0]) {
            std::smatch m;
            if (std::regex_match(line, m, entry)) {
                listed = std::stoi(m[1].str());
                break;
            }
        }
        ASSERT_GT(listed, 0) << "no contents entry with a page number";
        // The heading itself: it keeps with what follows, so it never ends a
        // page alone and its bookmark, right after it, is on its page.
        int page = 0;
        for (size_t p = 0; p < all.size() && page == 0; ++p) {
            if (std::count(all[p].begin(), all[p].end(), heading) > 0) {
                page = static_cast<int>(p) + 1;
            }
        }
        ASSERT_GT(page, 0) << "heading not found";
        EXPECT_EQ(listed, page) << "listed on page " << listed << ", found on page " << page;
    }
}

} // namespace
