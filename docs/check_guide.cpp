// Checks that the guide quotes its examples and their output exactly:
//
//   check_guide GUIDE EXAMPLES_DIR RUN_DIR
//
// A line "<!-- example: NAME -->" must be followed by a fenced block whose text
// is the file EXAMPLES_DIR/NAME byte for byte; a line "<!-- output: FILE -->"
// by a fenced block whose lines stand, one after the other, in RUN_DIR/FILE
// (written by running the examples). Every .cpp file of EXAMPLES_DIR must be
// quoted. Prints each mismatch with its guide line; exits 1 when there is one.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}

bool read(const fs::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    text = bytes.str();
    return true;
}

// The name in "<!-- KIND: NAME -->", or an empty text.
std::string marked(const std::string& line, const std::string& kind) {
    const std::string start = "<!-- " + kind + ": ";
    const std::string end = " -->";
    if (line.rfind(start, 0) != 0 || line.size() < start.size() + end.size() ||
        line.compare(line.size() - end.size(), end.size(), end) != 0) {
        return {};
    }
    return line.substr(start.size(), line.size() - start.size() - end.size());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: check_guide GUIDE EXAMPLES_DIR RUN_DIR\n";
        return 2;
    }
    const fs::path guidePath = argv[1];
    const fs::path examples = argv[2];
    const fs::path run = argv[3];
    std::string text;
    if (!read(guidePath, text)) {
        std::cerr << guidePath.string() << ": cannot be read\n";
        return 1;
    }
    const std::vector<std::string> guide = lines(text);
    int problems = 0;
    auto problem = [&](size_t line, const std::string& message) {
        std::cerr << guidePath.filename().string() << ":" << line + 1 << ": " << message << "\n";
        ++problems;
    };

    std::set<std::string> quoted;
    for (size_t i = 0; i < guide.size(); ++i) {
        const std::string example = marked(guide[i], "example");
        const std::string output = marked(guide[i], "output");
        if (example.empty() && output.empty()) {
            continue;
        }
        // The fenced block right after the mark.
        if (i + 1 >= guide.size() || guide[i + 1].rfind("```", 0) != 0) {
            problem(i, "a fenced block must follow the mark");
            continue;
        }
        size_t end = i + 2;
        while (end < guide.size() && guide[end] != "```") {
            ++end;
        }
        if (end == guide.size()) {
            problem(i, "the fenced block is not closed");
            continue;
        }
        const std::vector<std::string> block(guide.begin() + static_cast<long>(i) + 2,
                                             guide.begin() + static_cast<long>(end));
        std::string file;
        if (!example.empty()) {
            quoted.insert(example);
            std::string blockText;
            for (const std::string& line : block) {
                blockText += line + "\n";
            }
            if (!read(examples / example, file)) {
                problem(i, "no example " + example);
            } else if (blockText != file) {
                const auto fileLines = lines(file);
                size_t k = 0;
                while (k < block.size() && k < fileLines.size() && block[k] == fileLines[k]) {
                    ++k;
                }
                problem(i + 2 + k, "the quote of " + example +
                                       " differs from the file at its line " +
                                       std::to_string(k + 1));
            }
        } else if (!read(run / output, file)) {
            problem(i, "no output " + output + " (run the examples first)");
        } else {
            const auto fileLines = lines(file);
            if (block.empty() || std::search(fileLines.begin(), fileLines.end(), block.begin(),
                                             block.end()) == fileLines.end()) {
                problem(i, "these lines do not stand together in " + output);
            }
        }
        i = end;
    }
    for (const auto& entry : fs::directory_iterator(examples)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".cpp" && quoted.count(name) == 0) {
            problem(0, "the guide does not quote " + name);
        }
    }
    return problems == 0 ? 0 : 1;
}
