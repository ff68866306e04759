// Streaming speed of the table writers against their limits: for every kind a
// raw writer of that kind's own table bytes (numbers by std::to_chars into one
// large buffer, one write per few megabytes, no library code), measured in the
// same run.
//
// Workload: one table of R records x 10 columns. Column 0 is the text
// "N%06d" of the record index (STRING, width 8); columns 1 and 2 are integers
// (the record number, index + 1, and a pseudo-random value in -10000..10000);
// columns 3 to 9 are REAL, FIXED, width 12, 4 decimals, drawn from the 32-bit
// linear congruential generator s = 1664525 s + 1013904223 (mod 2^32), seed
// 20240601: (s / 2^32 * 1100 - 100) * 10^(k - 6) for column k, and 0.0 when
// (index + k) % 50 == 0.
//
//   mfreport_bench [--records N] [--kind K] [--reps N]
//
// K is html, xmlss, xmlwp, text, csv, xlsx, docx or all. The package kinds'
// limits stream their table part's bytes through deflate at the package
// writer's level into a ZIP file of that one part; where libxlsxwriter is
// built in, xlsx adds its constant-memory mode on the same workload. Per kind
// it prints the median seconds of at least 5 interleaved library/limit pairs,
// the cells per second, the ratio of the library's cells per second to the
// limit's (the median of the pairs' ratios, each pair measured under the same
// load), the output bytes and the peak resident memory of a separate process
// that writes the same table. Every run checks once per kind that the
// library's table bytes equal the limit's; the report time is fixed
// (SOURCE_DATE_EPOCH) so that the text kinds' page headings agree.
//
// For instruction counts under valgrind: --only library|limit|xlsxwriter runs
// that side once, without timing pairs or child processes.

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <minizip/unzip.h>
#include <minizip/zip.h>

#include "mfreport/mfreport.h"
#include "mfreport/package/package.h"

#ifdef MFREPORT_XLSXWRITER
#include <xlsxwriter.h>
#endif

namespace {

#ifdef MFREPORT_TOOL
constexpr const char* kToolPath = MFREPORT_TOOL;
#else
constexpr const char* kToolPath = "";
#endif

constexpr int kColumns = 10;
// The package kinds' limits deflate at the package writer's level.
constexpr int kPackageLevel = mfreport::package::kLevel;
constexpr int kRealColumns = 7;

// One record of the workload.
struct Record {
    char name[16];
    int nameLength;
    int number;
    int random;
    double values[kRealColumns];
};

class Workload {
public:
    void make(int index, Record& r) {
        r.nameLength = name(index, r.name);
        r.number = index + 1;
        r.random = static_cast<int>(next() % 20001U) - 10000;
        static constexpr double scale[kRealColumns] = {1e-3, 1e-2, 1e-1, 1.0, 1e1, 1e2, 1e3};
        for (int j = 0; j < kRealColumns; ++j) {
            const int k = j + 3;
            const double u = next() / 4294967296.0 * 1100.0 - 100.0;
            r.values[j] = (index + k) % 50 == 0 ? 0.0 : u * scale[j];
        }
    }

private:
    // "N%06d" of the index, as snprintf writes it, at a fraction of its cost.
    static int name(int index, char* out) {
        char digits[12];
        int n = 0;
        for (unsigned v = static_cast<unsigned>(index); v > 0 || n < 6; v /= 10) {
            digits[n++] = static_cast<char>('0' + v % 10);
        }
        out[0] = 'N';
        for (int i = 0; i < n; ++i) {
            out[1 + i] = digits[n - 1 - i];
        }
        return n + 1;
    }
    uint32_t next() {
        state_ = 1664525U * state_ + 1013904223U;
        return state_;
    }
    uint32_t state_ = 20240601U;
};

class RawFile;

struct Kind {
    std::string_view name;
    mfDevice::ReportType type;
    std::string_view extension; ///< of the file the device writes
    bool textKind;              ///< the device adds the extension itself
    /// Writes the kind's own table bytes: the limit.
    void (*limit)(RawFile& out, int records);
    /// The library's file ends with the limit's bytes (the text kinds, whose
    /// table is the file's last part); otherwise the limit's rows, without
    /// its first line and its closing tags, stand in the library's file.
    bool tail;
};

std::string scratchDir() {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp");
}

std::string stem(std::string_view kind, std::string_view side) {
    return scratchDir() + "/mfreport-bench-" + std::to_string(getpid()) + "-" + std::string(kind) +
           "-" + std::string(side);
}

long long fileSize(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        return -1;
    }
    std::fseek(f, 0, SEEK_END);
    const long long size = std::ftell(f);
    std::fclose(f);
    return size;
}

std::string readAll(const std::string& path) {
    std::string bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char chunk[65536];
        size_t n = 0;
        while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
            bytes.append(chunk, n);
        }
        std::fclose(f);
    }
    return bytes;
}

void removeFiles(const std::string& path) {
    std::remove(path.c_str());
    std::remove((path + ".bak").c_str());
}

// ---------------------------------------------------------------- library

