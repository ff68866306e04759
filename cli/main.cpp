// mfreport: CSV files in, one report of any of the library's kinds out.
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
    checkHeaders(options, kind);
    std::vector<TableScan> scans;
    std::vector<std::vector<ColumnPlan>> columns;
    for (const std::string& input : options.inputs) {
        scans.push_back(scanTable(input, options));
        columns.push_back(planColumns(scans.back(), options, kind));
    }
    if (kind != Kind::Html && kind != Kind::XmlWp) {
        if (!options.title.empty()) {
            warn(std::string("--title is ignored: ") + kindName(kind) +
                 " reports have no headings");
        }
        if (options.contents) {
            warn(std::string("--toc is ignored: ") + kindName(kind) +
                 " reports have no table of contents");
        }
    }
    if (kind == Kind::XmlSs) {
        for (const TableScan& scan : scans) {
            if (scan.records == 0) {
                warn(scan.path + " has no records: a workbook shows no worksheet for it");
            }
        }
    }
    OutputFile output(options.output, kind);
    writeReport(options, kind, scans, columns, output);
}

} // namespace

int main(int argc, char** argv) {
    try {
        const Options options = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            std::cout << helpText();
            return 0;
        }
        if (options.version) {
            std::cout << "mfreport " MFREPORT_VERSION_STRING "\n";
            return 0;
        }
        run(options);
        return 0;
    } catch (const UsageError& error) {
        std::cerr << "mfreport: " << error.what()
                  << "\nTry 'mfreport --help' for more information.\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "mfreport: " << error.what() << '\n';
        return 1;
    }
}
