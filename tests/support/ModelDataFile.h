#pragma once
// A model printer's compiled data file (the build's printers folder,
// QV_PRINTERS_DIR), restored as the driver restores it: the root, or null
// when the file is missing or the class library refuses it.
#include <fstream>
#include <sstream>
#include <string>

#include "model/GSettingsClassFilter.h"
#include "model/MPersistentObject.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWLibraryError.h"

// name: "QVCOLOR", "QVMONO" or "QVCOLORPS". The caller owns the root.
inline MPersistentObject* RestoreModelDataFile(const std::string& name) {
    std::ifstream file(std::string(QV_PRINTERS_DIR) + "/" + name + ".QVD", std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    std::stringbuf buffer(bytes.str());
    RWBinaryInStream in(&buffer);
    RWCollectable* root = nullptr;
    try {
        const GSettingsClassFilter allowlist;
        in >> root;
    } catch (const RWLibraryError&) {
        return nullptr;
    }
    return dynamic_cast<MPersistentObject*>(root);
}