// Writes the workload through createDevice; returns the file written.
std::string writeLibrary(const Kind& kind, int records) {
    const std::string base = stem(kind.name, "library");
    const std::string file = kind.textKind ? base : base + std::string(kind.extension);
    const std::string written = base + std::string(kind.extension);
    const mfReportClient client("Bench", "Table streaming benchmark", "1.0", "07-DEC-2026");
    const mfReportHeader model("Model", "Benchmark model", "bench.mdl", "", "07-DEC-2026");
    std::unique_ptr<mfDevice> device(mfDevice::createDevice(client, file, kind.type, model));
    std::unique_ptr<mfTable> table(device->addTable(mfTableHeader("RESULTS", "Results", 1)));

    mfTableColumn name("Name", "Record name", mfTableColumn::STRING);
    name.setWidth(8, 0, mfTableColumn::GENERAL);
    table->addColumn(name);
    table->addColumn(mfTableColumn("Number", "Record number", mfTableColumn::INTEGER));
    table->addColumn(mfTableColumn("Random", "Pseudo-random integer", mfTableColumn::INTEGER));
    for (int k = 3; k < kColumns; ++k) {
        mfTableColumn value("V" + std::to_string(k), "Value " + std::to_string(k),
                            mfTableColumn::REAL);
        value.setWidth(12, 4, mfTableColumn::FIXED);
        table->addColumn(value);
    }

    Workload workload;
    Record r{};
    std::string text;
    bool ok = table->begin_table();
    for (int i = 0; i < records; ++i) {
        workload.make(i, r);
        text.assign(r.name, static_cast<size_t>(r.nameLength));
        table->begin_record();
        table->insertValue(0, text);
        table->insertValue(1, r.number);
        table->insertValue(2, r.random);
        for (int j = 0; j < kRealColumns; ++j) {
            table->insertValue(j + 3, r.values[j]);
        }
        ok = table->end_record() && ok;
    }
    ok = table->end_table() && ok;
    table.reset();
    ok = device->close() && ok;
    device.reset();
    if (!ok) {
        std::fprintf(stderr, "mfreport_bench: %s: the library reported a failed write\n",
                     written.c_str());
        std::exit(1);
    }
    return written;
}

// ------------------------------------------------------------------ limit

// A raw writer: one large buffer, one write per few megabytes. With a part
// name it writes a ZIP file of that one part instead, each filled buffer
// deflated at the package writer's level.
class RawFile {
public:
    explicit RawFile(const std::string& path, std::string_view part = {})
        : buffer_(new char[kCapacity + kSlack]) {
        if (!part.empty()) {
            openZip(path, std::string(part));
            return;
        }
        file_ = std::fopen(path.c_str(), "wb");
        if (file_ == nullptr) {
            std::perror(path.c_str());
            std::exit(1);
        }
        std::setvbuf(file_, nullptr, _IONBF, 0);
    }
    ~RawFile() {
        drain();
        if (zip_ != nullptr) {
            if (zipCloseFileInZip(zip_) != ZIP_OK || zipClose(zip_, nullptr) != ZIP_OK) {
                std::fputs("mfreport_bench: the limit's ZIP file failed\n", stderr);
                std::exit(1);
            }
        } else {
            std::fclose(file_);
        }
    }
    RawFile(const RawFile&) = delete;
    RawFile& operator=(const RawFile&) = delete;

    // Room for `n` more bytes (n <= kSlack).
    char* room() {
        if (used_ >= kCapacity) {
            drain();
        }
        return buffer_.get() + used_;
    }
    void advance(char* end) { used_ = static_cast<size_t>(end - buffer_.get()); }
    void put(std::string_view text) {
        char* p = room();
        std::memcpy(p, text.data(), text.size());
        advance(p + text.size());
    }

private:
    static constexpr size_t kCapacity = 4U << 20;
    static constexpr size_t kSlack = 64U << 10;
    void openZip(const std::string& path, const std::string& part) {
        zip_ = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
        zip_fileinfo info{};
        if (zip_ == nullptr ||
            zipOpenNewFileInZip4_64(zip_, part.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                    Z_DEFLATED, kPackageLevel, 0, -MAX_WBITS, DEF_MEM_LEVEL,
                                    Z_DEFAULT_STRATEGY, nullptr, 0, 0, 0, 1) != ZIP_OK) {
            std::perror(path.c_str());
            std::exit(1);
        }
    }
    void drain() {
        const bool written =
            used_ == 0 ||
            (zip_ != nullptr
                 ? zipWriteInFileInZip(zip_, buffer_.get(), static_cast<unsigned>(used_)) == ZIP_OK
                 : std::fwrite(buffer_.get(), 1, used_, file_) == used_);
        if (!written) {
            std::perror("mfreport_bench: write");
            std::exit(1);
        }
        used_ = 0;
    }
    std::FILE* file_ = nullptr;
    zipFile zip_ = nullptr;
    std::unique_ptr<char[]> buffer_;
    size_t used_ = 0;
};

char* copy(char* p, std::string_view text) {
    std::memcpy(p, text.data(), text.size());
    return p + text.size();
}

// A FIXED 12.4 number right-justified in 12 columns as the markup kinds show
// it (zero as "0").
char* fixedCell(char* p, double v) {
    char digits[64];
    char* end = digits;
    if (std::fabs(v) > 0.0) {
        end = std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed, 4).ptr;
    } else {
        *end++ = '0';
    }
    const size_t length = static_cast<size_t>(end - digits);
    for (size_t i = length; i < 12; ++i) {
        *p++ = ' ';
    }
    return copy(p, std::string_view(digits, length));
}

