// GNTDriverBase: device capabilities and paper lists.
//
// Every answer comes from the current DEVMODE, the printer configuration and
// the cached printer settings of the driver context, the media pool and the
// spooler's forms; output elements are written one at a time at their fixed
// sizes (names 64 wide characters, bin names 24, sizes and resolutions two
// 32-bit values), so nothing is written past an element.
#include <algorithm>
#include <cstring>
#include <exception>

#include "driver/GSettingValues.h"
#include "driver/GSpoolerFormList.h"
#include "model/GAttributeComposite.h"
#include "model/GRangeAttribute.h"
#include "model/GResourceMapping.h"
#include "model/GResourceMappingList.h"
#include "model/GSettingIds.h"
#include "model/MPersistentIterator.h"
#include "paper/GFormToTrayDatabase.h"
#include "paper/GMedia.h"
#include "paper/GMediaPool.h"
#include "winapi/WinError.h"
#include "winapi/WinKernel.h"
#include "winapi/WinModule.h"
#include "winnt40/GNTDriverBase.h"

namespace {
constexpr DWORD kGdiError = static_cast<DWORD>(-1);
constexpr WORD kPrivateInformation = 0x5651;
constexpr DWORD kPrivateInformationSize = 0x602;
constexpr uint16_t kCustomMediaBase = 0x4000;
constexpr WORD kUserPaper = 256;
constexpr WORD kFormSourceBin = 15;
constexpr size_t kNameLength = 64;
constexpr size_t kBinNameLength = 24;
constexpr UINT kCustomSizeStringId = 10120;
constexpr uint32_t kSingleResolutionFlag = 0x20000000;

// Copies text into an entry of length characters, cut so that it and its
// NUL fit.
void CopyName(WCHAR* entry, size_t length, std::u16string_view text) {
    const size_t count = std::min(text.size(), length - 1);
    std::fill(entry, entry + length, WCHAR{0});
    std::copy_n(text.data(), count, entry);
}

void CopyNarrow(BYTE* out, const char* text) {
    std::memcpy(out, text, std::strlen(text) + 1);
}

} // namespace

// An answer leaves the caller's last error as it was: the steps on the way
// (module paths, library loads, printer-data probes) set errors of their own
// that would otherwise depend on what the instance had already done.
DWORD GNTDriverBase::DrvDeviceCapabilities(HANDLE printer, LPWSTR name, WORD capability, void* output,
                                           PDEVMODEW devMode) {
    const DWORD callersError = GetLastError();
    const DWORD answer = AnswerCapability(printer, name, capability, output, devMode);
    if (answer != kGdiError) SetLastError(callersError);
    return answer;
}

DWORD GNTDriverBase::AnswerCapability(HANDLE, LPWSTR, WORD capability, void* output, PDEVMODEW devMode) {
    try {
        if (LoadDevMode(devMode) == 0) return kGdiError;
        switch (capability) {
        case DC_FIELDS:
            return GetFields(output);
        case DC_PAPERS:
            return GetPapers(output);
        case DC_PAPERSIZE:
            return GetPaperSizes(output);
        case DC_MINEXTENT:
            return GetMinExtent(output);
        case DC_MAXEXTENT:
            return GetMaxExtent(output);
        case DC_BINS:
            return GetBins(output);
        case DC_DUPLEX:
            return GetDuplex(output);
        case DC_SIZE:
            return GetSize(output);
        case DC_EXTRA:
            return GetExtra(output);
        case DC_VERSION:
            return GetVersion(output);
        case DC_DRIVER:
            return GetDriverVersion(output);
        case DC_BINNAMES:
            return GetBinNames(output);
        case DC_ENUMRESOLUTIONS:
            return GetResolutions(output);
        case DC_FILEDEPENDENCIES:
            return GetFileDependencies(output);
        case DC_TRUETYPE:
            return GetTrueType(output);
        case DC_PAPERNAMES:
            return GetPaperNames(output);
        case DC_ORIENTATION:
            return GetOrientation(output);
        case DC_COPIES:
            return GetCopies(output);
        case DC_COLLATE:
            return GetCollate(output);
        case DC_COLORDEVICE:
            return GetColorDevice(output);
        case kPrivateInformation:
            return GetPrivateInformation(output);
        default:
            return GetGeneric(output);
        }
    } catch (const std::exception&) {
        return kGdiError;
    }
}

