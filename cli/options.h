// The command line of mfreport: options, column settings and the help text.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <mfreport/mfreport.h>

namespace mfreport::cli {

/// A command line that cannot be followed (exit status 2).
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A run that would harm an input (exit status 2).
class Refusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A run that failed on its inputs or its output (exit status 1).
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Kind { Html, XmlSs, XmlWp, Text, TextCsv, Xlsx, Docx };

enum class Encoding { Detect, Utf8, Latin1 };

/// Settings of the columns that one --column option names.
struct ColumnSpec {
    std::string text;    ///< the option's value, for messages
    std::string name;    ///< the column's name, or empty when `position` is set
    size_t position = 0; ///< 1-based column number ("#N"), 0 when named
    std::optional<std::string> unit;
    std::optional<double> factor;
    std::optional<size_t> width;
    std::optional<size_t> decimals;
    std::optional<mfTableColumn::fmt_type> format;
    std::optional<mfTableColumn::adj_type> align;
    std::optional<mfTableColumn::col_type> type;
    std::optional<std::string> description;
};

struct Options {
    bool help = false;
    bool version = false;
    std::string output;
    std::optional<Kind> kind;
    std::vector<std::string> inputs;
    char separator = 0; ///< 0: detected from each file's first lines
    bool quotes = true; ///< false: '"' is an ordinary character
    char comment = 0;   ///< lines that start with it are skipped; 0: none
    bool header = true; ///< false: the columns are named 1, 2, 3, ...
    Encoding encoding = Encoding::Detect;
    std::string title;
    std::vector<std::string> headings; ///< the n-th belongs to the n-th input
    bool contents = false;
    std::string programName = "mfreport";
    std::string programDescription = "Tables from CSV files";
    std::string programVersion = MFREPORT_VERSION_STRING;
    std::string programDate;
    std::string maker;     ///< empty: the library's default
    std::string modelName; ///< empty: the names of the inputs
    std::string modelDescription;
    std::string modelFile;
    std::string modelSign;
    std::string modelDate;
    std::vector<ColumnSpec> columns;
};

/// Reads the arguments after the program name; throws UsageError.
Options parseOptions(const std::vector<std::string>& arguments);

/// The kind that the output's extension names, if any.
std::optional<Kind> kindOfName(const std::string& path);

/// The kind to write: --kind, or else the output's extension; throws UsageError.
Kind outputKind(const Options& options);

const char* kindName(Kind kind);

/// True for the paged text report and its semicolon-separated form.
inline bool isTextKind(Kind kind) {
    return kind == Kind::Text || kind == Kind::TextCsv;
}

/// True for the Office Open XML kinds: ZIP packages, written with seeks back,
/// that escape the text they write themselves.
inline bool isPackage(Kind kind) {
    return kind == Kind::Xlsx || kind == Kind::Docx;
}

/// True for the kinds that take their text as markup.
inline bool escapes(Kind kind) {
    return !isTextKind(kind) && !isPackage(kind);
}

/// True for the kinds with headings, a table of contents and tables folded
/// to the page.
inline bool hasSections(Kind kind) {
    return kind == Kind::Html || kind == Kind::XmlWp || kind == Kind::Docx;
}

std::string helpText();

} // namespace mfreport::cli
