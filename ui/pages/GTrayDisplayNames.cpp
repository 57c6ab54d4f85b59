#include "ui/pages/GTrayDisplayNames.h"

#include "model/GResourceMappingList.h"
#include "ui/framework/GUIModel.h"

namespace {

int32_t StringIdOfTray(MPersistentObject* table, uint16_t trayId) {
    auto* list = dynamic_cast<GResourceMappingList*>(table);
    const GResourceMapping* entry = list == nullptr ? nullptr : list->FindBySecond(trayId);
    return entry == nullptr ? -1 : static_cast<int32_t>(entry->GetValue32());
}

} // namespace

int32_t TrayDisplayNameId(const GUIModel* model, uint16_t trayId) {
    return model == nullptr ? -1 : StringIdOfTray(model->ContextValue2(), trayId);
}

int32_t TrayDisplayNameIdInPairs(const GUIModel* model, uint16_t trayId) {
    return model == nullptr ? -1 : StringIdOfTray(model->ContextValue1(), trayId);
}
