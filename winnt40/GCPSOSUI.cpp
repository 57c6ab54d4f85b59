#include "winnt40/GCPSOSUI.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>

#include "driver/GDriverContext.h"
#include "driver/GSheetContextBlock.h"
#include "driver/GUIData.h"
#include "driver/PageLink.h"
#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "winapi/WinHandle.h"
#include "winapi/WinModule.h"
#include "winapi/WinWindow.h"
#include "winnt40/GNTDriverBase.h"
#include "winnt40/PropertySheetGlueExports.h"

namespace {

// Whether a sheet title of this process was extended already.
std::atomic<bool> g_titleExtended{false};

WCHAR* CopyName(const RWWString& name) {
    auto* copy = new WCHAR[name.Length() + 1];
    std::copy_n(name.Data(), name.Length(), copy);
    copy[name.Length()] = u'\0';
    return copy;
}

PageLink* LinkOf(const PROPSHEETPAGEW* page) {
    if (page == nullptr) return nullptr;
    auto* link = reinterpret_cast<PageLink*>(page->lParam);
    return link != nullptr && link->size == PageLink::kSizeTag ? link : nullptr;
}

GStringAttribute* LastPageSetting(GUIData* data) {
    if (data == nullptr || data->settings == nullptr) return nullptr;
    MPersistentObject* node = data->settings->FindById(GSettingId::kDocumentGroup);
    return node != nullptr ? dynamic_cast<GStringAttribute*>(node->FindById(GSettingId::kLastPageTitle))
                           : nullptr;
}

bool HasTitle(const PROPSHEETPAGEW& page) {
    return page.pszTitle != nullptr && !IS_INTRESOURCE(page.pszTitle) && page.pszTitle[0] != u'\0';
}

} // namespace

GCPSOSUI::~GCPSOSUI() = default;

void GCPSOSUI::ForgetTitleExtended() {
    g_titleExtended = false;
}

// --- Building and ending ---------------------------------------------------------------

int16_t GCPSOSUI::Run(GSheetContextBlock* block, uint16_t kind) {
    if (block == nullptr || block->size != GSheetContextBlock::kSizeTag) return 0;
    if (block->uiData != nullptr) End(block);
    GUIData* data = MakeUIData(block);
    block->uiData = data;
    const int16_t pages =
        kind == kSinglePageMode || kind == kNoticeMode ? InitializeFirst(data, kind) : AddPages(data);
    if (pages < 1) return pages;
    return block->hostCallBack == nullptr ? ShowSheet(block) : AddPagesToHost(block);
}

int16_t GCPSOSUI::End(GSheetContextBlock* block) {
    if (block == nullptr || block->uiData == nullptr) return 0;
    Destroy(block->uiData);
    FreeUIData(block->uiData);
    block->uiData = nullptr;
    return 0;
}

GUIData* GCPSOSUI::MakeUIData(GSheetContextBlock* block) {
    auto* data = new GUIData;
    data->driver = block->instance;
    data->settings = block->settings.get();
    auto* context = dynamic_cast<GDriverContext*>(block->instance);
    data->printer = context != nullptr ? context->GetConfiguration() : nullptr;
    data->instance = block->module;
    data->kind = block->kind;
    data->flags = block->flags;
    data->hook = &::DlgProcHook;
    data->request = block;
    data->driverName = CopyName(context != nullptr ? context->GetDriverName() : RWWString());
    data->printerName = CopyName(context != nullptr ? context->GetPrinterName() : RWWString());
    data->portName = CopyName(context != nullptr ? context->GetPortName() : RWWString());
    return data;
}

void GCPSOSUI::FreeUIData(GUIData* data) {
    delete[] data->driverName;
    delete[] data->printerName;
    delete[] data->portName;
    delete data;
}

// --- Showing ------------------------------------------------------------------------------

int16_t GCPSOSUI::ShowSheet(GSheetContextBlock* block) {
    DWORD result = 0;
    if (CommonPropertySheetUIW(block->ownerWindow, block->sheetFunction, block->sheetParameter, &result) < 1)
        return 0;
    return static_cast<int16_t>(result);
}

