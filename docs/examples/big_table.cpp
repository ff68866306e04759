// A big table: records are streamed straight to the file, so memory stays
// the same whatever the number of records.
#include <cstdio>
#include <memory>

#include <mfreport/mfreport.h>

int main() {
    const mfReportClient client("BeamCalc", "Plane frame analysis", "2.4.1", "01-NOV-2026");
    const mfReportHeader model("Footbridge", "Two spans of 12 m", "bridge.mdl", "JD",
                               "05-DEC-2026");
    std::unique_ptr<mfDevice> device(
        mfDevice::createDevice(client, "big.xml", mfDevice::XML_SS, model));

    std::unique_ptr<mfTable> table(device->addTable(mfTableHeader("STRESS", "Stresses", 1)));
    mfTableColumn stress("s", "Stress", mfTableColumn::REAL);
    stress.setUnits("N/mm2", 1e-6);
    stress.setWidth(10, 1, mfTableColumn::FIXED);
    table->addColumn(mfTableColumn("Point", "Integration point", mfTableColumn::INTEGER));
    table->addColumn(stress);

    const int records = 100000;
    table->begin_table();
    for (int point = 1; point <= records; ++point) {
        table->begin_record();
        table->insertValue(0, point);
        table->insertValue(1, 1.0e3 * point);
        if (!table->end_record()) { // false once a write has failed
            break;
        }
        // Before a long computation: the records so far reach the file.
        if (point % 10000 == 0 && !device->flush()) {
            break;
        }
    }
    table->end_table();
    if (!device->close()) {
        std::fprintf(stderr, "big.xml: the workbook did not reach the disk\n");
        return 1;
    }
    return 0;
}
