#include "rw/RWErrorHandler.h"

#include <atomic>
#include <cstdlib>

#include "rw/RWDefs.h"
#include "winapi/WinUser.h"

namespace {
std::atomic<RWErrorHandler> g_handler{&RWDefaultErrorHandler};
}

RWErrorHandler RWSetErrorHandler(RWErrorHandler handler) {
    return g_handler.exchange(handler != nullptr ? handler : &RWDefaultErrorHandler);
}

RWErrorHandler RWGetErrorHandler() {
    return g_handler.load();
}

void RWDefaultErrorHandler(const RWLibraryError& error) {
    MessageBoxA(nullptr, error.why(), "Fatal Error", MB_TASKMODAL | MB_ICONERROR);
    std::exit(1);
}

void RWRaisingErrorHandler(const RWLibraryError& error) {
    error.Raise();
    std::abort(); // Raise always throws; the call is virtual, so say so
}

void RWThrow(const RWLibraryError& error) {
    g_handler.load()(error);
    error.Raise();
    std::abort();
}

void RWThrowIndexError(size_t index, size_t count) {
    if (index == RW_NPOS) RWThrowCatalog<RWBoundsError>(RWTOOL_NPOSINDEX());
    RWThrowCatalog<RWBoundsError>(RWTOOL_INDEXERR(), static_cast<unsigned>(index),
                                  static_cast<unsigned>(count));
}
