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
    // Every box is offered again, so that a locked sheet keeps them all
    // disabled; the rules take only the PJL box.
    const bool sendPjl = Option()->GetState() != GFeature::kDisabled;
    for (uint16_t place = 0; place < Option()->Size(); ++place)
        EnableControl(place, place != GAdvancedPSFeature::kSendPjlPlace || sendPjl ? 1 : 0);
}
