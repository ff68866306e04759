#include "session.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iterator>
#include <locale>
#include <memory>
#include <sstream>
#include <string_view>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "mfreport/mfreport.h"

#include "input.h"
#include "package_parts.h"
#include "text_check.h"
#include "xml_wellformed.h"

namespace mffuzz {
namespace {

struct Kind {
    mfDevice::ReportType type;
    const char* name;
    const char* fileName;      ///< as given to createDevice
    const char* written;       ///< the file the device writes
    const char* secondName;    ///< the file name of a second device of the kind
    const char* secondWritten; ///< and the file it writes
};

constexpr Kind kKinds[] = {
    {mfDevice::HTML, "html", "report.html", "report.html", "second.html", "second.html"},
    {mfDevice::XML_SS, "xml_ss", "workbook.xml", "workbook.xml", "second.xml", "second.xml"},
    {mfDevice::XML_WP, "xml_wp", "document.xml", "document.xml", "second.xml", "second.xml"},
    {mfDevice::TEXT, "text", "report", "report.LIS", "second", "second.LIS"},
    {mfDevice::TEXT_CSV, "text_csv", "report", "report.csv", "second", "second.csv"},
    {mfDevice::XLSX, "xlsx", "workbook.xlsx", "workbook.xlsx", "second.xlsx", "second.xlsx"},
    {mfDevice::DOCX, "docx", "document.docx", "document.docx", "second.docx", "second.docx"},
};

constexpr size_t kSlots = 4;
constexpr size_t kMaxCalls = 3000;
constexpr size_t kMaxListItems = 12;
constexpr int kTracedBase = 1000000000;
constexpr size_t kTracedColumns = 12;
constexpr size_t kMaxRecords = 4000; ///< of the traced records, in one input
constexpr off_t kLargestFile = 16 << 20;

// Image files for figures: the fuzzer never names a file outside the
// working folder, so that no input reads a device or a huge file.
constexpr const char* kFigures[] = {"figure.png", "empty.png", "missing.png", "folder", ""};

const Kind& kindOf(mfDevice::ReportType type) {
    for (const Kind& kind : kKinds) {
        if (kind.type == type) {
            return kind;
        }
    }
    return kKinds[0];
}

[[noreturn]] void violation(const Kind& kind, const std::string& what,
                            std::string_view document = {}, size_t at = std::string_view::npos) {
    std::fprintf(stderr, "mfreport fuzz (%s): %s\n", kind.name, what.c_str());
    if (at != std::string_view::npos && at <= document.size()) {
        const size_t from = at > 300 ? at - 300 : 0;
        const std::string excerpt(document.substr(from, 600));
        std::fprintf(stderr, "--- near byte %zu:\n%s\n---\n", at, excerpt.c_str());
    }
    std::abort();
}

std::string readFile(const std::string& path, bool& exists) {
    std::ifstream in(path, std::ios::binary);
    exists = in.is_open();
    std::ostringstream text;
    if (exists) {
        text << in.rdbuf();
    }
    return text.str();
}

/// The text made harmless as XML character data and attribute values, for
/// the XHTML kind, which writes caller text as markup.
std::string asXmlText(const std::string& raw) {
    std::string out;
    for (const char c : raw) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        default:
            out += static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r' ? '?'
                                                                                               : c;
        }
    }
    return out;
}

class Session {
public:
    Session(const Kind& kind, Input& in) : kind_(kind), in_(in) {}

    void run() {
        // Settings of the whole input come first.
        const uint8_t settings = in_.byte();
        clean_ = (settings & 1) != 0;
        const bool closeAtEnd = (settings & 2) != 0;
        std::string identity[9];
        for (std::string& field : identity) {
            field = text(); // one by one: the order of arguments is unspecified
        }
        client_ = mfReportClient(identity[0], identity[1], identity[2], identity[3]);
        model_ = mfReportHeader(identity[4], identity[5], identity[6], identity[7], identity[8]);
        const mfReportClient& client = client_;
        const mfReportHeader& header = model_;
        try {
            device_.reset(mfDevice::createDevice(client, kind_.fileName, kind_.type, header));
        } catch (const std::exception& e) {
            violation(kind_, std::string("createDevice threw: ") + e.what());
        }
        if (!device_) {
            violation(kind_, "createDevice answered null");
        }
        for (size_t calls = 0; calls < kMaxCalls && !in_.done(); ++calls) {
            if (calls % 64 == 63 && tooLarge()) {
                break; // the checks would take longer than the fuzzing is worth
            }
            call();
        }
        toc_.reset();
        if (closeAtEnd && !closed_) {
            close();
        }
        for (Slot& slot : slots_) {
            slot.table.reset();
        }
        second_.reset();
        device_.reset();
        check();
    }

private:
    struct Slot {
        std::unique_ptr<mfTable> table;
        bool traceable = false; ///< text kinds: column 0 laid out to show a traced number
        bool second = false;    ///< a table of the second device, never traced
    };

