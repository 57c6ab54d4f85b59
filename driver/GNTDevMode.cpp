#include "driver/GNTDevMode.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string_view>

#include "driver/GDriverContext.h"
#include "driver/GSettingValues.h"
#include "model/GAttributeComposite.h"
#include "model/GChildWalks.h"
#include "model/GResourceMapping.h"
#include "model/GResourceMappingList.h"
#include "model/GSelectionString.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "model/MPersistentAssociation.h"
#include "model/MPersistentIterator.h"
#include "winapi/WinPrinterInfo2.h"
#include "winapi/WinSpool.h"

using namespace GSettingValues;

namespace {

using Image = GDevModeImage;

bool IsOutput(uint32_t id) {
    return id == GSettingId::kXResolution || id == GSettingId::kYResolution ||
           id == GSettingId::kBitsPerPixel;
}

// A condition holds unless tree has a node of that id that differs.
bool ConditionHolds(MPersistentObject& condition, MPersistentObject* tree) {
    MPersistentObject* current = tree == nullptr ? nullptr : tree->FindById(condition.GetId());
    return current == nullptr || current->IsEqualId(&condition);
}

// The same value, or texts of the same length and bytes.
bool SameSetting(const MPersistentObject& preset, MPersistentObject* current) {
    if (current == nullptr) return false;
    const auto* presetValue = dynamic_cast<const GValueAttribute*>(&preset);
    const auto* currentValue = dynamic_cast<const GValueAttribute*>(current);
    if (presetValue != nullptr && currentValue != nullptr)
        return presetValue->GetValue() == currentValue->GetValue();
    const auto* presetText = dynamic_cast<const GStringAttribute*>(&preset);
    const auto* currentText = dynamic_cast<const GStringAttribute*>(current);
    return presetText != nullptr && currentText != nullptr &&
           presetText->GetValue() == currentText->GetValue();
}

// A preset setting applied to tree's node of the same id and kind.
void ApplySetting(const MPersistentObject& preset, MPersistentObject* tree) {
    MPersistentObject* current = tree == nullptr ? nullptr : tree->FindById(preset.GetId());
    const auto* presetValue = dynamic_cast<const GValueAttribute*>(&preset);
    if (auto* value = dynamic_cast<GValueAttribute*>(current); value != nullptr && presetValue != nullptr) {
        value->SetValue(presetValue->GetValue());
    }
    const auto* presetText = dynamic_cast<const GStringAttribute*>(&preset);
    if (auto* text = dynamic_cast<GStringAttribute*>(current); text != nullptr && presetText != nullptr) {
        text->SetValue(presetText->GetValue());
    }
}

void SetOutput(const MPersistentObject& child, int32_t& x, int32_t& y, int32_t& third) {
    const auto* value = dynamic_cast<const GValueAttribute*>(&child);
    if (value == nullptr) return;
    const int32_t number = static_cast<int16_t>(value->GetValue());
    if (child.GetId() == GSettingId::kXResolution) x = number;
    if (child.GetId() == GSettingId::kYResolution) y = number;
    if (child.GetId() == GSettingId::kBitsPerPixel) third = number;
}

// The text of an association value (a string setting or a selection string).
const RWCString* TextOf(const MPersistentObject* value) {
    if (const auto* text = dynamic_cast<const GStringAttribute*>(value)) return &text->GetValue();
    if (const auto* selection = dynamic_cast<const GSelectionString*>(value)) return &selection->GetString();
    return nullptr;
}

} // namespace

GNTDevMode::GNTDevMode(GDriverContext* instance, HANDLE printer)
    : GDevMode(instance), instance_(instance), printer_(printer) {
    if (printer_ != nullptr) MergePrinterDevMode(printer_);
    if (IsTakenFromPrinter() == 0) {
        SetDefaults();
    } else {
        LoadSettingsFromImage();
    }
    if (GetSettings() == nullptr && instance_ != nullptr) ReplaceSettings(instance_->NewDefaultSettings());
}

GNTDevMode::~GNTDevMode() = default;

void GNTDevMode::LoadSettingsFromImage() {
    ResolveBlobForm();
    std::unique_ptr<GAttributeComposite> tree = ExpandSettings(GetImage(), 0);
    if (tree != nullptr) {
        ReplaceSettings(std::move(tree));
        ApplyColourRestriction();
        return;
    }
    ReplaceSettings(ConvertOlderBlob(GetImage()));
}

