#include "mfreport/device/mfTOCDevice.h"

mfTOCDevice::mfTOCDevice(mfDevice* target)
    : target_(target != nullptr ? target->lifeline() : nullptr) {}

mfTOCDevice::~mfTOCDevice() {
    if (mfDevice* device = target()) {
        device->reset_heading_counter();
    }
}

bool mfTOCDevice::addHeading(const std::string& text, int level) {
    mfDevice* device = target();
    return device != nullptr && device->addHeadingToTOC(text, level);
}

bool mfTOCDevice::flush() {
    mfDevice* device = target();
    return device != nullptr && device->flush();
}

mfDevice::ReportType mfTOCDevice::report_type() const {
    return TOC;
}
