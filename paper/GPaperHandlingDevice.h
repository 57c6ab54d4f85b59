#pragma once
// One paper-handling unit of the printer (class 1010,
// "GPaperHandlingDevice"): an input unit offering trays (type 0) or an output
// unit offering bins (type 1). A unit can have several configurations; each
// is a set (a GAttributeComposite of GTray or GBin) stored under a 16-bit
// key, and one key is current. Seen as a composite, the unit shows the
// children of its current set.
//
// The sets are kept in a dictionary of 16 buckets: a key's bucket is the key
// modulo 16, each bucket keeps its entries in insertion order, and at most
// one entry exists per key. Bucket order, in which keys are listed, saved
// and searched, is bucket 0 to 15, each in insertion order. Sets are shared
// through counted pointers; a copied unit shares the same set objects. An
// entry may hold no set (a restored nil pointer).
//
// Invariant: a unit that is not optional is installed.
//
// Saved form, after the GAttribute part (model/GAttribute.h):
//   u32 version (written as 1), name, i32 type, i32 optional, i32 installed,
//   u16 current key, u32 entry count n, n times {u16 key, the set as an
//   object pointer (back-references apply)}, then for version 1: i32
//   identification mode, i32 keyed by report, the display string as a
//   nested object
// A restore empties the dictionary first and keeps the stored current key as
// it is, and a unit that is not optional comes back installed. The count
// only bounds the loop, which ends when the data does; a set must be an
// attribute composite (else REF), and a key stored twice keeps its last set. A version-0 record ends after
// the sets: identification mode 1, keyed by report 1 when two or more sets were read (else 0), the default
// display string. A newer version reads nothing more.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/GAttribute.h"
#include "model/GAttributeComposite.h"
#include "model/GCountedPtr.h"
#include "model/GDisplayString.h"
#include "model/MPersistentClass.h"
#include "rw/RWCString.h"
#include "rw/RWCarrier.h"

class GBin;
class GTray;

class GPaperHandlingDevice : public GAttribute {
    MPERSISTENT_CLASS_MEMBERS(GPaperHandlingDevice, GAttribute, 1010)
    RW_DECLARE_GUTS()

public:
    enum DeviceType : uint32_t { kInputUnit = 0, kOutputUnit = 1 };
    // How installed-options discovery recognises the unit in the printer's
    // report.
    enum IdentificationMode : int32_t { kNameContained = 1, kNameEqual = 2, kNotLookedFor = 3 };
    static constexpr size_t kBuckets = 16;
    static constexpr uint32_t ClassVersion() { return 1; }

    // Empty name, input unit, optional, not installed, no sets, current key
    // 0, identification mode 0, keyed by report 0, id 0.
    GPaperHandlingDevice();
    // A unit that is not optional is installed whatever installed says.
    GPaperHandlingDevice(const RWCString& name, uint32_t deviceType, uint32_t optional, uint32_t installed,
                         int32_t identificationMode, int32_t keyedByReport, uint32_t id = 0);
    // The same with the display string from its id and two texts.
    GPaperHandlingDevice(uint16_t displayStringId, const RWCString& name, uint32_t deviceType,
                         uint32_t optional, uint32_t installed, int32_t identificationMode,
                         int32_t keyedByReport, const char* displayText1, const char* displayText2,
                         uint32_t id = 0);
    // Id, serial, changed and every field; the same keys in the same order,
    // sharing the same sets.
    GPaperHandlingDevice(const GPaperHandlingDevice& other);
    GPaperHandlingDevice& operator=(const GPaperHandlingDevice& other);
    ~GPaperHandlingDevice() override;

    // GAttribute + 26 + the name's length + for each set 2 + its nested size
    // + 8 + the display string's nested size.
    uint32_t BinaryStoreSize() const override;

