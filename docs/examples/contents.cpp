// A table of contents: the report code runs twice, first against an
// mfTOCDevice that turns its headings into contents lines, then for real.
#include <cstdio>
#include <memory>

#include <mfreport/mfreport.h>

void writeReport(mfDevice& device) {
    device.addHeading("Model", 1);
    device.addParagraph("Two spans of 12 m.");
    device.addHeading("Results", 1);
    mfTableHeader header("DEFL", "Deflections", 2);
    std::unique_ptr<mfTable> table(device.addTable(header));
    if (!table) {
        // The contents pass has no tables; the table's heading still counts.
        device.addHeading(header.description(), header.heading_level());
        return;
    }
    mfTableColumn w("w", "Deflection", mfTableColumn::REAL);
    w.setUnits("mm", 1000.0);
    w.setWidth(8, 1, mfTableColumn::FIXED);
    table->addColumn(mfTableColumn("Node", "Node number", mfTableColumn::INTEGER));
    table->addColumn(w);
    table->begin_table();
    table->begin_record();
    table->insertValue(0, 2);
    table->insertValue(1, -0.0148);
    table->end_record();
    table->end_table();
}

bool writeDocument(const char* file, mfDevice::ReportType type) {
    const mfReportClient client("BeamCalc", "Plane frame analysis", "2.4.1", "01-NOV-2026");
    const mfReportHeader model("Footbridge", "Two spans of 12 m", "bridge.mdl", "JD",
                               "05-DEC-2026");
    std::unique_ptr<mfDevice> device(mfDevice::createDevice(client, file, type, model));
    device->addParagraph("Contents");
    device->beginTOC(); // the document's contents field; false and nothing in XHTML
    {
        mfTOCDevice contents(device.get());
        writeReport(contents);
    } // deleting the mfTOCDevice resets the heading numbers
    device->endTOC();
    writeReport(*device);
    return device->close();
}

int main() {
    const bool page = writeDocument("contents.html", mfDevice::HTML);
    const bool document = writeDocument("contents.xml", mfDevice::XML_WP);
    if (!page || !document) {
        std::fprintf(stderr, "contents: a report did not reach the disk\n");
        return 1;
    }
    return 0;
}
