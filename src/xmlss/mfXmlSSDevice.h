// SpreadsheetML 2003 workbook: a fixed style sheet, then one worksheet per
// table (written by mfTableXmlSS), closed when the device is deleted.
//
// Content other than tables has no place in a workbook: headings, paragraphs,
// lists, figures, page breaks and contents lines write nothing and answer false.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

#include "mfreport/device/mfDevice.h"

class mfTableXmlSS;

class mfXmlSSDevice : public mfDevice {
public:
    /// Opens the file and writes the prologue and the style sheet. Throws
    /// std::runtime_error when the file cannot be opened.
    mfXmlSSDevice(const mfReportClient& client, const std::string& fileName);
    mfXmlSSDevice(const mfXmlSSDevice&) = delete;
    mfXmlSSDevice& operator=(const mfXmlSSDevice&) = delete;

    /// Closes a worksheet that a table left open, writes "</Workbook>" and
    /// closes the file.
    ~mfXmlSSDevice() override;
    /// A new mfTableXmlSS for this device; the caller owns it.
    mfTable* addTable(const mfTableHeader& header) override;
    ReportType report_type() const override;

    /// The open workbook stream; the table writer writes through it.
    std::ofstream& out() { return out_; }

private:
    friend class mfTableXmlSS;

    void writePrologue();
    void writeStyles();

    // Worksheet bookkeeping for the table writers, so that the workbook stays
    // well-formed whatever order the tables are driven in: at most one
    // worksheet is open, and it is known whether a row of it is open.

    /// Closes a worksheet still open and returns the id of a new one; the
    /// caller writes its start.
    uint64_t openSheet();
    /// Whether `sheet` is the worksheet open now.
    bool isOpen(uint64_t sheet) const { return sheet != 0 && sheet == open_sheet_; }
    bool rowOpen() const { return row_open_; }
    /// Writes the start of a row of the open worksheet.
    void beginRow();
    /// Writes the end of the open row, without a line end: the next row's
    /// start or the worksheet's end follows on the same line.
    void endRow();
    /// Writes the end of the open worksheet (and of a row left open), if any.
    void closeSheet();

    mfReportClient client_;
    std::ofstream out_;
    uint64_t open_sheet_ = 0; ///< id of the open worksheet; 0 when none
    uint64_t last_sheet_ = 0; ///< ids are never reused
    bool row_open_ = false;   ///< a row of the open worksheet awaits its end
};