    // The same object; or the same class and id, equal names, type, flags,
    // current key, identification mode, keyed by report and display string,
    // and the same number of sets (the sets themselves are not compared).
    bool IsEqualId(const MPersistentObject* other) const override;
    // No device takes a unit: status 1, nothing called.
    uint16_t Apply(GPeripheral& device) override;
    // Over the current set's children (the caller owns it, this unit must
    // keep the set meanwhile); an empty iterator when the current key has no
    // set.
    std::unique_ptr<MPersistentIterator> CreateIterator() override;

    // Stores set under key, replacing the key's entry if there is one (the
    // new entry goes to the end of its bucket); the first key added while the
    // current key is 0 becomes current. A set nobody holds is taken over.
    void AddTraySet(uint16_t key, GAttributeComposite* set);
    // Removes the key's entry and hands its set to the caller: the set itself
    // when the unit held the last reference, else a copy. Removing the
    // current key makes the first remaining key in bucket order that has a
    // set current (0 when there is none). Null when the key is absent.
    std::unique_ptr<GAttributeComposite> RemoveTraySet(uint16_t key);
    // The key's set (borrowed), or null.
    GAttributeComposite* FindSet(uint16_t key) const;
    int32_t HasKey(uint16_t key) const;
    // 1 when the key is present and becomes current, else 0.
    int32_t SetCurrentKey(uint16_t key);
    uint16_t GetCurrentKey() const { return currentKey_; }
    uint32_t GetKeyCount() const { return entryCount_; }
    // keys emptied, then every key appended in bucket order.
    void GetKeys(std::vector<uint16_t>& keys) const;

    // Children of the current set; 0 when it has none.
    uint32_t GetCurrentSetSize() const;
    // The smallest non-zero child count over all sets; 0 when none has any.
    uint32_t GetMinSetSize() const;
    // The largest child count over all sets; 0 when there are none.
    uint32_t GetMaxSetSize() const;

    // The first tray (of an input unit) / bin (of an output unit) of the
    // current set with binId; null when there is none.
    GTray* FindTrayByBinId(int16_t binId) const;
    GBin* FindBinByBinId(int16_t binId) const;

    // optional := flag; a flag of 0 also makes the unit installed.
    void SetOptional(uint32_t flag);
    // Only an optional unit changes: 1, else 0.
    int32_t SetInstalled(uint32_t flag);
    // Return the value they replace.
    int32_t SetIdentificationMode(int32_t mode);
    int32_t SetKeyedByReport(int32_t value);

    void GetName(RWCString& name) const { name = name_; }
    uint32_t GetType() const { return deviceType_; }
    uint32_t IsOptional() const { return optional_; }
    uint32_t IsInstalled() const { return installed_; }
    int32_t GetIdentificationMode() const { return identificationMode_; }
    int32_t GetKeyedByReport() const { return keyedByReport_; }
    const GDisplayString& GetDisplayString() const { return *displayString_; }
    void SetDisplayString(const GDisplayString& displayString) { *displayString_ = displayString; }

private:
    struct Entry {
        uint16_t key;
        GCountedPtr set;
    };
    using Bucket = std::vector<Entry>;

    static size_t BucketOf(uint16_t key) { return key % kBuckets; }
    const Entry* FindEntry(uint16_t key) const;
    // Replaces the key's entry or appends one; the current key is untouched.
    void InsertSet(uint16_t key, const GCountedPtr& set);
    void RemoveAllSets();
    // f(entry) for every entry in bucket order.
    template <typename Function> void ForEachEntry(Function f) const;
    // The current set's child with binId and class T.
    template <typename T> T* FindInCurrentSet(int16_t binId) const;

    RWCString name_;
    uint32_t deviceType_ = kInputUnit;
    uint32_t optional_ = 1;
    uint32_t installed_ = 0;
    uint16_t currentKey_ = 0;
    std::array<Bucket, kBuckets> buckets_;
    uint32_t entryCount_ = 0;
    int32_t identificationMode_ = 0;
    int32_t keyedByReport_ = 0;
    // Never null; held by pointer for the reason device/GPaperHolder.h gives.
    std::unique_ptr<GDisplayString> displayString_;
};
