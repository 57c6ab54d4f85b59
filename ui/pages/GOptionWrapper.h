#pragma once
// The control of one option of a tab: a wrapper that owns its feature (the
// builder allocates the feature, then hands it to the control) and whose
// availability is the feature's state. Every option control of the tabs
// derives from it; a derived control reads and writes its option through
// Option(), which stays null when the builder could not allocate the
// feature, so the control shows nothing and takes nothing.
#include <memory>

#include "ui/framework/GWrapper.h"

// (The parameter is not called Feature: GWrapper's member Feature() would
// hide it inside the class.)
template <class FeatureType> class GOptionWrapper : public GWrapper {
public:
    GOptionWrapper(FeatureType* feature, const GControlHelpPair* table)
        : GWrapper(feature, table), option_(feature) {}

    void Refresh() override {
        if (option_) SetState(option_->GetState());
    }

protected:
    FeatureType* Option() const { return option_.get(); }

private:
    std::unique_ptr<FeatureType> option_;
};
