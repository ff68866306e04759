// Base64 text of a file's bytes, for embedding images.
#pragma once

#include <string>
#include <string_view>

class Base64File {
public:
    /// Reads the whole file and sets `encoded` to its standard Base64 text
    /// (alphabet A-Z a-z 0-9 + /, "=" padding, no line breaks). Returns false
    /// and sets `encoded` empty when the file cannot be read.
    static bool encode(const std::string& fileName, std::string& encoded);

    /// Standard Base64 text of the given bytes.
    static std::string encodeBytes(std::string_view bytes);
};