int32_t GNTDevMode::TakePrinterDevMode(const DEVMODEW* devmode, const WCHAR* dataType) {
    if (dataType != nullptr) SetEmfDataType(std::u16string_view(dataType) == kEmfDataType ? 1 : 0);
    if (IsOurDevMode(devmode) == 0) return 0;
    std::copy_n(reinterpret_cast<const uint8_t*>(devmode), Image::kTotalSize, MutableImage().Bytes());
    SetTakenFromPrinter(1);
    ApplyColourRestriction();
    return 1;
}

int32_t GNTDevMode::MergePrinterDevMode(HANDLE printer) {
    const WinPrinterInfo2 info(printer);
    if (!info) return 0;
    return TakePrinterDevMode(info->pDevMode, info->pDatatype);
}

std::vector<uint64_t> GNTDevMode::EnumerateForms(DWORD& count) const {
    count = 0;
    if (printer_ == nullptr) return {};
    DWORD needed = 0;
    DWORD returned = 0;
    EnumFormsW(printer_, 1, nullptr, 0, &needed, &returned);
    if (needed == 0) return {};
    std::vector<uint64_t> buffer((needed + sizeof(uint64_t) - 1) / sizeof(uint64_t));
    if (!EnumFormsW(printer_, 1, reinterpret_cast<LPBYTE>(buffer.data()), needed, &needed, &returned))
        return {};
    count = returned;
    return buffer;
}

int32_t GNTDevMode::FindFormByName(const WCHAR* name, uint32_t& index, int32_t strict, int32_t angle) {
    if (name == nullptr || instance_ == nullptr) return 0;
    DWORD count = 0;
    const std::vector<uint64_t> buffer = EnumerateForms(count);
    const auto* forms = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
    const std::u16string_view wanted(name);
    for (DWORD position = 0; position < count; ++position) {
        if (forms[position].pName == nullptr || wanted != forms[position].pName) continue;
        if (instance_->AcceptsForm(forms[position], position, strict, angle) != 1) return 0;
        index = position + 1;
        return 1;
    }
    return 0;
}

int32_t GNTDevMode::FindFormForOrientation(const WCHAR* name, int16_t orientation, uint32_t& index,
                                           int32_t strict) {
    return FindFormByName(name, index, strict, orientation == DMORIENT_LANDSCAPE ? 90 : 0);
}

int32_t GNTDevMode::IsOurDevMode(const DEVMODEW* devmode) {
    if (devmode == nullptr || devmode->dmSpecVersion != kSpecVersion ||
        devmode->dmSize != Image::kPublicSize || devmode->dmDriverExtra != Image::kDriverExtra)
        return 0;
    return Image::Word(devmode, Image::kTotalSizeWord) == Image::kTotalSize &&
                   Image::Word(devmode, Image::kHeaderSizeWord) == Image::kPrivateHeaderSize &&
                   Image::Word(devmode, Image::kFormatWord) == Image::kFormat &&
                   Image::Word(devmode, Image::kBlobCapacityWord) == Image::kBlobCapacity &&
                   Image::Word(devmode, Image::kBlobLengthWord) <= Image::kBlobCapacity
               ? 1
               : 0;
}

int32_t GNTDevMode::WriteDevMode(DEVMODEW* out) {
    if (out == nullptr) return 0;
    if (instance_ != nullptr && (instance_->GetApplicationFlags() & kPublicOnlyFlags) != 0) {
        CopyPublicOut(out);
        out->dmSize = Image::kPublicSize;
        out->dmDriverExtra = 0;
        return 1;
    }
    return CopyTo(out);
}

int32_t GNTDevMode::SettingsToPublic(MPersistentObject* settings, DEVMODEW* devmode) {
    const int32_t result = GDevMode::SettingsToPublic(settings, devmode);
    if (result != 1) return result;
    // Only the form source carries a form name: no form name is known to
    // the validation, so any other DEVMODE with one could never print.
    if (devmode->dmDefaultSource != DMBIN_FORMSOURCE) {
        devmode->dmFields &= ~DM_FORMNAME;
        return result;
    }
    const std::optional<uint16_t> paper = Get(settings, GSettingId::kPaper);
    uint32_t index = 0;
    DWORD count = 0;
    const std::vector<uint64_t> buffer = EnumerateForms(count);
    const auto* forms = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
    const bool named = paper && instance_ != nullptr && instance_->PaperIdToFormIndex(*paper, index) == 1 &&
                       index >= 1 && index <= count && forms[index - 1].pName != nullptr;
    if (!named) {
        devmode->dmFields &= ~DM_FORMNAME;
        return result;
    }
    const std::u16string_view name(forms[index - 1].pName);
    std::fill(std::begin(devmode->dmFormName), std::end(devmode->dmFormName), u'\0');
    std::copy_n(name.begin(), std::min<size_t>(name.size(), CCHFORMNAME - 1), devmode->dmFormName);
    devmode->dmFields |= DM_FORMNAME;
    return result;
}

