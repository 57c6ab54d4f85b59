#pragma once
// The module's own extension-UI entry points: the extension set loads the
// module like any extension module and calls them with the sheet's
// GUIData.
//
// The module's own tabs are not built yet: until they are, UI_INITIALIZE
// gives every sheet one interim page (GInterimPage), and the job-storage
// notice mode (0x789B) is not available (it answers 0).
#include <cstdint>

#include "driver/GUIData.h"
#include "winapi/WinExport.h"

// 2.
QV_MODULE_EXPORT uint32_t UI_INTERFACEVERSION();
// The number of pages of this module (a block without pages: counted
// only); 0 for a block that is not a sheet's or the notice mode. The
// first valid block's module handle becomes the module of resource lookups.
QV_MODULE_EXPORT int16_t UI_INITIALIZE(GUIData* data, uint16_t firstPage);
// 0; the interim page owns nothing.
QV_MODULE_EXPORT int16_t UI_DESTROY(GUIData* data);
