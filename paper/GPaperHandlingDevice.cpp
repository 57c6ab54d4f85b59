#include "paper/GPaperHandlingDevice.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "model/MPersistentEmptyIterator.h"
#include "paper/GBin.h"
#include "paper/GRestoreOwned.h"
#include "paper/GTray.h"

GPaperHandlingDevice::GPaperHandlingDevice() : displayString_(std::make_unique<GDisplayString>()) {}

GPaperHandlingDevice::GPaperHandlingDevice(const RWCString& name, uint32_t deviceType, uint32_t optional,
                                           uint32_t installed, int32_t identificationMode,
                                           int32_t keyedByReport, uint32_t id)
    : GAttribute(id), name_(name), deviceType_(deviceType), optional_(optional),
      installed_(optional == 0 ? 1 : installed), identificationMode_(identificationMode),
      keyedByReport_(keyedByReport), displayString_(std::make_unique<GDisplayString>()) {}

GPaperHandlingDevice::GPaperHandlingDevice(uint16_t displayStringId, const RWCString& name,
                                           uint32_t deviceType, uint32_t optional, uint32_t installed,
                                           int32_t identificationMode, int32_t keyedByReport,
                                           const char* displayText1, const char* displayText2, uint32_t id)
    : GPaperHandlingDevice(name, deviceType, optional, installed, identificationMode, keyedByReport, id) {
    *displayString_ = GDisplayString(displayStringId, displayText1, displayText2);
}

GPaperHandlingDevice::GPaperHandlingDevice(const GPaperHandlingDevice& other)
    : GAttribute(other), name_(other.name_), deviceType_(other.deviceType_), optional_(other.optional_),
      installed_(other.installed_), currentKey_(other.currentKey_), buckets_(other.buckets_),
      entryCount_(other.entryCount_), identificationMode_(other.identificationMode_),
      keyedByReport_(other.keyedByReport_),
      displayString_(std::make_unique<GDisplayString>(*other.displayString_)) {}

GPaperHandlingDevice& GPaperHandlingDevice::operator=(const GPaperHandlingDevice& other) {
    if (this != &other) {
        // The sets are taken before the old ones are released, so assigning
        // from a unit that only this one's sets keep alive is safe.
        std::array<Bucket, kBuckets> buckets = other.buckets_;
        GAttribute::operator=(other);
        name_ = other.name_;
        deviceType_ = other.deviceType_;
        optional_ = other.optional_;
        installed_ = other.installed_;
        currentKey_ = other.currentKey_;
        entryCount_ = other.entryCount_;
        identificationMode_ = other.identificationMode_;
        keyedByReport_ = other.keyedByReport_;
        *displayString_ = *other.displayString_;
        buckets_.swap(buckets);
    }
    return *this;
}

GPaperHandlingDevice::~GPaperHandlingDevice() = default;

// --- Dictionary ----------------------------------------------------------------

template <typename Function> void GPaperHandlingDevice::ForEachEntry(Function f) const {
    for (const Bucket& bucket : buckets_) {
        for (const Entry& entry : bucket) {
            f(entry);
        }
    }
}

const GPaperHandlingDevice::Entry* GPaperHandlingDevice::FindEntry(uint16_t key) const {
    const Bucket& bucket = buckets_[BucketOf(key)];
    const auto found =
        std::find_if(bucket.begin(), bucket.end(), [key](const Entry& e) { return e.key == key; });
    return found != bucket.end() ? &*found : nullptr;
}

void GPaperHandlingDevice::InsertSet(uint16_t key, const GCountedPtr& set) {
    Bucket& bucket = buckets_[BucketOf(key)];
    // The new entry is in place before the old one is released.
    bucket.push_back(Entry{key, set});
    const auto old =
        std::find_if(bucket.begin(), bucket.end() - 1, [key](const Entry& e) { return e.key == key; });
    if (old != bucket.end() - 1) {
        bucket.erase(old);
        return;
    }
    ++entryCount_;
}

void GPaperHandlingDevice::RemoveAllSets() {
    for (Bucket& bucket : buckets_) {
        bucket.clear();
    }
    entryCount_ = 0;
}

void GPaperHandlingDevice::AddTraySet(uint16_t key, GAttributeComposite* set) {
    InsertSet(key, GCountedPtr(set));
    if (currentKey_ == 0) {
        currentKey_ = key;
    }
}

