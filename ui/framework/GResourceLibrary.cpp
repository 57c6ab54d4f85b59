#include "ui/framework/GResourceLibrary.h"

#include <limits>
#include <mutex>

#include "winapi/WinModule.h"

namespace {
struct ResourceLibraryState {
    std::mutex lock;
    HMODULE library = nullptr;
    uint16_t uses = 0;
    HINSTANCE lookupModule = nullptr;
};

ResourceLibraryState& ResourceLibrary() {
    static ResourceLibraryState state;
    return state;
}
} // namespace

int32_t LoadResourceLibrary(LPCWSTR path) {
    ResourceLibraryState& state = ResourceLibrary();
    std::lock_guard<std::mutex> hold(state.lock);
    // A count that cannot grow any more refuses the use rather than wrap.
    if (state.uses == std::numeric_limits<uint16_t>::max()) return 0;
    if (state.uses == 0) {
        state.library = path != nullptr ? LoadLibraryW(path) : nullptr;
        if (state.library == nullptr) return 0;
    }
    ++state.uses;
    return 1;
}

void ReleaseResourceLibrary() {
    ResourceLibraryState& state = ResourceLibrary();
    std::lock_guard<std::mutex> hold(state.lock);
    if (state.uses == 0) return;
    if (--state.uses == 0) {
        FreeLibrary(state.library);
        state.library = nullptr;
    }
}

HMODULE ResourceModule() {
    ResourceLibraryState& state = ResourceLibrary();
    std::lock_guard<std::mutex> hold(state.lock);
    return state.library;
}

uint16_t ResourceLibraryUseCount() {
    ResourceLibraryState& state = ResourceLibrary();
    std::lock_guard<std::mutex> hold(state.lock);
    return state.uses;
}

void SetResourceLookupModule(HINSTANCE instance) {
    ResourceLibraryState& state = ResourceLibrary();
    std::lock_guard<std::mutex> hold(state.lock);
    if (state.lookupModule == nullptr) state.lookupModule = instance;
}

HINSTANCE ResourceLookupModule() {
    ResourceLibraryState& state = ResourceLibrary();
    std::lock_guard<std::mutex> hold(state.lock);
    return state.lookupModule;
}
