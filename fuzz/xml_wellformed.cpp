#include "xml_wellformed.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace mffuzz {
namespace {

bool isXmlChar(uint32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

bool isNameStart(uint32_t c) {
    return c == ':' || c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
           (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) ||
           (c >= 0x200C && c <= 0x200D) || (c >= 0x2070 && c <= 0x218F) ||
           (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
           (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0xEFFFF);
}

bool isNameChar(uint32_t c) {
    return isNameStart(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
           (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

/// Decodes the code point at `pos` of valid UTF-8 and moves past it.
uint32_t decode(std::string_view s, size_t& pos) {
    const auto b = static_cast<unsigned char>(s[pos]);
    int extra = b < 0x80 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : 3;
    uint32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1Fu) : extra == 2 ? (b & 0x0Fu) : (b & 0x07u);
    ++pos;
    for (; extra > 0; --extra, ++pos) {
        c = c << 6 | (static_cast<unsigned char>(s[pos]) & 0x3Fu);
    }
    return c;
}

/// The offset of the first byte that is not valid UTF-8 or not an XML
/// character, or npos.
size_t firstBadCharacter(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b >= 0x20 && b < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        uint32_t min = 0;
        if (b < 0x80) {
            extra = 0;
        } else if (b >= 0xC2 && b <= 0xDF) {
            extra = 1;
            min = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2;
            min = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3;
            min = 0x10000;
        } else {
            return i;
        }
        if (s.size() - i <= static_cast<size_t>(extra)) {
            return i;
        }
        for (int k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(s[i + static_cast<size_t>(k)]) & 0xC0u) != 0x80u) {
                return i;
            }
        }
        size_t next = i;
        const uint32_t c = decode(s, next);
        if (c < min || (c >= 0xD800 && c <= 0xDFFF) || !isXmlChar(c)) {
            return i;
        }
        i = next;
    }
    return std::string_view::npos;
}

class Checker {
public:
    Checker(std::string_view doc, const std::set<std::string>& entities,
            const std::set<std::string>& unnested)
        : doc_(doc), entities_(entities), unnested_(unnested) {}

    std::string run() {
        const size_t bad = firstBadCharacter(doc_);
        if (bad != std::string_view::npos) {
            return fail("a byte that is not UTF-8 of an XML character", bad);
        }
        if (starts("<?xml ") || starts("<?xml?")) {
            if (!pi()) {
                return problem_;
            }
        }
        bool seenDoctype = false;
        bool seenRoot = false;
        while (true) {
            skipSpace();
            if (pos_ >= doc_.size()) {
                break;
            }
            if (starts("<!--")) {
                if (!comment()) {
                    return problem_;
                }
            } else if (starts("<?")) {
                if (!pi()) {
                    return problem_;
                }
            } else if (starts("<!DOCTYPE")) {
                if (seenDoctype || seenRoot) {
                    return fail("a misplaced DOCTYPE", pos_);
                }
                seenDoctype = true;
                if (!doctype()) {
                    return problem_;
                }
            } else if (starts("<") && !seenRoot) {
                seenRoot = true;
                if (!element()) {
                    return problem_;
                }
            } else {
                return fail(seenRoot ? "content after the root element" : "text before the root",
                            pos_);
            }
        }
        if (!seenRoot) {
            return fail("no root element", pos_);
        }
        return "";
    }

private:
    bool starts(std::string_view s) const { return doc_.substr(pos_, s.size()) == s; }

    std::string fail(const std::string& what, size_t at) {
        size_t line = 1;
        for (size_t i = 0; i < at && i < doc_.size(); ++i) {
            line += doc_[i] == '\n' ? 1 : 0;
        }
        problem_ = what + " at line " + std::to_string(line) + " (byte " + std::to_string(at) + ")";
        return problem_;
    }
    bool failed(const std::string& what) {
        fail(what, pos_);
        return false;
    }

    void skipSpace() {
        while (pos_ < doc_.size() && isSpace(doc_[pos_])) {
            ++pos_;
        }
    }

    bool name(std::string* out) {
        const size_t start = pos_;
        if (pos_ >= doc_.size()) {
            return failed("a name expected");
        }
        size_t next = pos_;
        if (!isNameStart(decode(doc_, next))) {
            return failed("a name expected");
        }
        pos_ = next;
        while (pos_ < doc_.size()) {
            next = pos_;
            if (!isNameChar(decode(doc_, next))) {
                break;
            }
            pos_ = next;
        }
        if (out != nullptr) {
            *out = std::string(doc_.substr(start, pos_ - start));
        }
        return true;
    }

    bool comment() {
        const size_t end = doc_.find("--", pos_ + 4);
        if (end == std::string_view::npos || doc_.substr(end, 3) != "-->") {
            return failed("a comment with \"--\" inside or without its end");
        }
        pos_ = end + 3;
        return true;
    }

    bool pi() {
        pos_ += 2;
        std::string target;
        if (!name(&target)) {
            return false;
        }
        if (target.size() == 3 && (target[0] | 0x20) == 'x' && (target[1] | 0x20) == 'm' &&
            (target[2] | 0x20) == 'l' && pos_ != 5) {
            return failed("an xml declaration that is not the first thing");
        }
        const size_t end = doc_.find("?>", pos_);
        if (end == std::string_view::npos) {
            return failed("a processing instruction without its end");
        }
        if (end != pos_ && !isSpace(doc_[pos_])) {
            return failed("a processing instruction target without a blank after it");
        }
        pos_ = end + 2;
        return true;
    }

    bool doctype() {
        pos_ += 9;
        char quote = 0;
        int depth = 0;
        for (; pos_ < doc_.size(); ++pos_) {
            const char c = doc_[pos_];
            if (quote != 0) {
                quote = c == quote ? 0 : quote;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '[') {
                ++depth;
            } else if (c == ']') {
                --depth;
            } else if (c == '>' && depth == 0) {
                ++pos_;
                return true;
            }
        }
        return failed("a DOCTYPE without its end");
    }

    /// An entity or character reference at '&'.
    bool reference() {
        ++pos_;
        if (starts("#")) {
            ++pos_;
            const bool hex = starts("x");
            pos_ += hex ? 1 : 0;
            uint64_t value = 0;
            size_t digits = 0;
            while (pos_ < doc_.size() && doc_[pos_] != ';') {
                const char c = doc_[pos_];
                int d = -1;
                if (c >= '0' && c <= '9') {
                    d = c - '0';
                } else if (hex && c >= 'a' && c <= 'f') {
                    d = c - 'a' + 10;
                } else if (hex && c >= 'A' && c <= 'F') {
                    d = c - 'A' + 10;
                }
                if (d < 0) {
                    return failed("a bad character reference");
                }
                value = value * (hex ? 16 : 10) + static_cast<uint64_t>(d);
                if (value > 0x10FFFF) {
                    return failed("a character reference beyond Unicode");
                }
                ++digits;
                ++pos_;
            }
            if (digits == 0 || pos_ >= doc_.size()) {
                return failed("a bad character reference");
            }
            if (!isXmlChar(static_cast<uint32_t>(value))) {
                return failed("a character reference to a character XML forbids");
            }
            ++pos_;
            return true;
        }
        std::string entity;
        if (!name(&entity) || !starts(";")) {
            return failed("a bare \"&\" or a bad entity reference");
        }
        static const std::set<std::string> predefined = {"amp", "lt", "gt", "quot", "apos"};
        if (predefined.count(entity) == 0 && entities_.count(entity) == 0) {
            return failed("an undeclared entity &" + entity + ";");
        }
        ++pos_;
        return true;
    }

    bool attributes(bool& empty) {
        std::set<std::string> seen;
        while (true) {
            const size_t before = pos_;
            skipSpace();
            if (pos_ >= doc_.size()) {
                return failed("a start tag without its end");
            }
            if (starts("/>")) {
                pos_ += 2;
                empty = true;
                return true;
            }
            if (starts(">")) {
                ++pos_;
                empty = false;
                return true;
            }
            if (pos_ == before) {
                return failed("an attribute without a blank before it");
            }
            std::string attribute;
            if (!name(&attribute)) {
                return false;
            }
            if (!seen.insert(attribute).second) {
                return failed("a repeated attribute " + attribute);
            }
            skipSpace();
            if (!starts("=")) {
                return failed("an attribute without a value");
            }
            ++pos_;
            skipSpace();
            if (pos_ >= doc_.size() || (doc_[pos_] != '"' && doc_[pos_] != '\'')) {
                return failed("an attribute value without quotes");
            }
            const char quote = doc_[pos_++];
            while (pos_ < doc_.size() && doc_[pos_] != quote) {
                if (doc_[pos_] == '<') {
                    return failed("a \"<\" in an attribute value");
                }
                if (doc_[pos_] == '&') {
                    if (!reference()) {
                        return false;
                    }
                } else {
                    ++pos_;
                }
            }
            if (pos_ >= doc_.size()) {
                return failed("an attribute value without its end");
            }
            ++pos_;
        }
    }

    /// The root element and everything in it, without recursion.
    bool element() {
        std::vector<std::string> open;
        do {
            const char c = doc_[pos_];
            if (c != '<' && c != '&' && c != ']') {
                const size_t next = doc_.find_first_of("<&]", pos_);
                pos_ = next == std::string_view::npos ? doc_.size() : next;
            } else if (starts("</")) {
                pos_ += 2;
                std::string closing;
                if (!name(&closing)) {
                    return false;
                }
                skipSpace();
                if (!starts(">")) {
                    return failed("an end tag without its end");
                }
                ++pos_;
                if (open.empty() || open.back() != closing) {
                    return failed("an end tag </" + closing + "> that does not match");
                }
                open.pop_back();
            } else if (starts("<!--")) {
                if (!comment()) {
                    return false;
                }
            } else if (starts("<![CDATA[")) {
                const size_t end = doc_.find("]]>", pos_ + 9);
                if (end == std::string_view::npos) {
                    return failed("a CDATA section without its end");
                }
                pos_ = end + 3;
            } else if (starts("<?")) {
                if (!pi()) {
                    return false;
                }
            } else if (starts("<")) {
                ++pos_;
                std::string tag;
                if (!name(&tag)) {
                    return false;
                }
                bool empty = false;
                if (!attributes(empty)) {
                    return false;
                }
                if (unnested_.count(tag) != 0 &&
                    std::find(open.begin(), open.end(), tag) != open.end()) {
                    return failed("a <" + tag + "> inside a <" + tag + ">");
                }
                if (!empty) {
                    open.push_back(tag);
                }
            } else if (starts("&")) {
                if (!reference()) {
                    return false;
                }
            } else if (starts("]]>")) {
                return failed("\"]]>\" in text");
            } else {
                ++pos_;
            }
            if (pos_ >= doc_.size() && !open.empty()) {
                return failed("the end of the document inside <" + open.back() + ">");
            }
        } while (!open.empty());
        return true;
    }

    std::string_view doc_;
    const std::set<std::string>& entities_;
    const std::set<std::string>& unnested_;
    size_t pos_ = 0;
    std::string problem_;
};

} // namespace

std::string xmlProblem(std::string_view document, const std::set<std::string>& entities,
                       const std::set<std::string>& unnested) {
    return Checker(document, entities, unnested).run();
}

} // namespace mffuzz
