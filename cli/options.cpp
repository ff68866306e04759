#include "options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>

namespace mfreport::cli {

namespace {

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

size_t wholeNumber(const std::string& text, size_t lowest, size_t highest,
                   const std::string& what) {
    size_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < lowest || value > highest) {
        throw UsageError(what + " must be a whole number from " + std::to_string(lowest) + " to " +
                         std::to_string(highest) + ", not '" + text + "'");
    }
    return value;
}

double realNumber(const std::string& text, const std::string& what) {
    const std::string digits = !text.empty() && text[0] == '+' ? text.substr(1) : text;
    double value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (digits.empty() || error != std::errc() || stop != end || !std::isfinite(value)) {
        throw UsageError(what + " must be a number, not '" + text + "'");
    }
    return value;
}

template <typename Value>
Value choice(const std::string& text, const std::vector<std::pair<const char*, Value>>& choices,
             const std::string& what) {
    const std::string key = lowerCase(text);
    std::string names;
    for (const auto& [name, value] : choices) {
        if (key == name) {
            return value;
        }
        names += (names.empty() ? "" : ", ") + std::string(name);
    }
    throw UsageError(what + " must be one of " + names + ", not '" + text + "'");
}

void applySetting(ColumnSpec& spec, const std::string& key, const std::string& value) {
    const std::string what = "--column " + spec.text + ": " + key;
    if (key == "unit") {
        spec.unit = value;
    } else if (key == "factor") {
        spec.factor = realNumber(value, what);
    } else if (key == "width") {
        spec.width = wholeNumber(value, 1, 255, what);
    } else if (key == "decimals") {
        spec.decimals = wholeNumber(value, 0, 18, what);
    } else if (key == "format") {
        spec.format = choice<mfTableColumn::fmt_type>(value,
                                                      {{"fixed", mfTableColumn::FIXED},
                                                       {"scientific", mfTableColumn::SCIENTIFIC},
                                                       {"general", mfTableColumn::GENERAL}},
                                                      what);
    } else if (key == "align") {
        spec.align = choice<mfTableColumn::adj_type>(value,
                                                     {{"left", mfTableColumn::LEFT},
                                                      {"center", mfTableColumn::CENTER},
                                                      {"centre", mfTableColumn::CENTER},
                                                      {"right", mfTableColumn::RIGHT}},
                                                     what);
    } else if (key == "type") {
        spec.type = choice<mfTableColumn::col_type>(value,
                                                    {{"integer", mfTableColumn::INTEGER},
                                                     {"real", mfTableColumn::REAL},
                                                     {"text", mfTableColumn::STRING}},
                                                    what);
    } else if (key == "description") {
        spec.description = value;
    } else {
        throw UsageError("--column " + spec.text + ": unknown setting '" + key +
                         "' (unit, factor, width, decimals, format, align, type, description)");
    }
}

// NAME:key=value,key=value,... where NAME may be #N and a value may be
// written in double quotes (with "" for a quote) to hold a comma.
ColumnSpec parseColumnSpec(const std::string& text) {
    ColumnSpec spec;
    spec.text = text;
    const size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0) {
        throw UsageError("--column " + text + ": write COLUMN:key=value[,key=value...]");
    }
    const std::string target = text.substr(0, colon);
    if (target.size() > 1 && target[0] == '#' &&
        std::all_of(target.begin() + 1, target.end(),
                    [](unsigned char c) { return std::isdigit(c) != 0; })) {
        spec.position = wholeNumber(target.substr(1), 1, 1000000, "--column " + text + ": #N");
    } else {
        spec.name = target;
    }
    size_t at = colon + 1;
    if (at == text.size()) {
        throw UsageError("--column " + text + ": no settings after the column");
    }
    while (at < text.size()) {
        const size_t equals = text.find('=', at);
        const size_t comma = text.find(',', at);
        if (equals == std::string::npos || (comma != std::string::npos && comma < equals)) {
            throw UsageError("--column " + text + ": '" + text.substr(at, comma - at) +
                             "' is not key=value");
        }
        const std::string key = lowerCase(trimmed(text.substr(at, equals - at)));
        std::string value;
        at = equals + 1;
        if (at < text.size() && text[at] == '"') {
            bool closed = false;
            for (++at; at < text.size(); ++at) {
                if (text[at] == '"') {
                    if (at + 1 < text.size() && text[at + 1] == '"') {
                        value += '"';
                        ++at;
                    } else {
                        closed = true;
                        ++at;
                        break;
                    }
                } else {
                    value += text[at];
                }
            }
            if (!closed || (at < text.size() && text[at] != ',')) {
                throw UsageError("--column " + text + ": the quoted value of " + key +
                                 " is not closed by a quote followed by a comma or the end");
            }
        } else {
            const size_t end = std::min(text.find(',', at), text.size());
            value = text.substr(at, end - at);
            at = end;
        }
        applySetting(spec, key, value);
        if (at < text.size()) {
            ++at; // the comma
        }
    }
    return spec;
}

