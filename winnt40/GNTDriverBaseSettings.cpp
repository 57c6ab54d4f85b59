// GNTDriverBase: fresh default settings, the printer's current settings, the
// paper-size list and the resource module's path.
#include <algorithm>
#include <cctype>
#include <string>

#include "driver/GOSFactory.h"
#include "driver/GSettingValues.h"
#include "driver/GSpoolerFormList.h"
#include "model/GAttributeComposite.h"
#include "model/GEnumAttribute.h"
#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GPaperUnits.h"
#include "winapi/WinModule.h"
#include "winnt40/GNTDriverBase.h"

namespace {

constexpr const char16_t* kNoBaseName = u"<none>";

std::unique_ptr<GAttributeComposite> CloneComposite(MPersistentObject& node, uint32_t id) {
    std::unique_ptr<MPersistentObject> copy = node.Clone();
    if (copy == nullptr || !copy->IsKindOf(GAttributeComposite::ClassId())) return nullptr;
    copy->SetId(id);
    return std::unique_ptr<GAttributeComposite>(static_cast<GAttributeComposite*>(copy.release()));
}

// The position of needle in text, compared without letter case; npos when
// absent.
size_t FindNoCase(const std::u16string& text, std::u16string_view needle) {
    auto lower = [](char16_t c) { return c < 128 ? static_cast<char16_t>(std::tolower(c)) : c; };
    const auto found = std::search(text.begin(), text.end(), needle.begin(), needle.end(),
                                   [&](char16_t a, char16_t b) { return lower(a) == lower(b); });
    return found == text.end() ? std::u16string::npos : static_cast<size_t>(found - text.begin());
}

} // namespace

std::unique_ptr<GAttributeComposite> GNTDriverBase::NewDefaultSettings() {
    MPersistentObject* printer = GetPrinter();
    if (printer == nullptr) return nullptr;
    // The printer node's first two children: its configuration and its state.
    MPersistentObject* configurations[2] = {nullptr, nullptr};
    {
        const std::unique_ptr<MPersistentIterator> children = printer->CreateIterator();
        for (MPersistentObject*& slot : configurations)
            slot = children->Advance() ? children->Current() : nullptr;
    }
    MPersistentObject* defaults =
        configurations[0] != nullptr ? configurations[0]->FindById(GSettingId::kDefaults) : nullptr;
    if (defaults == nullptr) return nullptr;
    std::unique_ptr<GAttributeComposite> settings = CloneComposite(*defaults, GSettingId::kSettings);
    if (settings == nullptr) return nullptr;
    if (MPersistentObject* state = configurations[1]) {
        if (MPersistentObject* printing = state->FindById(GSettingId::kPrintingStateGroup)) {
            if (std::unique_ptr<GAttributeComposite> copy =
                    CloneComposite(*printing, GSettingId::kPrintingGroup)) {
                copy->RemoveById(GSettingId::kMedia);
                copy->Add(
                    new GValueAttribute(static_cast<uint16_t>(GetDefaultPaperId()), GSettingId::kPaper));
                settings->Add(copy.release());
            }
        }
        if (MPersistentObject* page = state->FindById(GSettingId::kPageStateGroup)) {
            if (std::unique_ptr<GAttributeComposite> copy = CloneComposite(*page, GSettingId::kPageGroup))
                settings->Add(copy.release());
        }
    }
    TakeModelBaseName(*settings);
    SyncSettingsWithPrinterData(settings.get());
    RebuildPaperSizeList(*settings);
    return settings;
}

void GNTDriverBase::TakeModelBaseName(GAttributeComposite& settings) {
    GOSFactory* factory = GOSFactory::Instance();
    const RWWString stored = factory != nullptr ? factory->GetPrinterDataString(this, u"Base", kNoBaseName)
                                                : RWWString(kNoBaseName);
    if (!(stored == RWWString(kNoBaseName))) {
        modelBaseName_ = stored;
        return;
    }
    if (GSettingValues::Get(&settings, GSettingId::kBaseNameFromDriver) != 1) return;
    const std::u16string driver(GetDriverName().Data(), GetDriverName().Length());
    size_t cut = FindNoCase(driver, u"series");
    if (cut == std::u16string::npos) cut = FindNoCase(driver, u"pcl");
    // The character before the word (its separating space) goes too.
    if (cut != std::u16string::npos && cut > 0) modelBaseName_ = RWWString(driver.data(), cut - 1);
}

