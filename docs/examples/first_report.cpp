// The smallest complete report: one device, a heading, a paragraph, close().
#include <cstdio>
#include <memory>

#include <mfreport/mfreport.h>

int main() {
    const mfReportClient client("BeamCalc", "Plane frame analysis", "2.4.1", "01-NOV-2026");
    const mfReportHeader model("Footbridge", "Two spans of 12 m", "bridge.mdl", "JD",
                               "05-DEC-2026");

    std::unique_ptr<mfDevice> device(
        mfDevice::createDevice(client, "first.html", mfDevice::HTML, model));
    device->addHeading("Results", 1);
    device->addParagraph("Linear static analysis, load combination ULS-1.");

    if (!device->close()) {
        std::fprintf(stderr, "first.html: the report did not reach the disk\n");
        return 1;
    }
    return 0;
}