int32_t GNTDevMode::PublicToSettings(const DEVMODEW* devmode, MPersistentObject* settings) {
    const int32_t result = GDevMode::PublicToSettings(devmode, settings);
    if (result != 1 || instance_ == nullptr) return result;
    const DEVMODEW dm = PublicPartOf(*devmode);
    if (dm.dmDefaultSource != DMBIN_FORMSOURCE || (dm.dmFields & DM_FORMNAME) == 0) return result;
    WCHAR name[CCHFORMNAME + 1] = {};
    std::copy_n(dm.dmFormName, CCHFORMNAME, name);
    const int32_t strict = IsNonZero(instance_->GetPrinter(), GSettingId::kRelaxedPaperCheck) ? 0 : 1;
    uint32_t index = 0;
    uint16_t paper = 0;
    if (FindFormForOrientation(name, dm.dmOrientation, index, strict) != 1 ||
        instance_->FormIndexToPaperId(index, paper) != 1) {
        paper = static_cast<uint16_t>(instance_->GetDefaultPaperId());
    }
    Set(settings, GSettingId::kPaper, paper);
    return result;
}

MPersistentObject* GNTDevMode::FindPrinterNode(uint32_t id) const {
    return instance_ == nullptr ? nullptr : instance_->FindPrinterSetting(id);
}

int32_t GNTDevMode::GetQualityPreset(int32_t code, int32_t& xDpi, int32_t& yDpi, int32_t& third,
                                     MPersistentObject* tree) {
    if (MPersistentObject* groups = FindPrinterNode(GSettingId::kQualityPresets)) {
        bool found = false;
        GForEachChild(groups, [&](MPersistentObject& group) {
            if (found) return;
            bool matched = false;
            bool ended = false;
            GForEachChild(&group, [&](MPersistentObject& child) {
                if (ended) return;
                if (IsOutput(child.GetId())) {
                    SetOutput(child, xDpi, yDpi, third);
                } else if (matched) {
                    ApplySetting(child, tree);
                } else if (child.GetId() == GSettingId::kQualityCode) {
                    matched = GetSigned(&child, GSettingId::kQualityCode) == code;
                    ended = !matched;
                } else {
                    ended = !ConditionHolds(child, tree);
                }
            });
            found = matched;
        });
        return found ? 1 : 0;
    }
    // DMRES_HIGH (-4) .. DMRES_DRAFT (-1): the first to fourth resolution entry.
    if (code < DMRES_HIGH || code > DMRES_DRAFT) return 0;
    int32_t index = code - DMRES_HIGH;
    int32_t found = 0;
    GForEachChild(FindPrinterNode(GSettingId::kResolutions), [&](MPersistentObject& entry) {
        if (index-- != 0) return;
        GForEachChild(&entry, [&](MPersistentObject& child) { SetOutput(child, xDpi, yDpi, third); });
        found = 1;
    });
    return found;
}

int32_t GNTDevMode::FindQualityPreset(int32_t xDpi, int32_t yDpi, int16_t& code, MPersistentObject* tree) {
    if (MPersistentObject* groups = FindPrinterNode(GSettingId::kQualityPresets)) {
        std::optional<int16_t> complete;
        std::optional<int16_t> partial; // the last group that failed only on its trailing settings
        GForEachChild(groups, [&](MPersistentObject& group) {
            if (complete) return;
            std::optional<int16_t> groupCode;
            bool failed = false;
            bool trailingDiffers = false;
            GForEachChild(&group, [&](MPersistentObject& child) {
                if (failed) return;
                const uint32_t id = child.GetId();
                if (!groupCode) {
                    if (id == GSettingId::kQualityCode) {
                        groupCode = GetSigned(&child, GSettingId::kQualityCode);
                    } else {
                        failed = !ConditionHolds(child, tree);
                    }
                } else if (id == GSettingId::kXResolution || id == GSettingId::kYResolution) {
                    failed = GetSigned(&child, id) != (id == GSettingId::kXResolution ? xDpi : yDpi);
                } else if (id != GSettingId::kBitsPerPixel) {
                    trailingDiffers = trailingDiffers ||
                                      !SameSetting(child, tree == nullptr ? nullptr : tree->FindById(id));
                }
            });
            if (failed || !groupCode) return;
            if (trailingDiffers) {
                partial = groupCode;
            } else {
                complete = groupCode;
            }
        });
        const std::optional<int16_t> answer = complete ? complete : partial;
        if (!answer) return 0;
        code = *answer;
        return 1;
    }
    int32_t found = 0;
    GForEachChild(FindPrinterNode(GSettingId::kResolutions), [&](MPersistentObject& entry) {
        if (found != 0 || GetSigned(&entry, GSettingId::kXResolution) != xDpi ||
            GetSigned(&entry, GSettingId::kYResolution) != yDpi)
            return;
        if (const std::optional<int16_t> entryCode = GetSigned(&entry, GSettingId::kQualityCode)) {
            code = *entryCode;
            found = 1;
        }
    });
    return found;
}

