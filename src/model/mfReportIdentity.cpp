#include <utility>

#include "mfreport/model/mfReportClient.h"
#include "mfreport/model/mfReportHeader.h"

mfReportClient::mfReportClient()
    : name_("<no name>"), description_("<no descr>"), version_("<no ver>"),
      version_date_("<no date>") {}

mfReportClient::mfReportClient(std::string name, std::string description, std::string version,
                               std::string version_date)
    : name_(std::move(name)), description_(std::move(description)), version_(std::move(version)),
      version_date_(std::move(version_date)) {}

mfReportClient::~mfReportClient() = default;

std::string mfReportClient::name() const {
    return name_;
}
std::string mfReportClient::description() const {
    return description_;
}
std::string mfReportClient::version() const {
    return version_;
}
std::string mfReportClient::version_date() const {
    return version_date_;
}

mfReportHeader::mfReportHeader(const std::string& model_name, const std::string& model_description,
                               const std::string& model_filename, const std::string& model_sign,
                               const std::string& model_date)
    : model_name_(model_name), model_description_(model_description),
      model_filename_(model_filename), model_sign_(model_sign), model_date_(model_date) {}

mfReportHeader::~mfReportHeader() = default;

std::string mfReportHeader::model_name() const {
    return model_name_;
}
std::string mfReportHeader::model_description() const {
    return model_description_;
}
std::string mfReportHeader::model_filename() const {
    return model_filename_;
}
std::string mfReportHeader::model_sign() const {
    return model_sign_;
}
std::string mfReportHeader::model_date() const {
    return model_date_;
}
