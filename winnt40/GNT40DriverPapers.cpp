// GNT40Driver: paper numbers of media, the forms the printer needs, and the
// default watermarks.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "driver/GOSFactory.h"
#include "driver/GSettingValues.h"
#include "driver/GSpoolerFormList.h"
#include "model/GAttributeComposite.h"
#include "model/GResourceMapping.h"
#include "model/GResourceMappingList.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GMedia.h"
#include "paper/GPaperUnits.h"
#include "ui/pages/GWatermarkDefaults.h"
#include "winapi/WinHandle.h"
#include "winapi/WinKernel.h"
#include "winapi/WinModule.h"
#include "winapi/WinVersion.h"
#include "winnt40/GNT40Driver.h"

namespace {

constexpr uint16_t kUserMediaId = 16384;
constexpr int kPaperNameLength = 256;
// Any platform family but the oldest, whose faces differ.
constexpr uint32_t kInstalledFamily = 4;

// A string of the module, or nothing when it cannot be loaded.
std::optional<std::u16string> LoadText(HMODULE module, UINT id) {
    if (module == nullptr) return std::nullopt;
    WCHAR buffer[kPaperNameLength + 1] = {};
    const int length = LoadStringW(module, id, buffer, kPaperNameLength);
    if (length <= 0) return std::nullopt;
    return std::u16string(buffer, static_cast<size_t>(std::min(length, kPaperNameLength)));
}

RWCString NarrowName(const std::u16string& text) {
    return RWWString(text.data(), text.size()).ToMultiByte();
}

// The code page of the module's first translation; 0 without one.
UINT ModuleCodePage(const RWWString& path) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.Data(), &handle);
    if (size == 0) return 0;
    std::vector<uint64_t> block((size + sizeof(uint64_t) - 1) / sizeof(uint64_t));
    if (!GetFileVersionInfoW(path.Data(), handle, size, block.data())) return 0;
    void* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), u"\\VarFileInfo\\Translation", &translation, &length) ||
        translation == nullptr || length < sizeof(DWORD))
        return 0;
    DWORD first = 0;
    std::memcpy(&first, translation, sizeof first);
    return first >> 16;
}

} // namespace

WinScopedModule GNT40Driver::LoadResourceModule(RWWString* path) {
    RWWString where = GetResourceModulePath();
    WinScopedModule module(LoadLibraryW(where.Data()));
    if (!module) {
        where = GetResourceModuleName();
        module.Reset(LoadLibraryW(where.Data()));
    }
    if (path != nullptr) *path = where;
    return module;
}

// --- Paper numbers ------------------------------------------------------------------

int32_t GNT40Driver::MediaToPaperNumber(uint16_t mediaId, uint16_t& paperNumber) {
    if (mediaId == kUserMediaId) {
        paperNumber = kUserPaperNumber;
        return 1;
    }
    if (mediaId > kUserMediaId) {
        paperNumber = static_cast<uint16_t>(mediaId - (kUserMediaId - 1));
        return 1;
    }
    uint16_t number = 0;
    if (PaperNumberFromTable(mediaId, number) == 1 && number > 0) {
        paperNumber = number;
        return 1;
    }
    const GMedia* media = FindDevModeMedia(mediaId);
    if (media == nullptr) return 0;
    const GSpoolerFormList forms(GetPrinterHandle());
    const WinScopedModule module = LoadResourceModule(nullptr);
    for (uint32_t n = 0; n < forms.Count(); ++n) {
        const FORM_INFO_1W& form = forms.At(n);
        if (form.Flags != FORM_BUILTIN &&
            FormMatchesMedia(form, *media, kFormTolerance, kFormTolerance, module.Get()) == 1) {
            paperNumber = static_cast<uint16_t>(n + 1);
            return 1;
        }
    }
    return 0;
}

int32_t GNT40Driver::FormMatchesMedia(const FORM_INFO_1W& form, const GMedia& media, int32_t xTolerance,
                                      int32_t yTolerance, HMODULE module) {
    int32_t width = MulDiv(media.GetSize().x, 25400, media.GetXResolution());
    int32_t height = MulDiv(media.GetSize().y, 25400, media.GetYResolution());
    if (media.GetOrientation() == 90 || media.GetOrientation() == 270) std::swap(width, height);
    if (width >= 0 && height >= 0 && std::abs(width - form.Size.cx) <= xTolerance &&
        std::abs(height - form.Size.cy) <= yTolerance)
        return 1;
    if (module == nullptr || form.pName == nullptr) return 0;
    // The media carries its display name itself.
    const RWWString shown(media.GetName(), RWWString::MultiByte);
    return std::u16string_view(shown.Data(), shown.Length()) == std::u16string_view(form.pName) ? 1 : 0;
}

// --- Forms the printer needs --------------------------------------------------------

