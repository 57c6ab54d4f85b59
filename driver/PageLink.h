#pragma once
// The page parameter block: one per page record of a property sheet, hung
// on the record's lParam by the extension set (GExtensionUISet) and freed
// with the records. The glue (GCPSOSUI) records in it the page's window and
// the handle its sheet gave the page, and marks the page created and
// released; the module that owns the page keeps its page object in it. An
// in-memory record: its size word is the tag the owners check.
#include <cstdint>

#include "winapi/WinCommonUI.h"
#include "winapi/WinTypes.h"

struct GUIData;

struct PageLink {
    static constexpr uint32_t kSizeTag = 28;

    uint32_t size = kSizeTag;
    // The page's dialog window (at WM_INITDIALOG) and its handle in the
    // sheet (CPSFUNC_ADD_PROPSHEETPAGEW), both the glue's.
    HWND window = nullptr;
    HPROPSHEETPAGE handle = nullptr;
    GUIData* data = nullptr;
    uint32_t created = 0;
    uint32_t released = 0;
    // The owning module's page object.
    void* pageObject = nullptr;
};
