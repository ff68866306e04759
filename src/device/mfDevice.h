// Abstract output device: one object per output document.
#pragma once

#include <memory>
#include <string>

#include "mfreport/model/mfReportClient.h"
#include "mfreport/model/mfReportHeader.h"
#include "mfreport/model/mfTableHeader.h"
#include "mfreport/platform/mfTypes.h"

class mfTable;

class mfDevice {
public:
    enum ReportType : int {
        TEXT = 0,
        HTML = 1,
        XML_SS = 2,
        XML_WP = 3,
        TEXT_CSV = 4,
        TOC = 5,
        XLSX = 6,
        DOCX = 7
    };

    mfDevice();
    /// A copy numbers its headings on from the same state; it is a device of
    /// its own, which its own tables follow.
    mfDevice(const mfDevice& other);
    mfDevice& operator=(const mfDevice& other);

    /// Builds a device of the requested kind on `fileName`; the caller owns it.
    /// Throws std::runtime_error when the output file cannot be opened.
    static mfDevice* createDevice(const mfReportClient& client, const std::string& fileName,
                                  ReportType type, const mfReportHeader& header);
    /// As createDevice, with the device owned by the result.
    static std::unique_ptr<mfDevice> create(const mfReportClient& client,
                                            const std::string& fileName, ReportType type,
                                            const mfReportHeader& header);

    /// Level of the heading that was numbered last (0 after a reset).
    int last_heading_level() const { return last_heading_level_; }
    void reset_heading_counter();

    // Content operations. The base writes nothing and answers false (null for
    // addTable); each output kind overrides what it can express.
    virtual ~mfDevice();
    virtual bool addHeading(const std::string& text, int level);
    virtual bool addParagraph(const std::string& text);
    /// Style 1: one item per line; style 2: a two-column list of pairs.
    virtual bool addList(const Vector<std::string>& items, int style);
    virtual mfTable* addTable(const mfTableHeader& header);
    virtual bool addFigure(const std::string& fileName, const std::string& caption);
    virtual bool addPageBreak();
    virtual bool addHeadingToTOC(const std::string& text, int level);
    virtual bool beginTOC();
    virtual bool endTOC();
    virtual ReportType report_type() const = 0;
    /// Ends the document: writes its closing part, flushes and closes the
    /// file. True when every byte reached the file; false when a write or the
    /// close failed. Afterwards every writing operation answers false and
    /// writes nothing, and a second close() gives the same answer again. The
    /// destructor closes a device that was not closed. A device without a
    /// file of its own answers true.
    virtual bool close();
    /// Writes what is buffered to the file, for a program that computes long
    /// between records; the file is not closed. False when a write failed or
    /// the device is closed. A device without a file of its own answers true.
    virtual bool flush();

    /// Shared with the device's tables and contents passes: holds the device
    /// while it lives and null once it is deleted, so that they never reach a
    /// device that is gone.
    std::shared_ptr<mfDevice* const> lifeline() const { return lifeline_; }

protected:
    /// Numbers a heading of level 1 to 5 ("1.2  text") and advances the
    /// counters; other levels come back as the bare text.
    std::string numbered_heading(const std::string& text, int level);

private:
    static constexpr int levels = 5;
    int max_heading_level_ = levels;
    int last_heading_level_ = 0;
    int heading_counter_[levels] = {};
    std::shared_ptr<mfDevice*> lifeline_;
};
