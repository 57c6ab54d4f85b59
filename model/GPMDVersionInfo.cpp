#include "model/GPMDVersionInfo.h"

#include <algorithm>
#include <cstring>

#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

namespace {

bool SameBytes(const RWCString& a, const RWCString& b) {
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

// The fields of one record as read, taken over only when all arrived.
struct Fields {
    uint32_t versionB = 0;
    uint32_t versionA = 0;
    uint16_t kind = 0;
    uint32_t data1 = 0;
    uint32_t data2 = 0;
    uint32_t count = 0;
};

bool ReadFields(RWVirtualInStream& stream, Fields& fields) {
    unsigned long versionB = 0, versionA = 0, data1 = 0, data2 = 0;
    unsigned short kind = 0;
    unsigned int count = 0;
    stream >> versionB >> versionA >> kind >> data1 >> data2 >> count;
    fields = {static_cast<uint32_t>(versionB), static_cast<uint32_t>(versionA), kind,
              static_cast<uint32_t>(data1),    static_cast<uint32_t>(data2),    count};
    return GRestoreGood(stream);
}

bool ReadFields(RWBinaryFile& file, Fields& fields) {
    return file.Read(fields.versionB) && file.Read(fields.versionA) && file.Read(fields.kind) &&
           file.Read(fields.data1) && file.Read(fields.data2) && file.Read(fields.count);
}

bool ReadString(RWVirtualInStream& stream, RWCString& text) {
    text.RestoreFrom(stream);
    return GRestoreGood(stream);
}

bool ReadString(RWBinaryFile& file, RWCString& text) {
    return text.RestoreFrom(file);
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
        if (SameBytes(strings_[i], text)) {
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
    return static_cast<uint32_t>(std::count_if(strings_.begin(), strings_.end(),
                                               [&text](const RWCString& s) { return SameBytes(s, text); }));
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
    std::erase_if(strings_, [&target](const RWCString& s) { return SameBytes(s, target); });
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
        if (!SameBytes(strings_[i], info->strings_[i])) {
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

void GPMDVersionInfo::SaveGuts(RWVirtualOutStream& stream) const {
    MPersistentObject::SaveGuts(stream);
    GWriteClassVersion(stream, ClassVersion());
    stream << static_cast<unsigned long>(versionB_);
    stream << static_cast<unsigned long>(versionA_);
    stream << static_cast<unsigned short>(kind_);
    stream << static_cast<unsigned long>(data1_);
    stream << static_cast<unsigned long>(data2_);
    stream << static_cast<unsigned int>(strings_.size());
    for (const RWCString& text : strings_) {
        text.SaveOn(stream);
    }
}

void GPMDVersionInfo::SaveGuts(RWBinaryFile& file) const {
    MPersistentObject::SaveGuts(file);
    GWriteClassVersion(file, ClassVersion());
    file.Write(versionB_);
    file.Write(versionA_);
    file.Write(kind_);
    file.Write(data1_);
    file.Write(data2_);
    file.Write(static_cast<uint32_t>(strings_.size()));
    for (const RWCString& text : strings_) {
        text.SaveOn(file);
    }
}

template <typename Source> void GPMDVersionInfo::RestoreFields(Source& source) {
    MPersistentObject::RestoreGuts(source);
    if (!GReadClassVersion(source, ClassVersion(), ClassVersion())) {
        return;
    }
    Fields fields;
    if (!ReadFields(source, fields) || fields.count > kMaxStrings) {
        GMarkRestoreFailed(source);
        return;
    }
    // Nothing is reserved from the stored count: the list grows as the
    // strings arrive.
    std::vector<RWCString> strings;
    strings.reserve(kStringGrowth);
    for (uint32_t i = 0; i < fields.count; ++i) {
        RWCString text;
        if (!ReadString(source, text)) {
            GMarkRestoreFailed(source);
            return;
        }
        if (strings.size() == strings.capacity()) {
            strings.reserve(strings.size() + kStringGrowth);
        }
        strings.push_back(text);
    }
    versionB_ = fields.versionB;
    versionA_ = fields.versionA;
    kind_ = fields.kind;
    data1_ = fields.data1;
    data2_ = fields.data2;
    strings_ = std::move(strings);
}

void GPMDVersionInfo::RestoreGuts(RWVirtualInStream& stream) {
    RestoreFields(stream);
}

void GPMDVersionInfo::RestoreGuts(RWBinaryFile& file) {
    RestoreFields(file);
}
