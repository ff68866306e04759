// One table written through the record protocol, in every output kind.
#include <cstdio>
#include <memory>
#include <string>

#include <mfreport/mfreport.h>

struct Support {
    int node;
    double reaction; // N
    const char* kind;
};

const Support supports[] = {
    {1, 151250.0, "pinned"}, {3, 302500.0, "roller"}, {5, 151250.0, "pinned"}};

bool writeSupports(mfDevice& device) {
    mfTableHeader header("SUPPORTS", "Support reactions", 2);
    std::unique_ptr<mfTable> table(device.addTable(header));
    if (!table) {
        return false; // this kind has no tables
    }
    mfTableColumn reaction("R", "Vertical reaction", mfTableColumn::REAL);
    reaction.setUnits("kN", 0.001); // values are passed in N and shown in kN
    reaction.setWidth(10, 2, mfTableColumn::FIXED);
    table->addColumn(mfTableColumn("Node", "Node number", mfTableColumn::INTEGER));
    table->addColumn(reaction);
    table->addColumn(mfTableColumn("Kind", "Support condition", mfTableColumn::STRING));

    bool written = table->begin_table();
    for (const Support& s : supports) {
        written &= table->begin_record();
        written &= table->insertValue(0, s.node);              // int
        written &= table->insertValue(1, s.reaction);          // double
        written &= table->insertValue(2, std::string(s.kind)); // text
        written &= table->end_record();
    }
    written &= table->end_table();
    return written;
}

int main() {
    const mfReportClient client("BeamCalc", "Plane frame analysis", "2.4.1", "01-NOV-2026");
    const mfReportHeader model("Footbridge", "Two spans of 12 m", "bridge.mdl", "JD",
                               "05-DEC-2026");
    const struct {
        const char* file;
        mfDevice::ReportType type;
    } kinds[] = {
        {"supports.html", mfDevice::HTML},      // XHTML page
        {"supports.xml", mfDevice::XML_SS},     // workbook
        {"supports-doc.xml", mfDevice::XML_WP}, // word-processing document
        {"supports", mfDevice::TEXT},           // print listing supports.LIS
        {"supports", mfDevice::TEXT_CSV},       // semicolon-separated supports.csv
    };
    int status = 0;
    for (const auto& kind : kinds) {
        std::unique_ptr<mfDevice> device(
            mfDevice::createDevice(client, kind.file, kind.type, model));
        const bool table = writeSupports(*device);
        if (!device->close() || !table) {
            std::fprintf(stderr, "%s: not written completely\n", kind.file);
            status = 1;
        }
    }
    return status;
}
