#include "tests/support/ReadOnlyPaths.h"

#include <fcntl.h>
#include <unistd.h>

namespace qvtest {

namespace fs = std::filesystem;

ReadOnlyPaths::ReadOnlyPaths(std::vector<fs::path> paths) : paths_(std::move(paths)) {
    for (const fs::path& path : paths_) {
        std::error_code ignored;
        before_.push_back(fs::status(path, ignored).permissions());
        fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove, ignored);
    }
}

ReadOnlyPaths::~ReadOnlyPaths() {
    for (size_t i = 0; i < paths_.size(); ++i) {
        std::error_code ignored;
        fs::permissions(paths_[i], before_[i], fs::perm_options::replace, ignored);
    }
}

bool ReadOnlyPaths::Refused() const {
    for (const fs::path& path : paths_) {
        if (fs::is_directory(path)) continue;
        const int fd = ::open(path.c_str(), O_WRONLY);
        if (fd < 0) return true;
        ::close(fd);
        return false;
    }
    return false;
}

} // namespace qvtest
