// The printer's extension commands in the job header: job accounting,
// manual duplex, grey scale, finishing, device-model information, dry time,
// transparency interleave and image shift.
#include <cstdio>

#include "device/GPJL.h"
#include "driver/GDateTime.h"
#include "driver/GOSFactory.h"
#include "model/GSelectionString.h"
#include "model/GSettingIds.h"
#include "model/GState.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "model/MPersistentIterator.h"
#include "paper/GMedia.h"
#include "paper/GPaperHandlingDevice.h"

namespace {

constexpr const char* kDeviceModelPrefix = "0400040101020D10100115";

// The local time as 14 digits, or the empty text when it is not available.
std::string TimeStamp() {
    GOSFactory* platform = GOSFactory::Instance();
    GDateTime local{};
    if (platform == nullptr || platform->GetDateTime(&local, nullptr, nullptr) == 0) return std::string();
    char digits[32];
    std::snprintf(digits, sizeof digits, "%4.4d%2.2d%2.2d%2.2d%2.2d%2.2d", local.year, local.month, local.day,
                  local.hour, local.minute, local.second);
    return digits;
}

void JobAttribute(std::string& text, const char* key, const std::string& value) {
    GPJL::AppendSetLine(text,
                        std::string("JOBATTR=\"") + key + (GPJL::IsPJLQuotable(value) ? value : "") + "\"");
}

bool HasValue(const GValueAttribute* setting, uint16_t value) {
    return setting != nullptr && setting->GetValue() == value;
}

} // namespace

void GPJL::WriteJobAccounting(std::string& text, GAttributeComposite& group) {
    auto string = [&group](uint32_t id) {
        const GStringAttribute* setting = FindString(&group, id);
        return setting != nullptr ? std::string(setting->GetValue().Data(), setting->GetValue().Length())
                                  : std::string();
    };
    if (group.FindById(GSettingId::kJobUserName) != nullptr)
        JobAttribute(text, "JobAcct1=", string(GSettingId::kJobUserName));
    if (group.FindById(GSettingId::kJobAccounting2) != nullptr)
        JobAttribute(text, "JobAcct2=", string(GSettingId::kJobAccounting2));
    if (group.FindById(GSettingId::kJobAccounting3) != nullptr)
        JobAttribute(text, "JobAcct3=", string(GSettingId::kJobAccounting3));
    if (const std::string now = TimeStamp(); !now.empty()) JobAttribute(text, "JobAcct4=", now);
    if (group.FindById(GSettingId::kJobAccounting5) != nullptr)
        JobAttribute(text, "JobAcct5=", string(GSettingId::kJobAccounting5));
}

uint32_t GPJL::WriteManualDuplex(std::string& text, GAttributeComposite& group,
                                 MPersistentObject* configuration, uint16_t duplexUnit) {
    const GValueAttribute* duplex = FindValue(&group, GSettingId::kDuplex);
    const GValueAttribute* available = FindValue(configuration, GSettingId::kManualDuplex);
    if (available == nullptr || available->GetValue() == 0 || duplex == nullptr) return 0;
    bool write = false;
    if (duplex->GetValue() != 0) {
        write = true;
        auto* media = dynamic_cast<GMedia*>(group.FindById(GSettingId::kMedia));
        const uint32_t paper = media != nullptr ? static_cast<uint16_t>(media->GetPaperId()) : 0;
        MPersistentObject* duplexable = configuration->FindById(GSettingId::kDuplexPapers);
        if (duplexUnit == 1 && duplexable != nullptr) {
            if (paper >= 16384) write = false;
            std::unique_ptr<MPersistentIterator> papers = duplexable->CreateIterator();
            while (write && papers != nullptr && papers->Advance()) {
                auto* id = dynamic_cast<GValueAttribute*>(papers->Current());
                if (id != nullptr && id->GetValue() == paper) write = false;
            }
        }
    } else if (GValueAttribute* oneShot = FindValue(&group, GSettingId::kOneShotManualDuplex);
               HasValue(oneShot, 1)) {
        write = true;
        oneShot->SetValue(0);
    }
    if (!write) return 0;
    AppendSetLine(text, "MANUALDUPLEX=ON");
    return 1;
}

void GPJL::WriteGrayscale(std::string& text) {
    GAttributeComposite* group = FindAttribute(GSettingId::kPrintingStateGroup);
    const GValueAttribute* grey = FindValue(group, GSettingId::kGreyscale);
    const GValueAttribute* kind = FindValue(group, GSettingId::kGreyscaleKind);
    if (grey == nullptr || kind == nullptr) return;
    if (grey->GetValue() != 1)
        AppendSetLine(text, "GRAYSCALE=OFF");
    else
        AppendSetLine(text, kind->GetValue() == 1 ? "GRAYSCALE=BLACKONLY" : "GRAYSCALE=COMPOSITE");
}

// The OUTBIN word for bin, or the empty text when the bin has none.
std::string GPJL::FinishingBinWord(uint16_t bin, uint32_t kind, bool accessory) {
    switch (bin) {
    case 1:
        return "UPPER";
    case 2:
        return accessory ? "OPTIONALOUTBIN1" : "LOWER";
    case 3:
        return kind == 2 ? "OPTIONALOUTBIN7" : "OPTIONALOUTBIN2";
    case 4:
        return "OPTIONALOUTBIN2";
    case 5:
        return "HCO-D";
    case 6:
        return "HCO-U";
    default:
        break;
    }
    if (bin >= 30 && bin <= 59) {
        MPersistentObject* children = GetChildren();
        auto* names = dynamic_cast<MAssociationList*>(
            children != nullptr ? children->FindById(GSettingId::kPjlBinNames) : nullptr);
        const GValueAttribute key(bin, 0);
        auto* name = names != nullptr ? dynamic_cast<GSelectionString*>(names->FindValue(&key)) : nullptr;
        return name != nullptr ? std::string(name->GetString().Data(), name->GetString().Length())
                               : std::string();
    }
    // Bins 14 and below have no numbered optional bin.
    if (bin <= 14) return std::string();
    return "OPTIONALOUTBIN" + std::to_string(bin - 14);
}

