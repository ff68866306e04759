// Identity of the model or data set that a report is about.
#pragma once

#include <string>

class mfReportHeader {
public:
    mfReportHeader() = default;
    mfReportHeader(const std::string& model_name, const std::string& model_description,
                   const std::string& model_filename, const std::string& model_sign,
                   const std::string& model_date);
    mfReportHeader(const mfReportHeader&) = default;
    mfReportHeader& operator=(const mfReportHeader&) = default;

    virtual std::string model_name() const;
    virtual std::string model_description() const;
    virtual std::string model_filename() const;
    virtual std::string model_sign() const;
    virtual std::string model_date() const;
    virtual ~mfReportHeader();

private:
    std::string model_name_;
    std::string model_description_;
    std::string model_filename_;
    std::string model_sign_;
    std::string model_date_;
};