// --- The paper list -------------------------------------------------------------------

LONG GNTDriverBase::GetPaperList(WCHAR* names, WORD* numbers, POINT* sizes) {
    if ((GetStateWord() & kStatePaperListStale) != 0 || paperList_.empty()) {
        ClearStateBits(kStatePaperListStale);
        paperList_.clear();
        const GSpoolerFormList forms(GetPrinterHandle());
        paperList_.reserve(forms.Count() + 1u);
        RefreshPrinterSettings(0);
        const FormTest test = PrepareFormTest(IsSizeTestOn());
        for (uint32_t n = 0; n < forms.Count(); ++n) {
            const FORM_INFO_1W& form = forms.At(n);
            if (PassesFormTest(test, form, n) != 1) continue;
            PaperEntry entry;
            CopyName(entry.name.data(), kNameLength,
                     forms.NameAt(n).Data() != nullptr ? std::u16string_view(forms.NameAt(n).Data())
                                                       : std::u16string_view());
            entry.number = static_cast<WORD>(n + 1);
            entry.size = POINT{form.Size.cx / 100, form.Size.cy / 100};
            paperList_.push_back(entry);
        }
        PaperEntry custom;
        CopyName(custom.name.data(), kNameLength,
                 GNTDriverBase::LoadModuleString(HeldResourceModule(), kCustomSizeStringId));
        custom.number = kUserPaper;
        MPersistentObject* cached = GetCachedPrinterSettings();
        const auto width = GSettingValues::Get(cached, GSettingId::kCustomPaperWidth);
        const auto height = GSettingValues::Get(cached, GSettingId::kCustomPaperHeight);
        if (width.has_value() && height.has_value()) custom.size = POINT{*width, *height};
        paperList_.push_back(custom);
    }
    for (size_t i = 0; i < paperList_.size(); ++i) {
        if (names != nullptr) std::copy_n(paperList_[i].name.data(), kNameLength, names + i * kNameLength);
        if (numbers != nullptr) numbers[i] = paperList_[i].number;
        if (sizes != nullptr) sizes[i] = paperList_[i].size;
    }
    return paperList_.empty() ? -1 : static_cast<LONG>(paperList_.size());
}

DWORD GNTDriverBase::GetPaperNames(void* output) {
    return static_cast<DWORD>(GetPaperList(static_cast<WCHAR*>(output), nullptr, nullptr));
}
DWORD GNTDriverBase::GetPapers(void* output) {
    return static_cast<DWORD>(GetPaperList(nullptr, static_cast<WORD*>(output), nullptr));
}
DWORD GNTDriverBase::GetPaperSizes(void* output) {
    return static_cast<DWORD>(GetPaperList(nullptr, nullptr, static_cast<POINT*>(output)));
}
DWORD GNTDriverBase::GetPaperListCapability(void* output) {
    return GetPapers(output);
}

// --- Forms -------------------------------------------------------------------------

int32_t GNTDriverBase::IsSizeTestOn() {
    MPersistentObject* cached = GetCachedPrinterSettings();
    MPersistentObject* source = cached != nullptr ? cached : GetPrinterConfiguration();
    return GSettingValues::Get(source, GSettingId::kRelaxedPaperCheck).value_or(0) != 0 ? 0 : 1;
}

bool GNTDriverBase::SizeLimits::Hold(const FORM_INFO_1W& form) const {
    return form.Size.cx >= minWidth && form.Size.cx <= maxWidth && form.Size.cy >= minHeight &&
           form.Size.cy <= maxHeight;
}

