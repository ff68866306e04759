// A program of another maker names itself on the listing and the document.
#include <cstdio>
#include <memory>

#include <mfreport/mfreport.h>

int main() {
    // Once, before the first device: devices made afterwards show these words.
    if (!mfreport::setMaker("ACME Engineering", "ACME")) {
        return 1;
    }
    std::printf("maker %s, suite %s\n", mfreport::maker().name.c_str(),
                mfreport::maker().suite.c_str());

    const mfReportClient client("BeamCalc", "Plane frame analysis", "2.4.1", "01-NOV-2026");
    const mfReportHeader model("Footbridge", "Two spans of 12 m", "bridge.mdl", "JD",
                               "05-DEC-2026");
    std::unique_ptr<mfDevice> listing(
        mfDevice::createDevice(client, "acme", mfDevice::TEXT, model));
    std::unique_ptr<mfTable> table(listing->addTable(mfTableHeader("T", "Table", 1)));
    table->addColumn(mfTableColumn("A", "First", mfTableColumn::INTEGER));
    table->begin_table();
    table->begin_record();
    table->insertValue(0, 1);
    table->end_record();
    table->end_table();
    return listing->close() ? 0 : 1;
}
