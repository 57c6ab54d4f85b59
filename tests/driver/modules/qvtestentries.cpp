// A library with two entries for the dynamic-library tests.
#include <cstdint>

#include "TestModuleLog.h"
#include "winapi/WinExport.h"

QV_MODULE_EXPORT BOOL DllMain(HINSTANCE, DWORD reason, LPVOID) {
    testmodule::LogAttachDetach(u"qvtestentries", reason);
    return TRUE;
}

// One argument: twice the argument plus one.
QV_MODULE_EXPORT uint32_t Twice(uint32_t value) {
    return 2 * value + 1;
}

// Two arguments: their sum, whose high half the caller drops.
QV_MODULE_EXPORT uint32_t AddPair(uint32_t first, uint32_t second) {
    return first + second;
}
