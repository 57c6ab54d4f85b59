#include "model/GPMDVersionInfo.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

namespace {

bool SameVersionBytes(const RWCString& a, const RWCString& b) {
    return a.Length() == b.Length() && std::memcmp(a.Data(), b.Data(), a.Length()) == 0;
}

uint16_t NextMinor(uint32_t& version) {
    const auto minor = static_cast<uint16_t>(version & 0xFFFF);
    if (minor != 0xFFFF) {
        version = (version & 0xFFFF0000u) | static_cast<uint32_t>(minor + 1);
    }
    return minor;
}

uint16_t NextMajor(uint32_t& version) {
    const auto major = static_cast<uint16_t>(version >> 16);
    if (major != 0xFFFF) {
        version = static_cast<uint32_t>(major + 1) << 16;
    }
    return major;
}

// The capacity the list's rule (room for 64, then 64 more whenever it is
// full) gives a list that received n strings one by one.
size_t RuleCapacity(size_t n) {
    const size_t growth = GPMDVersionInfo::kStringGrowth;
    return n <= growth ? growth : (n + growth - 1) / growth * growth;
}

} // namespace

GPMDVersionInfo::GPMDVersionInfo() {
    strings_.reserve(kStringGrowth);
}

GPMDVersionInfo::GPMDVersionInfo(uint32_t versionA, uint32_t versionB, uint16_t kind, uint32_t id)
    : MPersistentObject(id), versionA_(versionA), versionB_(versionB), kind_(kind) {
    strings_.reserve(kStringGrowth);
}

GPMDVersionInfo::GPMDVersionInfo(const GPMDVersionInfo& other)
    : MPersistentObject(other), versionA_(other.versionA_), versionB_(other.versionB_), kind_(other.kind_),
      data1_(other.data1_), data2_(other.data2_) {
    strings_.reserve(kStringGrowth);
    for (const RWCString& text : other.strings_) {
        Append(text);
    }
}

GPMDVersionInfo& GPMDVersionInfo::operator=(const GPMDVersionInfo& other) {
    if (this != &other) {
        MPersistentObject::operator=(other);
        versionA_ = other.versionA_;
        versionB_ = other.versionB_;
        kind_ = other.kind_;
        data1_ = other.data1_;
        data2_ = other.data2_;
        strings_.clear();
        for (const RWCString& text : other.strings_) {
            Append(text);
        }
    }
    return *this;
}

GPMDVersionInfo::~GPMDVersionInfo() = default;

uint16_t GPMDVersionInfo::NextMinorA() {
    return NextMinor(versionA_);
}

uint16_t GPMDVersionInfo::NextMajorA() {
    return NextMajor(versionA_);
}

uint16_t GPMDVersionInfo::NextMinorB() {
    return NextMinor(versionB_);
}

uint16_t GPMDVersionInfo::NextMajorB() {
    return NextMajor(versionB_);
}

// --- String list -------------------------------------------------------------------

uint32_t GPMDVersionInfo::IndexOf(const RWCString& text) const {
    for (size_t i = 0; i < strings_.size(); ++i) {
        if (SameVersionBytes(strings_[i], text)) {
            return static_cast<uint32_t>(i);
        }
    }
    return kNotFound;
}

void GPMDVersionInfo::Append(const RWCString& text) {
    if (strings_.size() == strings_.capacity()) {
        strings_.reserve(strings_.size() + kStringGrowth);
    }
    strings_.push_back(text);
}

uint32_t GPMDVersionInfo::Occurrences(const RWCString& text) const {
    return static_cast<uint32_t>(std::count_if(
        strings_.begin(), strings_.end(), [&text](const RWCString& s) { return SameVersionBytes(s, text); }));
}

int GPMDVersionInfo::Remove(const RWCString& text) {
    const uint32_t index = IndexOf(text);
    if (index == kNotFound) {
        return 0;
    }
    strings_.erase(strings_.begin() + index);
    return 1;
}

uint32_t GPMDVersionInfo::RemoveAll(const RWCString& text) {
    const size_t before = strings_.size();
    // text may be one of the list's own strings: compare against a copy.
    const RWCString target = text;
    std::erase_if(strings_, [&target](const RWCString& s) { return SameVersionBytes(s, target); });
    return static_cast<uint32_t>(before - strings_.size());
}

bool GPMDVersionInfo::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    const auto* info = dynamic_cast<const GPMDVersionInfo*>(other);
    if (info == nullptr || IsA() != other->IsA() || GetId() != other->GetId() ||
        versionB_ != info->versionB_ || versionA_ != info->versionA_ || kind_ != info->kind_ ||
        data1_ != info->data1_ || data2_ != info->data2_ || strings_.size() != info->strings_.size()) {
        return false;
    }
    for (size_t i = 0; i < strings_.size(); ++i) {
        if (!SameVersionBytes(strings_[i], info->strings_[i])) {
            return false;
        }
    }
    return true;
}

// --- Persistence -----------------------------------------------------------------------

uint32_t GPMDVersionInfo::BinaryStoreSize() const {
    uint32_t size = MPersistentObject::BinaryStoreSize() + 26;
    for (const RWCString& text : strings_) {
        size += static_cast<uint32_t>(text.Length()) + 4;
    }
    return size;
}

template <class Carrier> void GPMDVersionInfo::SaveGutsTo(Carrier& carrier) const {
    MPersistentObject::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
    RWSaveU32(carrier, versionB_);
    RWSaveU32(carrier, versionA_);
    RWSaveU16(carrier, kind_);
    RWSaveU32(carrier, data1_);
    RWSaveU32(carrier, data2_);
    RWSaveU32(carrier, static_cast<uint32_t>(strings_.size()));
    for (const RWCString& text : strings_) {
        RWSaveString(carrier, text);
    }
}

template <class Carrier> void GPMDVersionInfo::RestoreGutsFrom(Carrier& carrier) {
    MPersistentObject::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier, ClassVersion(), ClassVersion())) {
        return;
    }
    uint32_t versionB = 0, versionA = 0, data1 = 0, data2 = 0, count = 0;
    uint16_t kind = 0;
    if (!RWRestoreU32(carrier, versionB) || !RWRestoreU32(carrier, versionA) ||
        !RWRestoreU16(carrier, kind) || !RWRestoreU32(carrier, data1) || !RWRestoreU32(carrier, data2) ||
        !RWRestoreU32(carrier, count)) {
        return;
    }
    if (count > kMaxStrings) {
        GMarkRestoreFailed(carrier);
        return;
    }
    // Nothing is reserved from the stored count: the list grows
    // geometrically as the strings arrive.
    std::vector<RWCString> strings;
    for (uint32_t i = 0; i < count; ++i) {
        RWCString text;
        if (!RWRestoreString(carrier, text)) {
            return; // the record keeps its old fields
        }
        strings.push_back(std::move(text));
    }
    versionB_ = versionB;
    versionA_ = versionA;
    kind_ = kind;
    data1_ = data1;
    data2_ = data2;
    // The list ends with the room its own rule would have given it.
    strings_.clear();
    strings_.shrink_to_fit();
    strings_.reserve(RuleCapacity(strings.size()));
    std::move(strings.begin(), strings.end(), std::back_inserter(strings_));
}

RW_DEFINE_GUTS(GPMDVersionInfo)
