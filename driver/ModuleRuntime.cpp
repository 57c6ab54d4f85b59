#include "driver/ModuleRuntime.h"

#include <mutex>

#include "rw/RWErrorHandler.h"

void InitializeModuleRuntime() {
    static std::once_flag once;
    std::call_once(once, [] { RWSetErrorHandler(&RWRaisingErrorHandler); });
}
