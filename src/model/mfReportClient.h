// Identity of the program that writes a report.
#pragma once

#include <string>

class mfReportClient {
public:
    mfReportClient();
    mfReportClient(std::string name, std::string description, std::string version,
                   std::string version_date);
    mfReportClient(const mfReportClient&) = default;
    mfReportClient& operator=(const mfReportClient&) = default;

    virtual std::string name() const;
    virtual std::string description() const;
    virtual std::string version() const;
    virtual std::string version_date() const;
    virtual ~mfReportClient();

private:
    std::string name_;
    std::string description_;
    std::string version_;
    std::string version_date_;
};
