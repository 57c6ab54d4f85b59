// An add-on library for the add-on proxy tests. Its PCL entries hand the
// making and destroying of the device to the test program (which exports
// QvTestMakeAddOn and QvTestDestroyAddOn), and it notes its loading,
// unloading and entry calls in the shared registry log.
#include "tests/driver/modules/TestModuleLog.h"
#include "winapi/WinExport.h"

extern "C" void* QvTestMakeAddOn();
extern "C" void QvTestDestroyAddOn(void* device);

QV_MODULE_EXPORT BOOL DllMain(HINSTANCE, DWORD reason, LPVOID) {
    testmodule::LogAttachDetach(u"qvaddon", reason);
    return TRUE;
}

// Two pointer-sized nulls come in.
QV_MODULE_EXPORT void* _C_PCL_ADDON(void** arguments) {
    const bool nulls = arguments != nullptr && arguments[0] == nullptr && arguments[1] == nullptr;
    testmodule::Append(u"qvaddon", nulls ? u"create" : u"create(bad arguments)");
    return QvTestMakeAddOn();
}

// The device comes in as the list's one value.
QV_MODULE_EXPORT void* _D_PCL_ADDON(void** arguments) {
    testmodule::Append(u"qvaddon", u"destroy");
    if (arguments != nullptr) QvTestDestroyAddOn(arguments[0]);
    return nullptr;
}
