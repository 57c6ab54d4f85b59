// Replays the committed seeds of one fuzz target without the fuzzing engine:
// <target> <file or folder>... feeds every file (a folder's files in name
// order) to the target's entry once. The sanitizers of the build catch what
// the target would report; a file that cannot be read fails the run, and so
// does an empty set of seeds, so a wrong path cannot pass for a clean replay.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

namespace {

bool Replay(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return false;
    }
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return true;
}

std::vector<fs::path> SeedFiles(const fs::path& path) {
    if (!fs::is_directory(path)) return {path};
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(path))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char** argv) {
    size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const fs::path& file : SeedFiles(argv[i])) {
            if (!Replay(file)) return 1;
            ++replayed;
        }
    }
    std::printf("%zu seeds replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
