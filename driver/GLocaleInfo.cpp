#include "driver/GLocaleInfo.h"

#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

namespace {

// The fields' carrier operations, one per carrier.
void SaveI32(RWVirtualOutStream& stream, int32_t value) {
    stream << static_cast<long>(value);
}
void SaveI32(RWBinaryFile& file, int32_t value) {
    file.Write(value);
}
bool RestoreI32(RWVirtualInStream& stream, int32_t& value) {
    long word = 0;
    stream >> word;
    if (!stream.good()) return false;
    value = static_cast<int32_t>(word);
    return true;
}
bool RestoreI32(RWBinaryFile& file, int32_t& value) {
    if (GRestoreGood(file) && file.Read(value)) return true;
    GMarkRestoreFailed(file);
    return false;
}
bool RestoreText(RWVirtualInStream& stream, RWCString& text) {
    text.RestoreFrom(stream);
    return stream.good();
}
bool RestoreText(RWBinaryFile& file, RWCString& text) {
    if (GRestoreGood(file) && text.RestoreFrom(file)) return true;
    GMarkRestoreFailed(file);
    return false;
}

struct NumberField {
    const char* registryName;
    int32_t fallback;
};

struct TextField {
    const char* registryName;
    const char* fallback;
};

constexpr NumberField kNumbers[GLocaleInfo::kNumberCount] = {
    {"iCountry", 1}, {"iCurrDigits", 2}, {"iCurrency", 0}, {"iDate", 0},   {"iDigits", 2},  {"iLZero", 1},
    {"iMeasure", 1}, {"iNegCurr", 1},    {"iTime", 0},     {"iTLZero", 0}, {"Locale", 409},
};

constexpr TextField kTexts[GLocaleInfo::kTextCount] = {
    {"s1159", "AM"},          {"s2359", "PM"},    {"sCountry", "United States"},
    {"sCurrency", "$"},       {"sDate", "/"},     {"sDecimal", "."},
    {"sLanguage", "ENU"},     {"sList", ","},     {"sLongDate", "dddd, MMMM dd, yyyy"},
    {"sShortDate", "M/d/yy"}, {"sThousand", ","}, {"sTime", ":"},
};

} // namespace

GLocaleInfo::GLocaleInfo() {
    for (uint32_t i = 0; i < kNumberCount; ++i)
        numbers_[i] = kNumbers[i].fallback;
    for (uint32_t i = 0; i < kTextCount; ++i)
        texts_[i] = RWCString(kTexts[i].fallback);
}

GLocaleInfo::~GLocaleInfo() = default;

const char* GLocaleInfo::RegistryName(Number field) {
    return field < kNumberCount ? kNumbers[field].registryName : "";
}

const char* GLocaleInfo::RegistryName(Text field) {
    return field < kTextCount ? kTexts[field].registryName : "";
}

void GLocaleInfo::SetText(Text field, const char* text) {
    texts_[field] = RWCString(text != nullptr ? text : "");
}

uint32_t GLocaleInfo::BinaryStoreSize() const {
    uint32_t size = MPersistentObject::BinaryStoreSize() + 52;
    for (const RWCString& text : texts_)
        size += static_cast<uint32_t>(text.Length()) + 4;
    return size;
}

bool GLocaleInfo::IsEqualId(const MPersistentObject* other) const {
    if (other == this) return true;
    const auto* info = dynamic_cast<const GLocaleInfo*>(other);
    return info != nullptr && MPersistentObject::IsEqualId(other) && numbers_ == info->numbers_ &&
           texts_ == info->texts_;
}

template <class Carrier> void GLocaleInfo::SaveGutsTo(Carrier& carrier) const {
    MPersistentObject::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    for (int32_t number : numbers_)
        SaveI32(carrier, number);
    for (const RWCString& text : texts_)
        text.SaveOn(carrier);
}

template <class Carrier> void GLocaleInfo::RestoreGutsFrom(Carrier& carrier) {
    MPersistentObject::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) return;
    std::array<int32_t, kNumberCount> numbers{};
    std::array<RWCString, kTextCount> texts;
    for (int32_t& number : numbers) {
        if (!RestoreI32(carrier, number)) return;
    }
    for (RWCString& text : texts) {
        if (!RestoreText(carrier, text)) return;
    }
    numbers_ = numbers;
    texts_ = std::move(texts);
}

void GLocaleInfo::SaveGuts(RWVirtualOutStream& stream) const {
    SaveGutsTo(stream);
}

void GLocaleInfo::SaveGuts(RWBinaryFile& file) const {
    SaveGutsTo(file);
}

void GLocaleInfo::RestoreGuts(RWVirtualInStream& stream) {
    RestoreGutsFrom(stream);
}

void GLocaleInfo::RestoreGuts(RWBinaryFile& file) {
    RestoreGutsFrom(file);
}
