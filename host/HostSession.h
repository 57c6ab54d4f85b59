#pragma once
// One run of the host: the options, the store opened and the module loaded,
// and what the commands share to call an export and report its failure.
#include <string>

#include "host/HostModule.h"
#include "host/HostOptions.h"

class HostSession {
public:
    explicit HostSession(HostOptions options);

    const HostOptions& Options() const { return options_; }
    HostModule& Module() { return module_; }

    // Opens the store folder and loads the module (the module's and data
    // files' default places: beside the program); a fresh store's printers
    // are installed through the module. False with a message.
    bool Start(const std::string& programPath, std::string& error);

    // The command's words: false with a message when there are not between
    // min and max of them.
    bool ExpectArguments(size_t min, size_t max, const std::string& usage, std::string& error) const;

    // "<export> failed (answer A, last error E)".
    static std::string ExportFailure(const char* exportName, long long answer);

private:
    void RegisterResourceLibrary() const;

    HostOptions options_;
    HostModule module_;
};
