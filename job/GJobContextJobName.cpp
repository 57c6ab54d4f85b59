// GJobContext: the job name the printer shows and stores, the job-storage
// identity joined to it, and the blank back of letterhead pages.
#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "driver/GDateTime.h"
#include "driver/GOSFactory.h"
#include "driver/GSettingValues.h"
#include "driver/GUnicodeConverter.h"
#include "driver/GetUnicodeConverter.h"
#include "job/ConvertUtf16ToUtf8.h"
#include "job/GJobContext.h"
#include "job/IsCharInFontTable.h"
#include "job/IsPrintableAsciiName.h"
#include "job/NameCharacterTable.h"
#include "model/GSettingIds.h"
#include "paper/GMedia.h"
#include "rw/RWCRegex.h"

namespace {

constexpr uint16_t kDuplexForced = 2;
constexpr size_t kStoredNameLength = 13;
constexpr size_t kWideNameLimit = 256;
// An application's "Microsoft <product> - " in front of the document's name.
constexpr const char* kApplicationPrefix = "Microsoft [A-Z,a-z]+ - ";

// The text after the last separator.
RWWString AfterLast(const RWWString& text, char16_t separator) {
    const size_t at = text.Last(separator);
    if (at == RW_NPOS) return text;
    return RWWString(text.Data() + at + 1, text.Length() - at - 1);
}

// The printer's character table, read as the property sheet reads it.
NameCharacterTable CharacterTable(MPersistentObject* configuration) {
    const GStringAttribute* table =
        GSettingValues::FindText(configuration, GSettingId::kAllowedNameCharacters);
    if (table == nullptr) return NameCharacterTable(nullptr, 0);
    return NameCharacterTable(table->GetValue().Data(), table->GetValue().Length());
}

} // namespace

RWCString GJobContext::TimeStamp() const {
    GOSFactory* factory = GOSFactory::Instance();
    GDateTime now{};
    if (factory == nullptr || factory->GetDateTime(&now, nullptr, nullptr) == 0) return RWCString();
    char text[32];
    std::snprintf(text, sizeof text, "%4.4d%2.2d%2.2d%2.2d%2.2d%2.2d", now.year, now.month, now.day, now.hour,
                  now.minute, now.second);
    return RWCString(text);
}

RWCString GJobContext::ToNarrow(const RWWString& text) const {
    GUnicodeConverter* converter = GetUnicodeConverter();
    if (converter == nullptr || text.Length() == 0) return RWCString();
    // At most four bytes a unit in any code page the converter serves.
    std::vector<char> bytes(text.Length() * 4);
    const int32_t written =
        converter->WideToNarrow(nameCodePage_, text.Data(), static_cast<int32_t>(text.Length()), bytes.data(),
                                static_cast<int32_t>(bytes.size()));
    return written > 0 ? RWCString(bytes.data(), static_cast<size_t>(written)) : RWCString();
}

RWCString GJobContext::NameFromDocument() const {
    const RWWString file = AfterLast(AfterLast(documentName_, u'/'), u'\\');
    RWCString name = ToNarrow(file);
    const RWCRegex prefix(kApplicationPrefix);
    size_t length = 0;
    const size_t at = name.Index(prefix, &length, 0);
    if (at != RW_NPOS) name = RWCString(name.Data() + at + length, name.Length() - at - length);
    return name;
}

bool GJobContext::IsShowable(RWWString& name) {
    if (name.Length() == 0) return false;
    std::vector<WCHAR> units(name.Data(), name.Data() + name.Length());
    if (GSettingValues::Get(FindGroup(GSettingId::kPrintingGroup), GSettingId::kNameCleaning) ==
        uint16_t{1}) {
        const NameCharacterTable table = CharacterTable(GetPrinterConfiguration());
        return AreCharsInFontTable(units.data(), units.size(), table.Words().data(), table.Words().size()) !=
               0;
    }
    if (IsPrintableAsciiName(units.data(), units.size()) == 0) return false;
    name = RWWString(units.data(), units.size()); // upper-cased
    return true;
}

