// One fuzz input run against a fresh device: the bytes are decoded into a
// sequence of class-interface calls, then the written file is checked. A
// broken invariant is printed to standard error and ends the process with
// abort(), which the fuzzer reports as a finding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "mfreport/device/mfDevice.h"

namespace mffuzz {

/// The kind named html, xml_ss, xml_wp, text, text_csv, xlsx or docx; false for another
/// name.
bool kindByName(const std::string& name, mfDevice::ReportType& kind);

/// Prepares the process once: a private working folder (the text kinds write
/// their files into the current folder) and a fixed clock.
void prepare();

/// Runs one input against a device of `kind` and checks what it wrote.
void runInput(mfDevice::ReportType kind, const uint8_t* data, size_t size);

} // namespace mffuzz
