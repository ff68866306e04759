#include "mfreport/support/dates.h"

#include "mfreport/record/fixed_text.h"
#include "mfreport/record/record_io.h"

namespace mfreport::support {

namespace {

constexpr std::string_view kMonths = "JANFEBMARAPRMAYJUNJULAUGSEPOCTNOVDEC";

// Characters first to last (1-based) of the input, blank where it is shorter.
std::string chars(std::string_view input, size_t first, size_t last) {
    std::string out;
    for (size_t i = first; i <= last; ++i) {
        out += i <= input.size() ? input[i - 1] : ' ';
    }
    return out;
}

// The month abbreviation for a two-digit month number; blanks when the
// number is not a month.
std::string monthName(const std::string& number) {
    int32_t month = 0;
    if (record::readInteger(number, month) != record::kIoOk || month < 1 || month > 12) {
        return "   ";
    }
    return std::string(kMonths.substr(static_cast<size_t>(month - 1) * 3, 3));
}

// The two-digit month number of an abbreviation; "00" when it is not found.
std::string monthNumber(const std::string& name) {
    const int32_t p = record::findText(kMonths, name);
    if (p == 0) {
        return "00";
    }
    const int32_t month = (p + 2) / 3;
    return std::string(1, static_cast<char>('0' + month / 10)) +
           static_cast<char>('0' + month % 10);
}

std::string day(std::string text) {
    if (text[0] == ' ') {
        text[0] = '0';
    }
    return text;
}

} // namespace

void DATSTR(FixedText text) {
    text.blank();
    record::FixedString<8> date;
    record::FixedString<10> time;
    record::dateAndTime(date, time);
    CNVDAT(date, text);
}

void TIMSTR(FixedText text) {
    record::FixedString<8> date;
    record::FixedString<10> time;
    record::dateAndTime(date, time);
    const std::string_view t = time;
    record::concat(text, {t.substr(0, 2), ":", t.substr(2, 2), ":", t.substr(4, 2)});
}

void CNVDAT(std::string_view input, FixedText output) {
    size_t n = static_cast<size_t>(record::trimmedLength(input));
    if (n > 1) {
        const size_t blank = input.substr(1, n - 1).find(' ');
        if (blank != std::string_view::npos) {
            n = blank + 1;
        }
    }
    std::string built;
    switch (n) {
    case 6:
        built = day(chars(input, 5, 6)) + "-" + monthName(chars(input, 3, 4)) + "-" +
                chars(input, 1, 2);
        break;
    case 8:
        built = day(chars(input, 7, 8)) + "-" + monthName(chars(input, 5, 6)) + "-" +
                chars(input, 1, 4);
        break;
    case 9:
        built = chars(input, 8, 9) + monthNumber(chars(input, 4, 6)) + day(chars(input, 1, 2));
        break;
    case 11:
        built = chars(input, 8, 11) + monthNumber(chars(input, 4, 6)) + day(chars(input, 1, 2));
        break;
    default:
        return;
    }
    if (built.size() <= static_cast<size_t>(output.size())) {
        built.copy(output.data(), built.size());
    }
}

} // namespace mfreport::support