// Long option names and whether they take a value; the short forms map onto them.
struct OptionName {
    const char* name;
    char letter;
    bool value;
};

constexpr OptionName optionNames[] = {
    {"help", 'h', false},
    {"version", 0, false},
    {"output", 'o', true},
    {"kind", 'k', true},
    {"separator", 's', true},
    {"comment", 0, true},
    {"no-header", 0, false},
    {"quote", 0, true},
    {"encoding", 'e', true},
    {"title", 't', true},
    {"heading", 0, true},
    {"toc", 0, false},
    {"column", 'c', true},
    {"program", 0, true},
    {"program-description", 0, true},
    {"program-version", 0, true},
    {"program-date", 0, true},
    {"maker", 0, true},
    {"model", 0, true},
    {"model-description", 0, true},
    {"model-file", 0, true},
    {"model-sign", 0, true},
    {"model-date", 0, true},
};

void apply(Options& options, const std::string& name, const std::string& value) {
    if (name == "help") {
        options.help = true;
    } else if (name == "version") {
        options.version = true;
    } else if (name == "output") {
        options.output = value;
    } else if (name == "kind") {
        options.kind = choice<Kind>(value,
                                    {{"html", Kind::Html},
                                     {"xml_ss", Kind::XmlSs},
                                     {"xml_wp", Kind::XmlWp},
                                     {"text", Kind::Text},
                                     {"text_csv", Kind::TextCsv},
                                     {"xlsx", Kind::Xlsx},
                                     {"docx", Kind::Docx}},
                                    "--kind");
    } else if (name == "separator") {
        options.separator = choice<char>(value,
                                         {{",", ','},
                                          {"comma", ','},
                                          {";", ';'},
                                          {"semicolon", ';'},
                                          {"tab", '\t'},
                                          {"|", '|'},
                                          {"pipe", '|'},
                                          {"auto", 0}},
                                         "--separator");
    } else if (name == "comment") {
        if (value.size() != 1 || value[0] == '\n' || value[0] == '\r') {
            throw UsageError("--comment must be one character, not '" + value + "'");
        }
        options.comment = value[0];
    } else if (name == "no-header") {
        options.header = false;
    } else if (name == "quote") {
        options.quotes =
            choice<bool>(value, {{"\"", true}, {"double", true}, {"none", false}}, "--quote");
    } else if (name == "encoding") {
        options.encoding = choice<Encoding>(value,
                                            {{"auto", Encoding::Detect},
                                             {"utf-8", Encoding::Utf8},
                                             {"utf8", Encoding::Utf8},
                                             {"latin1", Encoding::Latin1},
                                             {"latin-1", Encoding::Latin1},
                                             {"iso-8859-1", Encoding::Latin1},
                                             {"windows-1252", Encoding::Latin1}},
                                            "--encoding");
    } else if (name == "title") {
        options.title = value;
    } else if (name == "heading") {
        options.headings.push_back(value);
    } else if (name == "toc") {
        options.contents = true;
    } else if (name == "column") {
        options.columns.push_back(parseColumnSpec(value));
    } else if (name == "program") {
        options.programName = value;
    } else if (name == "program-description") {
        options.programDescription = value;
    } else if (name == "program-version") {
        options.programVersion = value;
    } else if (name == "program-date") {
        options.programDate = value;
    } else if (name == "maker") {
        if (value.find_first_not_of(" \t") == std::string::npos) {
            throw UsageError("--maker needs a name");
        }
        options.maker = value;
    } else if (name == "model") {
        options.modelName = value;
    } else if (name == "model-description") {
        options.modelDescription = value;
    } else if (name == "model-file") {
        options.modelFile = value;
    } else if (name == "model-sign") {
        options.modelSign = value;
    } else if (name == "model-date") {
        options.modelDate = value;
    }
}

} // namespace