std::optional<GNTDriverBase::SizeLimits> GNTDriverBase::PrinterSizeLimits(int32_t xDpi, int32_t yDpi,
                                                                          int32_t angle) {
    GMediaPool* pool = GetMediaPool();
    if (pool == nullptr || xDpi <= 0 || yDpi <= 0) return std::nullopt;
    const GMedia* smallest = pool->FindMedia(static_cast<int16_t>(kSmallestMediaId), 0,
                                             static_cast<uint16_t>(xDpi), static_cast<uint16_t>(yDpi));
    const GMedia* largest = pool->FindMedia(static_cast<int16_t>(kLargestMediaId), 0,
                                            static_cast<uint16_t>(xDpi), static_cast<uint16_t>(yDpi));
    if (smallest == nullptr || largest == nullptr) return std::nullopt;
    SizeLimits limits{MulDiv(smallest->GetSize().x, 25400, xDpi), MulDiv(smallest->GetSize().y, 25400, yDpi),
                      MulDiv(largest->GetSize().x, 25400, xDpi), MulDiv(largest->GetSize().y, 25400, yDpi)};
    if (angle == 90 || angle == 270) {
        std::swap(limits.minWidth, limits.minHeight);
        std::swap(limits.maxWidth, limits.maxHeight);
    }
    return limits;
}

int32_t GNTDriverBase::FormFitsPrinter(const FORM_INFO_1W& form, int32_t xDpi, int32_t yDpi, int32_t angle) {
    const std::optional<SizeLimits> limits = PrinterSizeLimits(xDpi, yDpi, angle);
    return limits.has_value() && limits->Hold(form) ? 1 : 0;
}

GNTDriverBase::FormTest GNTDriverBase::PrepareFormTest(int32_t sizeTest) {
    FormTest test;
    MPersistentObject* cached = GetCachedPrinterSettings();
    MPersistentObject* printer =
        cached != nullptr ? cached->FindById(GSettingId::kInstalledOptionsGroup) : nullptr;
    if (cached == nullptr) {
        test.storedOptions = RestoreSettingsComposite(GSettingId::kInstalledOptionsGroup);
        printer = test.storedOptions.get();
    }
    const auto* database =
        printer != nullptr
            ? dynamic_cast<const GFormToTrayDatabase*>(printer->FindById(GSettingId::kFormToTray))
            : nullptr;
    if (database != nullptr && database->HasAssignments() == 1) test.assigned = database;
    test.sizeTest = sizeTest != 0;
    if (test.sizeTest) {
        const DEVMODEW* devmode = GetDevMode() != nullptr ? GetDevMode()->GetImage() : nullptr;
        int32_t xDpi = 0, yDpi = 0, angle = 0;
        DevModeGeometry(xDpi, yDpi, angle);
        angle = devmode != nullptr && devmode->dmOrientation == DMORIENT_PORTRAIT ? 0 : 90;
        test.limits = PrinterSizeLimits(xDpi, yDpi, angle);
    }
    test.table = dynamic_cast<GResourceMappingList*>(GetResourceMappings());
    return test;
}

int32_t GNTDriverBase::PassesFormTest(const FormTest& test, const FORM_INFO_1W& form, uint32_t position) {
    if (test.sizeTest && !(test.limits.has_value() && test.limits->Hold(form))) return 0;
    uint16_t mediaId = static_cast<uint16_t>(kCustomMediaBase + position);
    if (form.Flags == FORM_BUILTIN) {
        const GResourceMapping* entry =
            test.table != nullptr ? test.table->FindByFirst(static_cast<uint16_t>(position + 1)) : nullptr;
        if (entry == nullptr) return 0;
        mediaId = static_cast<uint16_t>(entry->GetSecond());
    }
    return test.assigned == nullptr || test.assigned->IsTrayUsed(mediaId) == 1 ? 1 : 0;
}

int32_t GNTDriverBase::IsFormUsable(const FORM_INFO_1W& form, uint32_t position, int32_t sizeTest) {
    return PassesFormTest(PrepareFormTest(sizeTest), form, position);
}

void GNTDriverBase::RefreshPrinterSettings(int32_t always) {
    if (always == 0 && GetCachedPrinterSettings() != nullptr &&
        (GetStateWord() & kStateTakeSettingsAgain) == 0)
        return;
    SetCachedPrinterSettings(GetCurrentSettings());
}

// --- Bins ------------------------------------------------------------------------------

