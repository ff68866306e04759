// Replays fuzz inputs without libFuzzer: mfreport-fuzz-replay KIND PATH...
// runs every file named, and every file in every folder named, through the
// same checks as the fuzz target of that kind. Exit status 0 when all passed;
// a broken invariant aborts with its message.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "session.h"

namespace {

const char* g_current = nullptr;

void reportUnexpectedExit() {
    if (g_current != nullptr) {
        std::fprintf(stderr, "mfreport fuzz: the process ended inside the library on %s\n",
                     g_current);
    }
}

std::vector<std::filesystem::path> inputsOf(const std::vector<std::string>& paths) {
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (const std::string& path : paths) {
        if (fs::is_directory(path)) {
            for (const auto& entry : fs::directory_iterator(path)) {
                if (entry.is_regular_file()) {
                    inputs.push_back(fs::absolute(entry.path()));
                }
            }
        } else {
            inputs.push_back(fs::absolute(path));
        }
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

} // namespace

int main(int argc, char** argv) {
    mfDevice::ReportType kind{};
    if (argc < 3 || !mffuzz::kindByName(argv[1], kind)) {
        std::fprintf(stderr, "usage: %s html|xml_ss|xml_wp|text|text_csv|xlsx|docx PATH...\n",
                     argv[0]);
        return 2;
    }
    const std::vector<std::filesystem::path> inputs =
        inputsOf(std::vector<std::string>(argv + 2, argv + argc));
    std::atexit(reportUnexpectedExit);
    mffuzz::prepare();
    size_t count = 0;
    for (const auto& path : inputs) {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", path.c_str());
            return 1;
        }
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
        const std::string name = path.string();
        g_current = name.c_str();
        std::fprintf(stderr, "%s\n", name.c_str());
        mffuzz::runInput(kind, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        g_current = nullptr;
        ++count;
    }
    std::printf("%s: %zu inputs replayed\n", argv[1], count);
    return count > 0 ? 0 : 1;
}
