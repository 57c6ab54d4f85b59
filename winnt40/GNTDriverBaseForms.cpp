// GNTDriverBase: the paper-form operations over the spooler's forms, and the
// driver context's paper answers built on them.
#include <cstdlib>
#include <vector>

#include "driver/GSettingValues.h"
#include "driver/GSpoolerFormList.h"
#include "model/GAttributeComposite.h"
#include "model/GEnumAttribute.h"
#include "model/GResourceMapping.h"
#include "model/GResourceMappingList.h"
#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GMedia.h"
#include "paper/GMediaPool.h"
#include "paper/GPaperUnits.h"
#include "winapi/WinDevMode.h"
#include "winapi/WinKernel.h"
#include "winnt40/GNTDriverBase.h"

namespace {

constexpr uint16_t kFirstFormMediaId = 0x3FFF; // + 1-based position of a user or printer form

// Dots at a resolution in micrometres; -1 for a resolution of 0.
int32_t Micrometres(int32_t dots, int32_t resolution) {
    return MulDiv(dots, 25400, resolution);
}

void CopyValues(MPersistentObject& from, MPersistentObject& into) {
    for (MPersistentObject* child : GSettingValues::Children(&from)) {
        if (const auto* value = dynamic_cast<const GValueAttribute*>(child)) {
            GSettingValues::Set(&into, value->GetId(), value->GetValue());
        } else if (child->AsComposite() != nullptr) {
            CopyValues(*child, into);
        }
    }
}

} // namespace

// --- Geometry ------------------------------------------------------------------------

void GNTDriverBase::DevModeGeometry(int32_t& xDpi, int32_t& yDpi, int32_t& angle) const {
    GNTDevMode* devmode = GetDevMode();
    xDpi = devmode != nullptr ? devmode->GetXResolution() : 0;
    yDpi = devmode != nullptr ? devmode->GetYResolution() : 0;
    angle = devmode == nullptr || devmode->GetImage()->dmOrientation == DMORIENT_PORTRAIT ? 0 : 90;
}

bool GNTDriverBase::MediaFitsForm(const GMedia& media, const FORM_INFO_1W& form) {
    int32_t width = Micrometres(media.GetSize().x, media.GetXResolution());
    int32_t height = Micrometres(media.GetSize().y, media.GetYResolution());
    if (width < 0 || height < 0) return false;
    if (media.GetOrientation() == 90 || media.GetOrientation() == 270) std::swap(width, height);
    return std::abs(width - form.Size.cx) <= kFormTolerance &&
           std::abs(height - form.Size.cy) <= kFormTolerance;
}

GMedia* GNTDriverBase::FindDevModeMedia(uint16_t mediaId) {
    GMediaPool* pool = GetMediaPool();
    if (pool == nullptr) return nullptr;
    int32_t xDpi = 0, yDpi = 0, angle = 0;
    DevModeGeometry(xDpi, yDpi, angle);
    return pool->FindMedia(static_cast<int16_t>(mediaId), angle, static_cast<uint16_t>(xDpi),
                           static_cast<uint16_t>(yDpi));
}

// --- Paper numbers and media ids ------------------------------------------------------

int32_t GNTDriverBase::PaperNumberToMediaId(uint16_t paperNumber, uint16_t& mediaId) {
    if (paperNumber == kUserPaperNumber) {
        mediaId = kCustomMediaId;
        return 1;
    }
    const GSpoolerFormList forms(GetPrinterHandle());
    if (paperNumber == 0 || paperNumber > forms.Count()) return 0;
    if (!forms.IsBuiltIn(paperNumber - 1u)) {
        mediaId = static_cast<uint16_t>(kFirstFormMediaId + paperNumber);
        return 1;
    }
    auto* table = dynamic_cast<GResourceMappingList*>(GetResourceMappings());
    const GResourceMapping* mapping = table != nullptr ? table->FindByFirst(paperNumber) : nullptr;
    if (mapping == nullptr) return 0;
    mediaId = static_cast<uint16_t>(mapping->GetSecond());
    return 1;
}

int32_t GNTDriverBase::PaperNumberFromTable(uint16_t mediaId, uint16_t& paperNumber) {
    auto* table = dynamic_cast<GResourceMappingList*>(GetResourceMappings());
    const GResourceMapping* mapping = table != nullptr ? table->FindBySecond(mediaId) : nullptr;
    if (mapping == nullptr || mapping->GetFirst() == 0) return 0;
    paperNumber = mapping->GetFirst();
    return 1;
}

