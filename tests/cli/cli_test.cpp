// The mfreport tool, run as a program on CSV files written by the tests:
// exit status, messages and the files it leaves.
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "golden.h"
#include "markup_documents.h"
#include "test_env.h"
#include "xml_check.h"

namespace {

namespace fs = std::filesystem;
using mftest::between;
using mftest::golden;
using mftest::readFile;
using mftest::sameLines;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

class Cli : public testing::Test {
protected:
    void SetUp() override {
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() /
                  ("mfreport-cli-" + std::to_string(getpid()) + "-" + test->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    void write(const std::string& name, const std::string& bytes) const {
        mftest::writeFile(path(name), bytes);
    }
    std::string read(const std::string& name) const { return readFile(path(name)); }

    /// Runs the tool in the scratch folder with a fixed clock, after the
    /// shell commands `setup`.
    Result run(const std::vector<std::string>& arguments, const std::string& setup = "") const {
        mftest::FixedClock clock(mftest::fixedEpoch);
        std::string command =
            "cd " + quoted(folder_.string()) + " && " + setup + " " + quoted(MFREPORT_CLI);
        for (const std::string& argument : arguments) {
            command += " " + quoted(argument);
        }
        const std::string out = path(".stdout");
        const std::string err = path(".stderr");
        command += " >" + quoted(out) + " 2>" + quoted(err) + " </dev/null";
        const int status = std::system(command.c_str());
        Result result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(out), readFile(err)};
        fs::remove(out);
        fs::remove(err);
        return result;
    }

    /// The names in the scratch folder, hidden ones included.
    std::set<std::string> files() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    /// Two tables: element forces (CR LF line ends, quoted fields with a
    /// comma, quotes, markup characters and a line end, an empty cell) and
    /// nodes (semicolons, decimal commas).
    void writeInputs() const {
        write("forces.csv", "Elem,N,Stress,Label\r\n"
                            "1,1250,2.5e6,\"chord, top\"\r\n"
                            "2,-300,1.5E+03,\"say \"\"<hi>\"\" & bye\"\r\n"
                            "3,,4e-1,\"two\r\nlines\"\r\n");
        write("nodes.csv", "Node;X;Support\n1;0,5;pinned\n2;-12,25;\n");
    }

    /// 20000 records of a step number and a load with one decimal.
    void writeSteps() const {
        std::string csv = "Step,Load\n";
        for (int step = 1; step <= 20000; ++step) {
            csv += std::to_string(step) + "," + std::to_string(step) + ".5\n";
        }
        write("steps.csv", csv);
    }

    static std::string quoted(const std::string& text) {
        std::string result = "'";
        for (const char c : text) {
            result += c == '\'' ? std::string("'\\''") : std::string(1, c);
        }
        return result + "'";
    }

    const std::string kilonewtons = "N:unit=kN,factor=0.001,format=fixed,decimals=2";

private:
    fs::path folder_;
};

/// The lines of `text` from the first that starts with `start` to the end.
std::string from(const std::string& text, const std::string& start) {
    const size_t at = text.find("\n" + start);
    return at == std::string::npos ? text : text.substr(at + 1);
}

TEST_F(Cli, HelpDocumentsEveryOptionAndSetting) {
    const Result help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    for (const char* word : {"--output",
                             "-o,",
                             "--kind",
                             "html",
                             "xml_ss",
                             "xml_wp",
                             "text_csv",
                             "--title",
                             "--heading",
                             "--toc",
                             "--column",
                             "--separator",
                             "--encoding",
                             "--program",
                             "--program-description",
                             "--program-version",
                             "--program-date",
                             "--model",
                             "--model-description",
                             "--model-file",
                             "--model-sign",
                             "--model-date",
                             "unit=",
                             "factor=",
                             "width=",
                             "decimals=",
                             "format=fixed|scientific|general",
                             "align=left|center|right",
                             "type=integer|real|text",
                             "description=",
                             "#N",
                             "Exit status",
                             "--version"}) {
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    }
    const Result version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "mfreport " MFREPORT_VERSION_STRING "\n");
}

TEST_F(Cli, WorkbookCarriesUnitsFormatsAndLiteralText) {
    writeInputs();
    const Result result =
        run({"-o", "forces.xml", "--kind", "xml_ss", "-c", kilonewtons, "forces.csv"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out + result.err, "");
    EXPECT_WELL_FORMED(path("forces.xml"));
    EXPECT_TRUE(sameLines(between(read("forces.xml"), "</Styles>\n", "</Workbook>\n"),
                          golden("cli/forces-worksheet.xml")));
    EXPECT_EQ(files(), (std::set<std::string>{"forces.csv", "nodes.csv", "forces.xml"}));
}

TEST_F(Cli, PageHasTitleContentsAndHeadings) {
    writeInputs();
    const Result result =
        run({"--output=report.html", "--title", "Results", "--toc", "--heading", "Element forces",
             "--column", kilonewtons, "--model", "Footbridge", "forces.csv", "nodes.csv"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_WELL_FORMED_XHTML(path("report.html"));
    const std::string page = read("report.html");
    // No holes in the title block: today's date, the tables and the inputs.
    EXPECT_NE(page.find("<p><i>mfreport version " MFREPORT_VERSION_STRING
                        " - 06-DEC-2026 - Tables from CSV files</i>\n"),
              std::string::npos);
    EXPECT_NE(page.find("<p><b>Footbridge  -  2 tables, 5 records from forces.csv, "
                        "nodes.csv</b>\n"),
              std::string::npos);
    const std::string user = "  - User  : " + mfUserName().text() + "</i></p>\n";
    EXPECT_TRUE(sameLines(between(page, user, "</body>\n"), golden("cli/report-body.html")));
}

TEST_F(Cli, DocumentHasNumberedTablesWithUnits) {
    writeInputs();
    const Result result = run({"-o", "report.xml", "-k", "xml_wp", "--toc", "--column", kilonewtons,
                               "--column", "#3:align=left", "forces.csv"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_WELL_FORMED(path("report.xml"));
    const std::string document = read("report.xml");
    for (const char* line :
         {"  <w:r><w:t>1  forces</w:t></w:r>\n",
          "<w:r> <w:t> <w:rPr><w:rStyle w:val=\"Hyperlink\" /></w:rPr>1  forces</w:t> </w:r>\n",
          "         <w:t>N</w:t></w:r>\n", "        <w:br/><w:r><w:t> [kN] </w:t></w:r>\n",
          "  <w:tc><w:p><w:pPr><w:jc w:val=\"right\"/></w:pPr><w:r><w:t>   -0.30</w:t></w:r>"
          "</w:p></w:tc>\n",
          "  <w:tc><w:p><w:pPr><w:jc w:val=\"left\"/></w:pPr><w:r><w:t>2.5E+06</w:t></w:r>"
          "</w:p></w:tc>\n"}) {
        EXPECT_NE(document.find(line), std::string::npos) << line;
    }
}

TEST_F(Cli, TextReportsEndUpUnderTheRequestedName) {
    writeInputs();
    const Result lis = run({"-o", "report.txt", "-c", kilonewtons, "forces.csv"});
    ASSERT_EQ(lis.status, 0) << lis.err;
    const Result csv =
        run({"-o", "table.dat", "--kind", "text_csv", "-c", kilonewtons, "forces.csv"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(files(),
              (std::set<std::string>{"forces.csv", "nodes.csv", "report.txt", "table.dat"}));
    EXPECT_TRUE(sameLines(from(read("report.txt"), "  Elem"), golden("cli/forces-records.LIS")));
    EXPECT_TRUE(sameLines(from(read("table.dat"), "  Elem"), golden("cli/forces-records.csv")));
    EXPECT_NE(read("table.dat").find(" N      : N(kN)\n"), std::string::npos);
}

TEST_F(Cli, SeparatorsEncodingsAndInferredTypes) {
    // Tab-separated with a byte order mark; Latin-1; blank lines; a number
    // beyond 32 bits; an empty column; a code with a leading zero.
    write("tabs.csv", "\xEF\xBB\xBFId\tName\n\n7\tK\xC3\xB6ln\n\n");
    write("latin.csv", "Big;Temp \xB0"
                       "C;Empty;Code\n4294967296;1,5;;007\n-1;2;;12\n");
    const Result result =
        run({"-o", "types.xml", "--kind", "xml_ss", "--separator", "tab", "tabs.csv"});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string tabs = read("types.xml");
    EXPECT_NE(tabs.find("<Data ss:Type=\"String\">Id</Data>"), std::string::npos);
    EXPECT_NE(tabs.find("<Cell><Data ss:Type=\"Number\">7</Data></Cell>\n"
                        "    <Cell><Data ss:Type=\"String\">K\xC3\xB6ln</Data></Cell>\n"
                        "  </Row></Table>"),
              std::string::npos);

    const Result latin = run({"-o", "latin.xml", "--kind", "xml_ss", "latin.csv"});
    ASSERT_EQ(latin.status, 0) << latin.err;
    EXPECT_WELL_FORMED(path("latin.xml"));
    EXPECT_NE(
        read("latin.xml")
            .find("    <Cell ss:StyleID=\"HeaderStyle\"><Data ss:Type=\"String\">Temp \xC2\xB0"
                  "C</Data></Cell>\n"),
        std::string::npos);
    EXPECT_NE(read("latin.xml")
                  .find(" <Row>\n"
                        "    <Cell ss:StyleID=\"FixedDecimal0\"><Data "
                        "ss:Type=\"Number\">4.2949672960000000E+09</Data></Cell>\n"
                        "    <Cell ss:StyleID=\"FixedDecimal1\"><Data "
                        "ss:Type=\"Number\">1.5000000000000000E+00</Data></Cell>\n"
                        "    <Cell><Data ss:Type=\"String\"> </Data></Cell>\n"
                        "    <Cell><Data ss:Type=\"String\">007</Data></Cell>\n"),
              std::string::npos);

    const Result forced =
        run({"-o", "forced.xml", "--kind", "xml_ss", "--column", "#4:type=text,width=9", "--column",
             "Empty:type=real", "--encoding", "latin1", "latin.csv"});
    ASSERT_EQ(forced.status, 0) << forced.err;
    const std::string text = read("forced.xml");
    EXPECT_NE(text.find("    <Column ss:Width=\"54\"/>\n  <Row>"), std::string::npos);
    EXPECT_NE(text.find("<Cell><Data ss:Type=\"String\">007</Data></Cell>"), std::string::npos);
}

TEST_F(Cli, BadInputFailsWithOneLineAndLeavesNoReport) {
    const struct {
        const char* csv;
        std::vector<std::string> options;
        const char* message;
    } cases[] = {
        {"a,b\n1,\"x\n2,3\n",
         {},
         "bad.csv:2:3: quoted field is not closed: no closing quote "
         "before the end of the file"},
        {"a,b\n1,2\n3,4,5,6\n", {}, "bad.csv:3:5: record has 4 fields; the header has 2"},
        {"a,b\n1,\"x\"y\n",
         {},
         "bad.csv:2:6: unexpected character after the closing quote of "
         "a field (a quote inside a quoted field is written \"\")"},
        {"", {}, "bad.csv:1:1: no header row: the file is empty"},
        {"a,b\n1,\"\xC3\xA4\"\xC3\xA4\n",
         {},
         "bad.csv:2:6: unexpected character after the "
         "closing quote of a field (a quote inside a "
         "quoted field is written \"\")"},
        {"n;m\n1;2\n1,5;x\n",
         {"--column", "n:type=integer"},
         "bad.csv:3:1: '1,5' is not a whole number that fits 32 bits, but --column makes n an "
         "integer column"},
        {"n\n1\n",
         {"--column", "n:width=21", "--kind", "text"},
         "n in bad.csv: a text report takes widths from 1 to 20 for this integer column, not 21"},
    };
    for (const auto& c : cases) {
        write("bad.csv", c.csv);
        write("good.csv", "x\n1\n");
        write("report.out", "old report");
        std::vector<std::string> arguments = {"-o", "report.out", "--kind", "html"};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        arguments.insert(arguments.end(), {"good.csv", "bad.csv"});
        const Result result = run(arguments);
        EXPECT_EQ(result.status, 1) << c.message;
        EXPECT_EQ(result.err, std::string("mfreport: ") + c.message + "\n");
        EXPECT_EQ(read("report.out"), "old report");
        EXPECT_EQ(files(), (std::set<std::string>{"bad.csv", "good.csv", "report.out"}));
    }
    const Result missing = run({"-o", "r.html", "missing.csv"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "mfreport: missing.csv: cannot open: No such file or directory\n");
    const Result device = run({"-o", "r.html", "/dev/null"});
    EXPECT_EQ(device.status, 1);
    EXPECT_EQ(device.err, "mfreport: /dev/null: cannot read: not a regular file, and every "
                          "input is read twice\n");
    const Result nowhere = run({"-o", "no/such/folder/r.lis", "good.csv"});
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_EQ(nowhere.err, "mfreport: no/such/folder/r.lis: cannot create a file in "
                           "no/such/folder: No such file or directory\n");
}

TEST_F(Cli, WarnsOfWhatTheKindCannotShow) {
    write("empty.csv", "A,B\n");
    const Result workbook = run({"-o", "e.xml", "-k", "xml_ss", "--title", "T", "empty.csv"});
    EXPECT_EQ(workbook.status, 0);
    EXPECT_EQ(
        workbook.err,
        "mfreport: warning: --title is ignored: xml_ss reports have no headings\n"
        "mfreport: warning: empty.csv has no records: a workbook shows no worksheet for it\n");
    const Result text = run({"-o", "e.lis", "--toc", "empty.csv"});
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.err,
              "mfreport: warning: --toc is ignored: text reports have no table of contents\n");
    EXPECT_EQ(files(), (std::set<std::string>{"empty.csv", "e.xml", "e.lis"}));
}

TEST_F(Cli, FailedWritesLeaveNoReport) {
    writeSteps();
    for (const char* kind : {"html", "xml_ss", "xml_wp", "text", "text_csv"}) {
        // A file size limit of 64 KiB makes a write fail part way.
        const Result result =
            run({"-o", "steps.out", "--kind", kind, "steps.csv"}, "ulimit -f 64;");
        EXPECT_EQ(result.status, 1) << kind;
        EXPECT_EQ(result.err, "mfreport: steps.out: cannot write the report: File too large\n")
            << kind;
        EXPECT_EQ(files(), (std::set<std::string>{"steps.csv"})) << kind;
    }
}

TEST_F(Cli, CommandLineMistakesExitWithStatusTwo) {
    write("in.csv", "Force\n1\n");
    const struct {
        std::vector<std::string> arguments;
        const char* message;
    } cases[] = {
        {{"in.csv"}, "no output file: give -o OUTPUT"},
        {{"-o", "r.html"}, "no input file: give one or more CSV files"},
        {{"-o", "r.html", "--frobnicate", "in.csv"}, "unknown option --frobnicate"},
        {{"-o", "r.html", "--kind", "pdf", "in.csv"},
         "--kind must be one of html, xml_ss, xml_wp, text, text_csv, not 'pdf'"},
        {{"-o", "r.xml", "in.csv"},
         "an .xml file may be a workbook or a document: give --kind xml_ss or --kind xml_wp"},
        {{"-o", "r.pdf", "in.csv"},
         "cannot tell the kind of report from the name r.pdf: give --kind"},
        {{"-o", "r.html", "-c", "Force", "in.csv"},
         "--column Force: write COLUMN:key=value[,key=value...]"},
        {{"-o", "r.html", "-c", "Force:colour=red", "in.csv"},
         "--column Force:colour=red: unknown setting 'colour' (unit, factor, width, decimals, "
         "format, align, type, description)"},
        {{"-o", "r.html", "-c", "Force:decimals=x", "in.csv"},
         "--column Force:decimals=x: decimals must be a whole number from 0 to 18, not 'x'"},
        {{"-o", "r.html", "-c", "Torque:unit=kNm", "in.csv"},
         "--column Torque:unit=kNm: no input has a column named Torque"},
        {{"-o", "r.html", "-c", "#2:unit=m", "in.csv"},
         "--column #2:unit=m: no input has a column #2"},
        {{"-o", "r.html", "--heading", "A", "--heading", "B", "in.csv"},
         "more --heading options (2) than input files (1)"},
        {{"-o", "r.html", "-", "in.csv"},
         "standard input cannot be read: every input is read twice"},
    };
    for (const auto& c : cases) {
        const Result result = run(c.arguments);
        EXPECT_EQ(result.status, 2) << c.message;
        EXPECT_EQ(result.err, std::string("mfreport: ") + c.message +
                                  "\nTry 'mfreport --help' for more information.\n");
    }
    EXPECT_EQ(files(), (std::set<std::string>{"in.csv"}));
}

TEST_F(Cli, QuotedSettingsAndManyRecords) {
    writeSteps();
    const Result result = run({"-o", "steps.xml", "--kind", "xml_ss", "--column",
                               "Load:description=\"Load, factored\",unit=kN", "steps.csv"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::string sheet = read("steps.xml");
    size_t rowEnds = 0; // the head row's and the records'
    for (size_t at = sheet.find("  </Row>"); at != std::string::npos;
         at = sheet.find("  </Row>", at + 1)) {
        ++rowEnds;
    }
    EXPECT_EQ(rowEnds, 20001U);
    EXPECT_NE(sheet.find("<Cell><Data ss:Type=\"Number\">20000</Data></Cell>\n"
                         "    <Cell ss:StyleID=\"FixedDecimal1\"><Data "
                         "ss:Type=\"Number\">2.0000500000000000E+04</Data></Cell>\n"
                         "  </Row></Table>"),
              std::string::npos);
}

} // namespace