int32_t GNTDevMode::GetResourceName(MPersistentObject* tree, uint16_t key, RWCString& name) {
    if (instance_ == nullptr || tree == nullptr) return 0;
    auto* names = dynamic_cast<MAssociationList*>(tree->FindById(GSettingId::kPaperSourceNames));
    if (names == nullptr) return 0;
    auto lookUp = [&](GResourceMappingList* mappings) {
        const GResourceMapping* mapping = mappings == nullptr ? nullptr : mappings->FindByFirst(key);
        if (mapping == nullptr) return 0;
        const GValueAttribute second(static_cast<uint16_t>(mapping->GetSecond()), 0);
        const RWCString* text = TextOf(names->FindValue(&second));
        if (text == nullptr) return 0;
        name = *text;
        return 1;
    };
    auto* mappings = dynamic_cast<GResourceMappingList*>(instance_->GetResourceMappingList());
    if (mappings != nullptr && mappings->FindByFirst(key) != nullptr) return lookUp(mappings);
    GResourceMappingList fresh(0);
    instance_->FillResourceMappingList(fresh);
    return lookUp(&fresh);
}

int32_t GNTDevMode::FindResourceByName(MPersistentObject* tree, uint16_t& key, const RWCString& name) {
    if (instance_ == nullptr || tree == nullptr) return 0;
    auto* names = dynamic_cast<MAssociationList*>(tree->FindById(GSettingId::kPaperSourceNames));
    if (names == nullptr) return 0;
    std::optional<uint16_t> value;
    const GCountedPtrVector& associations = names->GetChildren();
    for (uint32_t i = 0; i < associations.Count() && !value; ++i) {
        const auto* association = associations.At(i).As<MPersistentAssociation>();
        const auto* number =
            association == nullptr ? nullptr : dynamic_cast<const GValueAttribute*>(association->GetKey());
        const RWCString* text = association == nullptr ? nullptr : TextOf(association->GetValue());
        if (number != nullptr && text != nullptr && *text == name) value = number->GetValue();
    }
    if (!value) return 0;
    auto bySecond = [&](GResourceMappingList* mappings) {
        const GResourceMapping* mapping = mappings == nullptr ? nullptr : mappings->FindBySecond(*value);
        if (mapping == nullptr) return 0;
        key = mapping->GetFirst();
        return 1;
    };
    if (bySecond(dynamic_cast<GResourceMappingList*>(instance_->GetResourceMappingList())) != 0) return 1;
    GResourceMappingList fresh(0);
    instance_->FillResourceMappingList(fresh);
    return bySecond(&fresh);
}

int32_t GNTDevMode::ResolutionFromQuality(MPersistentObject* settings, int16_t quality, int32_t& xDpi,
                                          int32_t& yDpi, int32_t& variant) {
    return GetQualityPreset(quality, xDpi, yDpi, variant, settings);
}

int32_t GNTDevMode::QualityFromResolution(MPersistentObject* settings, int32_t xDpi, int32_t yDpi,
                                          int16_t& quality) {
    return FindQualityPreset(xDpi, yDpi, quality, settings);
}

int32_t GNTDevMode::SourceNameFromBin(MPersistentObject* settings, int16_t bin, RWCString& name) {
    return GetResourceName(settings, static_cast<uint16_t>(bin), name);
}

int32_t GNTDevMode::BinFromSourceName(const RWCString& name, int16_t& bin) {
    uint16_t key = 0;
    if (FindResourceByName(GetSettings(), key, name) == 0) return 0;
    bin = static_cast<int16_t>(key);
    return 1;
}
