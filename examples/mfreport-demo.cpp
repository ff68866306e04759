// Writes the report of a small steel footbridge model in every output kind the
// library offers: mfreport-demo [OUTDIR] (default "reports"). Exits with 1 when
// a report could not be written completely.

#include <cmath>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "mfreport/mfreport.h"

namespace {

namespace fs = std::filesystem;

struct Node {
    int id;
    double x, y, z; // m
    const char* support;
};

constexpr Node nodes[] = {
    {1, 0.0, 0.0, 0.0, "pinned"},  {2, 6.0, 0.0, 0.0, "<none>"},  {3, 12.0, 0.0, 0.0, "roller"},
    {4, 18.0, 0.0, 0.0, "<none>"}, {5, 24.0, 0.0, 0.0, "pinned"}, {6, 6.0, 1.5, 0.0, ""},
    {7, 18.0, 1.5, 0.0, ""},
};

struct Element {
    int id, from, to;
    double n, v, m; // kN, kN, kNm
};

constexpr Element elements[] = {
    {1, 1, 2, -125.40, 38.25, 0.0},   {2, 2, 3, -98.75, -12.5, 114.75},
    {3, 3, 4, -98.75, 12.5, 114.75},  {4, 4, 5, -125.40, -38.25, 0.0},
    {5, 2, 6, 42.125, 0.0, -1.25e-3}, {6, 4, 7, 42.125, 0.0, 1.25e-3},
};

// Tables have no writer in the contents pass; their headings still count.
std::unique_ptr<mfTable> openTable(mfDevice& device, const mfTableHeader& header) {
    std::unique_ptr<mfTable> table(device.addTable(header));
    if (!table) {
        device.addHeading(header.description(), header.heading_level());
    }
    return table;
}

void nodeTable(mfDevice& device) {
    mfTableHeader header("NODES", "Node coordinates", 3);
    header.addNote("Coordinates in the global system; origin at the west abutment.");
    auto table = openTable(device, header);
    if (!table) {
        return;
    }
    mfTableColumn x("X", "Global X coordinate", mfTableColumn::REAL);
    x.setUnits("mm", 1000.0);
    x.setWidth(10, 1, mfTableColumn::FIXED);
    table->addColumn(mfTableColumn("Node", "Node number", mfTableColumn::INTEGER));
    table->addColumn(x);
    table->addColumn(mfTableColumn("Y", "Global Y coordinate", x));
    table->addColumn(mfTableColumn("Z", "Global Z coordinate", x));
    table->addColumn(mfTableColumn("Support", "Support condition", mfTableColumn::STRING));
    table->begin_table();
    for (const Node& node : nodes) {
        table->begin_record();
        table->insertValue(0, node.id);
        table->insertValue(1, node.x);
        table->insertValue(2, node.y);
        table->insertValue(3, node.z);
        table->insertValue(4, std::string(node.support));
        table->end_record();
    }
    table->end_table();
}

void forceTable(mfDevice& device) {
    mfTableHeader header("FORCES", "Element end forces", 3);
    header.addNote("Load combination ULS-1: 1.35 G + 1.5 Q.");
    header.addNote("Positive normal force N is tension.");
    auto table = openTable(device, header);
    if (!table) {
        return;
    }
    mfTableColumn force("N", "Normal force", mfTableColumn::REAL);
    force.setUnits("kN", 1.0);
    force.setWidth(10, 2, mfTableColumn::FIXED);
    mfTableColumn moment("M", "Bending moment", mfTableColumn::REAL);
    moment.setUnits("kNm", 1.0);
    moment.setWidth(12, 3, mfTableColumn::SCIENTIFIC);
    moment.setBackgroundColor("FFF2CC");
    table->addColumn(mfTableColumn("Elem", "Element number", mfTableColumn::INTEGER));
    table->addColumn(mfTableColumn("Node i", "Start node", mfTableColumn::INTEGER));
    table->addColumn(mfTableColumn("Node j", "End node", mfTableColumn::INTEGER));
    table->addColumn(force);
    table->addColumn(mfTableColumn("V", "Shear force", force));
    table->addColumn(moment);
    table->setBackgroundColor("E8F0FF");
    table->printAbbreviations();
    table->begin_table();
    const std::string nodeAnchor = "NODES";
    for (const Element& e : elements) {
        table->begin_record();
        table->insertValue(0, e.id);
        table->insertValue(1, e.from, &nodeAnchor);
        table->insertValue(2, e.to, &nodeAnchor);
        table->insertValue(3, e.n);
        table->insertValue(4, e.v);
        table->insertValue(5, e.m);
        table->end_record();
    }
    table->end_table();
}

void envelopeTable(mfDevice& device) {
    mfTableHeader header("ENVELOPE", "Displacement envelope per load case", 3);
    header.addNote("Wide table: folded after six cells, continuation rows indented by one.");
    auto table = openTable(device, header);
    if (!table) {
        return;
    }
    table->addColumn(mfTableColumn("Node", "Node number", mfTableColumn::INTEGER));
    mfTableColumn u("u1", "Displacement, load case 1", mfTableColumn::REAL);
    u.setUnits("mm", 1000.0);
    u.setWidth(8, 2, mfTableColumn::FIXED);
    table->addColumn(u);
    for (int lc = 2; lc <= 10; ++lc) {
        table->addColumn(mfTableColumn("u" + std::to_string(lc),
                                       "Displacement, load case " + std::to_string(lc), u));
    }
    table->setWrapping(6, 1);
    table->begin_table();
    for (const Node& node : nodes) {
        table->begin_record();
        table->insertValue(0, node.id);
        for (int lc = 1; lc <= 10; ++lc) {
            const double sag = node.support[0] == 'p' || node.support[0] == 'r'
                                   ? 0.0
                                   : -0.0021 * lc * std::sin(node.x / 24.0 * 3.14159);
            table->insertValue(lc, sag);
        }
        table->end_record();
    }
    table->end_table();
}

void writeReport(mfDevice& device, const std::string& figure) {
    device.addHeading("Model", 1);
    device.addParagraph("The footbridge is a two-span steel truss of 24 m, modelled with "
                        "beam elements in the vertical plane.");
    device.addHeading("Materials and sections", 2);
    device.addList(
        {"Steel", "S355, E = 210 000 N/mm2", "Chords", "HEA 200", "Diagonals", "CHS 114.3x6.3"}, 2);
    device.addFigure(figure, "Figure 1: elevation of the footbridge model.");
    device.addHeading("Geometry", 2);
    nodeTable(device);
    device.addHeading("Results", 1);
    device.addParagraph("Results of the linear static analysis, load combination ULS-1.");
    device.addHeading("Forces", 2);
    forceTable(device);
    device.addHeading("Displacements", 2);
    envelopeTable(device);
    device.addPageBreak();
    device.addHeading("Conclusion", 1);
    device.addList({"All members satisfy the ultimate limit state.",
                    "The largest deflection is below span/400."},
                   1);
}

// True when the whole document reached the file. `extension` is what the
// device appends to the file name itself.
bool writeDocument(const mfReportClient& client, const mfReportHeader& model, const fs::path& file,
                   mfDevice::ReportType type, const std::string& figure,
                   const std::string& extension = "") {
    std::unique_ptr<mfDevice> device(mfDevice::createDevice(client, file.string(), type, model));
    if (!device) {
        std::cerr << "mfreport-demo: no device for " << file.string() << '\n';
        return false;
    }
    device->addParagraph("Contents");
    device->beginTOC();
    {
        mfTOCDevice contents(device.get());
        writeReport(contents, figure);
    }
    device->endTOC();
    writeReport(*device, figure);
    // Only close() tells whether every byte reached the disk.
    if (!device->close()) {
        std::cerr << "mfreport-demo: writing " << file.string() << extension << " failed\n";
        return false;
    }
    std::cout << "wrote " << file.string() << extension << '\n';
    return true;
}

void usage(std::ostream& out) {
    out << "usage: mfreport-demo [--help] [--] [OUTDIR]\n"
           "Writes the report of a footbridge model as XHTML, a spreadsheet workbook, a\n"
           "word-processing document, a paged print file and a semicolon-separated file\n"
           "into OUTDIR (default \"reports\"), which is created when missing. A directory\n"
           "whose name begins with \"-\" is given after \"--\". Exits 1 when a report\n"
           "failed.\n";
}

} // namespace