// 16 digits after the point, upper-case exponent letter.
char* scientificCell(char* p, double v) {
    char* end = std::to_chars(p, p + 64, v, std::chars_format::scientific, 16).ptr;
    for (char* e = end - 1; e > p; --e) {
        if (*e == 'e') {
            *e = 'E';
            break;
        }
    }
    return end;
}

void limitHtml(RawFile& out, int records) {
    out.put("  <tbody>\n");
    Workload workload;
    Record r{};
    for (int i = 0; i < records; ++i) {
        workload.make(i, r);
        char* p = out.room();
        p = copy(p, "    <tr> \n      <td align=\"left\" >");
        p = copy(p, std::string_view(r.name, static_cast<size_t>(r.nameLength)));
        p = copy(p, " </td>\n      <td align=\"right\"> ");
        p = std::to_chars(p, p + 16, r.number).ptr;
        p = copy(p, "</td> \n      <td align=\"right\"> ");
        p = std::to_chars(p, p + 16, r.random).ptr;
        p = copy(p, "</td> \n");
        for (int j = 0; j < kRealColumns; ++j) {
            p = copy(p, "      <td align=\"right\"> ");
            p = fixedCell(p, r.values[j]);
            p = copy(p, "</td>\n");
        }
        p = copy(p, "    </tr> \n");
        out.advance(p);
    }
    out.put("  </tbody>\n</table> \n");
}

void limitXmlss(RawFile& out, int records) {
    out.put("<Worksheet ss:Name=\"RESULTS\">\n");
    Workload workload;
    Record r{};
    for (int i = 0; i < records; ++i) {
        workload.make(i, r);
        char* p = out.room();
        p = copy(p, " <Row>\n    <Cell><Data ss:Type=\"String\">");
        p = copy(p, std::string_view(r.name, static_cast<size_t>(r.nameLength)));
        p = copy(p, "</Data></Cell>\n    <Cell><Data ss:Type=\"Number\">");
        p = std::to_chars(p, p + 16, r.number).ptr;
        p = copy(p, "</Data></Cell>\n    <Cell><Data ss:Type=\"Number\">");
        p = std::to_chars(p, p + 16, r.random).ptr;
        p = copy(p, "</Data></Cell>\n");
        for (int j = 0; j < kRealColumns; ++j) {
            p = copy(p, "    <Cell ss:StyleID=\"FixedDecimal4\"><Data ss:Type=\"Number\">");
            p = scientificCell(p, r.values[j]);
            p = copy(p, "</Data></Cell>\n");
        }
        p = copy(p, "  </Row>");
        out.advance(p);
    }
    out.put("</Table>\n</Worksheet>\n\n");
}

// A FIXED 12.4 number right-justified in 12 columns as the text kinds show
// it (zero as "0.0000").
char* fixedField(char* p, double v) {
    char digits[64];
    char* end = std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed, 4).ptr;
    const size_t length = static_cast<size_t>(end - digits);
    for (size_t i = length; i < 12; ++i) {
        *p++ = ' ';
    }
    return copy(p, std::string_view(digits, length));
}

// An integer right-justified in 12 columns.
char* integerField(char* p, int v) {
    char digits[16];
    char* end = std::to_chars(digits, digits + sizeof digits, v).ptr;
    const size_t length = static_cast<size_t>(end - digits);
    for (size_t i = length; i < 12; ++i) {
        *p++ = ' ';
    }
    return copy(p, std::string_view(digits, length));
}

// The rows of a word-processing table: one paragraph per cell, the name
// left-aligned and the numbers right-aligned. The markup is a type's
// constants, so that each kind's copies are of known length, as a writer of
// that kind alone would have them.
template <class Markup>
void limitWordRows(RawFile& out, int records) {
    out.put(Markup::rowEnd);
    Workload workload;
    Record r{};
    constexpr std::string_view close = "</w:t></w:r></w:p></w:tc>\n";
    for (int i = 0; i < records; ++i) {
        workload.make(i, r);
        char* p = out.room();
        p = copy(p, Markup::rowStart);
        p = copy(p, Markup::left);
        p = copy(p, std::string_view(r.name, static_cast<size_t>(r.nameLength)));
        p = copy(p, close);
        p = copy(p, Markup::right);
        p = std::to_chars(p, p + 16, r.number).ptr;
        p = copy(p, close);
        p = copy(p, Markup::right);
        p = std::to_chars(p, p + 16, r.random).ptr;
        p = copy(p, close);
        for (int j = 0; j < kRealColumns; ++j) {
            p = copy(p, Markup::right);
            p = fixedCell(p, r.values[j]);
            p = copy(p, close);
        }
        p = copy(p, Markup::rowEnd);
        out.advance(p);
    }
    out.put("</w:tbl>\n");
}

