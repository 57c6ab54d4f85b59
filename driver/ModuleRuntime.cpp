#include "driver/ModuleRuntime.h"

#include <mutex>

#include "device/GDeviceClasses.h"
#include "driver/GDriverClasses.h"
#include "model/GModelClasses.h"
#include "rw/RWErrorHandler.h"
#include "rw/RWLibraryClasses.h"

void InitializeModuleRuntime() {
    static std::once_flag once;
    std::call_once(once, [] {
        RWSetErrorHandler(&RWRaisingErrorHandler);
        RWRegisterLibraryClasses();
        GRegisterModelClasses();
        GRegisterDeviceClasses();
        GRegisterDriverClasses();
    });
}
