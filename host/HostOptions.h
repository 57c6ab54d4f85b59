#pragma once
// What the command line asked for.
#include <string>
#include <utility>
#include <vector>

struct HostOptions {
    std::string command;                                   // "printers", "add-printer", "caps", ...
    std::vector<std::string> arguments;                    // the command's own words, in order
    std::string storeFolder;                               // --store: the host store's folder
    std::string modulePath;                                // --module: the module's library file
    std::string printersFolder;                            // --printers: where the driver data files lie
    std::string model;                                     // --model: add-printer's model printer
    std::string inFile;                                    // --in
    std::string outFile;                                   // --out
    std::string scriptFile;                                // --script
    std::string pngFolder;                                 // --png
    std::string mode;                                      // --mode: convert's request
    std::string pages;                                     // --pages: job's page count
    std::vector<std::pair<std::string, std::string>> sets; // --set FIELD=VALUE, in order
    bool json = false;                                     // --json
    bool device = false;                                   // --device: the device property sheet
    bool help = false;                                     // --help
};