struct XmlwpRows {
    static constexpr std::string_view rowStart =
        " <w:tr>\n  <w:trPr><w:tblHeader w:val=\"off\"/></w:trPr>\n";
    static constexpr std::string_view left =
        "  <w:tc><w:p><w:pPr><w:jc w:val=\"left\"/></w:pPr><w:r><w:t>";
    static constexpr std::string_view right =
        "  <w:tc><w:p><w:pPr><w:jc w:val=\"right\"/></w:pPr><w:r><w:t>";
    static constexpr std::string_view rowEnd = " </w:tr>\n";
};

void limitXmlwp(RawFile& out, int records) {
    limitWordRows<XmlwpRows>(out, records);
}

// The report time the benchmark fixes, and the page headings of the text
// kinds at that time; the page numbers follow each heading line.
constexpr const char* kReportEpoch = "1796585527";
constexpr std::string_view kMainHeading =
    " DATE: 06-DEC-2026 TIME: 19:32:07   PROGRAM: KALDU    Bench     1.0     07-DEC-2026"
    "                                     PAGE:";
constexpr std::string_view kSubHeading =
    "                                    Results                                          "
    "                               SUB PAGE:";
constexpr std::string_view kLegend[] = {
    " Name   : Record name",
    " Number : Record number",
    " Random : Pseudo-random integer",
    " V3     : Value 3",
    " V4     : Value 4",
    " V5     : Value 5",
    " V6     : Value 6",
    " V7     : Value 7",
    " V8     : Value 8",
    " V9     : Value 9",
    "  ",
};
// The listing's table heading: names over two record lines and the rule.
constexpr std::string_view kListingHeading[] = {
    " Name            Number        Random            V3            V4            V5"
    "            V6            V7            V8",
    "               V9",
    " ----------------------------------------------------------------------------"
    "--------------------------------------------",
};
constexpr std::string_view kSeparatedHeading[] = {
    " Name    ;       Number;       Random;           V3;           V4;           V5;"
    "           V6;           V7;           V8;           V9",
    " --------; ------------; ------------; ------------; ------------; ------------;"
    " ------------; ------------; ------------; ------------",
};
// Lines of a listing page, and the last line a record may take.
constexpr int kPageLines = 55;
constexpr int kLastRecordLine = kPageLines - 2;

// A heading line ending in a page number in 6 columns.
char* numberedLine(char* p, std::string_view text, int number) {
    p = copy(p, text);
    char digits[16];
    char* end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    for (long i = end - digits; i < 6; ++i) {
        *p++ = ' ';
    }
    p = copy(p, std::string_view(digits, static_cast<size_t>(end - digits)));
    *p++ = '\n';
    return p;
}

// Page advance, program heading and sub heading of a page requested by the
// table; returns the lines counted on the page.
int pageHead(RawFile& out, int page) {
    char* p = out.room();
    p = copy(p, "\f\n");
    p = numberedLine(p, kMainHeading, page);
    p = copy(p, "  \n  \n");
    p = numberedLine(p, kSubHeading, page);
    p = copy(p, "  \n");
    out.advance(p);
    return 5;
}

int putLines(RawFile& out, const std::string_view* lines, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        out.put(lines[i]);
        out.put("\n");
    }
    return static_cast<int>(count);
}

// Pages of 55 lines: headings on every page, the legend on the first, each
// record of two lines (the ninth real value goes on an indented second line)
// on the page where it ends two lines above the page end.
void limitText(RawFile& out, int records) {
    Workload workload;
    Record r{};
    int page = 1;
    int line = pageHead(out, page);
    line += putLines(out, kLegend, std::size(kLegend));
    line += putLines(out, kListingHeading, std::size(kListingHeading));
    for (int i = 0; i < records; ++i) {
        workload.make(i, r);
        if (line + 2 > kLastRecordLine) {
            line = pageHead(out, ++page);
            line += putLines(out, kListingHeading, std::size(kListingHeading));
        }
        char* p = out.room();
        *p++ = ' ';
        p = copy(p, std::string_view(r.name, static_cast<size_t>(r.nameLength)));
        for (int k = r.nameLength; k < 8; ++k) {
            *p++ = ' ';
        }
        p = copy(p, "  ");
        p = integerField(p, r.number);
        p = copy(p, "  ");
        p = integerField(p, r.random);
        for (int j = 0; j + 1 < kRealColumns; ++j) {
            p = copy(p, "  ");
            p = fixedField(p, r.values[j]);
        }
        p = copy(p, "\n     ");
        p = fixedField(p, r.values[kRealColumns - 1]);
        *p++ = '\n';
        out.advance(p);
        line += 2;
    }
}

// One endless page: every record one line, fields at fixed columns with ";"
// after each but the last.
void limitCsv(RawFile& out, int records) {
    Workload workload;
    Record r{};
    pageHead(out, 1);
    putLines(out, kLegend, std::size(kLegend));
    putLines(out, kSeparatedHeading, std::size(kSeparatedHeading));
    for (int i = 0; i < records; ++i) {
        workload.make(i, r);
        char* p = out.room();
        *p++ = ' ';
        p = copy(p, std::string_view(r.name, static_cast<size_t>(r.nameLength)));
        for (int k = r.nameLength; k < 8; ++k) {
            *p++ = ' ';
        }
        p = copy(p, "; ");
        p = integerField(p, r.number);
        p = copy(p, "; ");
        p = integerField(p, r.random);
        for (int j = 0; j < kRealColumns; ++j) {
            p = copy(p, "; ");
            p = fixedField(p, r.values[j]);
        }
        *p++ = '\n';
        out.advance(p);
    }
}

