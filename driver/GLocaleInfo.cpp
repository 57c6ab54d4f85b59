#include "driver/GLocaleInfo.h"

namespace {

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
        RWSaveI32(carrier, number);
    for (const RWCString& text : texts_)
        RWSaveString(carrier, text);
}

template <class Carrier> void GLocaleInfo::RestoreGutsFrom(Carrier& carrier) {
    MPersistentObject::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) return;
    std::array<int32_t, kNumberCount> numbers{};
    std::array<RWCString, kTextCount> texts;
    for (int32_t& number : numbers) {
        if (!RWRestoreI32(carrier, number)) return;
    }
    for (RWCString& text : texts) {
        if (!RWRestoreString(carrier, text)) return;
    }
    numbers_ = numbers;
    texts_ = std::move(texts);
}

RW_DEFINE_GUTS(GLocaleInfo)