std::unique_ptr<GAttributeComposite> GNTDriverBase::GetCurrentSettings() {
    ClearStateBits(kStateTakeSettingsAgain);
    std::unique_ptr<GAttributeComposite> options =
        RestoreSettingsComposite(GSettingId::kInstalledOptionsGroup);
    if (options != nullptr) ApplySettings(options.get());
    MPersistentObject* current = GetDevModeSettings();
    std::unique_ptr<GAttributeComposite> copy =
        current != nullptr ? CloneComposite(*current, current->GetId()) : nullptr;
    std::unique_ptr<GAttributeComposite> watermarks = RestoreSettingsComposite(GSettingId::kWatermarksGroup);
    if (watermarks != nullptr && UsesLocalPools() != 0) MergeLocalWatermarks(*watermarks);
    std::unique_ptr<GAttributeComposite> c368 = RestoreSettingsComposite(GSettingId::kPlugInsGroup);
    if (copy == nullptr || options == nullptr || watermarks == nullptr || c368 == nullptr)
        return NewDefaultSettings();
    for (std::unique_ptr<GAttributeComposite>* part : {&options, &watermarks, &c368}) {
        copy->RemoveById((*part)->GetId());
        copy->Add(part->release());
    }
    RebuildPaperSizeList(*copy);
    return copy;
}

void GNTDriverBase::RebuildPaperSizeList(GAttributeComposite& settings) {
    auto* list = dynamic_cast<GEnumAttribute*>(settings.FindById(GSettingId::kCustomPaperSizes));
    if (list == nullptr) return;
    list->RemoveAll();
    const std::optional<uint16_t> width = GSettingValues::Get(&settings, GSettingId::kCustomPaperWidth);
    const std::optional<uint16_t> height = GSettingValues::Get(&settings, GSettingId::kCustomPaperHeight);
    if (width && height) {
        list->Add(new GCustomMediaSize(kCustomMediaId, RWCString(), kPaperUnitMicrometre,
                                       uint32_t{*width} * 100, uint32_t{*height} * 100));
    }
    MPersistentObject* resolutions = settings.FindById(GSettingId::kResolution);
    if (resolutions == nullptr) resolutions = &settings;
    const int32_t xDpi = GSettingValues::Get(resolutions, GSettingId::kXResolution).value_or(0);
    const int32_t yDpi = GSettingValues::Get(resolutions, GSettingId::kYResolution).value_or(0);
    const int32_t angle = GSettingValues::Get(&settings, GSettingId::kOrientation).value_or(0);
    std::optional<uint16_t> skip = GSettingValues::Get(&settings, GSettingId::kRelaxedPaperCheck);
    if (!skip) skip = GSettingValues::Get(GetPrinterConfiguration(), GSettingId::kRelaxedPaperCheck);
    const bool sizeTest = skip.value_or(0) == 0;

    const GSpoolerFormList forms(GetPrinterHandle());
    for (uint32_t n = 0; n < forms.Count(); ++n) {
        const FORM_INFO_1W& form = forms.At(n);
        if (form.Flags == FORM_BUILTIN || form.Size.cx <= 0 || form.Size.cy <= 0) continue;
        if (sizeTest && FormFitsPrinter(form, xDpi, yDpi, angle) == 0) continue;
        const auto a = static_cast<uint32_t>(form.Size.cx);
        const auto b = static_cast<uint32_t>(form.Size.cy);
        list->Add(new GCustomMediaSize(static_cast<uint16_t>(kCustomMediaId + n),
                                       forms.NameAt(n).ToMultiByte(), kPaperUnitMicrometre, std::min(a, b),
                                       std::max(a, b)));
    }
}

RWWString GNTDriverBase::GetResourceModulePath() {
    GOSFactory* factory = GOSFactory::Instance();
    WCHAR path[MAX_PATH] = {};
    const DWORD length =
        GetModuleFileNameW(factory != nullptr ? factory->GetModuleHandle() : nullptr, path, MAX_PATH);
    const RWWString name = GetResourceModuleName();
    if (length == 0 || length >= MAX_PATH) return name;
    const std::u16string_view full(path, length);
    const size_t separator = full.rfind(u'\\');
    if (separator == std::u16string_view::npos) return name;
    return RWWString(path, separator + 1) + name;
}
