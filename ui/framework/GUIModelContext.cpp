// The UI model's forwarders: operations of the driver context run on the
// sheet's current settings, and the comparison of change records.
#include <memory>
#include <utility>

#include "driver/GDriver.h"
#include "driver/GUIData.h"
#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "paper/GCustomMediaSize.h"
#include "ui/framework/GUIModel.h"

int32_t GUIModel::RecordsEqual(const GChangeRecord& a, const GChangeRecord& b) const {
    return a.IsEqual(b);
}

int32_t GUIModel::ForwardToContext(GMediaNameCallback callback, void* data, uint32_t customSizes) {
    GDriverContext* context = Context();
    return context != nullptr ? EnumerateMediaNames(*context, callback, data, customSizes, current_) : 0;
}

int32_t GUIModel::IsPaperSizeInRange(uint16_t paperId) {
    GDriverContext* context = Context();
    return context != nullptr && current_ != nullptr ? context->IsPaperSizeInRange(paperId, current_) : 0;
}

int32_t GUIModel::CheckCustomSize(const GCustomMediaSize& size) {
    GDriverContext* context = Context();
    if (context == nullptr || current_ == nullptr) return 1;
    return context->IsCustomSizeInRange(size, current_) != 0 ? 0 : 1;
}

int32_t GUIModel::IsMediaNameUnlisted(const RWCString& name) {
    GDriverContext* context = Context();
    return context != nullptr ? context->IsMediaNameUnlisted(name) : 1;
}

int32_t GUIModel::CheckPaperId(uint32_t paperId) {
    GDriverContext* context = Context();
    return context != nullptr ? context->CheckPaperIdInSettings(current_, paperId) : 0;
}

uint16_t GUIModel::AddCustomSize(std::unique_ptr<GCustomMediaSize> size) {
    GDriverContext* context = Context();
    MPersistentObject* list =
        current_ != nullptr ? current_->FindById(GSettingId::kCustomPaperSizes) : nullptr;
    if (context == nullptr || list == nullptr || !size) return 0;
    if (context->AddCustomSize(size.get(), list, 0) != 1) return 0;
    return size.release()->GetPaperId(); // the list holds it now
}

int32_t GUIModel::RemoveCustomSize(const GCustomMediaSize* size) {
    GDriverContext* context = Context();
    MPersistentObject* list =
        current_ != nullptr ? current_->FindById(GSettingId::kCustomPaperSizes) : nullptr;
    return context != nullptr ? context->RemoveCustomSize(size, list) : 0;
}
