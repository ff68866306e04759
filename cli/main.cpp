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

void run(const Options& options) {
    const Kind kind = outputKind(options);
    std::vector<TableScan> scans;
    for (const std::string& input : options.inputs) {
        scans.push_back(scanTable(input, options));
        if (isTextKind(kind) && scans.back().names.size() > kMostTextColumns) {
            throw Failure(input + ": " + std::to_string(scans.back().names.size()) +
                          " columns; a text report takes at most " +
                          std::to_string(kMostTextColumns) + " per table");
        }
    }
    std::vector<bool> used(options.columns.size());
    std::vector<std::vector<ColumnPlan>> columns;
    for (const TableScan& scan : scans) {
        columns.push_back(planColumns(scan, options, kind, used));
    }
    for (size_t k = 0; k < used.size(); ++k) {
        if (!used[k]) {
            const ColumnSpec& spec = options.columns[k];
            throw UsageError(
                "--column " + spec.text + ": no input has a column " +
                (spec.name.empty() ? "#" + std::to_string(spec.position) : "named " + spec.name));
        }
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
