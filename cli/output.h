// The report file: written under a temporary name beside the output and
// renamed to it at the end, so that a failed run leaves no report behind.
#pragma once

#include <string>

#include "options.h"

namespace mfreport::cli {

class OutputFile {
public:
    /// Reserves a new temporary name in the folder of `target`; throws Failure.
    OutputFile(const std::string& target, Kind kind);
    /// Removes the temporary file unless it was committed.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    /// The file name to hand to the device (the text kinds append their
    /// extension to it).
    const std::string& deviceName() const { return device_name_; }
    /// The file that the device writes.
    const std::string& writtenName() const { return written_name_; }
    /// Renames the written file to the target; throws Failure.
    void commit();

private:
    std::string target_;
    std::string device_name_;
    std::string written_name_;
    bool committed_ = false;
};

} // namespace mfreport::cli
