#include "device/GPaperHandlingDevice.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "device/GBin.h"
#include "device/GTray.h"
#include "model/MPersistentEmptyIterator.h"

GPaperHandlingDevice::GPaperHandlingDevice() = default;

GPaperHandlingDevice::GPaperHandlingDevice(const RWCString& name, uint32_t deviceType, uint32_t optional,
                                           uint32_t installed, int32_t identificationMode,
                                           int32_t keyedByReport, uint32_t id)
    : GAttribute(id), name_(name), deviceType_(deviceType), optional_(optional),
      installed_(optional == 0 ? 1 : installed), identificationMode_(identificationMode),
      keyedByReport_(keyedByReport) {}

GPaperHandlingDevice::GPaperHandlingDevice(uint16_t displayStringId, const RWCString& name,
                                           uint32_t deviceType, uint32_t optional, uint32_t installed,
                                           int32_t identificationMode, int32_t keyedByReport,
                                           const char* displayText1, const char* displayText2, uint32_t id)
    : GPaperHandlingDevice(name, deviceType, optional, installed, identificationMode, keyedByReport, id) {
    displayString_ = GDisplayString(displayStringId, displayText1, displayText2);
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
    ForEachEntry([&size](const Entry& entry) {
        const RWCollectable* set = entry.set ? entry.set.Get() : RWCollectable::NilObject();
        size += 2 + set->RecursiveStoreSize();
    });
    return size + 8 + displayString_.RecursiveStoreSize();
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
           keyedByReport_ == unit.keyedByReport_ && displayString_.IsEqualId(&unit.displayString_) &&
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