void GJobContext::MakeJobName(RWCString& result, uint8_t* utf8) {
    MPersistentObject* group362 = FindGroup(GSettingId::kPrintingGroup);
    const RWCString stamp = TimeStamp();
    RWCString name;
    if (documentName_.Length() != 0) {
        name = NameFromDocument();
    } else {
        const GStringAttribute* given = GSettingValues::FindText(group362, GSettingId::kUserJobName);
        name = given != nullptr && given->GetValue().Length() != 0 ? given->GetValue() : stamp;
    }
    const GStringAttribute* storage = GSettingValues::FindText(group362, GSettingId::kJobStorageName);
    if (GSettingValues::Get(group362, GSettingId::kJobStorageNumbering) == uint16_t{1} &&
        storage != nullptr && storage->GetValue().Length() != 0) {
        GOSFactory* factory = GOSFactory::Instance();
        const RWWString id = factory != nullptr
                                 ? factory->GetPrinterDataString(this, u"JobStorageUniqueID", u"1")
                                 : RWWString(u"1");
        if (name.Length() > kStoredNameLength) name = RWCString(name.Data(), kStoredNameLength);
        name.Append(ToNarrow(id));
    }

    RWWString wide;
    if (GUnicodeConverter* converter = GetUnicodeConverter(); converter != nullptr && name.Length() != 0) {
        std::array<WCHAR, kWideNameLimit> units{};
        const int32_t count =
            converter->NarrowToWide(nameCodePage_, name.Data(), static_cast<int32_t>(name.Length()),
                                    units.data(), static_cast<int32_t>(units.size()));
        wide = RWWString(units.data(), static_cast<size_t>(std::max(count, 0)));
    }
    if (wide.Length() > kJobNameLength) wide = RWWString(wide.Data(), kJobNameLength);
    // A name the printer cannot show (or that cannot be converted) gives
    // way to the time stamp.
    RWCString narrow = IsShowable(wide) ? ToNarrow(wide) : RWCString();
    if (narrow.Length() != 0) {
        jobName_ = wide;
    } else {
        narrow = stamp;
        jobName_ = RWWString(stamp, RWWString::Ascii);
    }
    result = narrow;

    if (utf8 != nullptr && GSettingValues::Get(group362, GSettingId::kNameCleaning) == uint16_t{1}) {
        const WCHAR* source = jobName_.Data();
        uint8_t* target = utf8;
        ConvertUtf16ToUtf8(&source, source + jobName_.Length(), &target, utf8 + kUtf8JobNameBytes, 0);
        *target = 0;
    }
}

void GJobContext::CheckMediaType(MPersistentObject* pageSettings, MPersistentObject* group362) {
    MPersistentObject* layout =
        group362 != nullptr ? group362->FindById(GSettingId::kPagesPerSheetGroup) : nullptr;
    if (GSettingValues::Get(layout, GSettingId::kPagesPerSheet) != uint16_t{1}) return;
    const auto* media =
        pageSettings != nullptr ? dynamic_cast<GMedia*>(pageSettings->FindById(GSettingId::kMedia)) : nullptr;
    if (media == nullptr) return;
    const RWCString& type = media->GetMediaType();
    if (!(type == "Letterhead" || type == "Preprinted")) return;
    if (GSettingValues::Get(pageSettings, GSettingId::kDuplex) != uint16_t{0}) return;
    GSettingValues::Set(pageSettings, GSettingId::kDuplex, kDuplexForced);
    letterheadFlag_ = 1;
}

uint16_t GJobContext::EmitBlankBackPage() {
    if (letterheadFlag_ != 1) return 0;
    --pageNumber_;
    uint16_t status = EmitCommand(MakePageStart());
    if (status == 0) {
        const GCountedPtr end = MakePageEnd();
        letterheadFlag_ = 0;
        status = EmitCommand(end);
    }
    return status;
}
