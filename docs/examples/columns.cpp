// Columns: units and factors, number formats, alignment, colours and links.
#include <memory>
#include <string>

#include <mfreport/mfreport.h>

int main() {
    const mfReportClient client("BeamCalc", "Plane frame analysis", "2.4.1", "01-NOV-2026");
    const mfReportHeader model("Footbridge", "Two spans of 12 m", "bridge.mdl", "JD",
                               "05-DEC-2026");
    std::unique_ptr<mfDevice> device(
        mfDevice::createDevice(client, "columns.html", mfDevice::HTML, model));

    mfTableColumn length("L", "Length", mfTableColumn::REAL);
    length.setUnits("mm", 1000.0);               // passed in m, shown in mm
    length.setWidth(9, 1, mfTableColumn::FIXED); // 9 characters, 1 decimal
    mfTableColumn stress("s", "Stress", mfTableColumn::REAL);
    stress.setUnits("N/mm2", 1e-6);                                 // passed in Pa
    stress.setWidth(11, 3, mfTableColumn::SCIENTIFIC);              // 1.234E+02
    stress.setBackgroundColor("FFF2CC");                            // this column's own colour
    mfTableColumn ratio("eta", "Utilisation", mfTableColumn::REAL); // GENERAL: 6 digits
    mfTableColumn check("Check", "Result of the check", mfTableColumn::STRING);
    check.setAdjust(mfTableColumn::CENTER);
    // A column like `length`, with a name and description of its own.
    const mfTableColumn span("Span", "Span length", length);

    std::unique_ptr<mfTable> table(device->addTable(mfTableHeader("MEMBERS", "Member checks", 1)));
    table->addColumn(mfTableColumn("Elem", "Element number", mfTableColumn::INTEGER));
    table->addColumn(length);
    table->addColumn(span);
    table->addColumn(stress);
    table->addColumn(ratio);
    table->addColumn(check);
    table->setBackgroundColor("E8F0FF"); // every column without a colour of its own

    const std::string target = "MEMBERS"; // a table's name is its anchor
    table->begin_table();
    table->begin_record();
    table->insertValue(0, 7, &target); // the cell links to the anchor
    table->insertValue(1, 6.0);
    table->insertValue(2, 12.0);
    table->insertValue(3, 123.4e6);
    table->insertValue(4, 0.8125);
    table->insertValue(5, std::string("ok"));
    table->end_record();
    table->end_table();
    return device->close() ? 0 : 1;
}
