// What the library answers when something cannot be done.
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

#include <mfreport/mfreport.h>

int main() {
    const mfReportClient client("BeamCalc", "Plane frame analysis", "2.4.1", "01-NOV-2026");
    const mfReportHeader model("Footbridge", "Two spans of 12 m", "bridge.mdl", "JD",
                               "05-DEC-2026");

    // A file that cannot be opened: createDevice throws.
    try {
        std::unique_ptr<mfDevice> lost(
            mfDevice::createDevice(client, "no/such/folder/r.html", mfDevice::HTML, model));
        return 1;
    } catch (const std::runtime_error& e) {
        std::printf("%s\n", e.what());
    }

    std::unique_ptr<mfDevice> book(
        mfDevice::createDevice(client, "errors.xml", mfDevice::XML_SS, model));
    // A workbook has no headings: false, and nothing is written.
    const bool heading = book->addHeading("Results", 1);

    std::unique_ptr<mfTable> table(book->addTable(mfTableHeader("T", "Table", 1)));
    table->addColumn(mfTableColumn("A", "First", mfTableColumn::INTEGER));
    table->begin_table();
    table->begin_record();
    const bool inside = table->insertValue(0, 1);
    const bool outside = table->insertValue(5, 2); // no column 5: nothing stored
    table->end_record();
    table->end_table();

    const bool closed = book->close();             // true when every byte reached the file
    const bool after = book->addParagraph("late"); // false once closed
    std::printf("heading %d, inside %d, outside %d, close %d, after close %d\n", heading, inside,
                outside, closed, after);
    return closed ? 0 : 1;
}