void GPJL::WriteFinishing(std::string& text) {
    GAttributeComposite* group = FindAttribute(GSettingId::kPrintingStateGroup);
    const bool optionalAsked = HasValue(FindValue(group, GSettingId::kOptionalOutputAsked), 1);
    uint32_t kind = 2;
    bool accessory = false;
    MPersistentObject* children = GetChildren();
    MPersistentObject* devices =
        children != nullptr ? children->FindById(GSettingId::kPaperHandlingUnits) : nullptr;
    std::unique_ptr<MPersistentIterator> walk = devices != nullptr ? devices->CreateIterator() : nullptr;
    while (walk != nullptr && walk->Advance()) {
        auto* device = dynamic_cast<GPaperHandlingDevice*>(walk->Current());
        if (device == nullptr || device->IsOptional() == 0 || device->IsInstalled() == 0 ||
            device->GetType() != 1)
            continue;
        kind = device->GetCurrentKey();
        accessory = kind == 2 || (optionalAsked && kind != 1);
        break;
    }
    if (const GValueAttribute* bin = FindValue(group, GSettingId::kOutputBin)) {
        const std::string word = FinishingBinWord(bin->GetValue(), kind, accessory);
        if (!word.empty()) AppendSetLine(text, "OUTBIN=" + word);
    }
    if (const GValueAttribute* staple = FindValue(group, GSettingId::kStaple)) {
        const GValueAttribute* option = FindValue(group, GSettingId::kStapleOption);
        if (staple->GetValue() != 0) {
            AppendSetLine(text, "FINISH=STAPLE");
            static constexpr const char* kOptions[] = {"DEFAULT", "ONE", "ONEANGLED", "TWO",
                                                       "THREE",   "SIX", "CUSTOM"};
            if (option != nullptr && option->GetValue() <= 6)
                AppendSetLine(text, std::string("STAPLEOPTION=") + kOptions[option->GetValue()]);
        } else if (optionalAsked) {
            AppendSetLine(text, "PROCESSINGTYPE=\"NONE\"");
            return;
        } else {
            AppendSetLine(text, "FINISH=NONE");
            if (option != nullptr && option->GetValue() != 7) AppendSetLine(text, "STAPLEOPTION=NONE");
        }
    }
    if (GValueAttribute* bind = FindValue(group, GSettingId::kBind)) {
        if (bind->GetValue() == 1) {
            AppendSetLine(text, "FINISH=ON");
            AppendSetLine(text, "FINISHERTYPE=THERMALBINDER");
            AppendSetLine(text, "FINISHEROPTION=REGULARBIND");
        } else if (bind->GetValue() == 3) {
            AppendSetLine(text, "FINISH=NONE");
            bind->SetValue(0);
        }
    }
}

void GPJL::WriteDeviceModelInfo(std::string& text) {
    if (!HasValue(FindValue(FindAttribute(GSettingId::kPrintingStateGroup), GSettingId::kSendDeviceModel), 1))
        return;
    const std::string now = TimeStamp();
    if (now.empty()) return;
    std::string body = kDeviceModelPrefix;
    AppendHexBytes(now.c_str(), body);
    AppendLine(text, "DMINFO ASCIIHEX=\"" + body + "\"");
}

void GPJL::WriteDryTime(std::string& text) {
    const GValueAttribute* dry =
        FindValue(FindAttribute(GSettingId::kPrintingStateGroup), GSettingId::kDryTime);
    if (dry == nullptr) return;
    static constexpr const char* kWords[] = {"-15", "-10", "-5", "0", "5", "10", "15", "20", "25", "30"};
    const uint16_t value = dry->GetValue();
    AppendSetLine(text,
                  std::string("BIJEXTRADRYTIME=") + (value >= 1 && value <= 10 ? kWords[value - 1] : "0"));
}

void GPJL::WriteTransparencyInterleave(std::string& text) {
    const GValueAttribute* interleave =
        FindValue(FindAttribute(GSettingId::kPrintingStateGroup), GSettingId::kTransparencyInterleave);
    if (HasValue(interleave, 1)) AppendSetLine(text, "OHPINTERLEAVE=BLANK");
    if (HasValue(interleave, 2)) AppendSetLine(text, "OHPINTERLEAVE=PRINTED");
}

void GPJL::WriteImageShift(std::string& text) {
    const GValueAttribute* shift =
        FindValue(FindAttribute(GSettingId::kPrintingStateGroup), GSettingId::kImageShift);
    if (shift == nullptr) return;
    AppendSetLine(text, "PROCESSINGTYPE=\"IMAGE_SHIFT\"");
    AppendSetLine(text, shift->GetValue() == 1 ? "PROCESSINGOPTION=\"ON\"" : "PROCESSINGOPTION=\"NONE\"");
    AppendSetLine(text, "PROCESSINGBOUNDARY=MOPY");
}
