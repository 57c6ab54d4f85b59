#pragma once
// Files and folders made read-only for one test (chmod a-w) and given their
// permissions back when the object goes. A process that may write anyway
// (root) is not stopped by this: Refused() tells whether writing really is,
// so a test can still check that nothing was written by other means.
#include <filesystem>
#include <vector>

namespace qvtest {

class ReadOnlyPaths {
public:
    explicit ReadOnlyPaths(std::vector<std::filesystem::path> paths);
    ~ReadOnlyPaths();
    ReadOnlyPaths(const ReadOnlyPaths&) = delete;
    ReadOnlyPaths& operator=(const ReadOnlyPaths&) = delete;

    // True when opening the first file among the paths for writing fails.
    bool Refused() const;

private:
    std::vector<std::filesystem::path> paths_;
    std::vector<std::filesystem::perms> before_;
};

} // namespace qvtest
