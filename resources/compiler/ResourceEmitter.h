#pragma once
// Writes a ResourceModel as a C++ source file: static arrays of the strings,
// the serialised dialog templates and bitmaps, the cursors and the version
// information, and the module's "QvModuleResources" export that hands them
// to the platform layer's loader (winapi/WinResource.h).
#include <ostream>

#include "ResourceModel.h"

class ResourceEmitter {
public:
    static void Write(const ResourceModel& model, std::ostream& out);
};
