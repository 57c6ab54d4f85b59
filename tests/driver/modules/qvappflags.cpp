// The application-flags module a test puts beside the driver module
// ("RUZEVE32.DLL"): its "GetAppFlags" answers a fixed value and notes each
// call in the tests' registry log.
#include <cstdint>

#include "TestModuleLog.h"
#include "winapi/WinExport.h"

QV_MODULE_EXPORT BOOL DllMain(HINSTANCE, DWORD reason, LPVOID) {
    testmodule::LogAttachDetach(u"qvappflags", reason);
    return TRUE;
}

QV_MODULE_EXPORT uint32_t GetAppFlags() {
    testmodule::Append(u"qvappflags", u"GetAppFlags");
    return 0x20040180;
}
