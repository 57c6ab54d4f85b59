#include "driver/GModuleLoader.h"

GModuleLoader::GModuleLoader(const RWWString& printerName, HANDLE printer)
    : GRegistryRecord(printerName, reinterpret_cast<uintptr_t>(printer)) {}

GModuleLoader::~GModuleLoader() = default;