int16_t GCPSOSUI::AddPagesToHost(GSheetContextBlock* block) {
    GUIData* data = block->uiData;
    const RWWString remembered = LastPageTitle(data);
    int16_t added = 0;
    for (uint16_t i = 0; i < data->pageCount; ++i) {
        PROPSHEETPAGEW& page = data->pages[i];
        page.dwFlags |= PSP_USECALLBACK;
        page.pfnCallback = &::PropPageCallback;
        const LONG_PTR handle = block->hostCallBack(block->hostSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                                                    reinterpret_cast<LPARAM>(&page), 0);
        if (PageLink* link = LinkOf(&page)) link->handle = reinterpret_cast<HPROPSHEETPAGE>(handle);
        if (handle == 0) continue;
        ++added;
        if (remembered.Length() > 0 && HasTitle(page) && remembered == page.pszTitle)
            block->hostCallBack(block->hostSheet, CPSFUNC_SET_HSTARTPAGE, handle, 0);
    }
    return added;
}

RWWString GCPSOSUI::LastPageTitle(GUIData* data) {
    const GStringAttribute* title = LastPageSetting(data);
    return title != nullptr ? RWWString(title->GetValue(), RWWString::MultiByte) : RWWString();
}

// --- Call-backs -------------------------------------------------------------------------------

UINT GCPSOSUI::PropPageCallback(HWND, UINT message, PROPSHEETPAGEW* page) {
    PageLink* link = LinkOf(page);
    if (link == nullptr) return 0;
    if (message == PSPCB_CREATE) {
        link->created = 1;
        return 1;
    }
    if (message == PSPCB_RELEASE) {
        GUIData* data = link->data;
        GSheetContextBlock* block = data != nullptr ? data->request : nullptr;
        if (block != nullptr && data->settings != nullptr && block->settings.get() != data->settings) {
            // The sheet's settings were replaced: the block keeps its own copy.
            std::unique_ptr<MPersistentObject> copy = data->settings->Clone();
            if (auto* settings = dynamic_cast<GAttributeComposite*>(copy.get())) {
                copy.release();
                block->settings.reset(settings);
                data->settings = settings;
            }
        }
        link->released = 1;
    }
    return 0;
}

LRESULT GCPSOSUI::DlgProcHook(HWND window, UINT message, WPARAM, LPARAM lParam, GUIData* data) {
    if (data == nullptr || data->size != GUIData::kSizeTag) return 0;
    if (message == WM_NOTIFY && lParam != 0) {
        const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
        if (code == PSN_APPLY) OnApply(data, window);
        if (code == PSN_KILLACTIVE) OnKillActive(data, window);
    } else if (message == WM_INITDIALOG) {
        ExtendTitle(data, window);
        if (PageLink* link = LinkOf(reinterpret_cast<const PROPSHEETPAGEW*>(lParam))) link->window = window;
    }
    return 0;
}

PROPSHEETPAGEW* GCPSOSUI::FindPage(GUIData* data, HWND window) {
    for (uint16_t i = 0; data->pages != nullptr && i < data->pageCount; ++i) {
        const PageLink* link = LinkOf(&data->pages[i]);
        if (link != nullptr && link->window == window) return &data->pages[i];
    }
    return nullptr;
}

void GCPSOSUI::OnApply(GUIData* data, HWND window) {
    GSheetContextBlock* block = data->request;
    if (block == nullptr) return;
    block->okWord = GSheetContextBlock::kOkWordPressed;
    if (block->hostCallBack == nullptr) return;
    const PageLink* link = LinkOf(FindPage(data, window));
    block->hostCallBack(block->hostSheet, CPSFUNC_SET_RESULT,
                        reinterpret_cast<LPARAM>(link != nullptr ? link->handle : nullptr), CPSUI_OK);
}

void GCPSOSUI::OnKillActive(GUIData* data, HWND window) {
    const PROPSHEETPAGEW* page = FindPage(data, window);
    GStringAttribute* setting = LastPageSetting(data);
    if (page == nullptr || setting == nullptr || !HasTitle(*page)) return;
    setting->SetValue(RWWString(page->pszTitle).ToMultiByte());
}

void GCPSOSUI::ExtendTitle(GUIData* data, HWND window) {
    auto* driver = dynamic_cast<GNTDriverBase*>(data->driver);
    if (driver == nullptr || g_titleExtended.exchange(true)) return;
    const RWWString name = driver->GetResourceModuleName();
    WinScopedModule module(LoadLibraryW(name.Data()));
    if (!module) return;
    std::array<WCHAR, kTitleLength + 1> text{};
    if (LoadStringW(module.Get(), kTitleStringId, text.data(), kTitleLength + 1) <= 0) return;
    const HWND parent = GetParent(window);
    std::array<WCHAR, kTitleLength + 1> title{};
    GetWindowTextW(parent, title.data(), kTitleLength + 1);
    const RWWString extended = RWWString(title.data()) + u" - " + RWWString(text.data());
    SetWindowTextW(parent, extended.Data());
}
