#pragma once
// The command line: options (anywhere, "--name value" or "--name=value")
// and the command with its words. The parser checks only the form: which
// options take a value, that each value is there, and that --set reads
// FIELD=VALUE; the commands check what they need.
#include <string>

#include "host/HostOptions.h"

class HostCommandLine {
public:
    // False with a message when the words are not a command line.
    static bool Parse(int argc, const char* const* argv, HostOptions& options, std::string& error);
    static std::string Usage();
};
