#include "ui/framework/ExtensionUIExports.h"

#include "ui/framework/GInterimPage.h"
#include "ui/framework/GResourceLibrary.h"

namespace {
constexpr uint16_t kNoticeMode = 0x789B;
constexpr uint32_t kSheetKinds = 0x7; // document (bits 0-1) and device (bit 2) sheets
} // namespace

uint32_t UI_INTERFACEVERSION() {
    return 2;
}

int16_t UI_INITIALIZE(GUIData* data, uint16_t firstPage) {
    if (data == nullptr || data->size != GUIData::kSizeTag) return 0;
    // The block carries this module's own handle: the first sheet makes it
    // the module whose resources are looked up.
    SetResourceLookupModule(data->instance);
    if (firstPage == kNoticeMode) return 0;
    if ((data->kind & kSheetKinds) == 0) return 0;
    constexpr int16_t kPages = 1;
    if (data->pages == nullptr) return kPages;
    if (firstPage >= data->pageCount) return 0;
    GInterimPage::Fill(data->pages[firstPage], *data);
    return kPages;
}

int16_t UI_DESTROY(GUIData*) {
    return 0;
}
