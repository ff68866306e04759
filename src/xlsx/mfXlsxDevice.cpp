#include "mfreport/xlsx/mfXlsxDevice.h"

#include "mfreport/markup/output.h"
#include "mfreport/markup/text_codec.h"
#include "mfreport/model/mfReportClient.h"
#include "mfreport/model/mfReportHeader.h"
#include "mfreport/xlsx/mfTableXlsx.h"
#include "mfreport/xlsx/workbook.h"

mfXlsxDevice::mfXlsxDevice(const mfReportClient& client, const std::string& fileName,
                           const mfReportHeader& header)
    : workbook_(std::make_shared<mfreport::xlsx::Workbook>(fileName)),
      output_(std::make_shared<mfreport::markup::Output>(workbook_->sink())) {
    mfreport::markup::appendXmlText(creator_, client.name());
    mfreport::markup::appendXmlText(title_, header.model_name());
}

mfXlsxDevice::~mfXlsxDevice() {
    mfXlsxDevice::close();
}

bool mfXlsxDevice::close() {
    const bool rows = output_->closeDocument({});
    return workbook_->close(creator_, title_) && rows;
}

bool mfXlsxDevice::flush() {
    return output_->finish();
}

mfTable* mfXlsxDevice::addTable(const mfTableHeader& header) {
    return new mfTableXlsx(header, this);
}

mfDevice::ReportType mfXlsxDevice::report_type() const {
    return XLSX;
}

const std::shared_ptr<mfreport::markup::Output>& mfXlsxDevice::output() {
    return output_;
}

const std::shared_ptr<mfreport::xlsx::Workbook>& mfXlsxDevice::workbook() const {
    return workbook_;
}