    bool tooLarge() const {
        struct stat status {};
        return stat(kind_.written, &status) == 0 && status.st_size > kLargestFile;
    }

    bool packaged() const { return kind_.type == mfDevice::XLSX || kind_.type == mfDevice::DOCX; }

    bool textKind() const {
        return kind_.type == mfDevice::TEXT || kind_.type == mfDevice::TEXT_CSV;
    }

    std::string text() {
        std::string raw = in_.text();
        return clean_ && kind_.type == mfDevice::HTML ? asXmlText(raw) : raw;
    }

    mfDevice& current() { return toc_ ? static_cast<mfDevice&>(*toc_) : *device_; }

    /// Every writing operation answers false once the device is closed.
    void answered(bool answer, const char* operation) {
        if (acting_ != nullptr && acting_->second) {
            return; // the second device is not closed by close()
        }
        if (tracing_) {
            std::fprintf(stderr, "  %s -> %s\n", operation, answer ? "true" : "false");
        }
        if (closed_ && answer) {
            violation(kind_, std::string(operation) + " answered true after close()");
        }
    }

    mfTableColumn column() {
        const auto type = static_cast<mfTableColumn::col_type>(in_.integer());
        const std::string name = text();
        const std::string description = text();
        mfTableColumn c(name, description, type);
        const uint8_t changes = in_.byte();
        if (changes & 1) {
            const std::string unit = text();
            c.setUnits(unit, in_.real());
        }
        if (changes & 2) {
            const size_t width = in_.size();
            const size_t decimals = in_.size();
            c.setWidth(width, decimals, static_cast<mfTableColumn::fmt_type>(in_.integer()));
        }
        if (changes & 4) {
            c.setAdjust(static_cast<mfTableColumn::adj_type>(in_.integer()));
        }
        if (changes & 8) {
            c.setBackgroundColor(text());
        }
        if (changes & 16) {
            c.setType(static_cast<mfTableColumn::col_type>(in_.integer()));
        }
        if (changes & 32) {
            const std::string other = text();
            return mfTableColumn(other, text(), c);
        }
        return c;
    }

    void change(mfTableColumn& c) {
        switch (in_.below(5)) {
        case 0: {
            const size_t width = in_.size();
            const size_t decimals = in_.size();
            c.setWidth(width, decimals, static_cast<mfTableColumn::fmt_type>(in_.integer()));
            break;
        }
        case 1:
            c.setType(static_cast<mfTableColumn::col_type>(in_.integer()));
            break;
        case 2:
            c.setAdjust(static_cast<mfTableColumn::adj_type>(in_.integer()));
            break;
        case 3: {
            const std::string unit = text();
            c.setUnits(unit, in_.real());
            break;
        }
        default:
            c.setBackgroundColor(text());
        }
    }

    static std::unique_ptr<mfTable> copyOf(mfTable& table) {
        if (auto* html = dynamic_cast<mfTableHtml*>(&table)) {
            return std::make_unique<mfTableHtml>(*html);
        }
        if (auto* ss = dynamic_cast<mfTableXmlSS*>(&table)) {
            return std::make_unique<mfTableXmlSS>(*ss);
        }
        if (auto* wp = dynamic_cast<mfTableXmlWP*>(&table)) {
            return std::make_unique<mfTableXmlWP>(*wp);
        }
        if (auto* txt = dynamic_cast<mfTableText*>(&table)) {
            return std::make_unique<mfTableText>(*txt);
        }
        if (auto* book = dynamic_cast<mfTableXlsx*>(&table)) {
            return std::make_unique<mfTableXlsx>(*book);
        }
        if (auto* docx = dynamic_cast<mfTableDocx*>(&table)) {
            return std::make_unique<mfTableDocx>(*docx);
        }
        return nullptr;
    }

