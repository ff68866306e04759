#include "report.h"

#include <cerrno>
#include <filesystem>
#include <memory>
#include <set>

#include "numbers.h"
#include "progress.h"
#include "text.h"

namespace mfreport::cli {

namespace {

constexpr std::uint64_t kManyCells = 1000000;
constexpr size_t kLongestTableName = 31; // what spreadsheet programs take as a sheet name

mfDevice::ReportType reportType(Kind kind) {
    switch (kind) {
    case Kind::Html:
        return mfDevice::HTML;
    case Kind::XmlSs:
        return mfDevice::XML_SS;
    case Kind::XmlWp:
        return mfDevice::XML_WP;
    case Kind::TextCsv:
        return mfDevice::TEXT_CSV;
    case Kind::Xlsx:
        return mfDevice::XLSX;
    case Kind::Docx:
        return mfDevice::DOCX;
    case Kind::Text:
        break;
    }
    return mfDevice::TEXT;
}

/// Text from the command line for the report.
std::string fromCommandLine(const std::string& text, Kind kind) {
    return isTextKind(kind) ? forText(text, true) : forMarkup(text, false, escapes(kind));
}

std::string stem(const std::string& path) {
    return std::filesystem::path(path).stem().string();
}

// Table names (anchors, sheet names): the input's name without folder and
// extension, characters other than letters, digits, '_', '-' and '.' made
// '_', cut to 31 characters and made unique with a number.
std::vector<std::string> tableNames(const std::vector<TableScan>& scans) {
    std::vector<std::string> names;
    std::set<std::string> taken;
    for (const TableScan& scan : scans) {
        std::string base = stem(scan.path);
        for (char& c : base) {
            const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                              (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
            c = kept ? c : '_';
        }
        if (base.empty()) {
            base = "Table";
        }
        std::string name = base.substr(0, kLongestTableName);
        for (int n = 2; !taken.insert(name).second; ++n) {
            const std::string suffix = "_" + std::to_string(n);
            name = base.substr(0, kLongestTableName - suffix.size()) + suffix;
        }
        names.push_back(name);
    }
    return names;
}

[[noreturn]] void changed(const CsvReader& reader, Position at) {
    reader.fail(at, "the file changed while it was read");
}

class TableWriter {
public:
    TableWriter(const Options& options, Kind kind, const TableScan& scan,
                const std::vector<ColumnPlan>& columns, const OutputFile& output)
        : options_(options), kind_(kind), scan_(scan), columns_(columns), output_(output) {}

    void write(mfDevice& device, const std::string& name, const std::string& heading, int level,
               size_t cellsPerRow) {
        errno = 0;
        std::unique_ptr<mfTable> table(device.addTable(mfTableHeader(name, heading, level)));
        if (!table) {
            output_.failed(errno);
        }
        for (const ColumnPlan& plan : columns_) {
            mfTableColumn column(plan.name, plan.description, plan.type);
            column.setUnits(plan.unit, plan.factor);
            column.setWidth(plan.width, plan.decimals, plan.format);
            if (plan.align) {
                column.setAdjust(*plan.align);
            }
            table->addColumn(column);
        }
        if (cellsPerRow > 0) {
            table->setWrapping(static_cast<int>(cellsPerRow), 0);
        }
        errno = 0;
        if (!table->begin_table()) {
            output_.failed(errno);
        }
        CsvReader reader(scan_.path, scan_.format, options_.encoding);
        if (scan_.format.header) {
            reader.next(); // the header row
        }
        const size_t count = columns_.size();
        Progress progress("writing " + scan_.path, scan_.bytes,
                          scan_.records * count >= kManyCells);
        std::uint64_t records = 0;
        while (reader.next(count)) {
            if (++records > scan_.records) {
                changed(reader, reader.recordEnd());
            }
            reader.padTo(count);
            errno = 0;
            bool written = table->begin_record();
            for (size_t i = 0; i < count; ++i) {
                written = insert(*table, reader, i) && written;
            }
            if (!table->end_record() || !written) {
                output_.failed(errno);
            }
            progress.update(reader.offset());
        }
        if (records != scan_.records) {
            changed(reader, reader.recordEnd());
        }
        errno = 0;
        if (!table->end_table()) {
            output_.failed(errno);
        }
    }

private:
    // The first pass found the column's type: a plain decimal goes straight
    // in, anything else the long way.
    bool insert(mfTable& table, const CsvReader& reader, size_t i) {
        const std::string_view value = reader.field(i);
        const int column = static_cast<int>(i);
        Number number;
        switch (columns_[i].type) {
        case mfTableColumn::INTEGER:
            if (parsePlainDecimal(value, false, number) && fitsInt(number)) {
                return table.insertValue(column, static_cast<int>(number.integer));
            }
            break;
        case mfTableColumn::REAL:
            if (parsePlainDecimal(value, scan_.decimalComma, number)) {
                return table.insertValue(column, number.real);
            }
            break;
        default:
            break;
        }
        if (value.find_first_not_of(" \t") == std::string_view::npos) {
            return true; // an empty cell
        }
        switch (columns_[i].type) {
        case mfTableColumn::INTEGER: {
            const Number number = parseNumber(value, scan_.decimalComma);
            if (!fitsInt(number)) {
                changed(reader, reader.fieldStart(i));
            }
            return table.insertValue(column, static_cast<int>(number.integer));
        }
        case mfTableColumn::REAL: {
            const Number number = parseNumber(value, scan_.decimalComma);
            if (number.kind == Number::None) {
                changed(reader, reader.fieldStart(i));
            }
            return table.insertValue(column, number.real);
        }
        default:
            if (isTextKind(kind_)) {
                forText(value, !scan_.latin1, columns_[i].width, text_);
            } else {
                forMarkup(value, scan_.latin1, escapes(kind_), text_);
            }
            return table.insertValue(column, text_);
        }
    }

    const Options& options_;
    Kind kind_;
    const TableScan& scan_;
    const std::vector<ColumnPlan>& columns_;
    const OutputFile& output_;
    std::string text_; ///< a text value on its way to the table
};

} // namespace

void writeReport(const Options& options, Kind kind, const std::vector<TableScan>& scans,
                 const std::vector<std::vector<ColumnPlan>>& columns, OutputFile& output) {
    // A title block without holes: today's date and the inputs where the
    // command line gives no value.
    const std::string today = mfDate().text();
    std::string inputNames;
    std::uint64_t records = 0;
    for (size_t i = 0; i < scans.size(); ++i) {
        inputNames +=
            (i > 0 ? ", " : "") + std::filesystem::path(scans[i].path).filename().string();
        records += scans[i].records;
    }
    const auto orElse = [](const std::string& given, const std::string& otherwise) {
        return given.empty() ? otherwise : given;
    };
    const std::string contents = std::to_string(scans.size()) +
                                 (scans.size() == 1 ? " table, " : " tables, ") +
                                 std::to_string(records) + (records == 1 ? " record" : " records");
    const mfReportClient client(fromCommandLine(options.programName, kind),
                                fromCommandLine(options.programDescription, kind),
                                fromCommandLine(options.programVersion, kind),
                                fromCommandLine(orElse(options.programDate, today), kind));
    const mfReportHeader model(
        fromCommandLine(orElse(options.modelName, inputNames), kind),
        fromCommandLine(orElse(options.modelDescription, options.modelName.empty()
                                                             ? contents
                                                             : contents + " from " + inputNames),
                        kind),
        fromCommandLine(orElse(options.modelFile, inputNames), kind),
        fromCommandLine(orElse(options.modelSign, mfUserName().text()), kind),
        fromCommandLine(orElse(options.modelDate, today), kind));
    if (!options.maker.empty()) {
        mfreport::setMaker(fromCommandLine(options.maker, kind), mfreport::maker().suite);
    }
    std::unique_ptr<mfDevice> device;
    errno = 0;
    try {
        device = mfDevice::create(client, output.deviceName(), reportType(kind), model);
    } catch (const std::exception&) {
        throw Failure(output.label() + ": cannot open: " + errorText(errno));
    }
    if (!device) {
        output.failed(errno);
    }

    const std::vector<std::string> names = tableNames(scans);
    std::vector<std::string> headings;
    for (size_t i = 0; i < scans.size(); ++i) {
        headings.push_back(fromCommandLine(
            i < options.headings.size() ? options.headings[i] : stem(scans[i].path), kind));
    }
    const bool sections = hasSections(kind);
    const std::string title = sections ? fromCommandLine(options.title, kind) : std::string();
    const int level = title.empty() ? 1 : 2;

    if (options.contents && sections) {
        device->addParagraph("Contents");
        device->beginTOC();
        {
            mfTOCDevice contents(device.get());
            if (!title.empty()) {
                contents.addHeading(title, 1);
            }
            for (const std::string& heading : headings) {
                contents.addHeading(heading, level);
            }
        } // the real headings are numbered from 1 again
        device->endTOC();
    }
    if (!title.empty()) {
        device->addHeading(title, 1);
    }
    for (size_t i = 0; i < scans.size(); ++i) {
        std::vector<ColumnPlan> table = columns[i];
        const size_t cellsPerRow = sections ? foldColumns(table) : 0;
        TableWriter(options, kind, scans[i], table, output)
            .write(*device, names[i], headings[i], level, cellsPerRow);
    }
    errno = 0;
    const bool complete = device->close();
    const int error = errno;
    device.reset();
    if (!complete) {
        output.failed(error);
    }
    output.commit();
}

} // namespace mfreport::cli
