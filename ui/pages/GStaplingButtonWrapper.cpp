#include "ui/pages/GStaplingButtonWrapper.h"

#include "ui/pages/GAccessoryButtonState.h"

void GStaplingButtonWrapper::Refresh() {
    if (Option() == nullptr) return;
    SetState(AccessoryButtonState(Option()->AccessoryKind() == GStaplingButtonFeature::kStaplerStackerKind,
                                  Option()->GetValue()));
}
