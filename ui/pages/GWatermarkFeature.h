#pragma once
// The watermark pool of the sheet's settings (378, one record 380 per
// watermark) and the record being shown or edited, for the Effects page,
// the Watermark Details dialog and the preview. Every feature of a sheet
// works on the one edit state the UI model hands out; nothing about it is
// written into the settings.
//
// A pool may come from a stored DEVMODE or a store, so it is read with
// care: a full or overfull pool never takes a new record, a message is cut
// to 255 characters and a missing field reads its default.
#include <cstdint>
#include <memory>
#include <vector>

#include "rw/RWCString.h"
#include "ui/framework/GFeature.h"
#include "ui/framework/GWatermarkEditState.h"

class MPersistentObject;

class GWatermarkFeature : public GFeature {
public:
    static constexpr size_t kMessageLength = 255;
    // 1112 of a name no built-in watermark bears.
    static constexpr int16_t kOtherIdentity = 999;

    explicit GWatermarkFeature(GUIModel* model);
    ~GWatermarkFeature() override;

    // --- The pool ---------------------------------------------------------------
    // The four default records when the pool has none.
    void EnsureDefaultPool();
    // The copy becomes the record the selection 383 names (the none entry
    // when no record bears it, and 383 is cleared); mode 3, or 0 for none.
    void Reload();
    // Modes 1, 2 and 4 with a name: the copy goes into the pool (in place of
    // the stored record in mode 4) and is selected; mode 3.
    void CommitEdit();
    void DeleteSelected();
    void SetSelection(const RWCString& name);
    void UpdateFirstPageOnly(const RWCString& name);
    // 1 when no record may be added (writing the list-full tip), else 0.
    uint32_t IsListFull();
    MPersistentObject* FindByName(const RWCString& name) const;
    RWCString MakeUniqueName() const;
    // The names of the pool by their upper-cased text, equal ones in pool order.
    std::vector<RWCString> ListedNames() const;
    // The built-in identity of a name: 0 none, 1 "Confidential", 2 "Draft",
    // 3 "SAMPLE", 999 any other.
    static int16_t BuiltInIdentity(const RWCString& name);

    // --- The edit state ---------------------------------------------------------
    uint16_t Mode() const { return state_->mode; }
    // Values above 4 are ignored.
    void SetMode(uint16_t mode);
    // The record shown or edited; null before the first Reload.
    MPersistentObject* WorkingCopy() const { return state_->workingCopy.get(); }
    uint32_t CanEdit() const;
    uint32_t AnyFieldChanged();
    void MarkUserMade();

    // --- The copy's fields --------------------------------------------------------
    void SetName(const RWCString& name);
    void SetMessage(const RWCString& message);
    void SetFontName(const RWCString& face);
    void SetCharSet(uint16_t charSet);
    void SetStyle(uint16_t styleText);
    void SetSize(uint16_t points);
    void SetAngleMode(uint16_t mode);
    void SetAngle(uint16_t degrees);
    void SetShade(uint16_t shadeText);
    void SetColour(uint16_t colourText);

    RWCString Name() const;
    RWCString Message() const;
    RWCString FontName() const;
    uint16_t CharSet() const;
    uint16_t Size() const;
    uint16_t AngleMode() const;
    uint16_t Angle() const;
    // As the string ids of the Style, Shading and Colour lists.
    uint16_t StyleText() const;
    uint16_t ShadeText() const;
    uint16_t ColourText() const;

private:
    MPersistentObject* Pool() const;
    MPersistentObject* EnsurePool();
    MPersistentObject* Copy() const { return state_->workingCopy.get(); }
    RWCString Selection() const;
    // The pool's records with an unsaved new one reach the limit.
    bool PoolIsFull() const;
    void RecordPoolChange();
    RWCString CopyText(uint32_t id) const;
    uint16_t CopyValue(uint32_t id, uint16_t absent) const;
    void PutText(uint32_t id, const RWCString& text);
    void PutValue(uint32_t id, uint16_t value);
    // Records the edit, writes the value and marks a stored record changed.
    void EditValue(uint32_t id, uint16_t value);

    std::shared_ptr<GWatermarkEditState> state_;
};
