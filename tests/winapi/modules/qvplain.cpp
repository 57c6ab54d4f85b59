// A double module without DllMain or resources: one entry point.
#include "winapi/WinExport.h"
#include "winapi/WinTypes.h"

QV_MODULE_EXPORT DWORD PlainAnswer(DWORD value) {
    return value * 2 + 1;
}