// ---------------------------------------------------------- package kinds

// The part of a package kind's file that holds the table; empty for the
// kinds that write one plain file.
std::string_view tablePart(const Kind& kind) {
    switch (kind.type) {
    case mfDevice::XLSX:
        return "xl/worksheets/sheet1.xml";
    case mfDevice::DOCX:
        return "word/document.xml";
    default:
        return {};
    }
}

// The part `name` of the ZIP file at `path`, uncompressed; empty when missing.
std::string readPart(const std::string& path, std::string_view name) {
    std::string bytes;
    unzFile zip = unzOpen64(path.c_str());
    if (zip == nullptr) {
        return bytes;
    }
    if (unzLocateFile(zip, std::string(name).c_str(), 1) == UNZ_OK &&
        unzOpenCurrentFile(zip) == UNZ_OK) {
        char chunk[65536];
        int n = 0;
        while ((n = unzReadCurrentFile(zip, chunk, sizeof chunk)) > 0) {
            bytes.append(chunk, static_cast<size_t>(n));
        }
        unzCloseCurrentFile(zip);
    }
    unzClose(zip);
    return bytes;
}

// The worksheet's rows: the name as an inline string, the integers, the reals
// in their shortest round-trip digits with the cell format of 4 decimals.
void limitXlsx(RawFile& out, int records) {
    out.put("<row>\n");
    Workload workload;
    Record r{};
    for (int i = 0; i < records; ++i) {
        workload.make(i, r);
        char* p = out.room();
        p = copy(p, "<row><c t=\"inlineStr\"><is><t>");
        p = copy(p, std::string_view(r.name, static_cast<size_t>(r.nameLength)));
        p = copy(p, "</t></is></c><c><v>");
        p = std::to_chars(p, p + 16, r.number).ptr;
        p = copy(p, "</v></c><c><v>");
        p = std::to_chars(p, p + 16, r.random).ptr;
        p = copy(p, "</v></c>");
        for (int j = 0; j < kRealColumns; ++j) {
            p = copy(p, "<c s=\"6\"><v>");
            p = std::to_chars(p, p + 32, r.values[j]).ptr;
            p = copy(p, "</v></c>");
        }
        p = copy(p, "</row>\n");
        out.advance(p);
    }
    out.put("</sheetData>\n");
}

// The document body's table rows: cells as the word-processing kind's, in
// the package's paragraph markup.
struct DocxRows {
    static constexpr std::string_view rowStart = "<w:tr><w:trPr><w:cantSplit/></w:trPr>\n";
    static constexpr std::string_view left =
        "<w:tc><w:p><w:pPr><w:jc w:val=\"left\"/></w:pPr><w:r><w:t xml:space=\"preserve\">";
    static constexpr std::string_view right =
        "<w:tc><w:p><w:pPr><w:jc w:val=\"right\"/></w:pPr><w:r><w:t xml:space=\"preserve\">";
    static constexpr std::string_view rowEnd = "</w:tr>\n";
};

void limitDocx(RawFile& out, int records) {
    limitWordRows<DocxRows>(out, records);
}

constexpr Kind kKinds[] = {
    {"html", mfDevice::HTML, ".html", false, limitHtml, false},
    {"xmlss", mfDevice::XML_SS, ".xml", false, limitXmlss, false},
    {"xmlwp", mfDevice::XML_WP, ".xml", false, limitXmlwp, false},
    {"text", mfDevice::TEXT, ".LIS", true, limitText, true},
    {"csv", mfDevice::TEXT_CSV, ".csv", true, limitCsv, true},
    {"xlsx", mfDevice::XLSX, ".xlsx", false, limitXlsx, false},
    {"docx", mfDevice::DOCX, ".docx", false, limitDocx, false},
};

std::string writeLimit(const Kind& kind, int records) {
    const std::string file = stem(kind.name, "limit") + std::string(kind.extension);
    RawFile out(file, tablePart(kind));
    kind.limit(out, records);
    return file;
}

// The library's table bytes equal the limit's (for the package kinds: those
// of the part that holds the table, uncompressed).
bool sameBytes(const Kind& kind, const std::string& libraryFile, const std::string& limitFile) {
    const std::string_view part = tablePart(kind);
    const std::string library = part.empty() ? readAll(libraryFile) : readPart(libraryFile, part);
    const std::string limit = part.empty() ? readAll(limitFile) : readPart(limitFile, part);
    if (kind.tail) {
        return !limit.empty() && library.size() >= limit.size() &&
               library.compare(library.size() - limit.size(), limit.size(), limit) == 0;
    }
    const size_t first = limit.find('\n') + 1;
    const size_t last = limit.rfind("</");
    const std::string_view rows = std::string_view(limit).substr(first, last - first);
    return !rows.empty() && library.find(rows) != std::string::npos;
}

// ------------------------------------------------------------------- tool

