#pragma once
// The module's own extension-UI entry points: the extension set loads the
// module like any extension module and calls them with the sheet's
// GUIData.
//
// UI_INITIALIZE counts and fills the module's tabs (SheetTabs), or, in the
// notice mode 0x789B, shows the job-storage identification notice. A
// filling call and the notice take one use of the resource library and
// make the sheet's UI model into the block; UI_DESTROY gives both back.
#include <cstdint>

#include "driver/GUIData.h"
#include "winapi/WinExport.h"

// 2.
QV_MODULE_EXPORT uint32_t UI_INTERFACEVERSION();
// The number of pages of this module; a block without pages is counted
// only (nothing is loaded or made). 0 for a block that is not a sheet's, a
// first page whose pages would not fit the block's page count, a resource
// library that cannot be loaded, or a UI model that cannot be made (the
// block then holds nothing of this module). The notice mode answers 1 once
// the notice was shown, 0 when it could not be. The first valid block's
// module handle becomes the module of resource lookups.
QV_MODULE_EXPORT int16_t UI_INITIALIZE(GUIData* data, uint16_t firstPage);
// Deletes the page objects of the slots over the resource library (other
// modules' pages stay), the UI model, and gives back the library's use the
// block took. 0.
QV_MODULE_EXPORT int16_t UI_DESTROY(GUIData* data);
