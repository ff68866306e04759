// A .docx document for the readers' tests: a table of 200 records whose head
// must repeat on every page, and after it headings among paragraphs, lists,
// folded tables with texts of several lines and a page break, so that the
// contents' page numbers are tried at many places on the pages.
//
// usage: mfreport-docx-sample FILE

#include <cstdio>
#include <memory>
#include <string>

#include <mfreport/mfreport.h>

namespace {

void longTable(mfDevice& d, const std::string& name, int records, int wrap, bool lines) {
    mfTableHeader header(name, "Table " + name + " of " + std::to_string(records) + " records", 2);
    header.addNote("Values in the global system.");
    std::unique_ptr<mfTable> t(d.addTable(header));
    if (!t) {
        d.addHeading(header.description(), 2);
        return;
    }
    mfTableColumn n("N", "Normal force", mfTableColumn::REAL);
    n.setUnits("kN", 0.001);
    n.setWidth(10, 2, mfTableColumn::FIXED);
    t->addColumn(mfTableColumn("Elem", "Element number", mfTableColumn::INTEGER));
    for (int c = 1; c <= 7; ++c) {
        t->addColumn(mfTableColumn("N" + std::to_string(c), "Normal force", n));
    }
    t->addColumn(mfTableColumn("Remark", "Remark", mfTableColumn::STRING));
    t->setWrapping(wrap, 1);
    t->begin_table();
    for (int e = 1; e <= records; ++e) {
        t->begin_record();
        t->insertValue(0, e);
        for (int c = 1; c <= 7; ++c) {
            t->insertValue(c, -1250.0 * e + c);
        }
        if (lines && e % 7 == 0) {
            t->insertValue(8, std::string("checked\nby hand"));
        } else {
            t->insertValue(8, std::string(e % 3 == 0 ? "ok" : ""));
        }
        t->end_record();
    }
    t->end_table();
}

void writeReport(mfDevice& d) {
    d.addHeading("Long table", 1);
    longTable(d, "LONG", 200, 99, false);
    const std::string sentence = "The members are checked for the ultimate limit state. ";
    for (int section = 1; section <= 6; ++section) {
        d.addHeading("Section " + std::to_string(section), 1);
        std::string text;
        for (int k = 0; k < section * 2; ++k) {
            text += sentence;
        }
        d.addParagraph(text);
        d.addHeading("Checks", 2);
        d.addList({"Strength", "Stability", "Deflection"}, section % 2 == 0 ? 2 : 1);
        longTable(d, "T" + std::to_string(section), 11 + 9 * section, section % 2 == 0 ? 5 : 99,
                  section % 3 == 0);
        d.addHeading("Remarks", 2);
        d.addParagraph(sentence);
        if (section == 3) {
            d.addPageBreak();
        }
    }
    d.addHeading("End", 1);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: mfreport-docx-sample FILE\n", stderr);
        return 2;
    }
    const mfReportClient client("BeamCalc", "Plane frame analysis", "2.4.1", "01-NOV-2026");
    const mfReportHeader model("Footbridge", "Two spans of 12 m", "bridge.mdl", "JD",
                               "05-DEC-2026");
    std::unique_ptr<mfDevice> d(mfDevice::createDevice(client, argv[1], mfDevice::DOCX, model));
    d->addParagraph("Contents");
    d->beginTOC();
    {
        mfTOCDevice contents(d.get());
        writeReport(contents);
    }
    d->endTOC();
    writeReport(*d);
    return d->close() ? 0 : 1;
}
