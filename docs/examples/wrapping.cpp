// A wide table folded into rows of four cells, and its abbreviations.
#include <memory>
#include <string>

#include <mfreport/mfreport.h>

int main() {
    const mfReportClient client("BeamCalc", "Plane frame analysis", "2.4.1", "01-NOV-2026");
    const mfReportHeader model("Footbridge", "Two spans of 12 m", "bridge.mdl", "JD",
                               "05-DEC-2026");
    std::unique_ptr<mfDevice> device(
        mfDevice::createDevice(client, "wrapping.html", mfDevice::HTML, model));

    std::unique_ptr<mfTable> table(device->addTable(mfTableHeader("ENV", "Envelope", 1)));
    table->addColumn(mfTableColumn("Node", "Node number", mfTableColumn::INTEGER));
    for (int lc = 1; lc <= 6; ++lc) {
        table->addColumn(mfTableColumn("LC" + std::to_string(lc), "Load case " + std::to_string(lc),
                                       mfTableColumn::INTEGER));
    }
    table->setWrapping(4, 1);    // four cells an output row; continuation rows
                                 // start with one blank cell
    table->printAbbreviations(); // "Abbreviations" and "name  :  description" lines
    table->begin_table();
    table->begin_record();
    for (int column = 0; column < 7; ++column) {
        table->insertValue(column, 10 * column);
    }
    table->end_record();
    table->end_table();
    return device->close() ? 0 : 1;
}
