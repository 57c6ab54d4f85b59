#pragma once
// The model printers a store's printers are made of: the driver's name and
// the name of its driver data file (built from resources/printers).
#include <string>
#include <vector>

struct HostModelPrinter {
    std::string key;       // as --model names it: "qvcolor", "qvmono", "qvcolorps"
    std::u16string driver; // the driver's (and the first printer's) name
    std::string dataFile;  // file name in the printers folder

    static const std::vector<HostModelPrinter>& All();
    // Null when no model has this key.
    static const HostModelPrinter* Find(const std::string& key);
};