// The workload as a CSV file: a header row, the reals with 4 decimals.
void writeWorkloadCsv(const std::string& path, int records) {
    RawFile out(path);
    out.put("Name,Number,Random,V3,V4,V5,V6,V7,V8,V9\n");
    Workload workload;
    Record r{};
    for (int i = 0; i < records; ++i) {
        workload.make(i, r);
        char* p = out.room();
        p = copy(p, std::string_view(r.name, static_cast<size_t>(r.nameLength)));
        *p++ = ',';
        p = std::to_chars(p, p + 16, r.number).ptr;
        *p++ = ',';
        p = std::to_chars(p, p + 16, r.random).ptr;
        for (int j = 0; j < kRealColumns; ++j) {
            *p++ = ',';
            p = std::to_chars(p, p + 64, r.values[j], std::chars_format::fixed, 4).ptr;
        }
        *p++ = '\n';
        out.advance(p);
    }
}

// The tool's name for a kind.
std::string_view toolKind(const Kind& kind) {
    switch (kind.type) {
    case mfDevice::HTML:
        return "html";
    case mfDevice::XML_SS:
        return "xml_ss";
    case mfDevice::XML_WP:
        return "xml_wp";
    case mfDevice::TEXT:
        return "text";
    default:
        return "text_csv";
    }
}

// Converts `csv` with the command-line tool into a report of `kind`; returns
// the file written. `peakKib` gets the tool's peak resident memory.
std::string runTool(const char* tool, const Kind& kind, const std::string& csv, long* peakKib) {
    const std::string file = stem(kind.name, "tool") + std::string(kind.extension);
    std::string kindName(toolKind(kind));
    std::string argv0(tool), kindOption("--kind"), outputOption("-o"), output(file), input(csv);
    char* args[] = {argv0.data(),  kindOption.data(), kindName.data(), outputOption.data(),
                    output.data(), input.data(),      nullptr};
    pid_t child = 0;
    int status = 0;
    rusage usage{};
    if (posix_spawn(&child, tool, nullptr, nullptr, args, environ) != 0 ||
        wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "mfreport_bench: %s failed on %s\n", tool, csv.c_str());
        std::exit(1);
    }
    if (peakKib != nullptr) {
        *peakKib = usage.ru_maxrss;
    }
    return file;
}

// ------------------------------------------------------------ libxlsxwriter

#ifdef MFREPORT_XLSXWRITER
// The workload as libxlsxwriter writes it in its constant-memory mode: the
// same head row (bold, grey), column widths, frozen head row, print titles
// and autofilter; the reals with a number format of 4 decimals.
std::string writeXlsxwriter(int records) {
    const std::string file = stem("xlsx", "libxlsxwriter") + ".xlsx";
    std::string tmpdir = scratchDir();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = tmpdir.data();
    lxw_workbook* workbook = workbook_new_opt(file.c_str(), &options);
    lxw_worksheet* sheet =
        workbook != nullptr ? workbook_add_worksheet(workbook, "RESULTS") : nullptr;
    if (sheet == nullptr) {
        std::fprintf(stderr, "mfreport_bench: libxlsxwriter cannot create %s\n", file.c_str());
        std::exit(1);
    }
    lxw_format* head = workbook_add_format(workbook);
    format_set_bold(head);
    format_set_bg_color(head, LXW_COLOR_SILVER);
    lxw_format* fixed = workbook_add_format(workbook);
    format_set_num_format(fixed, "0.0000");
    worksheet_set_column(sheet, 0, 0, 8, nullptr);
    worksheet_set_column(sheet, 1, kColumns - 1, 12, nullptr);
    worksheet_freeze_panes(sheet, 1, 0);
    worksheet_repeat_rows(sheet, 0, 0);
    worksheet_autofilter(sheet, 0, 0, static_cast<lxw_row_t>(records), kColumns - 1);
    worksheet_set_landscape(sheet);
    static constexpr const char* names[kColumns] = {"Name", "Number", "Random", "V3", "V4",
                                                    "V5",   "V6",     "V7",     "V8", "V9"};
    for (lxw_col_t k = 0; k < kColumns; ++k) {
        worksheet_write_string(sheet, 0, k, names[k], head);
    }
    Workload workload;
    Record r{};
    for (int i = 0; i < records; ++i) {
        workload.make(i, r);
        const auto row = static_cast<lxw_row_t>(i + 1);
        r.name[r.nameLength] = '\0';
        worksheet_write_string(sheet, row, 0, r.name, nullptr);
        worksheet_write_number(sheet, row, 1, r.number, nullptr);
        worksheet_write_number(sheet, row, 2, r.random, nullptr);
        for (int j = 0; j < kRealColumns; ++j) {
            worksheet_write_number(sheet, row, static_cast<lxw_col_t>(j + 3), r.values[j], fixed);
        }
    }
    if (workbook_close(workbook) != LXW_NO_ERROR) {
        std::fprintf(stderr, "mfreport_bench: libxlsxwriter failed to write %s\n", file.c_str());
        std::exit(1);
    }
    return file;
}
constexpr bool kWithXlsxwriter = true;
#else
std::string writeXlsxwriter(int) {
    return {};
}
constexpr bool kWithXlsxwriter = false;
#endif

// ----------------------------------------------------------------- driver

