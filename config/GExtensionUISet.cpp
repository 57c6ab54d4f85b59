#include "config/GExtensionUISet.h"

#include <cstdlib>

#include "driver/GUIData.h"
#include "driver/PageLink.h"
#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/MPersistentIterator.h"
#include "rw/RWWString.h"
#include "winapi/WinWindow.h"

GExtensionUISet::~GExtensionUISet() = default;

uint32_t GExtensionUISet::Load(GUIData* data) {
    modules_.clear();
    if (data == nullptr || data->settings == nullptr) return 0;
    MPersistentObject* names = data->settings->FindById(GSettingId::kExtensionModules);
    if (names == nullptr || names->AsComposite() == nullptr) return 0;
    const std::unique_ptr<MPersistentIterator> children = names->CreateIterator();
    while (children->Advance()) {
        const auto* name = dynamic_cast<const GStringAttribute*>(children->Current());
        if (name == nullptr) continue;
        auto module = std::make_unique<GExtensionUIManager>();
        if (module->Load(RWWString(name->GetValue(), RWWString::MultiByte), data->instance) == 1)
            modules_.push_back(std::move(module));
    }
    return GetModuleCount();
}

void GExtensionUISet::LoadWhenNeeded(GUIData* data) {
    if (modules_.empty()) Load(data);
}

int16_t GExtensionUISet::AddPages(GUIData* data) {
    if (data == nullptr) return 0;
    LoadWhenNeeded(data);
    uint16_t total = 0;
    for (auto& module : modules_)
        if (data->pages == nullptr) total = static_cast<uint16_t>(total + module->Initialize(data, 0));
    if (static_cast<int16_t>(total) <= 0) return 0;
    MakePages(data, total);
    uint16_t filled = 0;
    for (auto& module : modules_) {
        const int16_t added = module->Initialize(data, filled);
        if (added <= 0) continue;
        if (filled + added <= data->pageCount)
            filled = static_cast<uint16_t>(filled + added);
        else
            module->Destroy(data); // its pages would not fit what it counted
    }
    return static_cast<int16_t>(filled);
}

int16_t GExtensionUISet::InitializeFirst(GUIData* data, uint16_t mode) {
    if (data == nullptr) return 0;
    LoadWhenNeeded(data);
    MakePages(data, 1);
    if (!modules_.empty()) modules_.front()->Initialize(data, mode);
    return 1;
}

void GExtensionUISet::Destroy(GUIData* data) {
    if (data == nullptr) return;
    for (auto& module : modules_)
        module->Destroy(data);
    FreePages(data);
    modules_.clear();
}

void GExtensionUISet::MakePages(GUIData* data, uint16_t count) {
    FreePages(data);
    data->pages = new PROPSHEETPAGEW[count]{};
    data->pageCount = count;
    for (uint16_t i = 0; i < count; ++i) {
        PROPSHEETPAGEW& page = data->pages[i];
        page.dwSize = sizeof(PROPSHEETPAGEW);
        auto* link = new PageLink;
        link->data = data;
        page.lParam = reinterpret_cast<LPARAM>(link);
    }
}

void GExtensionUISet::FreePages(GUIData* data) {
    for (uint16_t i = 0; data->pages != nullptr && i < data->pageCount; ++i) {
        PROPSHEETPAGEW& page = data->pages[i];
        if (page.pszTitle != nullptr && !IS_INTRESOURCE(page.pszTitle))
            std::free(const_cast<WCHAR*>(page.pszTitle));
        delete reinterpret_cast<PageLink*>(page.lParam);
    }
    delete[] data->pages;
    data->pages = nullptr;
    data->pageCount = 0;
}
