// The factory: the one place that knows every output kind.
#include <memory>

#include "mfreport/device/mfDevice.h"
#include "mfreport/docx/mfDocxDevice.h"
#include "mfreport/html/mfHtmlDevice.h"
#include "mfreport/text/mfTextDevice.h"
#include "mfreport/xlsx/mfXlsxDevice.h"
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
    case XLSX:
        device = std::make_unique<mfXlsxDevice>(client, fileName, header);
        break;
    case DOCX:
        device = std::make_unique<mfDocxDevice>(client, fileName, header);
        break;
    case TEXT_CSV:
        device = std::make_unique<mfTextDevice>(client, fileName, true);
        break;
    default: // TEXT, TOC and every kind outside 1 to 4, 6 and 7
        device = std::make_unique<mfTextDevice>(client, fileName, false);
        break;
    }
    return device.release();
}

std::unique_ptr<mfDevice> mfDevice::create(const mfReportClient& client,
                                           const std::string& fileName, ReportType type,
                                           const mfReportHeader& header) {
    return std::unique_ptr<mfDevice>(createDevice(client, fileName, type, header));
}
