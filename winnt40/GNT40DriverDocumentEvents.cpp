// GNT40Driver: the document events of a device context, from its creation
// to its deletion (the export front keeps the instance for it).
//
// The DEVMODE copy handed to the application for a new or reset device
// context: dmSize + dmDriverExtra bytes of the incoming DEVMODE in a buffer
// of that size (264 bytes when that is under 262), with two private words:
//   offset 256  u32  the application-flags word
//   offset 260  u16  the local time zone's Bias (minutes, UTC = local + bias)
// The copy lives until the matching POST event, which frees it; only copies
// this instance made are freed.
#include <algorithm>
#include <cstring>

#include "driver/GJobHookHolder.h"
#include "driver/GOSFactory.h"
#include "driver/GSettingValues.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/MPersistentIterator.h"
#include "model/MPersistentObject.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinModule.h"
#include "winapi/WinTime.h"
#include "winnt40/GJobIdNotice.h"
#include "winnt40/GNT40Driver.h"

namespace {

constexpr size_t kFlagsOffset = 256;
constexpr size_t kBiasOffset = 260;
constexpr size_t kStampEnd = 262;
constexpr size_t kSmallCopySize = 264;
constexpr uint32_t kFirstCustomPaper = 16384;

// The C runtime's offset of local time from UTC in minutes (east positive):
// the stamp when the time zone cannot be read.
int32_t RuntimeZoneOffset() {
    SYSTEMTIME local{}, utc{};
    GetLocalTime(&local);
    GetSystemTime(&utc);
    FILETIME localTime{}, utcTime{};
    if (!SystemTimeToFileTime(&local, &localTime) || !SystemTimeToFileTime(&utc, &utcTime)) return 0;
    auto ticks = [](const FILETIME& time) {
        return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    };
    return static_cast<int32_t>((ticks(localTime) - ticks(utcTime)) / (10000000LL * 60));
}

template <typename T> void Put(BYTE* image, size_t offset, T value) {
    for (size_t i = 0; i < sizeof(T); ++i)
        image[offset + i] = static_cast<BYTE>(static_cast<uint64_t>(value) >> (8 * i));
}

// The pointer an event's block holds at its start, when the block has room.
template <typename T> T* PointerIn(void* block, ULONG size) {
    if (block == nullptr || size < sizeof(T*)) return nullptr;
    T* pointer = nullptr;
    std::memcpy(&pointer, block, sizeof pointer);
    return pointer;
}

bool IsListed(MPersistentObject* list, uint32_t paper) {
    if (list == nullptr) return false;
    const std::unique_ptr<MPersistentIterator> it = list->CreateIterator();
    while (it->Advance()) {
        const auto* value = dynamic_cast<GValueAttribute*>(it->Current());
        if (value != nullptr && value->GetValue() == paper) return true;
    }
    return false;
}

} // namespace

INT GNT40Driver::DrvDocumentEvent(HANDLE, HDC dc, INT escape, ULONG inSize, void* input, ULONG outSize,
                                  void* output) {
    try {
        return DocumentEvent(dc, escape, inSize, input, outSize, output);
    } catch (...) {
        return DOCUMENTEVENT_FAILURE;
    }
}