    static bool assign(mfTable& to, mfTable& from) {
        if (auto* html = dynamic_cast<mfTableHtml*>(&to)) {
            *html = dynamic_cast<mfTableHtml&>(from);
        } else if (auto* ss = dynamic_cast<mfTableXmlSS*>(&to)) {
            *ss = dynamic_cast<mfTableXmlSS&>(from);
        } else if (auto* wp = dynamic_cast<mfTableXmlWP*>(&to)) {
            *wp = dynamic_cast<mfTableXmlWP&>(from);
        } else if (auto* txt = dynamic_cast<mfTableText*>(&to)) {
            *txt = dynamic_cast<mfTableText&>(from);
        } else if (auto* book = dynamic_cast<mfTableXlsx*>(&to)) {
            *book = dynamic_cast<mfTableXlsx&>(from);
        } else if (auto* docx = dynamic_cast<mfTableDocx*>(&to)) {
            *docx = dynamic_cast<mfTableDocx&>(from);
        } else {
            return false;
        }
        return true;
    }

    const std::string* link(std::string& scratch) {
        if (!in_.flag()) {
            return nullptr;
        }
        scratch = text();
        return &scratch;
    }

    void close() {
        const bool first = device_->close();
        const bool second = device_->close();
        if (first != second) {
            violation(kind_, "a second close() gave another answer");
        }
        if (!first) {
            violation(kind_, "close() answered false though no write can fail");
        }
        closed_ = true;
    }

    /// Records with a traced number in column 0 and plain values elsewhere.
    void records(Slot& slot) {
        mfTable& t = *slot.table;
        const size_t wanted = 1 + (in_.byte() & 0x3FU) * (in_.flag() ? 8U : 1U);
        const size_t count = std::min(wanted, kMaxRecords - std::min(kMaxRecords, traced_count_));
        for (size_t k = 0; k < count; ++k) {
            const int number = kTracedBase + static_cast<int>(traced_count_++);
            const bool begun = t.begin_record();
            answered(begun, "begin_record");
            const bool inserted = t.insertValue(0, number);
            answered(inserted, "insertValue");
            const size_t columns = std::min(t.column_size(), kTracedColumns);
            for (size_t c = 1; c < columns; ++c) {
                const int index = static_cast<int>(c);
                switch (t.column_at(c)->type()) {
                case mfTableColumn::INTEGER:
                    t.insertValue(index, static_cast<int>(k * c));
                    break;
                case mfTableColumn::REAL:
                    t.insertValue(index, static_cast<double>(k) * 0.25 - static_cast<double>(c));
                    break;
                default:
                    t.insertValue(index, "r" + std::to_string(k));
                }
            }
            const bool ended = t.end_record();
            answered(ended, "end_record");
            if (begun && inserted && ended && (!textKind() || slot.traceable) && !slot.second) {
                traced_.push_back(number);
            }
        }
    }

    void beginTable(Slot& slot) {
        mfTable& t = *slot.table;
        const bool begun = t.begin_table();
        answered(begun, "begin_table");
        if (begun && textKind()) {
            const mfTableColumn* first = t.column_at(0);
            slot.traceable = first != nullptr && first->type() == mfTableColumn::INTEGER &&
                             first->storedWidth() >= 11 && first->storedWidth() <= 120;
        }
    }