namespace {
// The form-to-tray database of the cached printer settings, when it has
// assignments.
const GFormToTrayDatabase* AssignedDatabase(MPersistentObject* cached) {
    MPersistentObject* printer =
        cached != nullptr ? cached->FindById(GSettingId::kInstalledOptionsGroup) : nullptr;
    const auto* database =
        printer != nullptr
            ? dynamic_cast<const GFormToTrayDatabase*>(printer->FindById(GSettingId::kFormToTray))
            : nullptr;
    return database != nullptr && database->HasAssignments() == 1 ? database : nullptr;
}
} // namespace

DWORD GNTDriverBase::GetBins(void* output) {
    RefreshPrinterSettings(0);
    auto* bins = static_cast<WORD*>(output);
    if (AssignedDatabase(GetCachedPrinterSettings()) != nullptr) {
        if (bins != nullptr) bins[0] = kFormSourceBin;
        return 1;
    }
    DWORD count = 0;
    for (MPersistentObject* child : GSettingValues::Children(GetOSTrayMap())) {
        const auto* tray = dynamic_cast<const GResourceMapping*>(child);
        if (tray == nullptr) continue;
        if (bins != nullptr) bins[count] = tray->GetFirst();
        ++count;
    }
    return count == 0 ? kGdiError : count;
}

DWORD GNTDriverBase::GetBinNames(void* output) {
    RefreshPrinterSettings(0);
    auto* names = static_cast<WCHAR*>(output);
    if (AssignedDatabase(GetCachedPrinterSettings()) != nullptr) {
        if (names != nullptr) CopyName(names, kBinNameLength, u"Form Select");
        return 1;
    }
    HMODULE module = HeldResourceModule();
    DWORD count = 0;
    for (MPersistentObject* child : GSettingValues::Children(GetOSTrayMap())) {
        const auto* tray = dynamic_cast<const GResourceMapping*>(child);
        if (tray == nullptr) continue;
        if (names != nullptr) {
            const std::u16string name = u" " + GNTDriverBase::LoadModuleString(module, tray->GetValue32());
            CopyName(names + count * kBinNameLength, kBinNameLength, name);
        }
        ++count;
    }
    return count == 0 ? kGdiError : count;
}

// --- Resolutions and printer facts ----------------------------------------------------------

DWORD GNTDriverBase::GetResolutions(void* output) {
    MPersistentObject* configuration = GetPrinterConfiguration();
    MPersistentObject* list =
        configuration != nullptr ? configuration->FindById(GSettingId::kResolutions) : nullptr;
    if (list == nullptr) return kGdiError;
    auto* pairs = static_cast<LONG*>(output);
    LONG lastX = 0, lastY = 0;
    DWORD count = 0;
    for (MPersistentObject* entry : GSettingValues::Children(list)) {
        LONG x = 0, y = 0;
        if (const auto single = GSettingValues::GetSigned(entry, GSettingId::kQualityCode)) {
            if ((GetApplicationFlags() & kSingleResolutionFlag) != 0) return kGdiError;
            x = y = *single;
        } else {
            x = GSettingValues::GetSigned(entry, GSettingId::kXResolution).value_or(0);
            y = GSettingValues::GetSigned(entry, GSettingId::kYResolution).value_or(0);
        }
        if (x == lastX && y == lastY) continue;
        if (pairs != nullptr) {
            pairs[count * 2] = x;
            pairs[count * 2 + 1] = y;
        }
        lastX = x;
        lastY = y;
        ++count;
    }
    return count;
}

DWORD GNTDriverBase::GetDuplex(void*) {
    RefreshPrinterSettings(1);
    MPersistentObject* cached = GetCachedPrinterSettings();
    MPersistentObject* printer =
        cached != nullptr ? cached->FindById(GSettingId::kInstalledOptionsGroup) : nullptr;
    if (GSettingValues::Get(printer, GSettingId::kDuplexUnitInstalled).value_or(0) != 0) return 1;
    return GSettingValues::Get(printer, GSettingId::kManualDuplex).value_or(0) != 0 ? 1 : 0;
}

DWORD GNTDriverBase::GetCopies(void*) {
    const auto* copies = dynamic_cast<const GRangeAttribute*>(
        GetPrinterConfiguration() != nullptr ? GetPrinterConfiguration()->FindById(GSettingId::kCopiesRange)
                                             : nullptr);
    return copies != nullptr ? static_cast<DWORD>(copies->GetMax()) : 0;
}

