#pragma once
// The one door through which the property-sheet side reads and writes a
// settings tree: a small value (three words, copied freely) naming the node
// that finds and writes start from, the UI model of the sheet, and whether
// writing is allowed. Features, rules, controls and dialogs make one for
// each access from the UI model's CurrentSettings(), Defaults(),
// RuleLevels() or Settings3().
//
// Every find is the node's depth-first find by id (first hit wins) followed
// by an exact test of the found object's class id (IsA, not kind-of).
//
// Every write is told to the UI model before it happens (RecordChange), so
// that it can be undone and the availability rules learn which ids changed;
// a read-only accessor answers 0 to every write and changes nothing. A write
// replaces the attribute object in the tree by a new one, so nobody keeps a
// pointer to an attribute across a write.
#include <cstdint>
#include <memory>
#include <vector>

#include "rw/RWCString.h"
#include "rw/RWDefs.h"
#include "rw/RWWString.h"
#include "ui/framework/GChangeRecord.h"

class GEnumAttribute;
class GMedia;
class GMediaPool;
class GRangeAttribute;
class GStringAttribute;
class GUIModel;
class GValueAttribute;
class MPersistentObject;

class GSettingsAccessor {
public:
    // Read-write.
    GSettingsAccessor(MPersistentObject* composite, GUIModel* model);
    // Read-only when readOnly is not 0.
    GSettingsAccessor(MPersistentObject* composite, GUIModel* model, uint32_t readOnly);

    MPersistentObject* Composite() const { return composite_; }
    GUIModel* Model() const { return model_; }
    bool IsReadOnly() const { return readOnly_ != 0; }

    // --- Finding (null or 0 when absent or of another class) -------------------
    MPersistentObject* FindTyped(uint32_t id, RWClassID classId) const;
    int32_t HasKeyOfClass(uint32_t id, RWClassID classId) const;
    GValueAttribute* FindValue(uint32_t id) const;
    GRangeAttribute* FindRange(uint32_t id) const;
    GStringAttribute* FindString(uint32_t id) const;
    GEnumAttribute* FindEnum(uint32_t id) const;
    // The custom paper sizes (276).
    GEnumAttribute* FindEnum276() const;
    // The settings a quick set holds (375), of any class.
    MPersistentObject* FindList375() const;
    // A node: an attribute composite or a choice list, exactly.
    MPersistentObject* FindComposite(uint32_t id) const;
    // 1 when any object has the id.
    int32_t HasKey(uint32_t id) const;
    // A clone the caller owns; null when absent.
    std::unique_ptr<MPersistentObject> CloneAttribute(uint32_t id) const;
    // When FindComposite finds a node it becomes the accessor's node: 1.
    // Else 0 and nothing changes.
    int32_t Descend(uint32_t id);

    // --- Reading: the out value is set in every case but GetList's miss -------
    // The value sign-extended: 1; out 0 and 0 when absent.
    int32_t GetValue(uint32_t id, int16_t& out) const;
    int32_t GetRangeMax(uint32_t id, uint16_t& out) const;
    int32_t GetRangeMin(uint32_t id, uint16_t& out) const;
    int32_t GetRangeStep(uint32_t id, uint16_t& out) const;
    int32_t GetRangeValue(uint32_t id, uint16_t& out) const;
    int32_t GetString(uint32_t id, RWCString& out) const;
    int32_t GetStringAsWide(uint32_t id, RWWString& out) const;
    // Id 189: GetMediaSizeList. Otherwise the values of the node's children,
    // in order, into a cleared list: 1 when every child is a value
    // attribute; 0 at the first that is not (the values before it stay). A
    // missing node: 0, the list untouched.
    int32_t GetList(uint32_t id, std::vector<uint16_t>& out) const;
    // 1 when the newest change of the id since the outermost update began
    // was made at the accessor's level (no path).
    int32_t WasChanged(uint32_t id) const;

    // --- Writing: 0 at once when read-only -------------------------------------
    // 1 when the value is in place (nothing recorded when it already was), 0
    // when no value attribute has the id. In composite 283 a missing id is
    // first added with the value, unrecorded.
    int32_t SetValue(uint32_t id, int16_t value);
    // 0 when no string attribute has the id; 1 otherwise (nothing recorded
    // for equal text).
    int32_t SetString(uint32_t id, const RWCString& text);
    // The same for wide text; 0 also for text the ANSI code page cannot hold.
    int32_t SetStringFromWide(uint32_t id, const RWWString& text);
    // Adds a value attribute when no object has the id; 1 either way. Unrecorded.
    int32_t AddIfMissing(int16_t value, uint32_t id);
    // Adds a new composite holding one value attribute (id 0) per value, in
    // order (none for a null list); 1. Unrecorded; existing nodes are not
    // looked for.
    int32_t AddListComposite(uint32_t id, const std::vector<uint16_t>* values);
    // The node's replace by id with a clone of attribute: its answer.
    int32_t Replace(uint32_t id, const MPersistentObject* attribute);
    // Tells the UI model of a change about to be made in place; 1.
    int32_t NotifyChange(const MPersistentObject* attribute, const GAttributePath* path);

    // --- Media sizes -----------------------------------------------------------
    // Custom ids (16384 to 17383): the UI model's custom media, else the
    // pool's media of size id 1. Other ids: the pool's media. The pool is the
    // media pool 189 below the accessor's node; null without one.
    GMedia* FindMediaSizeById(uint16_t sizeId, int32_t orientation, uint16_t xResolution,
                              uint16_t yResolution) const;
    GMedia* FindMediaSize(uint16_t sizeId, int32_t orientation, uint16_t resolution) const;
    // At the orientation (265) and resolution (323 and 324 in 249; 600 by 600
    // when absent) of the sheet's current settings.
    GMedia* FindMediaSizeForCurrent(uint16_t sizeId) const;
    // The size ids of the pool's media at the current orientation and
    // resolution, in pool order, into a cleared list; while printing on
    // another paper size (270) is off, only sizes between the pool's smallest
    // and largest sheet (17385, 17384). 0 without a pool.
    int32_t GetMediaSizeList(std::vector<uint16_t>& out) const;

private:
    // The settings the current orientation and resolution are read from.
    MPersistentObject* CurrentSettings() const;
    GMediaPool* FindPool() const;
    int32_t ReadRange(uint32_t id, uint16_t& out, int part) const;

    MPersistentObject* composite_;
    GUIModel* model_;
    uint32_t readOnly_;
};
