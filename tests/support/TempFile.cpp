#include "tests/support/TempFile.h"

#include <stdexcept>

#include "tests/support/FileBytes.h"

namespace qvtest {

std::string TempFile::Contents() const {
    return ReadFileBytes(path_);
}

void TempFile::SetContents(const std::string& bytes) const {
    if (!WriteFileBytes(path_, bytes)) throw std::runtime_error("cannot write " + path_);
}

} // namespace qvtest
