// Paged plain-text report (".LIS"), or the same laid out as one endless page
// with ";" between the fields (".csv"). The file is created, with its banner
// page, when the first table begins; the device itself writes nothing, and
// headings, paragraphs, lists and figures answer false.
#pragma once

#include <cstdint>
#include <string>

#include "mfreport/device/mfDevice.h"

class mfTextDevice : public mfDevice {
public:
    /// Prepares the page manager and the table formatter for a report on
    /// `file_name` with ".LIS" (".csv" when `comma_separated`) appended.
    mfTextDevice(const mfReportClient& client, const std::string& file_name, bool comma_separated);
    mfTextDevice(const mfTextDevice&) = delete;
    mfTextDevice& operator=(const mfTextDevice&) = delete;

    /// Closes the report file.
    ~mfTextDevice() override;
    /// A new mfTableText for this device; the caller owns it.
    mfTable* addTable(const mfTableHeader& header) override;
    /// TEXT, also for a semicolon-separated report.
    ReportType report_type() const override;
    /// Closes the report file; false when closing it or a write to it failed.
    bool close() override;
    /// Writes the report's buffered records to its file; false when a write
    /// failed, the file could not be made, or the device is closed.
    bool flush() override;

    /// False once the device is closed: its tables then write nothing.
    bool isOpen() const { return !closed_; }

private:
    /// Closes the report file; false when closing it or a write to it failed.
    bool closeReport();
    /// The unit of the report file once it is made, otherwise 0; `failed`
    /// tells whether making it or a write to it failed.
    int32_t reportUnit(bool& failed) const;

    mfReportClient client_;
    std::string file_name_;
    bool comma_separated_;
    bool named_ = true; ///< the report file name was accepted
    bool closed_ = false;
    bool close_result_ = true;
};
