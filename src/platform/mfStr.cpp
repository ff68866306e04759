#include "mfreport/platform/mfStr.h"

size_t mfStr::findLines(const std::string& text, Vector<std::string>& lines) {
    lines.clear();
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            lines.emplace_back(text, start, i - start);
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    lines.emplace_back(text, start, text.size() - start);
    return lines.size();
}
