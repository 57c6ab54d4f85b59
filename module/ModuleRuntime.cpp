#include "module/ModuleRuntime.h"

#include <mutex>

#include "device/GDeviceClasses.h"
#include "rw/RWErrorHandler.h"
#include "rw/RWFactory.h"

namespace {
std::mutex g_runtimeLock;
bool g_runtimeReady = false;
} // namespace

void InitializeModuleRuntime() {
    std::lock_guard<std::mutex> lock(g_runtimeLock);
    if (g_runtimeReady) return;
    RWSetErrorHandler(&RWRaisingErrorHandler);
    // The top layer with stored classes registers every layer below it.
    GRegisterDeviceClasses();
    g_runtimeReady = true;
}

void ReleaseModuleRuntime() {
    std::lock_guard<std::mutex> lock(g_runtimeLock);
    if (!g_runtimeReady) return;
    RWDestroyFactory();
    g_runtimeReady = false;
}
