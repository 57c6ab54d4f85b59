#pragma once
// Helpers of the platform-layer tests: wide text from narrow literals, a
// temporary host folder, and registry/spooler readers.
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "winapi/WinTypes.h"

// A host folder for one test, removed with everything in it.
class TempHostFolder {
public:
    TempHostFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qvwinapi-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempHostFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline std::vector<BYTE> WideBytes(std::u16string_view text, bool withNul) {
    std::vector<BYTE> bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<BYTE>(c));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
    if (withNul) bytes.insert(bytes.end(), {0, 0});
    return bytes;
}
