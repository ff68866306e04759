#include "mfreport/device/mfTOCDevice.h"

mfTOCDevice::mfTOCDevice(mfDevice* target) : target_(target) {}

mfTOCDevice::~mfTOCDevice() {
    if (target_ != nullptr) {
        target_->reset_heading_counter();
    }
}

bool mfTOCDevice::addHeading(const std::string& text, int level) {
    return target_ != nullptr && target_->addHeadingToTOC(text, level);
}

mfDevice::ReportType mfTOCDevice::report_type() const {
    return TOC;
}
