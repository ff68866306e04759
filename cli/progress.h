// Progress of a long pass over an input, on standard error when it is a terminal.
#pragma once

#include <cstdint>
#include <string>

namespace mfreport::cli {

class Progress {
public:
    /// Shows nothing unless `wanted` and standard error is a terminal.
    Progress(std::string label, std::uint64_t total, bool wanted);
    /// Clears the line.
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void update(std::uint64_t done) {
        if (shown_ && total_ > 0 && done * 100 / total_ != percent_) {
            draw(done * 100 / total_);
        }
    }

private:
    void draw(std::uint64_t percent);

    std::string label_;
    std::uint64_t total_;
    std::uint64_t percent_ = 101;
    bool shown_;
};

} // namespace mfreport::cli
