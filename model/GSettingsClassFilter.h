#pragma once
// The class allowlist of the settings tree: while one of these lives, an
// object-graph restore on this thread may create only the classes a
// settings tree, its values and the paper model's value objects are made
// of. Readers of untrusted settings (DEVMODE blobs, printer-data objects)
// install one, so a stored graph can never create a peripheral, a module
// loader, a job object or any other class outside the settings model.
#include <cstddef>

#include "rw/RWDefs.h"
#include "rw/RWRestoreClassFilter.h"

class GSettingsClassFilter {
public:
    GSettingsClassFilter();
    GSettingsClassFilter(const GSettingsClassFilter&) = delete;
    GSettingsClassFilter& operator=(const GSettingsClassFilter&) = delete;

    // Whether the class may occur in a settings graph.
    static bool IsSettingsClass(RWClassID id);

private:
    RWRestoreClassFilter filter_;
};
