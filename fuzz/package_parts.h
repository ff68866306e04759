// The parts of a ZIP package, read back with minizip's reader in the order
// they stand in the file.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace mffuzz {

struct PackageParts {
    std::vector<std::pair<std::string, std::string>> parts; ///< name and content
    std::string problem;                                    ///< "" when the package was read whole
};

PackageParts readPackage(const std::string& path);

} // namespace mffuzz