int32_t GNTDriverBase::MediaIdToPaperNumber(uint16_t mediaId, uint16_t& paperNumber) {
    if (mediaId > kCustomMediaId) {
        paperNumber = static_cast<uint16_t>(mediaId - kFirstFormMediaId);
        return 1;
    }
    if (PaperNumberFromTable(mediaId, paperNumber) == 1) return 1;
    const GMedia* media = FindDevModeMedia(mediaId);
    if (media == nullptr) return 0;
    const GSpoolerFormList forms(GetPrinterHandle());
    for (uint32_t n = 0; n < forms.Count(); ++n) {
        if (MediaFitsForm(*media, forms.At(n))) {
            paperNumber = static_cast<uint16_t>(n + 1);
            return 1;
        }
    }
    return 0;
}

int32_t GNTDriverBase::MediaToPaperNumber(uint16_t, uint16_t&) {
    return 0;
}

uint16_t GNTDriverBase::GetStandardMediaId(uint16_t mediaId, MPersistentObject* settings) {
    uint16_t paperNumber = 0;
    if (MediaIdToPaperNumber(mediaId, paperNumber) != 1) return mediaId;
    const GSpoolerFormList forms(GetPrinterHandle());
    if (paperNumber == 0 || paperNumber > forms.Count()) return mediaId;
    const FORM_INFO_1W& form = forms.At(paperNumber - 1u);
    MPersistentObject* resolutions =
        settings != nullptr ? settings->FindById(GSettingId::kResolution) : nullptr;
    if (resolutions == nullptr) resolutions = settings;
    const int32_t xDpi = GSettingValues::Get(resolutions, GSettingId::kXResolution).value_or(0);
    const int32_t yDpi = GSettingValues::Get(resolutions, GSettingId::kYResolution).value_or(0);
    const int32_t angle = GSettingValues::Get(settings, GSettingId::kOrientation).value_or(0);
    for (MPersistentObject* choice : GSettingValues::Children(GetMediaPool())) {
        const auto* media = dynamic_cast<const GMedia*>(choice);
        if (media == nullptr || media->GetXResolution() != xDpi || media->GetYResolution() != yDpi ||
            media->GetOrientation() != angle || !MediaFitsForm(*media, form))
            continue;
        return media->GetPaperId() >= 0 && media->GetPaperId() < 4000
                   ? static_cast<uint16_t>(media->GetPaperId())
                   : mediaId;
    }
    return mediaId;
}

// --- Forms --------------------------------------------------------------------------------

int32_t GNTDriverBase::IsFormAtPositionUsable(uint32_t position) {
    const GSpoolerFormList forms(GetPrinterHandle());
    if (position == 0 || position > forms.Count()) return 0;
    return IsFormUsable(forms.At(position - 1), position - 1, IsSizeTestOn());
}

int32_t GNTDriverBase::AddOrUpdateForm(GCustomMediaSize& size, GAttributeComposite* settings) {
    HANDLE printer = GetPrinterHandle();
    const RWWString name(size.GetName(), RWWString::MultiByte);
    GSizePair micrometres{};
    size.GetSizeInUnit(micrometres, kPaperUnitMicrometre);
    FORM_INFO_1W form{};
    form.Flags = FORM_USER;
    form.pName = const_cast<LPWSTR>(name.Data());
    form.Size = {static_cast<LONG>(micrometres.x), static_cast<LONG>(micrometres.y)};
    form.ImageableArea = {0, 0, form.Size.cx, form.Size.cy};
    GSpoolerFormList forms(printer);
    const int32_t existing = forms.FindLast(name);
    BOOL done = FALSE;
    if (existing < 0) {
        done = AddFormW(printer, 1, reinterpret_cast<LPBYTE>(&form));
    } else if (!forms.IsBuiltIn(static_cast<uint32_t>(existing))) {
        done = SetFormW(printer, form.pName, 1, reinterpret_cast<LPBYTE>(&form));
    }
    if (!done) return 0;
    forms.Load(printer);
    const int32_t position = forms.FindLast(name);
    if (position < 0) return 0;
    size.SetPaperId(static_cast<uint16_t>(kFirstFormMediaId + position + 1));
    SetStateBits(kStatePaperListStale);
    if (auto* list = settings != nullptr
                         ? dynamic_cast<GEnumAttribute*>(settings->FindById(GSettingId::kCustomPaperSizes))
                         : nullptr) {
        for (MPersistentObject* entry : GSettingValues::Children(list)) {
            const auto* custom = dynamic_cast<const GCustomMediaSize*>(entry);
            if (custom != nullptr && custom->GetName() == size.GetName()) {
                list->Remove(entry);
                break;
            }
        }
        list->Add(size.Clone().release());
    }
    return 1;
}