Options parseOptions(const std::vector<std::string>& arguments) {
    Options options;
    bool optionsEnd = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnd || argument.size() < 2 || argument[0] != '-') {
            if (argument == "-") {
                throw UsageError("standard input cannot be read: every input is read twice");
            }
            options.inputs.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnd = true;
            continue;
        }
        const OptionName* found = nullptr;
        std::string inlineValue;
        bool hasInlineValue = false;
        if (argument[1] == '-') {
            const size_t equals = argument.find('=');
            const std::string name = argument.substr(2, equals - 2);
            for (const OptionName& option : optionNames) {
                found = name == option.name ? &option : found;
            }
            if (equals != std::string::npos) {
                inlineValue = argument.substr(equals + 1);
                hasInlineValue = true;
            }
        } else {
            for (const OptionName& option : optionNames) {
                found = argument[1] == option.letter ? &option : found;
            }
            if (argument.size() > 2) {
                inlineValue = argument.substr(2);
                hasInlineValue = true;
            }
        }
        if (found == nullptr) {
            throw UsageError("unknown option " + argument);
        }
        if (!found->value && hasInlineValue) {
            throw UsageError("option --" + std::string(found->name) + " takes no value");
        }
        std::string value = inlineValue;
        if (found->value && !hasInlineValue) {
            if (i + 1 == arguments.size()) {
                throw UsageError("option --" + std::string(found->name) + " needs a value");
            }
            value = arguments[++i];
        }
        apply(options, found->name, value);
    }
    if (options.help || options.version) {
        return options;
    }
    if (options.output.empty()) {
        throw UsageError("no output file: give -o OUTPUT");
    }
    if (options.inputs.empty()) {
        throw UsageError("no input file: give one or more CSV files");
    }
    if (options.headings.size() > options.inputs.size()) {
        throw UsageError("more --heading options (" + std::to_string(options.headings.size()) +
                         ") than input files (" + std::to_string(options.inputs.size()) + ")");
    }
    return options;
}

std::optional<Kind> kindOfName(const std::string& path) {
    const std::string extension = lowerCase(std::filesystem::path(path).extension().string());
    if (extension == ".html" || extension == ".htm" || extension == ".xhtml") {
        return Kind::Html;
    }
    if (extension == ".lis" || extension == ".txt") {
        return Kind::Text;
    }
    if (extension == ".xlsx") {
        return Kind::Xlsx;
    }
    if (extension == ".docx") {
        return Kind::Docx;
    }
    return std::nullopt;
}

Kind outputKind(const Options& options) {
    if (options.kind) {
        return *options.kind;
    }
    if (const auto kind = kindOfName(options.output)) {
        return *kind;
    }
    const std::string extension =
        lowerCase(std::filesystem::path(options.output).extension().string());
    if (extension == ".xml") {
        throw UsageError("an .xml file may be a workbook or a document: give --kind xml_ss or "
                         "--kind xml_wp");
    }
    if (extension == ".csv") {
        throw UsageError("a .csv report is the paged text report with ';' between its fields, "
                         "not a plain table: give --kind (html, xml_ss, xml_wp, xlsx, docx, text "
                         "or text_csv)");
    }
    throw UsageError("cannot tell the kind of report from the name " + options.output +
                     ": give --kind");
}

const char* kindName(Kind kind) {
    switch (kind) {
    case Kind::Html:
        return "html";
    case Kind::XmlSs:
        return "xml_ss";
    case Kind::XmlWp:
        return "xml_wp";
    case Kind::Text:
        return "text";
    case Kind::TextCsv:
        return "text_csv";
    case Kind::Xlsx:
        return "xlsx";
    case Kind::Docx:
        return "docx";
    }
    return "";
}

} // namespace mfreport::cli