    void call() {
        const uint8_t op = in_.byte() % 32;
        acting_ = nullptr;
        if (tracing_) {
            std::fprintf(stderr, "call %u%s\n", op, toc_ ? " (contents pass)" : "");
        }
        mfDevice& d = current();
        switch (op) {
        case 0: {
            const std::string heading = text();
            answered(d.addHeading(heading, in_.integer()), "addHeading");
            return;
        }
        case 1:
            answered(d.addParagraph(text()), "addParagraph");
            return;
        case 2: {
            Vector<std::string> items(in_.below(kMaxListItems + 1));
            for (std::string& item : items) {
                item = text();
            }
            answered(d.addList(items, in_.integer()), "addList");
            return;
        }
        case 3: {
            const size_t figure = in_.below(std::size(kFigures) + 1);
            // The document kinds read the file they are given: only the
            // working folder's, so never a device.
            const bool reads = kind_.type == mfDevice::XML_WP || kind_.type == mfDevice::DOCX;
            const std::string file = figure < std::size(kFigures) ? kFigures[figure]
                                     : reads                      ? "missing-" + text()
                                                                  : text();
            answered(d.addFigure(file, text()), "addFigure");
            return;
        }
        case 4:
            answered(d.addPageBreak(), "addPageBreak");
            return;
        case 5: {
            const std::string heading = text();
            answered(d.addHeadingToTOC(heading, in_.integer()), "addHeadingToTOC");
            return;
        }
        case 6:
            answered(d.beginTOC(), "beginTOC");
            return;
        case 7:
            answered(d.endTOC(), "endTOC");
            return;
        case 8:
            if (toc_) {
                toc_.reset();
            } else {
                toc_ = std::make_unique<mfTOCDevice>(device_.get());
            }
            return;
        case 9: {
            Slot& slot = slots_[in_.below(kSlots)];
            const std::string name = text();
            const std::string description = text();
            mfTableHeader header(name, description, in_.integer());
            for (size_t notes = in_.below(4); notes > 0; --notes) {
                header.addNote(text());
            }
            slot.table.reset(d.addTable(header));
            slot.traceable = false;
            slot.second = false;
            if (toc_ && slot.table) {
                violation(kind_, "the contents pass answered a table");
            }
            return;
        }
        case 28:
            switch (in_.below(3)) {
            case 0:
                d.reset_heading_counter();
                return;
            case 1:
                secondDevice();
                return;
            default:
                if (second_) {
                    Slot& slot = slots_[in_.below(kSlots)];
                    slot.table.reset(second_->addTable(mfTableHeader(text(), text(), 1)));
                    slot.traceable = false;
                    slot.second = true;
                }
                return;
            }
        case 24:
            close();
            return;
        default:
            break;
        }

        Slot& slot = slots_[in_.below(kSlots)];
        if (tracing_) {
            std::fprintf(stderr, "  on table %d%s\n", static_cast<int>(&slot - slots_),
                         slot.table ? "" : " (none)");
        }
        if (!slot.table) {
            return;
        }
        acting_ = &slot;
        mfTable& t = *slot.table;
        std::string scratch;
        switch (op) {
        case 10:
            slot.table.reset();
            return;
        case 11:
        case 29: {
            const mfTableColumn c = column();
            if (tracing_) {
                std::fprintf(stderr, "  column type %d width %d decimals %d format %d adjust %d\n",
                             static_cast<int>(c.type()), c.storedWidth(), c.storedDecimals(),
                             static_cast<int>(c.format_type()), static_cast<int>(c.adjust()));
            }
            t.addColumn(c);
            return;
        }
        case 12:
            t.setBackgroundColor(text());
            return;
        case 13: {
            const int width = in_.integer();
            t.setWrapping(width, in_.integer());
            return;
        }
        case 14:
            t.printAbbreviations();
            return;
        case 15:
            if (in_.flag()) {
                t.header().addNote(text());
            } else {
                t.header().setDescription(text());
            }
            return;
        case 16:
            beginTable(slot);
            return;
        case 17:
            answered(t.begin_record(), "begin_record");
            return;
        case 18: {
            const int column = in_.integer();
            const int value = in_.integer();
            answered(t.insertValue(column, value, link(scratch)), "insertValue");
            return;
        }
        case 19: {
            const int column = in_.integer();
            const double value = in_.real();
            answered(t.insertValue(column, value, link(scratch)), "insertValue");
            return;
        }
        case 20:
        case 30: {
            const int column = in_.integer();
            const std::string value = text();
            answered(t.insertValue(column, value, link(scratch)), "insertValue");
            return;
        }
        case 21: {
            const int column = in_.integer();
            const uint64_t raw = in_.size();
            bool answer = false;
            switch (in_.below(4)) {
            case 0:
                answer = t.insertValue(column, static_cast<long long>(raw));
                break;
            case 1:
                answer = t.insertValue(column, static_cast<unsigned long long>(raw));
                break;
            case 2:
                answer = t.insertValue(column, static_cast<float>(in_.real()));
                break;
            default:
                answer = t.insertValue(column, static_cast<short>(raw));
            }
            answered(answer, "insertValue");
            return;
        }
        case 22:
            answered(t.end_record(), "end_record");
            return;
        case 23:
            answered(t.end_table(), "end_table");
            return;
        case 25:
        case 31:
            records(slot);
            return;
        case 26:
            if (mfTableColumn* c = t.column_at(in_.size())) {
                change(*c);
            }
            return;
        case 27: {
            Slot& other = slots_[in_.below(kSlots)];
            const bool construct = in_.flag() || !other.table;
            if (tracing_) {
                std::fprintf(stderr, "  %s into table %d\n", construct ? "copied" : "assigned",
                             static_cast<int>(&other - slots_));
            }
            if (construct) {
                other.table = copyOf(t);
            } else if (&other != &slot) {
                assign(*other.table, t);
            }
            other.traceable = slot.traceable;
            other.second = slot.second;
            return;
        }
        default:
            return;
        }
    }