INT GNT40Driver::DocumentEvent(HDC dc, INT escape, ULONG inSize, void* input, ULONG outSize, void* output) {
    switch (escape) {
    case DOCUMENTEVENT_CREATEDCPRE: {
        if (input == nullptr || inSize < sizeof(DOCEVENT_CREATEDCPRE))
            return CopyDevModeForDc(nullptr, false, outSize, output);
        const auto* block = static_cast<const DOCEVENT_CREATEDCPRE*>(input);
        // An information context only reads: its copy is not stamped.
        return CopyDevModeForDc(block->pdm, block->bIC == 0, outSize, output);
    }
    case DOCUMENTEVENT_RESETDCPRE:
        return CopyDevModeForDc(PointerIn<DEVMODEW>(input, inSize), true, outSize, output);
    case DOCUMENTEVENT_CREATEDCPOST:
    case DOCUMENTEVENT_RESETDCPOST:
        return LoadDevModeCopy(inSize, input);
    case DOCUMENTEVENT_STARTDOCPRE:
        StartDocumentPre(dc, inSize, input);
        return DOCUMENTEVENT_SUCCESS;
    case DOCUMENTEVENT_STARTPAGE:
        ++pageCounter_;
        return DOCUMENTEVENT_SUCCESS;
    case DOCUMENTEVENT_ENDPAGE: {
        ++documentPageCount_;
        const BOOL drawn = DrawPageWatermark(dc);
        GetJobHookHolder()->EndPage(this, GetCachedPrinterSettings());
        return drawn ? DOCUMENTEVENT_SUCCESS : DOCUMENTEVENT_FAILURE;
    }
    case DOCUMENTEVENT_ENDDOCPRE:
        SendJobModeEscape(dc, 1);
        return 0;
    case DOCUMENTEVENT_ABORTDOC:
        GetJobHookHolder()->AbortJob(this, GetCachedPrinterSettings());
        // The notice thread never outlives its document.
        WaitForJobIdNotice();
        return 0;
    case DOCUMENTEVENT_DELETEDC:
        WaitForJobIdNotice();
        devModeCopies_.clear();
        return 0;
    case DOCUMENTEVENT_ENDDOCPOST:
        EndDocumentPost();
        return 0;
    case DOCUMENTEVENT_STARTDOCPOST:
        StartDocumentPost(dc);
        return 0;
    default:
        return 0;
    }
}

INT GNT40Driver::CopyDevModeForDc(const DEVMODEW* devmode, bool stamp, ULONG outSize, void* output) {
    DEVMODEW* copy = nullptr;
    if (devmode != nullptr) {
        const size_t size = static_cast<size_t>(devmode->dmSize) + devmode->dmDriverExtra;
        const size_t capacity = size < kStampEnd ? kSmallCopySize : size;
        auto buffer = std::make_unique<uint64_t[]>((capacity + sizeof(uint64_t) - 1) / sizeof(uint64_t));
        auto* image = reinterpret_cast<BYTE*>(buffer.get());
        std::memcpy(image, devmode, size);
        if (stamp) {
            Put<uint32_t>(image, kFlagsOffset, GetApplicationFlags());
            Put<uint16_t>(image, kBiasOffset, static_cast<uint16_t>(-RuntimeZoneOffset()));
            TIME_ZONE_INFORMATION zone{};
            if (GetTimeZoneInformation(&zone) != TIME_ZONE_ID_INVALID)
                Put<uint16_t>(image, kBiasOffset, static_cast<uint16_t>(zone.Bias));
        }
        copy = reinterpret_cast<DEVMODEW*>(image);
        devModeCopies_.push_back(std::move(buffer));
    }
    if (output != nullptr && outSize >= sizeof(DEVMODEW*)) std::memcpy(output, &copy, sizeof copy);
    return DOCUMENTEVENT_SUCCESS;
}

INT GNT40Driver::LoadDevModeCopy(ULONG inSize, void* input) {
    DEVMODEW* copy = PointerIn<DEVMODEW>(input, inSize);
    const int32_t loaded = LoadDevMode(copy);
    if (loaded != 0) RefreshPrinterSettings(0);
    const auto own = std::find_if(devModeCopies_.begin(), devModeCopies_.end(), [copy](const auto& buffer) {
        return reinterpret_cast<DEVMODEW*>(buffer.get()) == copy;
    });
    if (own != devModeCopies_.end()) devModeCopies_.erase(own);
    return loaded != 0 && GetCachedPrinterSettings() != nullptr ? DOCUMENTEVENT_SUCCESS
                                                                : DOCUMENTEVENT_FAILURE;
}

void GNT40Driver::StartDocumentPre(HDC dc, ULONG inSize, void* input) {
    documentPageCount_ = 0;
    pageCountDivisor_ = 0;
    if (IsRemotePrinter() == 0) IsPrinterDataWritable();
    SendJobIdentity(dc);
    SendOSInfo(dc);
    SendApplicationInfo(dc);
    std::array<WCHAR, kHostPathLength + 1> host{};
    const DWORD length = GetModuleFileNameW(nullptr, host.data(), kHostPathLength);
    SendApplicationName(dc, RWWString(host.data(), std::min<DWORD>(length, kHostPathLength)));
    SendPortName(dc);
    if (IsUsingAdminHandle() != 0) {
        UseAdminHandle(0);
        CloseAdminHandle();
    }
    GetJobHookHolder()->BeginJob(this, GetCachedPrinterSettings(), PointerIn<DOCINFOW>(input, inSize));
}

