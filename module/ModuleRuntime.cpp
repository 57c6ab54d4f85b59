#include "module/ModuleRuntime.h"

#include <mutex>

#include "device/GDeviceClasses.h"
#include "rw/RWErrorHandler.h"

void InitializeModuleRuntime() {
    static std::once_flag once;
    std::call_once(once, [] {
        RWSetErrorHandler(&RWRaisingErrorHandler);
        // The top layer with stored classes registers every layer below it.
        GRegisterDeviceClasses();
    });
}
