#pragma once
// Runs the built qvhost program as a user would: its words, its standard
// output and error, its exit code; JSON answers read with rapidjson, a
// reader of our own code's making neither.
#include <stdexcept>

// A member a test reads that the answer lacks fails that test alone, as an
// exception, instead of ending the test program.
#define RAPIDJSON_ASSERT(x) ((x) ? (void)0 : throw std::logic_error("JSON answer: " #x))
#include <rapidjson/document.h>

#include <string>
#include <vector>

namespace hosttest {

struct HostRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// qvhost with these words (QV_HOST_PROGRAM).
HostRun RunHost(const std::vector<std::string>& words);

// The Windows path the store names a host file by (drive C: is the host's
// root): "/a/b" -> "C:\\a\\b".
std::string WindowsPath(const std::string& hostPath);

// qvhost --store folder --json words..., its answer parsed; the test fails
// when it exits non-zero or the answer is no JSON object.
rapidjson::Document RunJson(const std::string& store, const std::vector<std::string>& words);

} // namespace hosttest