int32_t GNT40Driver::AddMissingForms() {
    GSpoolerFormList forms(GetPrinterHandle());
    const WinScopedModule module = LoadResourceModule(nullptr);
    auto matched = [&](auto&& matches) {
        for (uint32_t n = 0; n < forms.Count(); ++n) {
            if (forms.At(n).Flags != FORM_BUILTIN && matches(forms.At(n))) return true;
        }
        return false;
    };
    int32_t added = 0;
    // Papers without a form number of the system's own need a user form.
    if (auto* table = dynamic_cast<GResourceMappingList*>(GetResourceMappings())) {
        std::vector<std::pair<uint16_t, uint32_t>> papers; // paper id, string id
        const std::unique_ptr<MPersistentIterator> it = table->CreateIterator();
        while (it->Advance()) {
            const auto* mapping = dynamic_cast<const GResourceMapping*>(it->Current());
            if (mapping != nullptr && mapping->GetFirst() == 0)
                papers.emplace_back(static_cast<uint16_t>(mapping->GetSecond()), mapping->GetValue32());
        }
        for (const auto& [paperId, stringId] : papers) {
            const GMedia* media = FindDevModeMedia(paperId);
            if (media == nullptr || matched([&](const FORM_INFO_1W& form) {
                    return FormMatchesMedia(form, *media, kFormTolerance, kFormTolerance, nullptr) == 1;
                }))
                continue;
            const std::optional<std::u16string> name = LoadText(module.Get(), stringId);
            if (!name) continue;
            int32_t width = MulDiv(media->GetSize().x, 25400, media->GetXResolution());
            int32_t height = MulDiv(media->GetSize().y, 25400, media->GetYResolution());
            if (media->GetOrientation() == 90 || media->GetOrientation() == 270) std::swap(width, height);
            if (width <= 0 || height <= 0) continue;
            GCustomMediaSize size(paperId, NarrowName(*name), kPaperUnitMicrometre,
                                  static_cast<uint32_t>(width), static_cast<uint32_t>(height));
            if (AddOrUpdateForm(size, nullptr) == 1) {
                added = 1;
                forms.Load(GetPrinterHandle());
            }
        }
    }
    // The custom sizes the printer's defaults list.
    MPersistentObject* defaults = GetPrinterConfiguration() != nullptr
                                      ? GetPrinterConfiguration()->FindById(GSettingId::kDefaults)
                                      : nullptr;
    MPersistentObject* sizes =
        defaults != nullptr ? defaults->FindById(GSettingId::kCustomPaperSizes) : nullptr;
    std::vector<GCustomMediaSize> listed;
    if (sizes != nullptr) {
        const std::unique_ptr<MPersistentIterator> it = sizes->CreateIterator();
        while (it->Advance()) {
            if (const auto* size = dynamic_cast<const GCustomMediaSize*>(it->Current()))
                listed.push_back(*size);
        }
    }
    for (GCustomMediaSize& size : listed) {
        GSizePair micrometres{};
        size.GetSizeInUnit(micrometres, kPaperUnitMicrometre);
        const auto width = static_cast<int32_t>(micrometres.x);
        const auto height = static_cast<int32_t>(micrometres.y);
        if (matched([&](const FORM_INFO_1W& form) {
                return std::abs(width - form.Size.cx) <= kFormTolerance &&
                       std::abs(height - form.Size.cy) <= kFormTolerance;
            }))
            continue;
        if (AddOrUpdateForm(size, nullptr) == 1) {
            added = 1;
            forms.Load(GetPrinterHandle());
        }
    }
    return added;
}

// --- Default watermarks -------------------------------------------------------------

void GNT40Driver::AddDefaultWatermarks(GAttributeComposite& settings) {
    MPersistentObject* watermarks = settings.FindById(GSettingId::kWatermarksGroup);
    MPersistentObject* list =
        watermarks != nullptr ? watermarks->FindById(GSettingId::kWatermarkPool) : nullptr;
    if (list == nullptr) return;
    {
        const std::unique_ptr<MPersistentIterator> entries = list->CreateIterator();
        if (entries->Advance()) return;
    }
    RWWString path;
    const WinScopedModule module = LoadResourceModule(&path);
    const uint16_t grey = GSettingValues::Get(&settings, GSettingId::kDefaultWatermarkGrey).value_or(224);
    const UINT codePage = module ? ModuleCodePage(path) : 0;
    // The driver's defaults take the faces of the systems it installs on.
    const GWatermarkFace face = DefaultWatermarkFace(static_cast<uint16_t>(codePage), kInstalledFamily);

    // A string the module lacks keeps the value of the record before.
    std::u16string text;
    std::u16string name;
    uint16_t size = 100;
    for (const GDefaultWatermark& row : kDefaultWatermarks) {
        if (row.nameText != 0) {
            if (const std::optional<std::u16string> loaded = LoadText(module.Get(), row.nameText))
                text = *loaded;
            name = text;
        } else if (const std::optional<std::u16string> loaded = LoadText(module.Get(), kWatermarkNoneText)) {
            name = *loaded;
        }
        if (const std::optional<std::u16string> loaded = LoadText(module.Get(), row.sizeText)) {
            const std::string digits = NarrowName(*loaded).Data();
            size = static_cast<uint16_t>(std::strtol(digits.c_str(), nullptr, 10));
        }
        list->Add(NewWatermarkRecord(NarrowName(text), NarrowName(name), face, row, size, grey));
    }
}
