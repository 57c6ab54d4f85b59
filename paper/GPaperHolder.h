#pragma once
// What an input tray (device/GTray.h) and an output bin (device/GBin.h) have
// in common: a name, the 16-bit bin id other parts look them up by, two
// auxiliary values nothing interprets, a capacity and a threshold in sheets
// (-1 when unknown or none), and the display string the user interface
// shows.
//
// Not a class of its own for the factory or the kind test: a tray is of kind
// 1001, 753 and 751, a bin of 1009, 753 and 751. Each writes its own version
// word and then, through the helpers below, the common fields in this order:
//   name, i16 bin id, i32 value 1, i32 value 2, i32 capacity, i32 threshold
// followed by its own fields, and last the display string as a nested object
// (read only from version-1 records).
#include <cstdint>
#include <memory>

#include "model/GAttribute.h"
#include "model/GDisplayString.h"
#include "rw/RWCString.h"

class GPaperHolder : public GAttribute {
public:
    static constexpr int32_t kUnknown = -1;

    // The tray's or bin's name, bin id and attribute id; capacity and
    // threshold -1, every other value 0, a default display string.
    GPaperHolder(const RWCString& name, int16_t binId, uint32_t id);
    GPaperHolder(const RWCString& name, int16_t binId, int32_t value1, int32_t value2, int32_t capacity,
                 int32_t threshold, const GDisplayString& displayString, uint32_t id);
    // Id, serial, changed and every field, the display string copied.
    GPaperHolder(const GPaperHolder& other);
    GPaperHolder& operator=(const GPaperHolder& other);
    ~GPaperHolder() override;

    const RWCString& GetName() const { return name_; }
    int16_t GetBinId() const { return binId_; }
    int32_t GetValue1() const { return value1_; }
    int32_t GetValue2() const { return value2_; }
    int32_t GetCapacity() const { return capacity_; }
    int32_t GetThreshold() const { return threshold_; }
    const GDisplayString& GetDisplayString() const { return *displayString_; }

    void SetValue2(int32_t value) { value2_ = value; }
    void SetCapacity(int32_t capacity) { capacity_ = capacity; }
    void SetDisplayString(const GDisplayString& displayString) { *displayString_ = displayString; }

    // Not as percent: the threshold must lie below the capacity (signed).
    // As percent: the capacity must be known (above 0) and value 0 to 100;
    // the threshold becomes capacity × value / 100 sheets. 1 when the
    // threshold was set, else 0 and nothing changes.
    int32_t SetThreshold(int32_t value, bool asPercent);

protected:
    void SetName(const RWCString& name) { name_ = name; }
    void SetValue1(int32_t value) { value1_ = value; }

    // The common fields compared: names byte for byte, bin ids, the four
    // values and the display strings.
    bool SameHolder(const GPaperHolder& other) const;
    // The bytes of the common fields before the class's own ones (a binary
    // file's count: the name's length word and bytes, 2 + 4 × 4), and of the
    // display string as a nested object.
    uint32_t HolderStoreSize() const;
    uint32_t DisplayStringStoreSize() const;

    // The common fields after the class's version word, and the display
    // string last. A restore takes the fields all or none and answers
    // whether the restore may go on; a display string must be one (not nil,
    // not another class), else the restore fails.
    template <class Carrier> void SaveHolder(Carrier& carrier) const;
    template <class Carrier> bool RestoreHolder(Carrier& carrier);
    template <class Carrier> void SaveDisplayString(Carrier& carrier) const;
    template <class Carrier> void RestoreDisplayString(Carrier& carrier);

private:
    RWCString name_;
    int16_t binId_ = 0;
    int32_t value1_ = 0;
    int32_t value2_ = 0;
    int32_t capacity_ = kUnknown;
    int32_t threshold_ = kUnknown;
    // Never null. Held by pointer: a restored one is the object the graph
    // made, which must live as long as the restore that may name it again.
    std::unique_ptr<GDisplayString> displayString_;
};
