#pragma once
// Whether fill patterns scale with the output resolution, as they look on
// screen (277: 1 on); always available.
#include "ui/framework/GValueFeature.h"

class GScalePatternsFeature : public GValueFeature {
public:
    explicit GScalePatternsFeature(GUIModel* model);
};