std::unique_ptr<GAttributeComposite> GPaperHandlingDevice::RemoveTraySet(uint16_t key) {
    Bucket& bucket = buckets_[BucketOf(key)];
    const auto found =
        std::find_if(bucket.begin(), bucket.end(), [key](const Entry& e) { return e.key == key; });
    if (found == bucket.end()) {
        return nullptr;
    }
    GCountedPtr set = std::move(found->set);
    bucket.erase(found);
    --entryCount_;

    if (key == currentKey_) {
        currentKey_ = 0;
        bool chosen = false;
        ForEachEntry([&](const Entry& entry) {
            if (!chosen && entry.set) {
                currentKey_ = entry.key;
                chosen = true;
            }
        });
    }
    std::unique_ptr<MPersistentObject> detached = set.Detach();
    return std::unique_ptr<GAttributeComposite>(static_cast<GAttributeComposite*>(detached.release()));
}

GAttributeComposite* GPaperHandlingDevice::FindSet(uint16_t key) const {
    const Entry* entry = FindEntry(key);
    return entry != nullptr ? entry->set.As<GAttributeComposite>() : nullptr;
}

int32_t GPaperHandlingDevice::HasKey(uint16_t key) const {
    return FindEntry(key) != nullptr ? 1 : 0;
}

int32_t GPaperHandlingDevice::SetCurrentKey(uint16_t key) {
    if (FindEntry(key) == nullptr) {
        return 0;
    }
    currentKey_ = key;
    return 1;
}

void GPaperHandlingDevice::GetKeys(std::vector<uint16_t>& keys) const {
    keys.clear();
    ForEachEntry([&keys](const Entry& entry) { keys.push_back(entry.key); });
}

// --- Set sizes and lookups ---------------------------------------------------------

uint32_t GPaperHandlingDevice::GetCurrentSetSize() const {
    const GAttributeComposite* set = FindSet(currentKey_);
    return set != nullptr ? set->GetCount() : 0;
}

uint32_t GPaperHandlingDevice::GetMinSetSize() const {
    uint32_t smallest = 0;
    ForEachEntry([&smallest](const Entry& entry) {
        const uint32_t count = entry.set ? entry.set->GetCount() : 0;
        if (count != 0 && (smallest == 0 || count < smallest)) {
            smallest = count;
        }
    });
    return smallest;
}

uint32_t GPaperHandlingDevice::GetMaxSetSize() const {
    uint32_t largest = 0;
    ForEachEntry([&largest](const Entry& entry) {
        largest = std::max(largest, entry.set ? entry.set->GetCount() : 0);
    });
    return largest;
}

template <typename T> T* GPaperHandlingDevice::FindInCurrentSet(int16_t binId) const {
    const GAttributeComposite* set = FindSet(currentKey_);
    if (set == nullptr) {
        return nullptr;
    }
    const GCountedPtrVector& children = set->GetChildren();
    for (uint32_t i = 0; i < children.Count(); ++i) {
        auto* holder = children.At(i).As<T>();
        if (holder != nullptr && holder->GetBinId() == binId) {
            return holder;
        }
    }
    return nullptr;
}

GTray* GPaperHandlingDevice::FindTrayByBinId(int16_t binId) const {
    return deviceType_ == kInputUnit ? FindInCurrentSet<GTray>(binId) : nullptr;
}

GBin* GPaperHandlingDevice::FindBinByBinId(int16_t binId) const {
    return deviceType_ == kOutputUnit ? FindInCurrentSet<GBin>(binId) : nullptr;
}

// --- Flags -------------------------------------------------------------------------

void GPaperHandlingDevice::SetOptional(uint32_t flag) {
    optional_ = flag;
    if (flag == 0) {
        installed_ = 1;
    }
}

int32_t GPaperHandlingDevice::SetInstalled(uint32_t flag) {
    if (optional_ != 1) {
        return 0;
    }
    installed_ = flag;
    return 1;
}

int32_t GPaperHandlingDevice::SetIdentificationMode(int32_t mode) {
    return std::exchange(identificationMode_, mode);
}

int32_t GPaperHandlingDevice::SetKeyedByReport(int32_t value) {
    return std::exchange(keyedByReport_, value);
}

// --- Root operations ---------------------------------------------------------------

uint32_t GPaperHandlingDevice::BinaryStoreSize() const {
    uint32_t size = GAttribute::BinaryStoreSize() + 26 + static_cast<uint32_t>(name_.Length());
    ForEachEntry([&size](const Entry& entry) { size += 2 + RWObjectStoreSize(entry.set.Get()); });
    return size + 8 + RWObjectStoreSize(displayString_.get());
}