namespace mfreport::cli {

std::string helpText() {
    return R"(Usage: mfreport [options] -o OUTPUT INPUT.csv...

Turns CSV files into one report: an XHTML page, a SpreadsheetML 2003 workbook,
a WordprocessingML 2003 document, an .xlsx workbook, a .docx document, a paged
text print file or a semicolon-separated text file. Each input becomes one
table.

Output:
  -o, --output FILE      the report to write (required); - writes it to
                         standard output. A regular file is written under a
                         temporary name beside it (beside the file a link
                         points to: the link stays) and renamed to FILE once
                         complete and on disk; after a failure FILE is left as
                         it was. A device or a FIFO is written directly
                         (text, text_csv, xlsx and docx: as a copy once
                         complete). An output that is one of the inputs is
                         refused.
  -k, --kind KIND        html, xml_ss (workbook), xml_wp (word-processing
                         document), xlsx (Office Open XML workbook), docx
                         (Office Open XML document), text (paged print file)
                         or text_csv (the paged text report with ';' between
                         its fields).
                         Without --kind the extension of FILE decides: .html
                         .htm .xhtml: html; .xlsx: xlsx; .docx: docx; .lis
                         .txt: text. An .xml or .csv name needs --kind.
  -t, --title TEXT       a heading that opens the report; the tables' headings
                         go one level below it (html, xml_wp, docx).
      --heading TEXT     the heading of a table; the n-th --heading belongs to
                         the n-th input (default: the input's name without
                         folder and extension).
      --toc              a table of contents before the tables (html, xml_wp,
                         docx).

Identity, shown in the title block, page header or banner page:
      --program NAME                  program that made the data (default
                                      "mfreport")
      --program-description TEXT      --program-version TEXT
      --program-date TEXT             (default: today)
      --maker NAME                    the maker of the program, named on the
                                      banner page and in the document's footer
                                      (default "ZEB Software")
      --model NAME                    model or data set the report is about
                                      (default: the names of the inputs)
      --model-description TEXT        (default: the number of tables and
                                      records)
      --model-file TEXT               (default: the names of the inputs)
      --model-sign TEXT               (default: the login name)
      --model-date TEXT               (default: today)

Reading:
  -s, --separator SEP    ',' (comma), ';' (semicolon), tab, '|' (pipe), or
                         auto (the default): tab for .tsv and .tab names,
                         otherwise the one of the four that splits the first
                         lines of the file (outside quotes) into as many
                         fields as the first line, and no line into more.
      --quote none       read '"' as an ordinary character (for tab files
                         whose fields hold lone quotes); the default is
                         --quote double, quoted fields as below.
      --comment CHAR     skip the lines that start with CHAR, such as '#'.
      --no-header        the first line is a record: the columns are named
                         1, 2, 3, ...
  -e, --encoding ENC     utf-8 or latin1 (read as Windows-1252); by default a
                         file that is valid UTF-8 is UTF-8, any other Latin-1.

  The input is CSV as in RFC 4180: a header row naming the columns, then one
  record per line. A field may be quoted ("...") to hold separators, line
  ends and quotes (written ""); a field holds at most 16 MiB. Empty lines are
  skipped. A record with fewer fields than the header is padded with empty
  fields (with one warning per input naming the count and the first such
  line); a record with more fields is an error. A file with a NUL byte in its
  first 64 KiB is not text, and UTF-16 and UTF-32 files (by their byte order
  mark) are refused: convert them to UTF-8 first (iconv).

  A column whose values are all whole numbers that fit 32 bits is an integer
  column, one whose values are all numbers (such as -1.5, 2e-3, 1.5E+06, nan,
  inf) is a real column, any other a text column; empty fields are empty
  cells and do not count. A number written with a leading zero (007, 01234,
  -012; not 0, 0.5 or -0.25) makes its column a text column, so that codes
  and identifiers keep every character. With ';' as separator a decimal
  comma is accepted too (1,5 reads as 1.5). A real column whose values are
  written without exponent, with at most 6 decimals, is shown with that many
  decimals; other real columns in the general format. Each file is read twice
  (once to learn the columns, once to write them), so a table of any size
  passes through in constant memory; standard input cannot be an input.

Columns:
  -c, --column COLUMN:key=value[,key=value...]
                         settings of every column of that name (or of every
                         column number N, 1-based, written #N). Keys:
                           unit=TEXT         unit shown with the column's name
                           factor=NUMBER     values are multiplied by it for
                                             display (an integer column becomes
                                             a real one)
                           width=N           field width in characters (1-255)
                           decimals=N        digits after the point (0-18)
                           format=fixed|scientific|general
                                             fixed point, exponent form, or six
                                             significant digits (real columns)
                           align=left|center|right
                           type=integer|real|text
                                             instead of the inferred type; a
                                             value that is not of the type is
                                             an error
                           description=TEXT  the column's description (text
                                             reports list it under the heading)
                         A value may be quoted ("a, b") to hold a comma.
                         Example, forces read in N and shown in kN:
                       -c "Force:unit=kN,factor=0.001,format=fixed,decimals=2"
                         Widths are chosen from the names and values when not
                         given: in html, xml_ss, xml_wp, xlsx and docx every
                         column is as wide as its widest value and head, and
                         in html, xml_wp and docx a table wider than a page
                         (72 characters) is folded into rows of as many cells
                         as fit. A text report takes at most 36 columns per
                         table and widths of 1 to 20 (integer), 3 to 20 and
                         above decimals + 1 (fixed), 7 to 20 (other real) or
                         1 to 72 (text).

Encoding of the output: html, xml_ss, xml_wp, xlsx and docx are UTF-8, with
the text escaped so that it shows literally; text and text_csv keep the bytes
of the input (column widths count bytes), with control characters made
blanks.

Other:
  -h, --help             this text
      --version          the version

Exit status: 0 when the report was written, 1 when an input could not be read
or was not valid CSV (the message names the file, line and column), or the
report could not be written (the message names the system's reason), 2 when
the command line is wrong or the output is one of the inputs. On a terminal,
progress is shown on standard error for large inputs.
)";
}

} // namespace mfreport::cli
