// A program that uses the library as an outside project does: only the
// installed headers, through the umbrella header.
#include <cstdio>
#include <memory>
#include <string>

#include <mfreport/mfreport.h>

int main(int argc, char** argv) {
    const std::string file = argc > 1 ? argv[1] : "consumer.html";
    const mfReportClient client("Consumer", "Packaging check", MFREPORT_VERSION_STRING, "");
    std::unique_ptr<mfDevice> device(
        mfDevice::createDevice(client, file, mfDevice::HTML, mfReportHeader()));
    if (!device || !device->addHeading("Results", 1)) {
        return 1;
    }
    std::unique_ptr<mfTable> table(device->addTable(mfTableHeader("T", "Values", 2)));
    table->addColumn(mfTableColumn("N", "Number", mfTableColumn::INTEGER));
    bool ok = table->begin_table() && table->begin_record() && table->insertValue(0, 42) &&
              table->end_record() && table->end_table();
    std::printf("mfreport %s: %s\n", MFREPORT_VERSION_STRING, ok ? "ok" : "failed");
    return ok ? 0 : 1;
}
