#include "ui/framework/ResourceModule.h"

#include <atomic>

#include "winapi/WinModule.h"

namespace {

// Read by the job-storage notice on a thread of its own.
std::atomic<HMODULE> resourceModule{nullptr};
constexpr int kStringBufferLength = 256;

} // namespace

HMODULE ResourceModule() {
    return resourceModule.load();
}

void SetResourceModule(HMODULE module) {
    resourceModule.store(module);
}

int32_t LoadResString(uint16_t id, RWWString& text) {
    WCHAR buffer[kStringBufferLength] = {};
    const int length = LoadStringW(ResourceModule(), id, buffer, kStringBufferLength);
    text = length > 0 ? RWWString(buffer, static_cast<size_t>(length)) : RWWString();
    return length > 0 ? length : 0;
}