    /// A second device of the kind, on a file of its own, built or deleted
    /// with its tables. A second text device takes the page manager over.
    void secondDevice() {
        if (second_) {
            for (Slot& slot : slots_) {
                if (slot.second) {
                    slot.table.reset();
                    slot.second = false;
                }
            }
            second_.reset();
            return;
        }
        try {
            // The same identity: the defaults ("<no name>") are no XHTML.
            second_.reset(mfDevice::createDevice(client_, kind_.secondName, kind_.type, model_));
        } catch (const std::exception& e) {
            violation(kind_, std::string("createDevice threw: ") + e.what());
        }
    }

    void check() {
        bool exists = false;
        const std::string document = readFile(kind_.written, exists);
        if (!exists) {
            if (!textKind()) {
                violation(kind_, "no document was written");
            }
            if (!traced_.empty()) {
                violation(kind_, "records were written but there is no file");
            }
        } else if (packaged()) {
            checkTraced(checkPackage(kind_.written));
        } else {
            checkDocument(document);
            checkTraced(document);
        }
        const std::string other = readFile(kind_.secondWritten, exists);
        if (exists && packaged()) {
            checkPackage(kind_.secondWritten);
        } else if (exists) {
            checkDocument(other);
        }
    }

    /// A package's text: its XML parts in file order, each well-formed (the
    /// pictures' media parts are no XML).
    std::string checkPackage(const std::string& path) {
        const PackageParts package = readPackage(path);
        if (!package.problem.empty()) {
            violation(kind_, path + ": " + package.problem);
        }
        const auto endsWith = [](const std::string& name, std::string_view end) {
            return name.size() >= end.size() &&
                   name.compare(name.size() - end.size(), end.size(), end) == 0;
        };
        std::string text;
        for (const auto& [name, content] : package.parts) {
            if (!endsWith(name, ".xml") && !endsWith(name, ".rels")) {
                continue;
            }
            const std::string problem = xmlProblem(
                content, {}, {"worksheet", "sheetData", "row", "c", "w:tbl", "w:tr", "w:tc"});
            if (!problem.empty()) {
                const size_t at = problem.find("(byte ");
                violation(kind_, name + ": " + problem, content,
                          at == std::string::npos
                              ? std::string::npos
                              : std::strtoul(problem.c_str() + at + 6, nullptr, 10));
            }
            text += content;
        }
        return text;
    }

    void checkDocument(const std::string& document) {
        std::string problem;
        switch (kind_.type) {
        case mfDevice::HTML: {
            constexpr std::string_view end = "</body>\n</html>\n";
            if (document.size() < end.size() ||
                document.compare(document.size() - end.size(), end.size(), end) != 0) {
                violation(kind_, "the page does not end with </body> and </html>", document,
                          document.size());
            }
            if (clean_) {
                problem = xmlProblem(document, {"nbsp"}, {"table", "tr", "td", "th"});
            }
            break;
        }
        case mfDevice::XML_SS:
            problem = xmlProblem(document, {}, {"Worksheet", "Table", "Row", "Cell", "Data"});
            break;
        case mfDevice::XML_WP:
            problem = xmlProblem(document, {}, {"w:tbl", "w:tr", "w:tc"});
            break;
        default:
            problem = textProblem(document, kind_.type == mfDevice::TEXT_CSV ? kLongestSeparatedLine
                                                                             : kLongestLine);
        }
        if (!problem.empty()) {
            const size_t at = problem.find("(byte ");
            violation(kind_, problem, document,
                      at == std::string::npos
                          ? std::string::npos
                          : std::strtoul(problem.c_str() + at + 6, nullptr, 10));
        }
    }

