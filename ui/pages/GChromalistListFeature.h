#pragma once
// An option chosen from a list of the defaults: each choice a 16-bit code
// (what the setting stores) and the string id of its label. On its own it
// is a plain value (the CMYK inkset emulation, 605 with its list 606); the
// colour-control options derive from it.
#include <cstdint>
#include <vector>

#include "ui/framework/GValueFeature.h"

class GChromalistListFeature : public GValueFeature {
public:
    struct Choice {
        uint16_t code;
        int32_t stringId; // -1 without a label
    };

    GChromalistListFeature(GUIModel* model, uint32_t attributeId, uint32_t listId)
        : GValueFeature(model, attributeId), listId_(listId) {}

    // The defaults' list the choices come from.
    virtual uint32_t ListId() const { return listId_; }
    // The choices of the list, in order; empty without the list.
    std::vector<Choice> Choices() const;

private:
    uint32_t listId_;
};
