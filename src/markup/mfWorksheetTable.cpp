#include "mfreport/markup/mfWorksheetTable.h"

#include "mfreport/markup/sheet_names.h"

bool mfWorksheetTable::begin_table() {
    sheetRecords_ = 0;
    return mfMarkupTable::begin_table();
}

bool mfWorksheetTable::begin_record() {
    if (sheetRecords_ >= mfreport::markup::kRecordsPerSheet && sheet_ == sheetsInWorkbook()) {
        mfMarkupTable::end_table();
        mfMarkupTable::begin_table();
    }
    return mfMarkupTable::begin_record();
}

bool mfWorksheetTable::end_record() {
    const bool written = mfMarkupTable::end_record();
    if (written) {
        ++sheetRecords_;
        if (sheet_ > 0) {
            recordWritten(sheet_, sheetRecords_);
        }
    }
    return written;
}

bool mfWorksheetTable::end_table() {
    sheetRecords_ = 0;
    return mfMarkupTable::end_table();
}

void mfWorksheetTable::recordWritten(size_t, int64_t) {}