double seconds(const std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

template <class F>
double timed(F&& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return seconds(std::chrono::steady_clock::now() - start);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Peak resident memory in KiB of this process (VmHWM: unlike the peak that
// getrusage reports, it does not include the memory of the parent that
// started the process).
long ownPeakMemory() {
    long kib = -1;
    if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status) != nullptr) {
            if (std::strncmp(line, "VmHWM:", 6) == 0) {
                kib = std::atol(line + 6);
            }
        }
        std::fclose(status);
    }
    return kib;
}

// Peak resident memory in KiB of a separate process writing the kind's table.
long peakMemory(const char* self, const Kind& kind, int records) {
    const std::string command = std::string(self) + " --only library --peak yes --kind " +
                                std::string(kind.name) + " --records " + std::to_string(records);
    std::FILE* child = popen(command.c_str(), "r");
    if (child == nullptr) {
        return -1;
    }
    long kib = -1;
    if (std::fscanf(child, "%ld", &kib) != 1) {
        kib = -1;
    }
    return pclose(child) == 0 ? kib : -1;
}

const Kind* findKind(std::string_view name) {
    for (const Kind& k : kKinds) {
        if (k.name == name) {
            return &k;
        }
    }
    return nullptr;
}

// Peak resident memory in KiB of the tool converting `csv` once, as a child
// of a separate small process (a child's peak counts the memory of the
// process that started it).
long toolPeakMemory(const char* self, const char* tool, const Kind& kind, const std::string& csv) {
    const std::string command = std::string(self) + " --only tool --tool " + tool +
                                " --tool-kind " + std::string(kind.name) + " --input " + csv;
    std::FILE* child = popen(command.c_str(), "r");
    if (child == nullptr) {
        return -1;
    }
    long kib = -1;
    if (std::fscanf(child, "%ld", &kib) != 1) {
        kib = -1;
    }
    return pclose(child) == 0 ? kib : -1;
}

// The tool converting the workload's CSV file into a report of `kind`,
// against the library writing the same table from memory.
void benchTool(const char* self, const char* tool, const Kind& kind, int records, int pairs) {
    const std::string csv = stem("workload", "input") + ".csv";
    writeWorkloadCsv(csv, records);
    std::vector<double> toolTimes;
    std::vector<double> library;
    for (int rep = 0; rep < pairs; ++rep) {
        std::string toolFile;
        std::string libraryFile;
        toolTimes.push_back(timed([&] { toolFile = runTool(tool, kind, csv, nullptr); }));
        library.push_back(timed([&] { libraryFile = writeLibrary(kind, records); }));
        removeFiles(toolFile);
        removeFiles(libraryFile);
    }
    const long peak = toolPeakMemory(self, tool, kind, csv);
    std::remove(csv.c_str());
    const double cells = static_cast<double>(records) * kColumns;
    const double t = median(toolTimes);
    const double l = median(library);
    std::vector<double> ratios;
    for (size_t i = 0; i < library.size(); ++i) {
        ratios.push_back(library[i] / toolTimes[i]);
    }
    std::printf("%-6s %9d %9.4f %9.4f %12.0f %12.0f %6.1f%% %12s %9ld  (tool to %s against "
                "the library)\n",
                "tool", records, t, l, cells / t, cells / l, 100.0 * median(ratios), "-", peak,
                std::string(kind.name).c_str());
    std::fflush(stdout);
}

// libxlsxwriter's constant-memory mode on the same workload, against the
// xlsx kind: its cells per second, bytes and peak memory, and the kind's
// speed and size over its.
void benchXlsxwriter(const char* self, const Kind& xlsx, int records, int pairs) {
    std::vector<double> library;
    std::vector<double> peer;
    long long libraryBytes = 0;
    long long peerBytes = 0;
    for (int rep = 0; rep < pairs; ++rep) {
        std::string libraryFile;
        std::string peerFile;
        library.push_back(timed([&] { libraryFile = writeLibrary(xlsx, records); }));
        peer.push_back(timed([&] { peerFile = writeXlsxwriter(records); }));
        if (rep == 0) {
            libraryBytes = fileSize(libraryFile);
            peerBytes = fileSize(peerFile);
        }
        removeFiles(libraryFile);
        removeFiles(peerFile);
    }
    long peak = -1;
    const std::string command =
        std::string(self) + " --only xlsxwriter --peak yes --records " + std::to_string(records);
    if (std::FILE* child = popen(command.c_str(), "r")) {
        if (std::fscanf(child, "%ld", &peak) != 1) {
            peak = -1;
        }
        peak = pclose(child) == 0 ? peak : -1;
    }
    std::vector<double> ratios;
    for (size_t i = 0; i < library.size(); ++i) {
        ratios.push_back(peer[i] / library[i]);
    }
    const double cells = static_cast<double>(records) * kColumns;
    const double t = median(peer);
    std::printf("%-6s %9d %9.4f %9s %12.0f %12s %7s %12lld %9ld  (libxlsxwriter; the xlsx kind: "
                "%.2fx its cells/s, %.3fx its bytes)\n",
                "lxw", records, t, "-", cells / t, "-", "-", peerBytes, peak, median(ratios),
                static_cast<double>(libraryBytes) / static_cast<double>(peerBytes));
    std::fflush(stdout);
}

