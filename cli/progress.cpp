#include "progress.h"

#include <cstdio>
#include <utility>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define MFREPORT_HAVE_ISATTY 1
#endif

namespace mfreport::cli {

namespace {

bool errorsOnTerminal() {
#ifdef MFREPORT_HAVE_ISATTY
    return isatty(fileno(stderr)) != 0;
#else
    return false;
#endif
}

} // namespace

Progress::Progress(std::string label, std::uint64_t total, bool wanted)
    : label_(std::move(label)), total_(total), shown_(wanted && total > 0 && errorsOnTerminal()) {
    update(0);
}

Progress::~Progress() {
    if (shown_) {
        std::fprintf(stderr, "\r%*s\r", static_cast<int>(label_.size() + 16), "");
        std::fflush(stderr);
    }
}

void Progress::draw(std::uint64_t percent) {
    percent_ = percent;
    std::fprintf(stderr, "\rmfreport: %s %3u%%", label_.c_str(),
                 static_cast<unsigned>(percent > 100 ? 100 : percent));
    std::fflush(stderr);
}

} // namespace mfreport::cli