    /// Every record that answered true is in the file, in the order written.
    void checkTraced(const std::string& document) {
        size_t from = 0;
        for (const int number : traced_) {
            const std::string digits = std::to_string(number);
            size_t at = from;
            while (true) {
                at = document.find(digits, at);
                if (at == std::string::npos) {
                    break;
                }
                const bool digitBefore =
                    at > 0 && document[at - 1] >= '0' && document[at - 1] <= '9';
                const size_t after = at + digits.size();
                const bool digitAfter =
                    after < document.size() && document[after] >= '0' && document[after] <= '9';
                if (!digitBefore && !digitAfter) {
                    break;
                }
                ++at;
            }
            if (at == std::string::npos) {
                violation(kind_, "record " + digits + " answered true but is not in the file" +
                                     (document.find(digits) != std::string::npos
                                          ? " after the record before it"
                                          : ""));
            }
            from = at + digits.size();
        }
    }

    const Kind& kind_;
    Input& in_;
    bool clean_ = false;
    /// MFREPORT_FUZZ_TRACE set: every call and its answer to standard error.
    const bool tracing_ = std::getenv("MFREPORT_FUZZ_TRACE") != nullptr;
    bool closed_ = false;
    std::unique_ptr<mfDevice> device_;
    std::unique_ptr<mfTOCDevice> toc_;
    std::unique_ptr<mfDevice> second_;
    mfReportClient client_;
    mfReportHeader model_;
    const Slot* acting_ = nullptr; ///< the table of the call being made
    Slot slots_[kSlots];
    size_t traced_count_ = 0;
    std::vector<int> traced_;
};

} // namespace

bool kindByName(const std::string& name, mfDevice::ReportType& kind) {
    for (const Kind& k : kKinds) {
        if (name == k.name) {
            kind = k.type;
            return true;
        }
    }
    return false;
}

void prepare() {
    static bool prepared = false;
    if (prepared) {
        return;
    }
    prepared = true;
    const char* tmp = std::getenv("TMPDIR");
    std::string folder =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/mfreport-fuzz-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr || chdir(folder.c_str()) != 0) {
        std::perror("mfreport fuzz: working folder");
        std::abort();
    }
    // A PNG's signature and header (2000 by 30 pixels, wider than a page),
    // without image data.
    std::ofstream("figure.png", std::ios::binary)
        << std::string_view("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x07\xd0\0\0\0\x1e\x08\x02\0\0\0",
                            29)
        << " fuzz figure";
    std::ofstream("empty.png", std::ios::binary);
    mkdir("folder", 0700);
    setenv("SOURCE_DATE_EPOCH", "1796585527", 1);
    // A caller's locale with a decimal comma and digit groups: the library's
    // numbers must not take it on (a grouped traced number is not found).
    struct Comma : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };
    std::locale::global(std::locale(std::locale::classic(), new Comma));
    static const std::string kept = folder;
    if (std::getenv("MFREPORT_FUZZ_KEEP") != nullptr) {
        std::fprintf(stderr, "mfreport fuzz: files kept in %s\n", folder.c_str());
        return;
    }
    std::atexit([] {
        for (const char* file :
             {"figure.png", "empty.png", "report.html", "workbook.xml", "document.xml",
              "report.LIS", "report.csv", "second.html", "second.xml", "second.LIS", "second.csv",
              "workbook.xlsx", "second.xlsx", "document.docx", "second.docx", "PTDUMP.DMP"}) {
            std::remove(file);
        }
        rmdir("folder");
        if (chdir("/") == 0) {
            rmdir(kept.c_str());
        }
    });
}

void runInput(mfDevice::ReportType type, const uint8_t* data, size_t size) {
    prepare();
    const Kind& kind = kindOf(type);
    std::remove(kind.written);
    std::remove(kind.secondWritten);
    Input in(data, size);
    Session(kind, in).run();
}

} // namespace mffuzz
