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
#include "winapi/WinHandle.h"
#include "winapi/WinKernel.h"
#include "winapi/WinModule.h"
#include "winapi/WinVersion.h"
#include "winnt40/GNT40Driver.h"

namespace {

constexpr uint16_t kUserMediaId = 16384;
constexpr int kPaperNameLength = 256;

struct FaceChoice {
    UINT codePage;
    uint16_t charSet;
    const char16_t* face;
};
constexpr const char16_t* kArial = u"Arial";
constexpr FaceChoice kFaces[] = {
    {874, 0xDE, kArial},
    {932, 0x80, u"\uFF2D\uFF33 \uFF30\u660E\u671D"},
    {936, 0x86, u"\u5B8B\u4F53"},
    {949, 0x81, u"\uBC14\uD0D5"},
    {950, 0x88, u"\u65B0\u7D30\u660E\u9AD4"},
    {1200, 0, kArial},
    {1250, 0xEE, kArial},
    {1251, 0xCC, kArial},
    {1252, 0, kArial},
    {1253, 0xA1, kArial},
    {1254, 0xA2, kArial},
    {1255, 0xB1, kArial},
    {1256, 0xB2, kArial},
    {1257, 0xBA, kArial},
    {1361, 0x82, kArial},
};
constexpr uint16_t kOtherCharSet = 0xFF;

struct WatermarkRow {
    UINT text; // 0: empty text
    UINT name; // 0: the text
    UINT size;
    uint16_t shown;
    uint16_t number;
};
constexpr WatermarkRow kWatermarks[] = {
    {0, 11060, 11077, 0, 0},
    {11074, 0, 11078, 1, 1},
    {11076, 0, 11079, 1, 3},
    {11075, 0, 11080, 1, 2},
};

// A string of the module, or nothing when it cannot be loaded.
std::optional<std::u16string> LoadText(HMODULE module, UINT id) {
    if (module == nullptr) return std::nullopt;
    WCHAR buffer[kPaperNameLength + 1] = {};
    const int length = LoadStringW(module, id, buffer, kPaperNameLength);
    if (length <= 0) return std::nullopt;
    return std::u16string(buffer, static_cast<size_t>(std::min(length, kPaperNameLength)));
}

// The text in the code page's bytes ("?" for what it cannot hold).
RWCString InCodePage(std::u16string_view text, UINT codePage) {
    const int length = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                           0, nullptr, nullptr);
    if (length <= 0) return RWCString();
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length,
                        nullptr, nullptr);
    return RWCString(bytes.c_str());
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
    uint16_t charSet = kOtherCharSet;
    RWCString face("Arial");
    for (const FaceChoice& choice : kFaces) {
        if (choice.codePage != codePage) continue;
        charSet = choice.charSet;
        // The far-eastern faces are kept in their own code page's bytes.
        if (choice.face != kArial) face = InCodePage(choice.face, choice.codePage);
    }

    std::u16string text;
    std::u16string name;
    uint16_t size = 100;
    for (const WatermarkRow& row : kWatermarks) {
        if (row.text != 0) {
            if (const std::optional<std::u16string> loaded = LoadText(module.Get(), row.text)) text = *loaded;
        }
        if (row.name != 0) {
            if (const std::optional<std::u16string> loaded = LoadText(module.Get(), row.name)) name = *loaded;
        } else {
            name = text;
        }
        if (const std::optional<std::u16string> loaded = LoadText(module.Get(), row.size)) {
            const std::string digits = NarrowName(*loaded).Data();
            size = static_cast<uint16_t>(std::strtol(digits.c_str(), nullptr, 10));
        }
        auto* watermark = new GAttributeComposite(GSettingId::kWatermark);
        watermark->Add(new GStringAttribute(NarrowName(text), GSettingId::kWatermarkName));
        watermark->Add(new GStringAttribute(NarrowName(name), GSettingId::kWatermarkText));
        watermark->Add(new GStringAttribute(face, GSettingId::kWatermarkFace));
        watermark->Add(new GValueAttribute(charSet, GSettingId::kWatermarkCharSet));
        watermark->Add(new GValueAttribute(row.shown, GSettingId::kWatermarkStyle));
        watermark->Add(new GValueAttribute(0, GSettingId::kWatermarkField389));
        watermark->Add(new GValueAttribute(size, GSettingId::kWatermarkPointSize));
        watermark->Add(new GValueAttribute(0, GSettingId::kWatermarkCharWidth));
        watermark->Add(new GValueAttribute(1, GSettingId::kWatermarkAngleKind));
        watermark->Add(new GValueAttribute(0, GSettingId::kWatermarkCustomAngle));
        watermark->Add(new GValueAttribute(0, GSettingId::kWatermarkField396));
        watermark->Add(new GValueAttribute(0, GSettingId::kWatermarkField397));
        for (const uint32_t id : {GSettingId::kWatermarkShade, GSettingId::kWatermarkRed,
                                  GSettingId::kWatermarkGreen, GSettingId::kWatermarkBlue})
            watermark->Add(new GValueAttribute(grey, id));
        watermark->Add(new GValueAttribute(row.number, GSettingId::kBuiltInWatermark));
        list->Add(watermark);
    }
}
