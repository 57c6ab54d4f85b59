#include "ui/pages/GTrueTypeModeFeature.h"

#include "driver/GDriver.h"
#include "model/GSettingIds.h"
#include "ui/framework/GUIModel.h"

namespace {

bool BitmapsForcedBy(GUIModel* model) {
    GDriver* driver = model == nullptr ? nullptr : model->DriverInstance();
    return driver != nullptr && driver->GetSetting958() != 0;
}

} // namespace

GTrueTypeModeFeature::GTrueTypeModeFeature(GUIModel* model)
    : GValueGroupFeature(model, {GSettingId::kTrueTypeSendMode, GSettingId::kFontSubstitution,
                                 GSettingId::kThirdFontOption}),
      forced_(BitmapsForcedBy(model)) {}

int16_t GTrueTypeModeFeature::SendMode() const {
    return forced_ ? kBitmaps : Value(kSendModePlace);
}

int32_t GTrueTypeModeFeature::SetSendMode(int16_t mode) {
    const int32_t stored = SetValue(kSendModePlace, mode);
    const int16_t asBitmaps = mode == kBitmaps || forced_ ? 1 : 0;
    return Model()->CurrentSettings().SetValue(GSettingId::kTrueTypeAsBitmaps, asBitmaps) & stored;
}
