// Table-of-contents pass: turns every heading into a contents line on the
// target device and drops everything else. Deleting it resets the target's
// heading numbers, so that the real headings that follow get the same numbers.
#pragma once

#include "mfreport/device/mfDevice.h"

class mfTOCDevice : public mfDevice {
public:
    /// `target` receives the contents lines; it is not owned, and once it is
    /// deleted the pass writes nothing.
    explicit mfTOCDevice(mfDevice* target);
    mfTOCDevice(const mfTOCDevice&) = default;
    mfTOCDevice& operator=(const mfTOCDevice&) = default;

    ~mfTOCDevice() override;
    /// The target's addHeadingToTOC with the same text and level.
    bool addHeading(const std::string& text, int level) override;
    ReportType report_type() const override;
    /// The target's flush(); false once the target is gone.
    bool flush() override;

private:
    /// The target, null once it is deleted.
    mfDevice* target() const { return target_ != nullptr ? *target_ : nullptr; }

    std::shared_ptr<mfDevice* const> target_;
};
