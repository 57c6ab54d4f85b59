#pragma once
// A value feature that also knows the kind of the optional output unit in
// use: its name (text 316) compared with the model codes of the accessory
// table, the matching entry's output-unit kind, 0 for none. The stacker
// button is offered for kind 10 only.
#include <cstdint>

#include "ui/framework/GValueFeature.h"

class GStackerKindFeature : public GValueFeature {
public:
    static constexpr int16_t kStackerKind = 10;

    GStackerKindFeature(GUIModel* model, uint32_t attributeId) : GValueFeature(model, attributeId) {}

    int16_t OutputUnitKind() const;
};
