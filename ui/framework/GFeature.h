#pragma once
// The model side of one option of a page: it knows which setting it stands
// for, reads and writes it through the UI model, and answers whether its
// control is to be shown and enabled. Every option control owns one; the
// tabs derive their features from this class or from GValueFeature.
// Features hold no value of their own: the settings tree is the only store.
#include <cstdint>

class GUIModel;

class GFeature {
public:
    // States a feature answers: show and enable, show but disable, hide.
    static constexpr uint16_t kEnabled = 0;
    static constexpr uint16_t kDisabled = 1;
    static constexpr uint16_t kHidden = 2;

    explicit GFeature(GUIModel* model) : model_(model) {}
    GFeature(const GFeature&) = delete;
    GFeature& operator=(const GFeature&) = delete;
    virtual ~GFeature();

    // Where availability becomes visible: derived features read the level
    // the rules left for their option (or decide from the settings); never
    // changes settings. The base: enabled.
    virtual uint16_t GetState() { return kEnabled; }
    // The UI model's OwnerLockBits: non-zero when the sheet is locked.
    virtual uint32_t IsLocked();

    // The value of a value attribute with this id anywhere in the current
    // settings (composite 283 included), sign-extended; 0 when there is none.
    int16_t GetSettingValue(uint32_t id) const;

    GUIModel* Model() const { return model_; }

private:
    GUIModel* model_;
};