int32_t GNTDriverBase::AddCustomSize(GCustomMediaSize* size, MPersistentObject* list, uint32_t) {
    if (size == nullptr || list == nullptr || AddOrUpdateForm(*size, nullptr) != 1) return 0;
    for (MPersistentObject* entry : GSettingValues::Children(list)) {
        const auto* custom = dynamic_cast<const GCustomMediaSize*>(entry);
        if (custom != nullptr && custom->GetName() == size->GetName()) list->Remove(entry);
    }
    size->SetChanged(1);
    list->Add(size);
    return 1;
}

int32_t GNTDriverBase::RemoveCustomSize(const GCustomMediaSize* size, MPersistentObject* list) {
    if (size == nullptr) return 0;
    const RWWString name(size->GetName(), RWWString::MultiByte);
    if (!IsFormBuiltIn(name)) DeleteForm(name);
    return GDriver::RemoveCustomSize(size, list);
}

int32_t GNTDriverBase::DeleteForm(const RWWString& name) {
    if (!DeleteFormW(GetPrinterHandle(), const_cast<LPWSTR>(name.Data()))) return 0;
    // The positions behind it moved: the paper list is built again.
    SetStateBits(kStatePaperListStale);
    return 1;
}

int32_t GNTDriverBase::EnumerateForms(FormCallback callback, void* data, bool trayTest) {
    if (callback == nullptr) return 0;
    const GSpoolerFormList forms(GetPrinterHandle());
    const int32_t sizeTest = IsSizeTestOn();
    int32_t xDpi = 0, yDpi = 0, angle = 0;
    DevModeGeometry(xDpi, yDpi, angle);
    uint32_t count = 0;
    for (uint32_t n = 0; n < forms.Count(); ++n) {
        const FORM_INFO_1W& form = forms.At(n);
        const bool usable = trayTest ? IsFormUsable(form, n, sizeTest) == 1
                                     : sizeTest == 0 || FormFitsPrinter(form, xDpi, yDpi, angle) == 1;
        if (!usable) continue;
        uint16_t mediaId = 0;
        PaperNumberToMediaId(static_cast<uint16_t>(n + 1), mediaId);
        ++count;
        if (callback(data, count, mediaId, form.pName) != 1) break;
    }
    return static_cast<int32_t>(count);
}

int32_t GNTDriverBase::EnumerateUsableForms(FormCallback callback, void* data) {
    return EnumerateForms(callback, data, true);
}

int32_t GNTDriverBase::EnumerateFittingForms(FormCallback callback, void* data) {
    return EnumerateForms(callback, data, false);
}

int32_t GNTDriverBase::EnumerateBuiltInForms(FormNameCallback callback, void* data) {
    if (callback == nullptr) return 0;
    const GSpoolerFormList forms(GetPrinterHandle());
    int32_t count = 0;
    for (uint32_t n = 0; n < forms.Count(); ++n) {
        if (!forms.IsBuiltIn(n)) continue;
        ++count;
        if (callback(data, forms.At(n).pName) == 0) break;
    }
    return count;
}

int32_t GNTDriverBase::IsFormBuiltIn(const RWWString& name) {
    HANDLE printer = GetPrinterHandle();
    LPWSTR formName = const_cast<LPWSTR>(name.Data());
    DWORD needed = 0;
    GetFormW(printer, formName, 1, nullptr, 0, &needed);
    if (needed < sizeof(FORM_INFO_1W)) return 0;
    std::vector<uint64_t> buffer((needed + sizeof(uint64_t) - 1) / sizeof(uint64_t));
    if (!GetFormW(printer, formName, 1, reinterpret_cast<LPBYTE>(buffer.data()), needed, &needed)) return 0;
    return reinterpret_cast<const FORM_INFO_1W*>(buffer.data())->Flags == FORM_BUILTIN ? 1 : 0;
}

// --- The driver context's paper answers ----------------------------------------------------

int32_t GNTDriverBase::PaperIdToDmPaper(uint32_t paperId, uint16_t& dmPaper) {
    return MediaToPaperNumber(static_cast<uint16_t>(paperId), dmPaper);
}

int32_t GNTDriverBase::DmPaperToPaperId(int16_t dmPaper, uint16_t& paperId) {
    return PaperNumberToMediaId(static_cast<uint16_t>(dmPaper), paperId);
}