bool GPaperHandlingDevice::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || other->IsA() != IsA() || !GAttribute::IsEqualId(other)) {
        return false;
    }
    const auto& unit = static_cast<const GPaperHandlingDevice&>(*other);
    return name_.Length() == unit.name_.Length() &&
           std::memcmp(name_.Data(), unit.name_.Data(), name_.Length()) == 0 &&
           deviceType_ == unit.deviceType_ && optional_ == unit.optional_ && installed_ == unit.installed_ &&
           currentKey_ == unit.currentKey_ && identificationMode_ == unit.identificationMode_ &&
           keyedByReport_ == unit.keyedByReport_ && displayString_->IsEqualId(unit.displayString_.get()) &&
           entryCount_ == unit.entryCount_;
}

uint16_t GPaperHandlingDevice::Apply(GPeripheral&) {
    return 1;
}

std::unique_ptr<MPersistentIterator> GPaperHandlingDevice::CreateIterator() {
    GAttributeComposite* set = FindSet(currentKey_);
    if (set == nullptr) {
        return std::make_unique<MPersistentEmptyIterator>();
    }
    return set->CreateIterator();
}

// --- Persistence ---------------------------------------------------------------

template <class Carrier> void GPaperHandlingDevice::SaveGutsTo(Carrier& carrier) const {
    GAttribute::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
    RWSaveString(carrier, name_);
    RWSaveI32(carrier, static_cast<int32_t>(deviceType_));
    RWSaveI32(carrier, static_cast<int32_t>(optional_));
    RWSaveI32(carrier, static_cast<int32_t>(installed_));
    RWSaveU16(carrier, currentKey_);
    RWSaveU32(carrier, entryCount_);
    ForEachEntry([&carrier](const Entry& entry) {
        RWSaveU16(carrier, entry.key);
        RWSaveObject(carrier, entry.set.Get());
    });
    RWSaveI32(carrier, identificationMode_);
    RWSaveI32(carrier, keyedByReport_);
    RWSaveObject(carrier, displayString_.get());
}

template <class Carrier> void GPaperHandlingDevice::RestoreGutsFrom(Carrier& carrier) {
    GAttribute::RestoreGuts(carrier);
    uint32_t version = 0;
    if (!GReadClassVersion(carrier, version, ClassVersion(), 0)) {
        return;
    }
    RemoveAllSets();
    RWCString name;
    int32_t flags[3] = {}; // type, optional, installed
    uint16_t currentKey = 0;
    uint32_t count = 0;
    if (!RWRestoreString(carrier, name) || !RWRestoreI32(carrier, flags[0]) ||
        !RWRestoreI32(carrier, flags[1]) || !RWRestoreI32(carrier, flags[2]) ||
        !RWRestoreU16(carrier, currentKey) || !RWRestoreU32(carrier, count)) {
        return;
    }
    name_ = name;
    deviceType_ = static_cast<uint32_t>(flags[0]);
    optional_ = static_cast<uint32_t>(flags[1]);
    installed_ = optional_ == 0 ? 1 : static_cast<uint32_t>(flags[2]);
    // Kept as stored, even when it names no set.
    currentKey_ = currentKey;
    // The count only bounds the loop, which ends with the data.
    for (uint32_t i = 0; i < count; ++i) {
        uint16_t key = 0;
        if (!RWRestoreU16(carrier, key)) {
            return;
        }
        GCountedPtr set = GRestorePtr<GAttributeComposite>(carrier);
        if (!GRestoreGood(carrier)) {
            return;
        }
        InsertSet(key, set);
    }
    if (version == 0) {
        // Older records: found by name, keyed by report when there is a
        // choice of sets.
        identificationMode_ = kNameContained;
        keyedByReport_ = entryCount_ >= 2 ? 1 : 0;
        return;
    }
    int32_t mode = 0;
    int32_t keyed = 0;
    if (!RWRestoreI32(carrier, mode) || !RWRestoreI32(carrier, keyed)) {
        return;
    }
    identificationMode_ = mode;
    keyedByReport_ = keyed;
    std::unique_ptr<GDisplayString> displayString = GRestoreOwned<GDisplayString>(carrier);
    if (displayString == nullptr) {
        GMarkRestoreFailed(carrier); // a nil display string is damage
        return;
    }
    displayString_ = std::move(displayString);
}

RW_DEFINE_GUTS(GPaperHandlingDevice)
