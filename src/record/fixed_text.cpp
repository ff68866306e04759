#include "mfreport/record/fixed_text.h"

#include <algorithm>
#include <string>

namespace mfreport::record {

FixedText FixedText::sub(int32_t first, int32_t last) const {
    first = std::max(first, 1);
    last = std::min(last, size_);
    if (last < first) {
        return {};
    }
    return {data_ + (first - 1), last - first + 1};
}

void FixedText::fill(char c) const {
    std::fill_n(data_, size_, c);
}

FixedText TextArray::operator[](int32_t i) const {
    if (i < 0 || i >= count_) {
        return {};
    }
    return {data_ + static_cast<ptrdiff_t>(i) * length_, length_};
}

void assign(FixedText target, std::string_view source) {
    const size_t n = std::min(source.size(), static_cast<size_t>(target.size()));
    if (n > 0) {
        // The source may overlap the target (a field assigned part of itself).
        std::char_traits<char>::move(target.data(), source.data(), n);
    }
    std::fill(target.data() + n, target.data() + target.size(), ' ');
}

bool textEqual(std::string_view a, std::string_view b) {
    const size_t common = std::min(a.size(), b.size());
    if (a.substr(0, common) != b.substr(0, common)) {
        return false;
    }
    const std::string_view rest = a.size() > common ? a.substr(common) : b.substr(common);
    return rest.find_first_not_of(' ') == std::string_view::npos;
}

void concat(FixedText target, std::initializer_list<std::string_view> pieces) {
    std::string joined;
    for (const std::string_view piece : pieces) {
        if (joined.size() >= static_cast<size_t>(target.size())) {
            break;
        }
        joined.append(piece.substr(0, static_cast<size_t>(target.size()) - joined.size()));
    }
    assign(target, joined);
}

int32_t TRMLEN(std::string_view text) {
    size_t n = text.size();
    while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\0')) {
        --n;
    }
    return static_cast<int32_t>(n);
}

int32_t trimmedLength(std::string_view text) {
    size_t n = text.size();
    while (n > 0 && text[n - 1] == ' ') {
        --n;
    }
    return static_cast<int32_t>(n);
}

int32_t findText(std::string_view text, std::string_view pattern) {
    const size_t at = text.find(pattern);
    return at == std::string_view::npos ? 0 : static_cast<int32_t>(at) + 1;
}

void upperCase(FixedText text) {
    for (int32_t i = 0; i < text.size(); ++i) {
        if (text[i] >= 'a' && text[i] <= 'z') {
            text[i] = static_cast<char>(text[i] - 'a' + 'A');
        }
    }
}

} // namespace mfreport::record
