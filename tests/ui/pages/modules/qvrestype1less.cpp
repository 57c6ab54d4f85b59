// A resource library of a language without outline (Type 1) fonts: its
// string 13503 is empty.
#include "tests/ui/pages/modules/TrueTypeLanguageModule.h"
#include "winapi/WinExport.h"

QV_MODULE_EXPORT const WinModuleResources* QvModuleResources() {
    static const WinModuleResources* resources = TrueTypeLanguageResources(13503);
    return resources;
}
