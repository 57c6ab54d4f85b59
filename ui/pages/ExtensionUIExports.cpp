#include "ui/pages/ExtensionUIExports.h"

#include <new>

#include "driver/GDriver.h"
#include "driver/PageLink.h"
#include "rw/RWWString.h"
#include "ui/framework/GAvailabilityRules.h"
#include "ui/framework/GPropertyPage.h"
#include "ui/framework/GResourceLibrary.h"
#include "ui/framework/GUIModel.h"
#include "ui/pages/JobStorageNotice.h"
#include "ui/pages/SheetTabs.h"

namespace {

constexpr uint16_t kNoticeMode = 0x789B;
constexpr uint32_t kSheetKinds = GUIData::kDocumentSheet | GUIData::kDeviceSheet;

bool IsBlock(const GUIData* data) {
    return data != nullptr && data->size == GUIData::kSizeTag;
}

GUIModel* ModelOf(const GUIData& data) {
    return static_cast<GUIModel*>(data.uiModel);
}

// One use of the resource library and the sheet's UI model in the block;
// false with nothing taken when either cannot be had (a model needs the
// driver instance and the settings it edits). A block holds one model.
bool TakeLibraryAndModel(GUIData& data, RWWString& path) {
    if (data.uiModel != nullptr || data.driver == nullptr || data.settings == nullptr) return false;
    path = data.driver->GetResourceLibraryPath();
    if (path.Length() == 0 || LoadResourceLibrary(path.Data()) == 0) return false;
    try {
        data.uiModel = new GUIModel(&data);
    } catch (const std::bad_alloc&) {
        ReleaseResourceLibrary();
        return false;
    }
    return true;
}

int16_t ShowNotice(GUIData& data) {
    RWWString path;
    if (!TakeLibraryAndModel(data, path)) return 0;
    JobStorageNotice::Show(data, *ModelOf(data), path.Data());
    return 1;
}

int16_t FillPages(GUIData& data, uint16_t firstPage) {
    const SheetFacts facts = SheetTabs::FactsOf(data);
    const int16_t count = SheetTabs::Count(facts);
    if (data.pages == nullptr || count == 0) return count;
    if (firstPage + count > data.pageCount) return 0;
    RWWString path;
    if (!TakeLibraryAndModel(data, path)) return 0;
    MPersistentObject* printer = data.driver->GetPrinterConfiguration();
    GPropertyPage* finishing = SheetTabs::Fill(data.pages + firstPage, facts, ModelOf(data), printer);
    BuildAvailabilityRules(ModelOf(data), printer, finishing);
    return count;
}

void DeleteOwnPages(GUIData& data) {
    HMODULE library = ResourceModule();
    for (uint16_t i = 0; library != nullptr && data.pages != nullptr && i < data.pageCount; ++i) {
        PROPSHEETPAGEW& page = data.pages[i];
        auto* link = reinterpret_cast<PageLink*>(page.lParam);
        if (page.hInstance != library || link == nullptr || link->size != PageLink::kSizeTag) continue;
        delete static_cast<GPropertyPage*>(link->pageObject);
        link->pageObject = nullptr;
    }
}

} // namespace

uint32_t UI_INTERFACEVERSION() {
    return 2;
}

int16_t UI_INITIALIZE(GUIData* data, uint16_t firstPage) {
    if (!IsBlock(data)) return 0;
    // The block carries this module's own handle: the first sheet makes it
    // the module whose resources are looked up.
    SetResourceLookupModule(data->instance);
    if (firstPage == kNoticeMode) return ShowNotice(*data);
    if ((data->kind & kSheetKinds) == 0) return 0;
    return FillPages(*data, firstPage);
}

int16_t UI_DESTROY(GUIData* data) {
    if (!IsBlock(data) || data->uiModel == nullptr) return 0;
    DeleteOwnPages(*data);
    delete ModelOf(*data);
    data->uiModel = nullptr;
    ReleaseResourceLibrary();
    return 0;
}
