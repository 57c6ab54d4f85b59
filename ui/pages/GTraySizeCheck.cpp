#include "ui/pages/GTraySizeCheck.h"

#include <memory>

#include "model/GOptMediaComposite.h"
#include "model/GSettingIds.h"
#include "model/MPersistentIterator.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GPaperHandlingDevice.h"
#include "paper/GTray.h"
#include "ui/framework/GUIModel.h"

int32_t GTraySizeCheck::IsSizeInSomeTray(uint16_t paperId) const {
    return Check(GSettingId::kTraySizeTable, paperId, true);
}

int32_t GTraySizeCheck::IsSizeInSomeTrayStrict(uint16_t paperId) const {
    return Check(GSettingId::kStrictTraySizeTable, paperId, false);
}

int32_t GTraySizeCheck::Check(uint32_t tableId, uint16_t paperId, bool customPasses) const {
    if (model_ == nullptr) return 1;
    const GSettingsAccessor defaults = model_->Defaults();
    MPersistentObject* table = defaults.FindComposite(tableId);
    if (table == nullptr) return 1;
    MPersistentObject* units = defaults.FindComposite(GSettingId::kPaperHandlingUnits);
    if (units == nullptr) return 0;
    const std::unique_ptr<MPersistentIterator> unit = units->CreateIterator();
    while (unit->Advance()) {
        auto* device = dynamic_cast<GPaperHandlingDevice*>(unit->Current());
        if (device == nullptr) continue;
        const std::unique_ptr<MPersistentIterator> holder = device->CreateIterator();
        while (holder->Advance())
            if (const auto* tray = dynamic_cast<const GTray*>(holder->Current()))
                if (TrayFeeds(*table, tray->GetBinId(), paperId, customPasses)) return 1;
    }
    return 0;
}

bool GTraySizeCheck::TrayFeeds(MPersistentObject& table, int16_t trayId, uint16_t paperId,
                               bool customPasses) const {
    const bool custom = paperId >= GCustomMediaSize::kFirstCustomPaperId;
    const std::unique_ptr<MPersistentIterator> entry = table.CreateIterator();
    while (entry->Advance()) {
        const auto* sizes = dynamic_cast<const GOptMediaComposite*>(entry->Current());
        if (sizes == nullptr || sizes->GetFirstWord() != static_cast<uint16_t>(trayId)) continue;
        if (custom && customPasses) return true;
        for (int32_t i = 0; i < static_cast<int32_t>(sizes->GetCount()); ++i)
            if (sizes->GetAt(static_cast<int16_t>(i)) == paperId) return true;
    }
    return false;
}
