// GNTDriverBase: the per-user stores named by the printer's unique id (the
// local job-storage switch and the local watermark pool).
#include <vector>

#include "driver/GOSFactory.h"
#include "driver/GSettingValues.h"
#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"
#include "winnt40/GNTDriverBase.h"

namespace {

constexpr uint16_t kSharedWatermark = 1;
constexpr uint16_t kLocalWatermark = 2;
constexpr const char16_t* kQuorvexKey = u"Software\\Quorvex\\";

// The watermark's locality (1125) made value; added when missing.
void MarkLocality(MPersistentObject& watermark, uint16_t value) {
    if (!GSettingValues::Set(&watermark, GSettingId::kWatermarkLocality, value))
        watermark.Add(new GValueAttribute(value, GSettingId::kWatermarkLocality));
}

const GStringAttribute* TextOf(MPersistentObject& watermark) {
    return dynamic_cast<const GStringAttribute*>(watermark.FindById(GSettingId::kWatermarkName));
}

} // namespace

RWWString GNTDriverBase::GetPrinterUniqueId() {
    GOSFactory* factory = GOSFactory::Instance();
    if (factory == nullptr) return RWWString();
    const RWWString stored = factory->GetPrinterDataString(this, kPrinterUuidValue, RWWString());
    // The id names registry keys as 8-bit text.
    return RWWString(stored.ToMultiByte(), RWWString::MultiByte);
}

RWWString GNTDriverBase::GetLocalJobStorageKey() {
    return RWWString(kQuorvexKey) + GetPrinterUniqueId() + u"\\LocalJobStorageData";
}

int32_t GNTDriverBase::SetLocalJobStorage(uint32_t flag) {
    GOSFactory* factory = GOSFactory::Instance();
    if (factory == nullptr) return 0;
    return factory->SetUserDword(GetLocalJobStorageKey(), u"LocalJobStorage", flag) != 0 ? 1 : 0;
}

RWWString GNTDriverBase::GetLocalWatermarkPoolKey() {
    return RWWString(u"???\\") + kUserRootText + u"\\" + kQuorvexKey + GetPrinterUniqueId() +
           u"\\LocalWatermarkPoolData\\LocalWatermarkPool";
}

int32_t GNTDriverBase::SaveLocalWatermarkPool(const GAttributeComposite& pool) {
    return StoreValue(GetLocalWatermarkPoolKey(), &pool) != 0 ? 1 : 0;
}

int32_t GNTDriverBase::SaveLocalWatermarks(GAttributeComposite& watermarks) {
    MPersistentObject* list = watermarks.FindById(GSettingId::kWatermarkPool);
    if (list == nullptr) return 0;
    GAttributeComposite pool(GSettingId::kWatermarkPool);
    for (MPersistentObject* watermark : GSettingValues::Children(list)) {
        if (GSettingValues::Get(watermark, GSettingId::kWatermarkLocality) == kLocalWatermark)
            pool.Add(watermark->Clone().release());
    }
    return SaveLocalWatermarkPool(pool);
}

void GNTDriverBase::MergeLocalWatermarks(GAttributeComposite& watermarks) {
    MPersistentObject* list = watermarks.FindById(GSettingId::kWatermarkPool);
    if (list == nullptr) return;
    for (MPersistentObject* watermark : GSettingValues::Children(list)) {
        if (watermark->FindById(GSettingId::kWatermarkLocality) == nullptr)
            MarkLocality(*watermark, kSharedWatermark);
    }
    const std::unique_ptr<MPersistentObject> pool = RestoreValue(GetLocalWatermarkPoolKey());
    if (pool == nullptr) return;
    for (MPersistentObject* local : GSettingValues::Children(pool.get())) {
        const GStringAttribute* name = TextOf(*local);
        for (MPersistentObject* entry : GSettingValues::Children(list)) {
            const GStringAttribute* entryName = TextOf(*entry);
            if (name != nullptr && entryName != nullptr && entryName->GetValue() == name->GetValue()) {
                list->Remove(entry); // the list was its only holder: deleted with the handle
                break;
            }
        }
        std::unique_ptr<MPersistentObject> copy = local->Clone();
        MarkLocality(*copy, kLocalWatermark);
        list->Add(copy.release());
    }
}
