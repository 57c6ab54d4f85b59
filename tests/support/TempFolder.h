#pragma once
// A folder of the test's own under the system's temporary folder (TMPDIR when
// set), made with a fresh unique name for each object and removed, with all
// it holds, when the object goes. Tests that run in parallel never share one.
#include <filesystem>
#include <string>

namespace qvtest {

class TempFolder {
public:
    // The folder's name starts with prefix; a folder that cannot be made
    // throws std::runtime_error.
    explicit TempFolder(const std::string& prefix = "qvtest");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder itself.
    const std::filesystem::path& Path() const { return path_; }
    // An entry of the folder, by name (nothing is made).
    std::string Path(const std::string& name) const { return (path_ / name).string(); }
    // Where a test writes a picture to be looked at: in the folder that
    // QV_KEEP_PICTURES names when it is set (kept), else in this one.
    std::string PicturePath(const std::string& name) const;

private:
    std::filesystem::path path_;
};

} // namespace qvtest
