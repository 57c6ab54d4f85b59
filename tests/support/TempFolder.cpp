#include "tests/support/TempFolder.h"

#include <cstdlib>

#include <stdlib.h>

#include <stdexcept>
#include <system_error>

namespace qvtest {

TempFolder::TempFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a folder like " + pattern);
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::PicturePath(const std::string& name) const {
    const char* keep = std::getenv("QV_KEEP_PICTURES");
    return keep != nullptr ? std::string(keep) + "/" + name : Path(name);
}

} // namespace qvtest
