#include "ui/pages/GChromalistOptionFeature.h"

#include "model/GSettingIds.h"
#include "model/MPersistentObject.h"
#include "ui/framework/GUIModel.h"
#include "ui/pages/GChromalistCodes.h"

MPersistentObject* GChromalistOptionFeature::CurrentControl() const {
    GSettingsAccessor settings = Model()->CurrentSettings();
    if (groupId_ != GSettingId::kDocumentGroup && settings.Descend(groupId_) == 0) return nullptr;
    MPersistentObject* node = settings.Composite();
    return node == nullptr ? nullptr : node->FindById(AttributeId());
}

int16_t GChromalistOptionFeature::GetValue() {
    uint8_t code = 0;
    return GChromalistCodes::Get(CurrentControl(), Kind(), field_, code) != 0 ? code : 0;
}

int32_t GChromalistOptionFeature::SetValue(int16_t value) {
    MPersistentObject* control = CurrentControl();
    uint8_t code = 0;
    if (GChromalistCodes::Get(control, Kind(), field_, code) == 0) return 0;
    const auto wanted = static_cast<uint8_t>(value);
    if (code == wanted) return 1;
    if (Model()->CurrentSettings().NotifyChange(control, nullptr) == 0) return 0;
    return GChromalistCodes::Set(control, Kind(), field_, wanted);
}

int32_t GChromalistOptionFeature::WasChanged() {
    return Model()->CurrentSettings().WasChanged(AttributeId());
}
