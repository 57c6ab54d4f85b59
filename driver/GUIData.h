#pragma once
// The block every extension-UI entry point (UI_INITIALIZE, UI_DESTROY, ...)
// receives for one property sheet: made by the property-sheet glue
// (GCPSOSUI::Run) from its context block, given its pages by the extension
// set (GExtensionUISet), and freed by GCPSOSUI::End. An in-memory record
// shared by modules of this build; its size word is the tag the entry
// points check.
//
// Page records are PROPSHEETPAGEW with dwSize 40 and a PageLink on lParam;
// a module that sets pszTitle allocates it with malloc (the set frees it
// with free when the sheet ends).
#include <cstdint>

#include "winapi/WinCommonUI.h"
#include "winapi/WinTypes.h"

class GAttributeComposite;
class GDriver;
class MPersistentObject;
struct GSheetContextBlock;
struct GUIData;

// The page-message hook of the sheet: every page hands it its messages.
using GUIDataHook = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam, GUIData* data);

struct GUIData {
    static constexpr uint32_t kSizeTag = 60;
    // Kinds: document sheet, device sheet, a configuration call without a sheet.
    static constexpr uint32_t kDocumentSheet = 3;
    static constexpr uint32_t kDeviceSheet = 4;
    static constexpr uint32_t kConfigurationCall = 0;

    uint32_t size = kSizeTag;
    GDriver* driver = nullptr;
    // The settings the sheet edits (the context block's).
    GAttributeComposite* settings = nullptr;
    // The printer's configuration tree (the driver context's).
    MPersistentObject* printer = nullptr;
    // The module handle of the system's own module.
    HMODULE instance = nullptr;
    uint32_t kind = 0;
    uint32_t flags = 0;
    GUIDataHook hook = nullptr;
    uint16_t pageCount = 0;
    PROPSHEETPAGEW* pages = nullptr;
    GSheetContextBlock* request = nullptr;
    // The sheet's UI model (a GUIModel) that the system's own UI_INITIALIZE
    // makes and its UI_DESTROY deletes.
    void* uiModel = nullptr;
    // NUL-terminated copies of the driver context's names.
    WCHAR* driverName = nullptr;
    WCHAR* printerName = nullptr;
    WCHAR* portName = nullptr;
};
