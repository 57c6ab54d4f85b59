#include "ui/pages/GAdvancedPSWrapper.h"

#include "ui/pages/GOptionControlHelpers.h"

void GAdvancedPSWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->AnyChanged() == 0)) return;
    for (uint16_t place = 0; place < Option()->Size(); ++place)
        ShowGroupBox(Dialog(), ControlId(place), *Option(), place);
}

void GAdvancedPSWrapper::TakeValue() {
    if (Option() == nullptr) return;
    for (uint16_t place = 0; place < Option()->Size(); ++place)
        TakeGroupBox(Dialog(), ControlId(place), *Option(), place);
}

void GAdvancedPSWrapper::Refresh() {
    if (Option() == nullptr) return;
    EnableControl(GAdvancedPSFeature::kSendPjlPlace, Option()->GetState() != GFeature::kDisabled ? 1 : 0);
}
