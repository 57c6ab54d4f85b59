#pragma once
// One temporary file: a name in a TempFolder of its own, so the file and its
// folder go with the object. The file itself is made by whoever writes it.
#include <string>

#include "tests/support/TempFolder.h"

namespace qvtest {

class TempFile {
public:
    explicit TempFile(const std::string& name = "file.bin") : path_(folder_.Path(name)) {}

    const char* Path() const { return path_.c_str(); }
    std::string Contents() const;
    void SetContents(const std::string& bytes) const;

private:
    TempFolder folder_;
    std::string path_;
};

} // namespace qvtest
