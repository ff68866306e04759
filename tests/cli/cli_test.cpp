// The mfreport tool, run as a program on CSV files written by the tests:
// exit status, messages and the files it leaves.
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "golden.h"
#include "markup_documents.h"
#include "package_reader.h"
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

    /// Runs the shell command line `command` in the scratch folder with a
    /// fixed clock, the tool named by $MFREPORT; its exit status.
    int shell(const std::string& command) const {
        mftest::FixedClock clock(mftest::fixedEpoch);
        const std::string line = "cd " + quoted(folder_.string()) +
                                 " || exit 99; MFREPORT=" + quoted(MFREPORT_CLI) + "; " + command;
        const int status = std::system(line.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
                             "xlsx",
                             ".docx: docx",
                             "--title",
                             "--heading",
                             "--toc",
                             "--column",
                             "--separator",
                             "--comment",
                             "--no-header",
                             "--quote none",
                             "'|'",
                             ".tsv",
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

// The .xlsx name alone chooses the kind; the package escapes the text itself,
// once, and standard output receives the same package.
TEST_F(Cli, XlsxWorkbookFromItsExtension) {
    writeInputs();
    const Result result = run({"-o", "forces.xlsx", "-c", kilonewtons, "forces.csv"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out + result.err, "");
    const mftest::Parts parts = mftest::partsOf(path("forces.xlsx"));
    ASSERT_EQ(parts.count("xl/worksheets/sheet1.xml"), 1U);
    EXPECT_NE(parts.at("xl/workbook.xml").find(R"(<sheet name="forces" sheetId="1")"),
              std::string::npos);
    const std::string& sheet = parts.at("xl/worksheets/sheet1.xml");
    for (const char* text : {">N [kN]<", ">chord, top<", "&lt;hi&gt;", "&amp; bye"}) {
        EXPECT_NE(sheet.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(sheet.find("&amp;amp;"), std::string::npos);
    EXPECT_EQ(sheet.find("&amp;lt;"), std::string::npos);
    EXPECT_EQ(files(), (std::set<std::string>{"forces.csv", "nodes.csv", "forces.xlsx"}));

    const Result out = run({"-o", "-", "--kind", "xlsx", "-c", kilonewtons, "forces.csv"});
    ASSERT_EQ(out.status, 0) << out.err;
    EXPECT_EQ(out.out, read("forces.xlsx"));
}

// The .docx name alone chooses the kind: the title, the contents and the
// table's heading in the built-in heading styles, the unit under the name,
// the text escaped once, by the package. Standard output and a FIFO receive
// a copy of the same package.
TEST_F(Cli, DocxDocumentFromItsExtension) {
    writeInputs();
    const std::vector<std::string> options = {"--title",   "Results",        "--toc",
                                              "--heading", "Element forces", "-c",
                                              kilonewtons, "forces.csv"};
    std::vector<std::string> arguments = {"-o", "report.docx"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    const Result result = run(arguments);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out + result.err, "");
    const mftest::Parts parts = mftest::partsOf(path("report.docx"));
    ASSERT_EQ(parts.count("word/document.xml"), 1U);
    const std::string& body = parts.at("word/document.xml");
    for (const char* text :
         {R"(<w:pStyle w:val="Heading1"/>)", ">1  Results<", R"(<w:pStyle w:val="Heading2"/>)",
          ">1.1  Element forces<", R"( TOC \o "1-5" \h \z \u )",
          R"(<w:hyperlink w:anchor="1_1__Element_forces" w:history="1">)",
          R"( PAGEREF 1_1__Element_forces \h )", R"(w:name="forces")",
          R"(<w:br/><w:t xml:space="preserve">[kN]</w:t>)", ">chord, top<", "&lt;hi&gt;",
          "&amp; bye", R"(>two</w:t><w:br/><w:t xml:space="preserve">lines<)"}) {
        EXPECT_NE(body.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(body.find("&amp;amp;"), std::string::npos);
    EXPECT_EQ(body.find("&amp;lt;"), std::string::npos);
    EXPECT_EQ(files(), (std::set<std::string>{"forces.csv", "nodes.csv", "report.docx"}));

    arguments = {"-o", "-", "--kind", "docx"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    const Result out = run(arguments);
    ASSERT_EQ(out.status, 0) << out.err;
    EXPECT_EQ(out.out, read("report.docx"));

    ASSERT_EQ(shell("mkfifo pipe"), 0);
    EXPECT_EQ(shell("timeout 60 cat pipe >got.docx & \"$MFREPORT\" -o pipe -k docx --title Results "
                    "--toc --heading 'Element forces' -c '" +
                    kilonewtons + "' forces.csv; s=$?; wait; exit $s"),
              0);
    EXPECT_EQ(read("got.docx"), read("report.docx"));
    EXPECT_EQ(shell("test -p pipe"), 0);
    for (const std::string& name : files()) {
        EXPECT_NE(name.rfind(".mfreport", 0), 0U) << name;
    }
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

// --maker names the maker of the program where the reports show it: the
// banner's support line and ownership notice, the document's footer.
TEST_F(Cli, MakerNamesTheMakerOfTheReport) {
    writeInputs();
    ASSERT_EQ(run({"-o", "report.txt", "--maker", "ACME Engineering", "forces.csv"}).status, 0);
    const std::string listing = read("report.txt");
    EXPECT_NE(listing.find("Marketing and Support by ACME Engineering"), std::string::npos);
    EXPECT_NE(listing.find("This program is the property of ACME Engineering."), std::string::npos);
    EXPECT_EQ(listing.find("ZEB Software"), std::string::npos);
    EXPECT_NE(listing.find("PROGRAM: KALDU "), std::string::npos); // the suite word stays

    ASSERT_EQ(
        run({"-o", "report.xml", "--kind", "xml_wp", "--maker", "A & B", "forces.csv"}).status, 0);
    EXPECT_NE(read("report.xml").find("A &amp; B"), std::string::npos);

    const Result empty = run({"-o", "x.html", "--maker", " ", "forces.csv"});
    EXPECT_EQ(empty.status, 2);
    EXPECT_NE(empty.err.find("--maker needs a name"), std::string::npos);
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
    for (const char* kind : {"html", "xml_ss", "xml_wp", "text", "text_csv", "xlsx", "docx"}) {
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
         "--kind must be one of html, xml_ss, xml_wp, text, text_csv, xlsx, docx, not 'pdf'"},
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

/// The number of times `part` occurs in `text`.
size_t count(const std::string& text, const std::string& part) {
    size_t found = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++found;
    }
    return found;
}

TEST_F(Cli, LargeInputsAcrossReadBlocks) {
    // CR LF line ends, quoted fields with doubled quotes and line ends, and
    // one text longer than a megabyte, in a file of several megabytes.
    const std::string longText(1536 * 1024, 'x');
    std::string csv = "Id,Note,Load\r\n";
    for (int id = 1; id <= 60000; ++id) {
        const std::string note = id == 30002   ? longText + "!"
                                 : id % 3 == 0 ? "\"say \"\"hi\"\"\""
                                 : id % 3 == 1 ? "\"two\r\nlines\""
                                               : "plain";
        csv += std::to_string(id) + "," + note + "," + std::to_string(id) + ".25\r\n";
    }
    write("big.csv", csv);
    const Result result = run({"-o", "big.xml", "--kind", "xml_ss", "big.csv"});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string sheet = read("big.xml");
    EXPECT_EQ(count(sheet, "  </Row>"), 60001U);
    EXPECT_EQ(count(sheet, ">say &quot;hi&quot;</Data>"), 20000U);
    EXPECT_EQ(count(sheet, ">two\nlines</Data>"), 20000U);
    EXPECT_NE(sheet.find(">" + longText + "!</Data>"), std::string::npos);
    EXPECT_NE(sheet.find("<Cell><Data ss:Type=\"Number\">60000</Data></Cell>\n"
                         "    <Cell><Data ss:Type=\"String\">say &quot;hi&quot;</Data></Cell>\n"
                         "    <Cell ss:StyleID=\"FixedDecimal2\"><Data "
                         "ss:Type=\"Number\">6.0000250000000000E+04</Data></Cell>\n"
                         "  </Row></Table>"),
              std::string::npos);

    // Positions far into the file: every record takes two lines; columns
    // count characters while the bytes before are UTF-8.
    std::string lines = "Id,Note\n";
    for (int id = 1; id <= 60000; ++id) {
        lines += std::to_string(id) + ",\"two\nlines " + std::string(12, 'y') + "\"\n";
    }
    const struct {
        const char* record;
        const char* message;
    } cases[] = {
        {"\"\xC3\xA4\",\"x\"y,\xFF\n",
         "bad.csv:120002:8: unexpected character after the closing quote of a field (a quote "
         "inside a quoted field is written \"\")"},
        {"1,2,3\n", "bad.csv:120002:5: record has 3 fields; the header has 2"},
        {"1,\"open\n", "bad.csv:120002:3: quoted field is not closed: no closing quote before "
                       "the end of the file"},
    };
    for (const auto& c : cases) {
        write("bad.csv", lines + c.record);
        const Result bad = run({"-o", "bad.xml", "--kind", "xml_ss", "bad.csv"});
        EXPECT_EQ(bad.status, 1);
        EXPECT_EQ(bad.err, std::string("mfreport: ") + c.message + "\n");
    }
}

TEST_F(Cli, NumbersReadAsTheirNearestDouble) {
    // Short plain decimals (some with runs of four digits), and those beyond
    // 2^53 or with an exponent.
    write("values.csv", "V\n0.1\n2.5\n9007199254740993\n0.30000000000000004\n"
                        "1e22\n123456789012345678901\n+7.75\n4096.0625\n-1024.25\n"
                        "65536.125\n");
    const Result result = run({"-o", "values.xml", "--kind", "xml_ss", "values.csv"});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string sheet = read("values.xml");
    for (const char* value :
         {"1.0000000000000001E-01", "2.5000000000000000E+00", "9.0071992547409920E+15",
          "3.0000000000000004E-01", "1.0000000000000000E+22", "1.2345678901234568E+20",
          "7.7500000000000000E+00", "4.0960625000000000E+03", "-1.0242500000000000E+03",
          "6.5536125000000000E+04"}) {
        EXPECT_NE(sheet.find(std::string("ss:Type=\"Number\">") + value + "</Data>"),
                  std::string::npos)
            << value;
    }
}

TEST_F(Cli, OutputThatIsAnInputIsRefused) {
    const std::string data = "Id,Load\n1,2.5\n";
    write("data.csv", data);
    fs::create_directory(path("sub"));
    fs::create_symlink("../data.csv", path("sub/link.csv"));
    fs::create_hard_link(path("data.csv"), path("hard.csv"));
    const struct {
        const char* output;
        const char* message;
    } cases[] = {
        {"data.csv", "data.csv is the input data.csv: the report would replace it"},
        {"./data.csv", "./data.csv is the input data.csv: the report would replace it"},
        {"sub/link.csv", "sub/link.csv is the input data.csv: the report would replace it"},
        {"hard.csv", "hard.csv is the input data.csv: the report would replace it"},
    };
    for (const auto& c : cases) {
        const Result result = run({"-o", c.output, "--kind", "text_csv", "data.csv"});
        EXPECT_EQ(result.status, 2) << c.output;
        EXPECT_EQ(result.err, std::string("mfreport: ") + c.message + "\n");
        EXPECT_EQ(read("data.csv"), data);
    }
    // Standard output appending to the input.
    EXPECT_EQ(shell("\"$MFREPORT\" -o - -k html data.csv >>data.csv 2>err.txt"), 2);
    EXPECT_EQ(read("err.txt"),
              "mfreport: standard output is the input data.csv: the report would replace it\n");
    EXPECT_EQ(read("data.csv"), data);
    EXPECT_EQ(files(), (std::set<std::string>{"data.csv", "hard.csv", "sub", "err.txt"}));
    EXPECT_TRUE(fs::is_symlink(path("sub/link.csv")));
}

TEST_F(Cli, OutputsThroughLinksStandardOutputAndFifos) {
    write("in.csv", "Id,Load\n1,2.5\n2,-3.25\n");
    ASSERT_EQ(run({"-o", "plain.html", "in.csv"}).status, 0);
    const std::string report = read("plain.html");

    // A link to a file in another folder: the file is replaced, the link stays.
    fs::create_directory(path("real"));
    write("real/report.html", "old");
    fs::create_symlink("real/report.html", path("link.html"));
    const Result linked = run({"-o", "link.html", "in.csv"});
    ASSERT_EQ(linked.status, 0) << linked.err;
    EXPECT_TRUE(fs::is_symlink(path("link.html")));
    EXPECT_EQ(read("real/report.html"), report);
    EXPECT_EQ(fs::directory_iterator(path("real"))->path().filename(), "report.html");
    // A dangling link gets its file.
    fs::create_symlink("real/new.html", path("dangling.html"));
    ASSERT_EQ(run({"-o", "dangling.html", "in.csv"}).status, 0);
    EXPECT_TRUE(fs::is_symlink(path("dangling.html")));
    EXPECT_EQ(read("real/new.html"), report);

    // Standard output.
    const Result out = run({"-o", "-", "--kind", "html", "in.csv"});
    ASSERT_EQ(out.status, 0) << out.err;
    EXPECT_EQ(out.out, report);
    const Result text = run({"-o", "-", "--kind", "text", "in.csv"});
    ASSERT_EQ(text.status, 0) << text.err;
    ASSERT_EQ(run({"-o", "plain.lis", "in.csv"}).status, 0);
    EXPECT_EQ(text.out, read("plain.lis"));

    // A FIFO stays a FIFO and receives the report, in a markup and a text kind.
    ASSERT_EQ(shell("mkfifo pipe"), 0);
    EXPECT_EQ(
        shell("timeout 60 cat pipe >got.html & \"$MFREPORT\" -o pipe -k html in.csv; s=$?; wait; "
              "exit $s"),
        0);
    EXPECT_EQ(read("got.html"), report);
    EXPECT_EQ(
        shell("timeout 60 cat pipe >got.lis & \"$MFREPORT\" -o pipe -k text in.csv; s=$?; wait; "
              "exit $s"),
        0);
    EXPECT_EQ(read("got.lis"), read("plain.lis"));
    EXPECT_EQ(shell("test -p pipe"), 0);
    for (const std::string& name : files()) {
        EXPECT_NE(name.rfind(".mfreport", 0), 0U) << name;
    }
}

TEST_F(Cli, OutputFailuresNameTheirReason) {
    write("in.csv", "Id,Load\n1,2.5\n");
    for (const char* option : {"--help", "--version"}) {
        EXPECT_EQ(shell(std::string("\"$MFREPORT\" ") + option + " >/dev/full 2>err.txt"), 1);
        EXPECT_EQ(read("err.txt"),
                  "mfreport: standard output: cannot write: No space left on device\n");
    }
    EXPECT_EQ(shell("\"$MFREPORT\" -o - -k xml_ss in.csv >/dev/full 2>err.txt"), 1);
    EXPECT_EQ(read("err.txt"),
              "mfreport: standard output: cannot write the report: No space left on device\n");

    // A reader that closes the pipe early: no SIGPIPE, an ordinary write failure.
    std::string csv = "Step,Load\n";
    for (int step = 1; step <= 50000; ++step) {
        csv += std::to_string(step) + ",1.5\n";
    }
    write("steps.csv", csv);
    EXPECT_EQ(shell("{ \"$MFREPORT\" -o - -k html steps.csv 2>err.txt; echo $? >status.txt; } "
                    "| head -c 100 >/dev/null"),
              0);
    EXPECT_EQ(read("status.txt"), "1\n");
    EXPECT_EQ(read("err.txt"), "mfreport: standard output: cannot write the report: Broken pipe\n");
}

TEST_F(Cli, CsvNameNeedsAKind) {
    write("in.csv", "Id\n1\n");
    const Result result = run({"-o", "out.csv", "in.csv"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err,
              "mfreport: a .csv report is the paged text report with ';' between its "
              "fields, not a plain table: give --kind (html, xml_ss, xml_wp, xlsx, docx, text "
              "or text_csv)\nTry 'mfreport --help' for more information.\n");
    EXPECT_EQ(run({"-o", "out.csv", "--kind", "text_csv", "in.csv"}).status, 0);
}

TEST_F(Cli, NumbersWithLeadingZerosStayText) {
    write("codes.csv", "Zip,Agent,Offset,Zero,Half,Small\n"
                       "01234,007,-012,0,0.5,-0.25\n"
                       "12345,8,5,1,1.5,2\n");
    const Result result = run({"-o", "codes.xml", "--kind", "xml_ss", "codes.csv"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(read("codes.xml")
                  .find(" <Row>\n"
                        "    <Cell><Data ss:Type=\"String\">01234</Data></Cell>\n"
                        "    <Cell><Data ss:Type=\"String\">007</Data></Cell>\n"
                        "    <Cell><Data ss:Type=\"String\">-012</Data></Cell>\n"
                        "    <Cell><Data ss:Type=\"Number\">0</Data></Cell>\n"
                        "    <Cell ss:StyleID=\"FixedDecimal1\"><Data "
                        "ss:Type=\"Number\">5.0000000000000000E-01</Data></Cell>\n"
                        "    <Cell ss:StyleID=\"FixedDecimal2\"><Data "
                        "ss:Type=\"Number\">-2.5000000000000000E-01</Data></Cell>\n"),
              std::string::npos);
    const Result help = run({"--help"});
    EXPECT_NE(help.out.find("leading zero"), std::string::npos);
    EXPECT_NE(help.out.find("16 MiB"), std::string::npos);
}

/// The head row's cells of the first worksheet, joined by '|'.
std::string headCells(const std::string& workbook) {
    std::string cells;
    const std::regex head("HeaderStyle\"><Data ss:Type=\"String\">([^<]*)</Data>");
    for (std::sregex_iterator it(workbook.begin(), workbook.end(), head), end; it != end; ++it) {
        cells += (cells.empty() ? "" : "|") + (*it)[1].str();
    }
    return cells;
}

TEST_F(Cli, SeparatorsAreDetected) {
    const struct {
        const char* name;
        const char* csv;
        const char* head;
    } cases[] = {
        {"comma.csv", "a,b;c,d\n1,2;3,4\n5,6;7,8\n", "a|b;c|d"},
        {"semicolon.csv", "a;b,c;d\n1;2,5;3\n", "a|b,c|d"},
        {"tab.txt", "a\tb,c\td\n1\t2\t3\n", "a|b,c|d"},
        {"pipe.csv", "a|b|c,d\n1|2|3\n", "a|b|c,d"},
        // A tab file with commas in its head names, by its content and by its name.
        {"forces.txt", "Force, kN\tMoment, kNm\tNode\n1.5\t2.5\t1\n", "Force, kN|Moment, kNm|Node"},
        {"forces.tsv", "Force, kN, max\tNode\n1.5\t1\n", "Force, kN, max|Node"},
        {"one.tsv", "a,b\n1,2\n", "a,b"},
    };
    for (const auto& c : cases) {
        write(c.name, c.csv);
        const Result result = run({"-o", "out.xml", "--kind", "xml_ss", c.name});
        ASSERT_EQ(result.status, 0) << c.name << result.err;
        EXPECT_EQ(headCells(read("out.xml")), c.head) << c.name;
    }
    const Result given = run({"-o", "out.xml", "-k", "xml_ss", "--separator", ",", "one.tsv"});
    ASSERT_EQ(given.status, 0) << given.err;
    EXPECT_EQ(headCells(read("out.xml")), "a|b");
}

TEST_F(Cli, ShortRecordsArePaddedWithOneWarning) {
    write("short.csv", "a,b,c\n1,2,3\n4,5\n6,7,8\n9\n");
    const Result result = run({"-o", "out.xml", "--kind", "xml_ss", "short.csv"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "mfreport: warning: short.csv: 2 records have fewer fields than the "
                          "header (the first on line 3); padded with empty fields\n");
    EXPECT_NE(read("out.xml").find("    <Cell><Data ss:Type=\"Number\">9</Data></Cell>\n"
                                   "    <Cell><Data ss:Type=\"String\"> </Data></Cell>\n"
                                   "    <Cell><Data ss:Type=\"String\"> </Data></Cell>\n"
                                   "  </Row></Table>"),
              std::string::npos);
}

TEST_F(Cli, FieldsSplitWhereverTheyFallInTheRecord) {
    // Several one-byte fields per eight bytes, an empty and an empty quoted
    // field, a quoted field after a separator, a field longer than eight
    // bytes; CR line ends and none after the last record; then the same
    // with tabs, which are bytes below the line ends' and the space's.
    const std::string cells = "a|b|c|d|e|f|g|h|i|p| |q|r,s|t|u|v|w|x|yy|z| |k|l|m|n|o|"
                              "abcdefghijklmnopq|";
    const struct {
        const char* name;
        const char* csv;
    } cases[] = {
        {"packed.csv",
         "a,b,c,d,e,f,g,h,i\rp,,q,\"r,s\",t,u,v,w,x\ryy,z,\"\",k,l,m,n,o,abcdefghijklmnopq"},
        {"packed.tsv", "a\tb\tc\td\te\tf\tg\th\ti\np\t\tq\t\"r,s\"\tt\tu\tv\tw\tx\n"
                       "yy\tz\t\"\"\tk\tl\tm\tn\to\tabcdefghijklmnopq\n"},
    };
    const std::regex data("<Data ss:Type=\"String\">([^<]*)</Data>");
    for (const auto& c : cases) {
        write(c.name, c.csv);
        const Result result = run({"-o", "out.xml", "-k", "xml_ss", c.name});
        ASSERT_EQ(result.status, 0) << c.name << result.err;
        const std::string workbook = read("out.xml");
        std::string found;
        for (std::sregex_iterator it(workbook.begin(), workbook.end(), data), end; it != end;
             ++it) {
            found += (*it)[1].str() + "|";
        }
        EXPECT_EQ(found, cells) << c.name;
    }
}

TEST_F(Cli, CommentsNoHeaderAndLoneQuotes) {
    // A tab file keeping its header in a comment.
    write("log.tab", "# step\tload\n1\t2.5\n# pause\n2\t3.5\n");
    const Result comments =
        run({"-o", "log.xml", "-k", "xml_ss", "--comment", "#", "--no-header", "log.tab"});
    ASSERT_EQ(comments.status, 0) << comments.err;
    const std::string log = read("log.xml");
    EXPECT_EQ(headCells(log), "1|2");
    EXPECT_EQ(count(log, "  </Row>"), 3U); // the head row's and two records''
    EXPECT_NE(log.find("    <Cell><Data ss:Type=\"Number\">2</Data></Cell>\n"
                       "    <Cell ss:StyleID=\"FixedDecimal1\"><Data "
                       "ss:Type=\"Number\">3.5000000000000000E+00</Data></Cell>\n"),
              std::string::npos);

    // A TSV whose field starts with a lone quote.
    write("notes.tsv", "Id\tNote\n1\t\"5 inch\n2\tplain\n");
    const Result quoted = run({"-o", "notes.xml", "-k", "xml_ss", "notes.tsv"});
    EXPECT_EQ(quoted.status, 1);
    const Result plain = run({"-o", "notes.xml", "-k", "xml_ss", "--quote", "none", "notes.tsv"});
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_NE(read("notes.xml").find("<Data ss:Type=\"String\">&quot;5 inch</Data>"),
              std::string::npos);
}

TEST_F(Cli, InputsThatAreNoTextAreRefused) {
    const struct {
        const char* bytes;
        size_t size;
        const char* message;
    } cases[] = {
        {"\0\0\0\0", 4, "in.csv: not a text file: byte 1 is NUL"},
        {"a,b\n1,\0\n", 8, "in.csv: not a text file: byte 7 is NUL"},
        {"\xFF\xFE"
         "a\0,\0b\0",
         8,
         "in.csv: UTF-16 text (by its byte order mark); convert it to UTF-8 first, for example: "
         "iconv -f UTF-16LE -t UTF-8 in.csv > converted.csv"},
        {"\xFE\xFF\0a", 4,
         "in.csv: UTF-16 text (by its byte order mark); convert it to UTF-8 first, for example: "
         "iconv -f UTF-16BE -t UTF-8 in.csv > converted.csv"},
        {"\xFF\xFE\0\0a\0\0\0", 8,
         "in.csv: UTF-32 text (by its byte order mark); convert it to UTF-8 first, for example: "
         "iconv -f UTF-32LE -t UTF-8 in.csv > converted.csv"},
    };
    for (const auto& c : cases) {
        write("in.csv", std::string(c.bytes, c.size));
        const Result result = run({"-o", "out.html", "in.csv"});
        EXPECT_EQ(result.status, 1) << c.message;
        EXPECT_EQ(result.err, std::string("mfreport: ") + c.message + "\n");
        EXPECT_EQ(files(), (std::set<std::string>{"in.csv"}));
    }
}

/// 19 columns of numbers as wide as -123456.789 (11 characters).
std::string wideTable() {
    std::string csv;
    for (int column = 1; column <= 19; ++column) {
        csv += (column > 1 ? "," : "") + std::string("C") + std::to_string(column);
    }
    csv += "\n";
    for (int record = 0; record < 3; ++record) {
        for (int column = 1; column <= 19; ++column) {
            csv += (column > 1 ? "," : "") + std::string(record == 1 ? "-123456.789" : "0.100");
        }
        csv += "\n";
    }
    return csv;
}

TEST_F(Cli, WideTablesFoldToThePage) {
    write("wide.csv", wideTable());
    // The document: 13 characters a column (the number and the cell's
    // margins), five to a row of the page's 72.
    const Result document = run({"-o", "wide.xml", "-k", "xml_wp", "wide.csv"});
    ASSERT_EQ(document.status, 0) << document.err;
    EXPECT_WELL_FORMED(path("wide.xml"));
    const std::string xml = read("wide.xml");
    EXPECT_EQ(count(xml, "\n  <w:gridCol w:w=\"1560\"/>\n"), 5U);
    EXPECT_NE(xml.find(" <w:tblGrid>\n  <w:gridCol w:w=\"1560\"/>\n"), std::string::npos);
    EXPECT_NE(xml.find("  <w:gridCol w:w=\"1560\"/>\n </w:tblGrid>\n"), std::string::npos);
    // Four rows a record (5 + 5 + 5 + 4 cells), each number whole in its cell.
    EXPECT_EQ(count(xml, "  <w:tc><w:p><w:pPr><w:jc w:val=\"right\"/></w:pPr><w:r>"
                         "<w:t>  -123456.789</w:t></w:r></w:p></w:tc>\n"),
              19U);
    EXPECT_EQ(count(xml, " <w:tr>\n"), 4U * 4U);

    // The same in the .docx document: four head rows, repeated on every
    // page, and four rows for each of the three records.
    ASSERT_EQ(run({"-o", "wide.docx", "wide.csv"}).status, 0);
    const std::string docx = mftest::partsOf(path("wide.docx"))["word/document.xml"];
    EXPECT_EQ(count(docx, R"(<w:gridCol w:w="1560"/>)"), 5U);
    EXPECT_EQ(count(docx, "<w:tblHeader/>"), 4U);
    EXPECT_EQ(count(docx, "<w:tr><w:trPr><w:cantSplit/></w:trPr>"), 3U * 4U);
    EXPECT_EQ(count(docx, R"(<w:t xml:space="preserve">  -123456.789</w:t>)"), 19U);

    // The page: 11 characters a column and one between, six to a row.
    const Result page = run({"-o", "wide.html", "wide.csv"});
    ASSERT_EQ(page.status, 0) << page.err;
    const std::string html = read("wide.html");
    EXPECT_EQ(count(html, "<tr>"), 4U * 4U);
    EXPECT_NE(html.find("      <th valign=\"top\" align=\"left\" > C6 </th> \n"
                        "    </tr>\n"
                        "    <tr>\n"
                        "      <th valign=\"top\" align=\"left\" > C7 </th> \n"),
              std::string::npos);
}

TEST_F(Cli, WorkbookColumnsFitTheirWidestValues) {
    write("sci.csv", "v,w,Label\n-1.5e-5,-1e-120,ab\n-2.25e12,3,abcdefghij\n");
    const Result result =
        run({"-o", "sci.xml", "-k", "xml_ss", "-c", "v:format=scientific,decimals=3", "-c",
             "w:format=scientific,decimals=2", "sci.csv"});
    ASSERT_EQ(result.status, 0) << result.err;
    // -1.500E-05: 10 characters; -1.00E-120: 10; abcdefghij: 10; two more
    // for the cell's margins: 72 points.
    EXPECT_NE(read("sci.xml").find(" <Table>\n"
                                   "    <Column ss:Width=\"72\"/>\n"
                                   "    <Column ss:Width=\"72\"/>\n"
                                   "    <Column ss:Width=\"72\"/>\n"),
              std::string::npos);
}

TEST_F(Cli, HugeWorkbooksAreWarnedAbout) {
    // 1048576 records of 16 columns: more than a worksheet holds, and over
    // 1 GiB as a workbook. A file size limit stops the writing early.
    std::string record = "1";
    for (int column = 2; column <= 16; ++column) {
        record += ",1";
    }
    record += "\n";
    std::string csv = "A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P\n";
    csv.reserve(csv.size() + record.size() * 1048576);
    for (int i = 0; i < 1048576; ++i) {
        csv += record;
    }
    write("big.csv", csv);
    const Result result = run({"-o", "big.xml", "-k", "xml_ss", "big.csv"}, "ulimit -f 64;");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "mfreport: warning: big.csv has 1048576 records, more than the 1048575 a worksheet "
              "holds: the table goes on in further worksheets\n"
              "mfreport: warning: the workbook will be about 1.2 GiB, more than spreadsheet "
              "programs open well; --kind text or --kind html suits tables of that size\n"
              "mfreport: big.xml: cannot write the report: File too large\n");
}

} // namespace
