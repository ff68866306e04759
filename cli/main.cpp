// mfreport: CSV files in, one report of any of the library's kinds out.
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include <mfreport/mfreport.h>

#include "columns.h"
#include "options.h"
#include "output.h"
#include "report.h"

namespace {

using namespace mfreport::cli;

constexpr size_t kMostTextColumns = 36;
constexpr std::uint64_t kMostSheetRecords = 1048575; // a worksheet's rows below its head row
constexpr std::uint64_t kLargeReport = std::uint64_t{1} << 30;

// Bytes the workbook or the document spends on a record and on each cell
// besides its value.
constexpr std::uint64_t kSheetRecordBytes = 20;
constexpr std::uint64_t kSheetCellBytes = 70;
constexpr std::uint64_t kDocumentRecordBytes = 80;
constexpr std::uint64_t kDocumentCellBytes = 80;

std::string sizeText(std::uint64_t bytes) {
    const double gib = static_cast<double>(bytes) / static_cast<double>(kLargeReport);
    char text[32];
    std::snprintf(text, sizeof text, "%.1f GiB", gib);
    return text;
}

// What the workbook or the document will be about: markup around every
// record and cell, and the values at their widths.
std::uint64_t estimatedSize(Kind kind, const std::vector<TableScan>& scans,
                            const std::vector<std::vector<ColumnPlan>>& columns) {
    const bool sheet = kind == Kind::XmlSs;
    std::uint64_t total = 0;
    for (size_t t = 0; t < scans.size(); ++t) {
        std::uint64_t record = sheet ? kSheetRecordBytes : kDocumentRecordBytes;
        for (const ColumnPlan& column : columns[t]) {
            record += (sheet ? kSheetCellBytes : kDocumentCellBytes) + column.width;
        }
        total += scans[t].records * record;
    }
    return total;
}

void warn(const std::string& message) {
    std::cerr << "mfreport: warning: " << message << '\n';
}

// The header rows: every --column names a column, a text report's tables
// are narrow enough. Checked before the long first pass.
void checkHeaders(const Options& options, Kind kind) {
    std::vector<bool> used(options.columns.size());
    for (const std::string& input : options.inputs) {
        const TableScan header = scanTable(input, options, true);
        if (isTextKind(kind) && header.names.size() > kMostTextColumns) {
            throw Failure(input + ": " + std::to_string(header.names.size()) +
                          " columns; a text report takes at most " +
                          std::to_string(kMostTextColumns) + " per table");
        }
        for (size_t k = 0; k < used.size(); ++k) {
            for (size_t i = 0; !used[k] && i < header.names.size(); ++i) {
                used[k] = namesColumn(options.columns[k], header.names[i], i + 1);
            }
        }
    }
    for (size_t k = 0; k < used.size(); ++k) {
        if (!used[k]) {
            const ColumnSpec& spec = options.columns[k];
            throw UsageError(
                "--column " + spec.text + ": no input has a column " +
                (spec.name.empty() ? "#" + std::to_string(spec.position) : "named " + spec.name));
        }
    }
}

void run(const Options& options) {
    const Kind kind = outputKind(options);
    checkOutputIsNoInput(options.output, options.inputs);
    checkHeaders(options, kind);
    std::vector<TableScan> scans;
    std::vector<std::vector<ColumnPlan>> columns;
    for (const std::string& input : options.inputs) {
        scans.push_back(scanTable(input, options));
        columns.push_back(planColumns(scans.back(), options, kind));
    }
    for (const TableScan& scan : scans) {
        if (scan.shortRecords > 0) {
            warn(scan.path + ": " + std::to_string(scan.shortRecords) +
                 (scan.shortRecords == 1 ? " record has" : " records have") +
                 " fewer fields than " + (options.header ? "the header" : "the first record") +
                 " (the first on line " + std::to_string(scan.firstShortLine) +
                 "); padded with empty fields");
        }
    }
    if (!hasSections(kind)) {
        if (!options.title.empty()) {
            warn(std::string("--title is ignored: ") + kindName(kind) +
                 " reports have no headings");
        }
        if (options.contents) {
            warn(std::string("--toc is ignored: ") + kindName(kind) +
                 " reports have no table of contents");
        }
    }
    if (kind == Kind::XmlSs || kind == Kind::Xlsx) {
        for (const TableScan& scan : scans) {
            if (scan.records == 0) {
                warn(scan.path + " has no records: a workbook shows no worksheet for it");
            } else if (scan.records > kMostSheetRecords) {
                warn(scan.path + " has " + std::to_string(scan.records) +
                     " records, more than the " + std::to_string(kMostSheetRecords) +
                     " a worksheet holds: the table goes on in further worksheets");
            }
        }
    }
    if (kind == Kind::XmlSs || kind == Kind::XmlWp) {
        const std::uint64_t size = estimatedSize(kind, scans, columns);
        if (size > kLargeReport) {
            warn(std::string("the ") + (kind == Kind::XmlSs ? "workbook" : "document") +
                 " will be about " + sizeText(size) + ", more than " +
                 (kind == Kind::XmlSs ? "spreadsheet programs" : "word processors") +
                 " open well; --kind text or --kind html suits tables of that size");
        }
    }
    OutputFile output(options.output, kind);
    writeReport(options, kind, scans, columns, output);
}

} // namespace

int main(int argc, char** argv) {
    // A reader that quits early makes a write fail instead of ending the tool.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        const Options options = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            writeStandardOutput(helpText());
            return 0;
        }
        if (options.version) {
            writeStandardOutput("mfreport " MFREPORT_VERSION_STRING "\n");
            return 0;
        }
        run(options);
        return 0;
    } catch (const UsageError& error) {
        std::cerr << "mfreport: " << error.what()
                  << "\nTry 'mfreport --help' for more information.\n";
        return 2;
    } catch (const Refusal& error) {
        std::cerr << "mfreport: " << error.what() << '\n';
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "mfreport: " << error.what() << '\n';
        return 1;
    }
}
