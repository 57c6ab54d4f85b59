#pragma once
// A feature bound to one 16-bit value attribute of the current settings.
#include <cstdint>

#include "ui/framework/GFeature.h"

class GValueFeature : public GFeature {
public:
    GValueFeature(GUIModel* model, uint32_t attributeId) : GFeature(model), attributeId_(attributeId) {}

    // 1 when the value is in place (also when it already was), 0 when the
    // current settings hold no value attribute with the id.
    virtual int32_t SetValue(int16_t value);
    // 1 when the newest change of the id since the outermost update began
    // was made at the current settings' root level.
    virtual int32_t WasChanged();
    // The value sign-extended; 0 when absent.
    virtual int16_t GetValue();

    uint32_t AttributeId() const { return attributeId_; }

private:
    uint32_t attributeId_;
};