[[noreturn]] void usage(const char* self) {
    std::fprintf(stderr,
                 "usage: %s [--records N] [--kind html|xmlss|xmlwp|text|csv|xlsx|docx|tool|all]\n"
                 "          [--reps N] [--only library|limit|xlsxwriter] [--tool-kind KIND]\n"
                 "          [--tool PATH]\n"
                 "          [--make-csv FILE] [--only tool --input FILE]\n",
                 self);
    std::exit(2);
}

} // namespace

int main(int argc, char** argv) {
    // The text kinds' page headings show the report time: fixed, so that the
    // limit knows them.
    setenv("SOURCE_DATE_EPOCH", kReportEpoch, 1);
    int records = 200000;
    int reps = 5;
    std::string kindName = "all";
    std::string only;
    bool peak = false;
    std::string toolKindName = "csv";
    std::string toolPath = kToolPath;
    std::string csvFile;
    std::string inputFile;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (i + 1 >= argc) {
            usage(argv[0]);
        }
        const char* value = argv[++i];
        if (arg == "--records") {
            records = std::atoi(value);
        } else if (arg == "--reps") {
            reps = std::atoi(value);
        } else if (arg == "--kind") {
            kindName = value;
        } else if (arg == "--only") {
            only = value;
        } else if (arg == "--tool-kind") {
            toolKindName = value;
        } else if (arg == "--tool") {
            toolPath = value;
        } else if (arg == "--make-csv") {
            csvFile = value;
        } else if (arg == "--input") {
            inputFile = value;
        } else if (arg == "--peak") {
            peak = std::string_view(value) == "yes";
        } else {
            usage(argv[0]);
        }
    }
    if (!csvFile.empty()) {
        writeWorkloadCsv(csvFile, records);
        return 0;
    }
    const Kind* toolTarget = findKind(toolKindName);
    const bool withTool = kindName == "tool" || (kindName == "all" && !toolPath.empty());
    if (records < 1 || reps < 1 || toolTarget == nullptr || (withTool && toolPath.empty()) ||
        (kindName != "all" && kindName != "tool" && findKind(kindName) == nullptr) ||
        (!only.empty() && only != "library" && only != "limit" && only != "tool" &&
         (only != "xlsxwriter" || !kWithXlsxwriter)) ||
        (only == "tool" && inputFile.empty())) {
        usage(argv[0]);
    }
    std::vector<const Kind*> kinds;
    for (const Kind& k : kKinds) {
        if (kindName == "all" || k.name == kindName) {
            kinds.push_back(&k);
        }
    }

    if (only == "xlsxwriter") {
        removeFiles(writeXlsxwriter(records));
        if (peak) {
            std::printf("%ld\n", ownPeakMemory());
        }
        return 0;
    }
    if (only == "tool") {
        long kib = -1;
        removeFiles(runTool(toolPath.c_str(), *toolTarget, inputFile, &kib));
        std::printf("%ld\n", kib);
        return 0;
    }
    if (!only.empty()) {
        for (const Kind* kind : kinds) {
            removeFiles(only == "library" ? writeLibrary(*kind, records)
                                          : writeLimit(*kind, records));
        }
        if (peak) {
            std::printf("%ld\n", ownPeakMemory());
        }
        return 0;
    }

    const int pairs = std::max(reps, 5);
    const double cells = static_cast<double>(records) * kColumns;
    std::printf("%d records x %d columns, median of %d interleaved library/limit pairs\n\n",
                records, kColumns, pairs);
    std::printf("%-6s %9s %9s %9s %12s %12s %7s %12s %9s\n", "kind", "records", "seconds",
                "limit s", "cells/s", "limit c/s", "ratio", "bytes", "peak KiB");
    bool allSame = true;
    for (const Kind* kind : kinds) {
        std::vector<double> library;
        std::vector<double> limit;
        long long bytes = 0;
        bool same = false;
        for (int rep = 0; rep < pairs; ++rep) {
            std::string libraryFile;
            std::string limitFile;
            library.push_back(timed([&] { libraryFile = writeLibrary(*kind, records); }));
            limit.push_back(timed([&] { limitFile = writeLimit(*kind, records); }));
            if (rep == 0) {
                bytes = fileSize(libraryFile);
                same = sameBytes(*kind, libraryFile, limitFile);
            }
            removeFiles(libraryFile);
            removeFiles(limitFile);
        }
        const double t = median(library);
        const double l = median(limit);
        // Each pair ran under the same load: the median of their ratios.
        std::vector<double> ratios;
        for (size_t i = 0; i < library.size(); ++i) {
            ratios.push_back(limit[i] / library[i]);
        }
        std::printf("%-6s %9d %9.4f %9.4f %12.0f %12.0f %6.1f%% %12lld %9ld%s\n",
                    std::string(kind->name).c_str(), records, t, l, cells / t, cells / l,
                    100.0 * median(ratios), bytes, peakMemory(argv[0], *kind, records),
                    same ? "" : "  (bytes differ from the limit's!)");
        std::fflush(stdout);
        allSame = allSame && same;
    }
    if (kWithXlsxwriter && (kindName == "all" || kindName == "xlsx")) {
        benchXlsxwriter(argv[0], *findKind("xlsx"), records, pairs);
    }
    if (withTool) {
        benchTool(argv[0], toolPath.c_str(), *toolTarget, records, pairs);
    }
    return allSame ? 0 : 1;
}
