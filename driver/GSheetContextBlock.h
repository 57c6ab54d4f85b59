#pragma once
// The property-sheet context block: what the driver instance hands the
// property-sheet glue for one sheet (made by GNT40Driver::CreateSheetBlock,
// freed by GNT40Driver::FreeSheetBlock). An in-memory record; its size word
// is the fixed tag the glue checks, not the size of this structure.
#include <cstdint>
#include <memory>

#include "winapi/WinCommonUI.h"
#include "winapi/WinTypes.h"

class GAttributeComposite;
class GDriver;
struct GUIData;

struct GSheetContextBlock {
    // The size tag the glue accepts.
    static constexpr uint32_t kSizeTag = 60;
    // Kinds of sheet.
    static constexpr uint32_t kDocumentSheet = 3;
    static constexpr uint32_t kDeviceSheet = 4;
    // The OK word at creation and once the user pressed OK on a page.
    static constexpr uint16_t kOkWordInitial = 2;
    static constexpr uint16_t kOkWordPressed = 1;
    // Bytes of the platform factory's record.
    static constexpr uint32_t kRecordSize = 12;

    uint32_t size = kSizeTag;
    GDriver* instance = nullptr;
    // The platform factory's record (GOSFactory::Allocate), freed with the block.
    void* record = nullptr;
    // The settings the sheet edits; the block owns them.
    std::unique_ptr<GAttributeComposite> settings;
    uint32_t printerWord = 0;
    HMODULE module = nullptr;
    uint32_t kind = 0;
    uint32_t flags = 0;
    HANDLE hostSheet = nullptr;
    PFNCOMPROPSHEET hostCallBack = nullptr;
    HWND ownerWindow = nullptr;
    PFNPROPSHEETUI sheetFunction = nullptr;
    LPARAM sheetParameter = 0;
    uint16_t okWord = kOkWordInitial;
    GUIData* uiData = nullptr;
};