DWORD GNTDriverBase::GetCollate(void*) {
    return GSettingValues::Get(GetPrinterConfiguration(), GSettingId::kCollationInPrinter).value_or(0) == 1
               ? 1
               : 0;
}

DWORD GNTDriverBase::GetColorDevice(void*) {
    return GSettingValues::Get(GetPrinterConfiguration(), GSettingId::kColourDevice).value_or(0) == 1 ? 1 : 0;
}

DWORD GNTDriverBase::GetOrientation(void*) {
    const auto angle = GSettingValues::Get(GetDevModeSettings(), GSettingId::kOrientation);
    if (!angle.has_value()) return 0;
    return *angle == 270 || *angle == 180 ? 270 : 90;
}

namespace {
// The media's size in tenths of a millimetre, width in the low word.
DWORD Extent(const GMedia* media) {
    if (media == nullptr || media->GetXResolution() == 0 || media->GetYResolution() == 0) return 0;
    const int width = MulDiv(media->GetSize().x, 254, media->GetXResolution());
    const int height = MulDiv(media->GetSize().y, 254, media->GetYResolution());
    if (width == -1 || height == -1) return 0;
    return static_cast<DWORD>(static_cast<WORD>(width)) | static_cast<DWORD>(static_cast<WORD>(height)) << 16;
}
} // namespace

DWORD GNTDriverBase::GetMinExtent(void*) {
    return Extent(FindDevModeMedia(kSmallestMediaId));
}
DWORD GNTDriverBase::GetMaxExtent(void*) {
    return Extent(FindDevModeMedia(kLargestMediaId));
}

// --- The DEVMODE's own fields ---------------------------------------------------------------

DWORD GNTDriverBase::GetFields(void*) {
    return GetDevMode() != nullptr ? GetDevMode()->GetImage()->dmFields : 0;
}
DWORD GNTDriverBase::GetSize(void*) {
    return GetDevMode() != nullptr ? GetDevMode()->GetImage()->dmSize : 0;
}
DWORD GNTDriverBase::GetExtra(void*) {
    // Either flag asks for the public part only, as the DEVMODE size and
    // the DEVMODE written read them: applications compare the two.
    if ((GetApplicationFlags() & kPublicOnlyFlags) != 0) return 0;
    return GetDevMode() != nullptr ? GetDevMode()->GetImage()->dmDriverExtra : 0;
}
DWORD GNTDriverBase::GetVersion(void*) {
    return GetDevMode() != nullptr ? GetDevMode()->GetImage()->dmSpecVersion : 0;
}
DWORD GNTDriverBase::GetDriverVersion(void*) {
    return GetDevMode() != nullptr ? GetDevMode()->GetImage()->dmDriverVersion : 0;
}
DWORD GNTDriverBase::GetFileDependencies(void* output) {
    if (output != nullptr) *static_cast<WCHAR*>(output) = 0;
    return 0;
}
DWORD GNTDriverBase::GetTrueType(void*) {
    return 0;
}
DWORD GNTDriverBase::GetGeneric(void*) {
    return kGdiError;
}

DWORD GNTDriverBase::GetPrivateInformation(void* output) {
    if (output != nullptr) {
        auto* block = static_cast<BYTE*>(output);
        std::memset(block, 0, kPrivateInformationSize);
        block[0] = 0x52;
        block[1] = 0x56;
        CopyNarrow(block + 2, "QVGDI6");
        CopyNarrow(block + 514, "syshnts.hlp");
        CopyNarrow(block + 1026, "hints_system");
    }
    return kPrivateInformationSize;
}

HMODULE GNTDriverBase::HeldResourceModule() {
    return resourceModule_.Get(GetResourceModulePath());
}

std::u16string GNTDriverBase::LoadModuleString(HMODULE module, UINT id) {
    if (module == nullptr) return {};
    WCHAR text[256] = {};
    const int length = LoadStringW(module, id, text, 256);
    return length > 0 ? std::u16string(text, static_cast<size_t>(length)) : std::u16string();
}
