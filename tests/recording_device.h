// A device that records the content calls it receives.
#pragma once

#include <string>
#include <vector>

#include "mfreport/mfreport.h"

namespace mftest {

class RecordingDevice : public mfDevice {
public:
    std::vector<std::string> calls;

    bool addHeading(const std::string& text, int level) override {
        calls.push_back("heading " + std::to_string(level) + " " + numbered_heading(text, level));
        return true;
    }
    bool addParagraph(const std::string& text) override {
        calls.push_back("paragraph " + text);
        return true;
    }
    bool addList(const Vector<std::string>& items, int style) override {
        std::string call = "list " + std::to_string(style);
        for (const std::string& item : items) {
            call += "|" + item;
        }
        calls.push_back(call);
        return true;
    }
    bool addHeadingToTOC(const std::string& text, int level) override {
        calls.push_back("toc " + numbered_heading(text, level));
        return true;
    }
    ReportType report_type() const override { return HTML; }
};

} // namespace mftest