int main(int argc, char** argv) {
    fs::path outdir = "reports";
    bool named = false;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (options && (arg == "--help" || arg == "-h")) {
            usage(std::cout);
            return 0;
        }
        if (options && arg == "--") {
            options = false;
        } else if (options && arg.size() > 1 && arg[0] == '-') {
            std::cerr << "mfreport-demo: unknown option " << arg << '\n';
            usage(std::cerr);
            return 2;
        } else if (named) {
            std::cerr << "mfreport-demo: one output directory only\n";
            usage(std::cerr);
            return 2;
        } else {
            outdir = arg;
            named = true;
        }
    }
    bool written = true;
    try {
        fs::create_directories(outdir);
        const fs::path figure = outdir / "footbridge.png";
        fs::copy_file(fs::path(MFREPORT_EXAMPLES_DIR) / "footbridge.png", figure,
                      fs::copy_options::overwrite_existing);

        const mfReportClient client("BeamCalc", "Linear static analysis of plane frames", "2.4.1",
                                    "01-NOV-2026");
        const mfReportHeader model("Footbridge B-12", "Steel footbridge, two spans of 12 m",
                                   "footbridge-b12.mdl", "JD", "05-DEC-2026");
        written &=
            writeDocument(client, model, outdir / "report.html", mfDevice::HTML, "footbridge.png");
        written &= writeDocument(client, model, outdir / "report-workbook.xml", mfDevice::XML_SS,
                                 "footbridge.png");
        // The document embeds the image, so it needs a path readable from here.
        written &= writeDocument(client, model, outdir / "report-document.xml", mfDevice::XML_WP,
                                 figure.string());
        // The text devices add ".LIS" and ".csv"; they write the tables only.
        written &= writeDocument(client, model, outdir / "report", mfDevice::TEXT, "footbridge.png",
                                 ".LIS");
        written &= writeDocument(client, model, outdir / "report", mfDevice::TEXT_CSV,
                                 "footbridge.png", ".csv");
        written &=
            writeDocument(client, model, outdir / "report.xlsx", mfDevice::XLSX, "footbridge.png");
        written &=
            writeDocument(client, model, outdir / "report.docx", mfDevice::DOCX, figure.string());
    } catch (const std::exception& e) {
        std::cerr << "mfreport-demo: " << e.what() << '\n';
        return 1;
    }
    return written ? 0 : 1;
}