int32_t GNTDriverBase::FormIndexToPaperId(uint32_t formIndex, uint16_t& paperId) {
    if (formIndex == 0 || formIndex > 0xFFFF) return 0;
    return PaperNumberToMediaId(static_cast<uint16_t>(formIndex), paperId);
}

int32_t GNTDriverBase::PaperIdToFormIndex(uint16_t paperId, uint32_t& formIndex) {
    uint16_t number = 0;
    if (MediaIdToPaperNumber(paperId, number) != 1) return 0;
    formIndex = number;
    return 1;
}

int32_t GNTDriverBase::AcceptsPaper(int32_t orientation, int32_t xDpi, int32_t yDpi, int32_t strict,
                                    int16_t dmPaper) {
    uint16_t paperId = 0;
    if (DmPaperToPaperId(dmPaper, paperId) != 1) return 0;
    if (paperId == kCustomMediaId) return 1;
    if (paperId > kCustomMediaId) {
        // A user or printer form: the size test decides.
        const GSpoolerFormList forms(GetPrinterHandle());
        const uint32_t position = paperId - kFirstFormMediaId - 1u;
        if (position >= forms.Count()) return 0;
        return IsSizeTestOn() == 0 || FormFitsPrinter(forms.At(position), xDpi, yDpi, orientation) == 1 ? 1
                                                                                                        : 0;
    }
    GMediaPool* pool = GetMediaPool();
    if (pool == nullptr) return 0;
    const auto id = static_cast<int16_t>(paperId);
    if (pool->FindMedia(id, orientation, static_cast<uint16_t>(xDpi), static_cast<uint16_t>(yDpi)) != nullptr)
        return 1;
    // Relaxed: any orientation the pool keeps the paper in.
    return strict == 0 &&
                   pool->FindMedia(id, 0, static_cast<uint16_t>(xDpi), static_cast<uint16_t>(yDpi)) != nullptr
               ? 1
               : 0;
}

int32_t GNTDriverBase::AcceptsResolution(int32_t xDpi, int32_t yDpi) {
    MPersistentObject* configuration = GetPrinterConfiguration();
    MPersistentObject* list =
        configuration != nullptr ? configuration->FindById(GSettingId::kResolutions) : nullptr;
    for (MPersistentObject* entry : GSettingValues::Children(list)) {
        const std::optional<int16_t> single = GSettingValues::GetSigned(entry, GSettingId::kQualityCode);
        const int32_t x =
            single ? *single : GSettingValues::GetSigned(entry, GSettingId::kXResolution).value_or(0);
        const int32_t y =
            single ? *single : GSettingValues::GetSigned(entry, GSettingId::kYResolution).value_or(0);
        if (x == xDpi && y == yDpi) return 1;
    }
    return 0;
}

int32_t GNTDriverBase::AcceptsBin(int16_t dmBin) {
    auto* bins = dynamic_cast<GResourceMappingList*>(GetResourceMappingList());
    return bins != nullptr && bins->FindByFirst(static_cast<uint16_t>(dmBin)) != nullptr ? 1 : 0;
}

uint32_t GNTDriverBase::MapPaperIdForSettings(MPersistentObject*, uint32_t paperId) {
    return paperId;
}

GAttributeComposite* GNTDriverBase::MergeMatchingValues(const GAttributeComposite& from,
                                                        GAttributeComposite* into) {
    if (into != nullptr) CopyValues(const_cast<GAttributeComposite&>(from), *into);
    return into;
}

void GNTDriverBase::FillResourceMappingList(GResourceMappingList&) {
    // The paper model's tray enumeration is not part of the module yet: no
    // further sources than the printer's own mapping list.
}

int32_t GNTDriverBase::AcceptsForm(const FORM_INFO_1W& form, uint32_t position, int32_t strict,
                                   int32_t angle) {
    int32_t xDpi = 0, yDpi = 0, ignored = 0;
    DevModeGeometry(xDpi, yDpi, ignored);
    if (IsSizeTestOn() != 0 && FormFitsPrinter(form, xDpi, yDpi, angle) != 1) return 0;
    if (strict == 0 || form.Flags != FORM_BUILTIN) return 1;
    // A built-in form needs a paper of the printer's own.
    uint16_t mediaId = 0;
    return position < 0xFFFF && PaperNumberToMediaId(static_cast<uint16_t>(position + 1), mediaId) == 1 ? 1
                                                                                                        : 0;
}
