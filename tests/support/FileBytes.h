#pragma once
// Whole files as byte strings, for tests that check what a carrier wrote or
// hand it prepared bytes.
#include <string>

namespace qvtest {

// The file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// Replaces the file's contents with bytes (making the file); false when it
// cannot be written.
bool WriteFileBytes(const std::string& path, const std::string& bytes);

} // namespace qvtest
