#include "mfreport/markup/markup_output.h"

#include <stdexcept>

namespace mfreport::markup {

void openOutput(std::ofstream& out, const std::string& fileName) {
    out.open(fileName, std::ios::out | std::ios::trunc);
    if (!out.is_open()) {
        throw std::runtime_error("Unable to open file " + fileName +
                                 ".\nIs file locked by another program or an illegal filename "
                                 "specified ?");
    }
}

} // namespace mfreport::markup
