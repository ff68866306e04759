// The factory: the one place that knows every output kind.
#include <memory>

#include "mfreport/device/mfDevice.h"
#include "mfreport/html/mfHtmlDevice.h"
#include "mfreport/xmlss/mfXmlSSDevice.h"
#include "mfreport/xmlwp/mfXmlWPDevice.h"

mfDevice* mfDevice::createDevice(const mfReportClient& client, const std::string& fileName,
                                 ReportType type, const mfReportHeader& header) {
    std::unique_ptr<mfDevice> device;
    switch (static_cast<int>(type)) {
    case HTML:
        device = std::make_unique<mfHtmlDevice>(client, fileName, header);
        break;
    case XML_SS:
        device = std::make_unique<mfXmlSSDevice>(client, fileName);
        break;
    case XML_WP:
        device = std::make_unique<mfXmlWPDevice>(client, fileName, header);
        break;
    default: // the remaining kinds are not available yet
        break;
    }
    return device.release();
}
