// A resource library of a language without TrueType (Type 42) sending: its
// string 13501 is empty.
#include "tests/ui/pages/modules/TrueTypeLanguageModule.h"
#include "winapi/WinExport.h"

QV_MODULE_EXPORT const WinModuleResources* QvModuleResources() {
    static const WinModuleResources* resources = TrueTypeLanguageResources(13501);
    return resources;
}
