#pragma once
// The base of the availability rules: after every change they decide which
// options are enabled, disabled or hidden, and why, and resolve some
// conflicts by changing settings themselves. The UI model owns the rules
// and runs them in its propagation (GUIModel::Propagate): Reset once before
// the first pass, then Evaluate on every pass.
//
// A rule's result lies in composite 283 of the current settings as a pair
// per option it governs: the level at an id n (0 enabled, 1 disabled, 2
// hidden; within one propagation a level only rises) and the string id of
// its reason at n + 1 (0 none). The option's feature reads the pair.
//
// Conflict dialogs ask the user with the reason text, the caption
// "Incompatible Options", OK and Cancel and the information icon; Cancel
// undoes every change since the outermost update began (UndoAll), and the
// rule then writes nothing more in that evaluation.
#include <cstdint>
#include <vector>

#include "rw/RWWString.h"
#include "winapi/WinTypes.h"

class GUIModel;

class GConstraintRule {
public:
    // The conflict dialog's caption and style (MB_OKCANCEL | MB_ICONASTERISK).
    static constexpr uint16_t kConflictCaption = 5100;
    static constexpr UINT kConflictStyle = 65;

    explicit GConstraintRule(GUIModel* model) : model_(model) {}
    GConstraintRule(const GConstraintRule&) = delete;
    GConstraintRule& operator=(const GConstraintRule&) = delete;
    // Rules carry fields of their own and are deleted through this base.
    virtual ~GConstraintRule();

    // Sets the levels and messages of the governed options back to 0.
    virtual void Reset() {}
    // keys: the ids changed since the last pass. With firstPass 1 every
    // condition reads its settings; with 0 a condition may skip the reading
    // when none of its ids is among keys.
    virtual void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) = 0;
    virtual int32_t Query(uint32_t) { return 0; }
    // In composite 283: writes level when it is higher than the stored one;
    // adds the id with level when it is missing.
    virtual void RaiseLevel(uint32_t id, uint16_t level);
    // In composite 283: the id's value becomes 0 (added when missing).
    virtual void ClearLevel(uint32_t id);
    // 1 when a child of the locked-settings node (1102) of the current
    // settings has this value, else 0 (also without the node).
    virtual int32_t ValueInList(int16_t value);

    // A message box owned by window; its answer.
    int ShowMessage(HWND window, const RWWString& text, const RWWString& caption, UINT flags);

    GUIModel* Model() const { return model_; }

protected:
    static bool Changed(const std::vector<uint32_t>& keys, uint32_t id);
    // The conflict dialog with the reason textId, owned by the UI model's
    // window: true when the user pressed Cancel (the changes since the
    // outermost update are then undone).
    bool AskConflict(uint16_t textId);

private:
    GUIModel* model_;
};
