#include "package_parts.h"

#include <minizip/unzip.h>

namespace mffuzz {

PackageParts readPackage(const std::string& path) {
    PackageParts package;
    unzFile zip = unzOpen64(path.c_str());
    if (zip == nullptr) {
        package.problem = "the file is no ZIP";
        return package;
    }
    int at = unzGoToFirstFile(zip);
    for (; at == UNZ_OK; at = unzGoToNextFile(zip)) {
        char name[512];
        unz_file_info64 info;
        if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) !=
            UNZ_OK) {
            package.problem = "an entry of the central directory cannot be read";
            break;
        }
        std::string content(info.uncompressed_size, '\0');
        if (unzOpenCurrentFile(zip) != UNZ_OK) {
            package.problem = std::string("the part ") + name + " cannot be opened";
            break;
        }
        const int got =
            unzReadCurrentFile(zip, content.data(), static_cast<unsigned>(content.size()));
        // Closing checks the part's CRC once all of it was read.
        const int closed = unzCloseCurrentFile(zip);
        if (got < 0 || static_cast<size_t>(got) != content.size() || closed != UNZ_OK) {
            package.problem = std::string("the part ") + name + " does not read back whole";
            break;
        }
        package.parts.emplace_back(name, std::move(content));
    }
    if (package.problem.empty() && at != UNZ_END_OF_LIST_OF_FILE) {
        package.problem = "the central directory ends early";
    }
    unzClose(zip);
    return package;
}

} // namespace mffuzz
