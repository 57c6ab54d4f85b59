#include "ui/pages/GJobStorageFeature.h"

#include "model/GSettingIds.h"
#include "rw/RWCString.h"
#include "rw/RWWString.h"
#include "ui/framework/GUIModel.h"
#include "ui/pages/JobStoragePrinterData.h"

namespace {

constexpr char16_t kJobNumberValue[] = u"JobStorageUniqueID";
constexpr char16_t kFirstJobNumber[] = u"1";

} // namespace

const uint32_t GJobStorageFeature::kRequirePinId = GSettingId::kPrivateJob;
const uint32_t GJobStorageFeature::kUseJobNumberId = GSettingId::kJobStorageNumbering;
const uint32_t GJobStorageFeature::kUserSourceId = GSettingId::kUserNameSource;
const uint32_t GJobStorageFeature::kJobSourceId = GSettingId::kJobNameSource;

GJobStorageFeature::GJobStorageFeature(GUIModel* model) : GValueFeature(model, GSettingId::kJobRetention) {}

int32_t GJobStorageFeature::WasChanged() {
    GSettingsAccessor settings = Model()->CurrentSettings();
    for (uint32_t id : {GSettingId::kJobRetention, GSettingId::kJobPin, GSettingId::kJobStorageName,
                        GSettingId::kStoredJobName})
        if (settings.WasChanged(id) != 0) return 1;
    return 0;
}

int16_t GJobStorageFeature::Value(uint32_t id) const {
    int16_t value = 0;
    Model()->CurrentSettings().GetValue(id, value);
    return value;
}

void GJobStorageFeature::Set(uint32_t id, int16_t value) {
    Model()->CurrentSettings().SetValue(id, value);
}

std::string GJobStorageFeature::Text(uint32_t id) const {
    RWCString text;
    Model()->CurrentSettings().GetString(id, text);
    return std::string(text.Data(), text.Length());
}

void GJobStorageFeature::SetText(uint32_t id, const std::string& bytes) {
    Model()->CurrentSettings().SetString(id, RWCString(bytes.data(), bytes.size()));
}

std::string GJobStorageFeature::UserName() const {
    return Text(GSettingId::kStoredJobUserName);
}

void GJobStorageFeature::SetUserName(const std::string& bytes) {
    SetText(GSettingId::kTypedUserName, bytes);
    SetText(GSettingId::kStoredJobUserName, bytes);
}

std::string GJobStorageFeature::JobName() const {
    return Text(GSettingId::kStoredJobName);
}

void GJobStorageFeature::SetJobName(const std::string& bytes) {
    SetText(GSettingId::kJobStorageIdentity, bytes);
    SetText(GSettingId::kStoredJobName, bytes);
}

std::string GJobStorageFeature::Pin() const {
    return Text(GSettingId::kJobPin);
}

void GJobStorageFeature::SetPin(const std::string& digits) {
    SetText(GSettingId::kJobPin, digits);
}

bool GJobStorageFeature::IsMopier() const {
    int16_t mopier = 0;
    Model()->Defaults().GetValue(GSettingId::kMopier, mopier);
    return mopier != 0;
}

bool GJobStorageFeature::HasHardDisk() const {
    return Value(GSettingId::kHardDiskInstalled) == 1;
}

bool GJobStorageFeature::IsAvailable() const {
    return Value(GSettingId::kJobStorageEnabled) != 0;
}

NameCharacterTable GJobStorageFeature::CharacterTable() const {
    RWCString bytes;
    if (Model()->Defaults().GetString(GSettingId::kAllowedNameCharacters, bytes) == 0)
        Model()->CurrentSettings().GetString(GSettingId::kAllowedNameCharacters, bytes);
    return NameCharacterTable(bytes.Data(), bytes.Length());
}

std::u16string GJobStorageFeature::TakeJobNumber() {
    std::u16string number = JobStoragePrinterData::Text(Model(), kJobNumberValue).value_or(u"");
    if (number.empty()) number = kFirstJobNumber;
    const RWCString narrow = RWWString(number.data(), number.size()).ToMultiByte();
    SetText(GSettingId::kJobStorageName, std::string(narrow.Data(), narrow.Length()));
    return number;
}

std::string GJobStorageFeature::JobNumber() const {
    return Text(GSettingId::kJobStorageName);
}
