// Reads a workbook package back with minizip's reader.
#pragma once

#include <minizip/unzip.h>

#include <map>
#include <string>
#include <vector>

namespace mftest {

using Parts = std::map<std::string, std::string>;

/// Every part of the package at `path`, by name; empty when it is no ZIP.
inline Parts partsOf(const std::string& path) {
    Parts parts;
    unzFile zip = unzOpen64(path.c_str());
    if (zip == nullptr) {
        return parts;
    }
    for (int at = unzGoToFirstFile(zip); at == UNZ_OK; at = unzGoToNextFile(zip)) {
        char name[512];
        unz_file_info64 info;
        if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) !=
            UNZ_OK) {
            break;
        }
        std::string content(info.uncompressed_size, '\0');
        if (unzOpenCurrentFile(zip) != UNZ_OK) {
            break;
        }
        const int got =
            unzReadCurrentFile(zip, content.data(), static_cast<unsigned>(content.size()));
        unzCloseCurrentFile(zip);
        content.resize(got > 0 ? static_cast<size_t>(got) : 0);
        parts[name] = content;
    }
    unzClose(zip);
    return parts;
}

/// The names of the package's parts in the order they were written.
inline std::vector<std::string> partNames(const std::string& path) {
    std::vector<std::string> names;
    unzFile zip = unzOpen64(path.c_str());
    if (zip == nullptr) {
        return names;
    }
    for (int at = unzGoToFirstFile(zip); at == UNZ_OK; at = unzGoToNextFile(zip)) {
        char name[512];
        if (unzGetCurrentFileInfo64(zip, nullptr, name, sizeof name, nullptr, 0, nullptr, 0) !=
            UNZ_OK) {
            break;
        }
        names.emplace_back(name);
    }
    unzClose(zip);
    return names;
}

/// The text of every part of the package, in the order of their names.
inline std::string packageText(const std::string& path) {
    std::string text;
    for (const auto& part : partsOf(path)) {
        text += part.second;
    }
    return text;
}

} // namespace mftest
