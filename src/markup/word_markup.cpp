#include "mfreport/markup/word_markup.h"

namespace mfreport::markup::word {

std::string bookmarkName(std::string text) {
    for (char& c : text) {
        if (c == ' ' || c == '.' || c == '/' || c == '-') {
            c = '_';
        }
    }
    return text;
}

} // namespace mfreport::markup::word
