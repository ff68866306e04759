// Small string utilities.
#pragma once

#include <string>

#include "mfreport/platform/mfTypes.h"

class mfStr {
public:
    /// Splits `text` into its lines at LF, CRLF or CR and replaces the
    /// contents of `lines` with them, line ends removed. Text without a line
    /// end is one line; a line end at the very end leaves a final empty line;
    /// empty text gives one empty line. Returns the number of lines.
    static size_t findLines(const std::string& text, Vector<std::string>& lines);
};
