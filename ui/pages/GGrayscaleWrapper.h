#pragma once
// "Print In Grayscale": a check box over 296, checked exactly for 1.
#include "model/GSettingIds.h"
#include "ui/framework/GValueFeature.h"
#include "ui/pages/GCheckBoxWrapper.h"

class GGrayscaleFeature : public GValueFeature {
public:
    explicit GGrayscaleFeature(GUIModel* model) : GValueFeature(model, GSettingId::kGreyscale) {}
};

class GGrayscaleWrapper : public GCheckBoxWrapper<GGrayscaleFeature> {
public:
    // Table: index 0 the check box.
    GGrayscaleWrapper(GGrayscaleFeature* feature, const GControlHelpPair* table)
        : GCheckBoxWrapper(feature, table) {}
};
