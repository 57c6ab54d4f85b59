#pragma once
// A persistent snapshot of the user's regional settings (class 3): the
// number, currency, date and time conventions of the per-user
// "Control Panel\International" key, each with its own default (the United
// States conventions), as the platform services' GetLocaleInfo fills it.
//
// Saved form, after the root's three words:
//   u32 version (1), the eleven numbers as 32-bit values in Number order,
//   then the twelve texts in Text order, each in the narrow-string form.
// A restore takes the fields only when all of them arrived.
#include <array>
#include <cstdint>

#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"
#include "rw/RWCString.h"
#include "rw/RWCarrier.h"

class GLocaleInfo : public MPersistentObject {
    MPERSISTENT_CLASS_MEMBERS(GLocaleInfo, MPersistentObject, 3)
    RW_DECLARE_GUTS()

public:
    // The numbers, in their saved order; each comment names its registry
    // value and default.
    enum Number : uint32_t {
        kCountry,          // "iCountry" 1
        kCurrencyDigits,   // "iCurrDigits" 2
        kCurrencyFormat,   // "iCurrency" 0
        kDateOrder,        // "iDate" 0
        kDigits,           // "iDigits" 2
        kLeadingZero,      // "iLZero" 1
        kMeasure,          // "iMeasure" 1
        kNegativeCurrency, // "iNegCurr" 1
        kTimeFormat,       // "iTime" 0
        kTimeLeadingZero,  // "iTLZero" 0
        kLocale,           // "Locale" 409 (the text's digits read as decimal)
        kNumberCount
    };
    // The texts, in their saved order.
    enum Text : uint32_t {
        kAMSymbol,           // "s1159" "AM"
        kPMSymbol,           // "s2359" "PM"
        kCountryName,        // "sCountry" "United States"
        kCurrencySymbol,     // "sCurrency" "$"
        kDateSeparator,      // "sDate" "/"
        kDecimalSeparator,   // "sDecimal" "."
        kLanguage,           // "sLanguage" "ENU"
        kListSeparator,      // "sList" ","
        kLongDateFormat,     // "sLongDate" "dddd, MMMM dd, yyyy"
        kShortDateFormat,    // "sShortDate" "M/d/yy"
        kThousandsSeparator, // "sThousand" ","
        kTimeSeparator,      // "sTime" ":"
        kTextCount
    };

    // Every field at its default.
    GLocaleInfo();
    GLocaleInfo(const GLocaleInfo& other) = default;
    GLocaleInfo& operator=(const GLocaleInfo& other) = default;
    ~GLocaleInfo() override;

    // The registry value a field is read from.
    static const char* RegistryName(Number field);
    static const char* RegistryName(Text field);

    int32_t GetNumber(Number field) const { return numbers_[field]; }
    const RWCString& GetText(Text field) const { return texts_[field]; }
    // The setters, one per field through its index; a null text is empty.
    void SetNumber(Number field, int32_t value) { numbers_[field] = value; }
    void SetText(Text field, const char* text);

    // Root + 52, and 4 more than its length for each text.
    uint32_t BinaryStoreSize() const override;
    // The same object, or the same class and id and every field equal.
    bool IsEqualId(const MPersistentObject* other) const override;

private:
    std::array<int32_t, kNumberCount> numbers_;
    std::array<RWCString, kTextCount> texts_;
};
