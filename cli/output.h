// The report file. A regular file is written under a temporary name beside
// its real target (links followed) and renamed over it only when complete
// and on stable storage, so that a failed run leaves the output as it was.
// A device or a FIFO is written directly; standard output ("-") receives a
// copy of the finished report.
#pragma once

#include <string>
#include <vector>

#include "options.h"

namespace mfreport::cli {

/// Throws Refusal when `output` is one of `inputs` (the same file, also
/// through links or another path), before anything is read.
void checkOutputIsNoInput(const std::string& output, const std::vector<std::string>& inputs);

/// Writes all of `text` to standard output; throws Failure naming the cause.
void writeStandardOutput(const std::string& text);

/// The system's text for an error number, or "unknown error" for 0.
std::string errorText(int error);

class OutputFile {
public:
    /// Reserves the file to write; throws Failure.
    OutputFile(const std::string& target, Kind kind);
    /// Removes the temporary file unless it was committed.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    /// The file name to hand to the device (the text kinds append their
    /// extension to it).
    const std::string& deviceName() const { return device_name_; }
    /// The output for messages: its name, or "standard output".
    const std::string& label() const { return label_; }
    /// Puts the written report in place: synchronised and renamed, or copied;
    /// throws Failure naming the cause.
    void commit();
    /// Throws Failure for a write the library reported as failed, with the
    /// system's reason: `error` when known, else found by trying the file.
    [[noreturn]] void failed(int error) const;

private:
    enum class Mode { Replace, Direct, Copy };

    void reserve(const std::string& folder, Kind kind);
    void copyTo(int descriptor) const;
    int probe() const;

    Mode mode_ = Mode::Replace;
    std::string target_;
    std::string label_;
    std::string device_name_;
    std::string written_name_;
    bool committed_ = false;
};

} // namespace mfreport::cli