void GNT40Driver::StartDocumentPost(HDC dc) {
    PrepareWatermark();
    RefreshPrinterSettings(1);
    HandOutJobStorageNumber();
    GOSFactory* factory = GOSFactory::Instance();
    const bool localJobStorage =
        factory != nullptr && factory->GetUserDword(GetLocalJobStorageKey(), u"LocalJobStorage", 0) != 0;
    if (!localJobStorage) {
        RefreshPrinterSettings(1);
        MPersistentObject* settings = GetCachedPrinterSettings();
        MPersistentObject* printing =
            settings != nullptr ? settings->FindById(GSettingId::kPrintingGroup) : nullptr;
        // Name source 0 asks the device for the job's identity, any other takes 1031.
        const auto fromDevice = GSettingValues::Get(printing, GSettingId::kJobNameSource);
        if (GSettingValues::IsNonZero(printing, GSettingId::kJobRetention) && fromDevice.has_value()) {
            if (*fromDevice == 0) {
                QueryJobStorageId(dc);
            } else if (const GStringAttribute* text =
                           GSettingValues::FindText(printing, GSettingId::kJobStorageIdentity)) {
                jobStorageId_ = RWWString(text->GetValue(), RWWString::MultiByte);
            }
            if (jobIdNotice_ == nullptr) jobIdNotice_ = std::make_unique<GJobIdNotice>();
            jobIdNotice_->Start(&GNT40Driver::JobIdNoticeThread, this);
        }
    }
    pageCounter_ = 0;
    MPersistentObject* settings = GetCachedPrinterSettings();
    MPersistentObject* trays =
        settings != nullptr ? settings->FindById(GSettingId::kPagesPerSheetGroup) : nullptr;
    if (const auto divisor = GSettingValues::GetSigned(trays, GSettingId::kPagesPerSheet))
        pageCountDivisor_ = *divisor;
}

void GNT40Driver::EndDocumentPost() {
    WaitForJobIdNotice();
    if (jobStorageFlag_ == 1) SetLocalJobStorage(1);
    GetJobHookHolder()->EndJob(this, GetCachedPrinterSettings());
    if (IsPaperNoticeWanted()) RunNonPropPageSheet();
    documentPageCount_ = 0;
    pageCountDivisor_ = 0;
}

bool GNT40Driver::IsPaperNoticeWanted() {
    MPersistentObject* settings = GetCachedPrinterSettings();
    if (settings == nullptr || settings->FindById(GSettingId::kManualDuplexPjlLine) == nullptr) return false;
    const uint16_t value = GSettingValues::Get(settings, GSettingId::kBooklet).value_or(0);
    // Without a divisor the page test does not pass (nothing to divide by).
    bool morePages = false;
    if (pageCountDivisor_ > 0 && documentPageCount_ != 1) {
        const int32_t quotient = documentPageCount_ / pageCountDivisor_;
        morePages = quotient > 1 || (quotient == 1 && documentPageCount_ % pageCountDivisor_ != 0);
    }
    if (!morePages && value == 0) return false;
    const GStringAttribute* media = GSettingValues::FindText(settings, GSettingId::kMediaType);
    if (IsMediaNameUnlisted(media != nullptr ? media->GetValue() : RWCString()) == 0 ||
        GSettingValues::Get(settings, GSettingId::kStraightPaperPath) != 0)
        return true;
    const uint16_t paper = GSettingValues::Get(settings, GSettingId::kPaper).value_or(0);
    const bool other = GSettingValues::IsNonZero(settings, GSettingId::kPrintOnOtherPaper) || paper == 21 ||
                       paper == 22 || paper == 39 || paper == 44;
    uint32_t p = other ? GSettingValues::Get(settings, GSettingId::kOtherPaper).value_or(0) : paper;
    if (p > kFirstCustomPaper) p = MapPaperIdForSettings(settings, p);
    if (GSettingValues::Get(settings, GSettingId::kDuplexUnitInstalled) == 1) {
        MPersistentObject* configuration = GetPrinterConfiguration();
        if (IsListed(configuration != nullptr ? configuration->FindById(GSettingId::kDuplexPapers) : nullptr,
                     p))
            return false;
        if (p >= kFirstCustomPaper && IsPaperSizeInRange(static_cast<uint16_t>(p), settings) != 0)
            return false;
    }
    return true;
}
