// The lines of the PJL job header between the JOB NAME line and the
// language switch, in the order the header writes them.
#include <cstdio>

#include "device/GPJL.h"
#include "driver/GDateTime.h"
#include "driver/GOSFactory.h"
#include "job/GDocumentStart.h"
#include "job/GJobContext.h"
#include "model/GChildWalks.h"
#include "model/GSelectionString.h"
#include "model/GSettingIds.h"
#include "model/GState.h"
#include "model/GStringAttribute.h"
#include "model/GStringConversion.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "paper/GMedia.h"

namespace {

std::string Narrow(const RWCString& text) {
    return std::string(text.Data(), text.Length());
}

std::string Quotable(const RWCString& text) {
    std::string narrow = Narrow(text);
    return GPJL::IsPJLQuotable(narrow) ? narrow : std::string();
}

void Comment(std::string& text, const std::string& value) {
    GPJL::AppendLine(text, "COMMENT \"" + value + "\"");
}

std::string OnOff(const GValueAttribute& value) {
    return value.GetValue() != 0 ? "ON" : "OFF";
}

// Whether any entry of the printer's resolution list (206 of the children
// composite: a settings composite of entries, each with its 323, 324 and
// 325) is a 2-bit mode. Any entry counts, not only the first.
bool ListsTwoBitResolution(MPersistentObject* children) {
    bool found = false;
    GForEachChild(children != nullptr ? children->FindById(GSettingId::kResolutions) : nullptr,
                  [&found](MPersistentObject& entry) {
                      const GValueAttribute* bits = GPJL::FindValue(&entry, GSettingId::kBitsPerPixel);
                      found = found || (bits != nullptr && bits->GetValue() == 2);
                  });
    return found;
}

} // namespace

void GPJL::WriteJobName(std::string& text, GDocumentStart& command) {
    RWCString name;
    ConvertWideToNarrow(command.GetDocumentName(), name);
    jobName_ = Quotable(name);
    AppendLine(text, "JOB NAME=\"" + jobName_ + "\"");
}

std::string GPJL::FormatOSInfo() {
    GOSFactory* platform = GOSFactory::Instance();
    const GOSVersionInfo info = platform != nullptr ? platform->GetOSVersion() : GOSVersionInfo();
    const uint32_t build = info.GetBuild();
    const uint32_t buildHigh = build >> 16;
    static constexpr const char* kWords[] = {" (n/a);",  "DOS;",          "Win3x;", "WFW;",   "Win3x;",
                                             "Win9x;",   "(n/a);",        "(n/a);", "(n/a);", "WinNT;",
                                             "WinNTAS;", "WinNT Kernel;", "OS2;",   "Win2k;"};
    const uint32_t code = info.GetCode();
    std::string word = code < std::size(kWords) ? kWords[code] : "(n/a);";
    if (code == 5 && buildHigh > 7) word = "WinMe;";
    const uint32_t version = info.GetVersion();
    return "OS Info:" + word + std::to_string(version >> 16) + "." + std::to_string(version & 0xFFFF) + ";" +
           std::to_string(buildHigh) + "." + std::to_string(build & 0xFFFF) + ";";
}

int GPJL::WriteComments(std::string& text, GAttributeComposite& group) {
    if (const GStringAttribute* model = FindString(&group, GSettingId::kModelString))
        Comment(text, Quotable(model->GetValue()));
    if (const GStringAttribute* origin = FindString(&group, GSettingId::kOsInfoComment))
        Comment(text, Quotable(origin->GetValue()));
    else
        Comment(text, FormatOSInfo());
    if (const GStringAttribute* extra = FindString(&group, GSettingId::kThirdComment))
        Comment(text, Quotable(extra->GetValue()));
    return 0;
}

void GPJL::WriteUserAndDisplay(std::string& text, GAttributeComposite& group) {
    if (const GStringAttribute* user = FindString(&group, GSettingId::kJobUserName))
        AppendLine(text, "COMMENT \"Username: " + Quotable(user->GetValue()) + "\"");
    WriteJobAccounting(text, group);
    if (const GStringAttribute* display = FindString(&group, GSettingId::kDisplayMessage)) {
        const GValueAttribute* operatorMessage = FindValue(&group, GSettingId::kDisplayMessageKind);
        const bool opmsg = operatorMessage != nullptr && operatorMessage->GetValue() != 0;
        AppendLine(text, std::string(opmsg ? "OPMSG DISPLAY = \"" : "RDYMSG DISPLAY = \"") +
                             Quotable(display->GetValue()) + "\"");
    }
}

void GPJL::WriteCopiesAndQuality(std::string& text, GAttributeComposite& group) {
    const GValueAttribute* single = FindValue(&group, GSettingId::kOneShotManualDuplex);
    const GValueAttribute* copies = FindValue(&group, GSettingId::kDeviceCopies);
    if ((single == nullptr || single->GetValue() != 1) && copies != nullptr &&
        static_cast<int16_t>(copies->GetValue()) > 1)
        AppendSetLine(text, "QTY=" + std::to_string(copies->GetValue()));
    if (const GStringAttribute* raw = FindString(&group, GSettingId::kRawPjl))
        AppendText(text, Narrow(raw->GetValue()));
    if (const GValueAttribute* ret = FindValue(&group, GSettingId::kEdgeEnhancement)) {
        static constexpr const char* kWords[] = {"OFF", "LIGHT", "MEDIUM", "DARK", "ON"};
        const int value = static_cast<int16_t>(ret->GetValue());
        if (value >= 0 && value <= 4) AppendSetLine(text, std::string("RET=") + kWords[value]);
    }
}

void GPJL::WriteDuplex(std::string& text, GAttributeComposite& group, GDocumentStart& command) {
    GJobContext* job = command.GetJobContext();
    MPersistentObject* configuration = job != nullptr ? job->GetPrinterConfiguration() : nullptr;
    const GValueAttribute* unitSetting = FindValue(configuration, GSettingId::kConfiguredDuplexUnit);
    const uint16_t unit = unitSetting != nullptr ? unitSetting->GetValue() : 0;
    if (GValueAttribute* manual = FindValue(configuration, GSettingId::kManualDuplexPjlLine)) {
        if (manual->GetValue() == 1) WriteManualDuplex(text, group, configuration, unit);
        manual->SetValue(1);
    }
    const GValueAttribute* duplex = FindValue(&group, GSettingId::kDuplex);
    if (duplex == nullptr) return;
    if (unit == 0 || duplex->GetValue() == 0) {
        AppendSetLine(text, "DUPLEX=OFF");
    } else if (duplex->GetValue() == 1) {
        AppendSetLine(text, "DUPLEX=ON");
        AppendSetLine(text, "BINDING=SHORTEDGE");
    } else if (duplex->GetValue() == 2) {
        AppendSetLine(text, "DUPLEX=ON");
        AppendSetLine(text, "BINDING=LONGEDGE");
    }
}

void GPJL::WriteMachineLines(std::string& text, GAttributeComposite& group) {
    if (const GValueAttribute* cleaning = FindValue(&group, GSettingId::kOptimisePrintQuality))
        AppendSetLine(text, "CLEANING=" + OnOff(*cleaning));
    if (const GValueAttribute* economy = FindValue(&group, GSettingId::kEconoMode);
        economy != nullptr && economy->GetValue() == 1)
        AppendSetLine(text, "ECONOMODE=ON");
    if (const GValueAttribute* turbo = FindValue(&group, GSettingId::kTurboMode);
        turbo != nullptr && turbo->GetValue() <= 1)
        AppendSetLine(text, turbo->GetValue() == 0 ? "TURBOMODE=OFF" : "TURBOMODE=ON");
    const GValueAttribute* planesGate = FindValue(&group, GSettingId::kPlanesInUseLine);
    const GValueAttribute* planes = FindValue(&group, GSettingId::kGreyscale);
    if (planesGate != nullptr && planesGate->GetValue() == 1 && planes != nullptr && planes->GetValue() == 1)
        AppendSetLine(text, "PLANESINUSE=1");
}

void GPJL::WriteOutputBins(std::string& text, GAttributeComposite* group) {
    if (group == nullptr) {
        WriteFinishing(text);
        return;
    }
    const GValueAttribute* binSetting = FindValue(group, GSettingId::kOutputBin);
    const uint16_t bin = binSetting != nullptr ? binSetting->GetValue() : 0;
    if (bin >= 9 && bin <= 12) WriteOutputBinA(bin, text);
    if (bin == 13 || bin == 14) WriteOutputBinB(1, bin, text);
    if (bin == 15) WriteOutputBinB(0, bin, text);
    const GValueAttribute* optional = FindValue(group, GSettingId::kOptionalOutputAsked);
    const bool optionalBin = optional != nullptr && optional->GetValue() == 1 && bin == 3;
    if (optionalBin) WriteOutputBinA(3, text);
    if (!optionalBin && (bin < 9 || bin > 15)) WriteFinishing(text);
}

void GPJL::WritePageProtect(std::string& text, GAttributeComposite& group) {
    const GValueAttribute* protect = FindValue(&group, GSettingId::kPageProtection);
    if (protect == nullptr) return;
    static constexpr const char* kWords[] = {"ON", "AUTO", "OFF", "LETTER", "LEGAL", "A4"};
    const int value = static_cast<int16_t>(protect->GetValue());
    if (value < 0) return;
    AppendSetLine(text, std::string("PAGEPROTECT=") + (value > 5 ? "AUTO" : kWords[value]));
}

void GPJL::WritePaper(std::string& text, GAttributeComposite& group, GDocumentStart& command) {
    auto* media = dynamic_cast<GMedia*>(group.FindById(GSettingId::kMedia));
    if (media == nullptr) return;
    uint32_t paper = static_cast<uint16_t>(media->GetPaperId());
    if (paper >= 16384 && paper <= 17383) {
        GJobContext* job = command.GetJobContext();
        if (job == nullptr) return;
        paper = job->GetDefaultPaperId();
    }
    auto* names = dynamic_cast<MAssociationList*>(
        GetChildren() != nullptr ? GetChildren()->FindById(GSettingId::kPaperNames) : nullptr);
    if (names == nullptr) return;
    const GValueAttribute key(static_cast<uint16_t>(paper), 0);
    auto* name = dynamic_cast<GSelectionString*>(names->FindValue(&key));
    if (name != nullptr) AppendSetLine(text, "PAPER=" + Narrow(name->GetString()));
}

void GPJL::WriteMedia(std::string& text, GAttributeComposite& group) {
    MPersistentObject* children = GetChildren();
    const GValueAttribute* mediaType = FindValue(&group, GSettingId::kPjlMediaKey);
    auto* mediaNames = dynamic_cast<MAssociationList*>(
        children != nullptr ? children->FindById(GSettingId::kPjlMediaTypeNames) : nullptr);
    if (mediaType == nullptr || mediaNames == nullptr) return;
    const GValueAttribute typeKey(mediaType->GetValue(), 0);
    auto* mediaText = dynamic_cast<GSelectionString*>(mediaNames->FindValue(&typeKey));
    if (mediaText == nullptr) return;
    const std::string value = Narrow(mediaText->GetString());
    auto* variables = dynamic_cast<MAssociationList*>(children->FindById(GSettingId::kPjlVariableNames));
    const GValueAttribute* variableKey = FindValue(&group, GSettingId::kPjlVariableKey);
    GSelectionString* list = nullptr;
    if (variables != nullptr && variableKey != nullptr) {
        const GValueAttribute key(variableKey->GetValue(), 0);
        list = dynamic_cast<GSelectionString*>(variables->FindValue(&key));
    }
    if (list == nullptr) {
        AppendSetLine(text, "TRAY1TEMP=" + value);
        return;
    }
    std::string names = Narrow(list->GetString());
    for (;;) {
        const size_t comma = names.rfind(',');
        const std::string name = comma == std::string::npos ? names : names.substr(comma + 1);
        AppendSetLine(text, name + "=" + value);
        if (comma == std::string::npos) break;
        names.resize(comma);
    }
}

void GPJL::WriteResolution(std::string& text, GAttributeComposite& group) {
    uint32_t resolution = 600;
    uint32_t bits = 1;
    MPersistentObject* node = group.FindById(GSettingId::kResolution);
    if (const GValueAttribute* x = FindValue(node, GSettingId::kXResolution)) resolution = x->GetValue();
    if (const GValueAttribute* depth = FindValue(node, GSettingId::kBitsPerPixel)) bits = depth->GetValue();
    AppendSetLine(text, "RESOLUTION=" + std::to_string(resolution));
    bool writeBits = ListsTwoBitResolution(GetChildren());
    if (const GValueAttribute* modes = FindValue(&group, GSettingId::kBitsPerPixelLine);
        modes != nullptr && bits == 1)
        writeBits = writeBits || ((modes->GetValue() & 1) != 0 && resolution == 300) ||
                    ((modes->GetValue() & 2) != 0 && resolution == 600);
    if (writeBits) AppendSetLine(text, "BITSPERPIXEL=" + std::to_string(bits));
    if (const GValueAttribute* edge = FindValue(&group, GSettingId::kEdgeToEdge);
        edge != nullptr && static_cast<int16_t>(edge->GetValue()) >= 0)
        AppendSetLine(text, edge->GetValue() == 0 ? "EDGETOEDGE=NO" : "EDGETOEDGE=YES");
}

void GPJL::WriteRawLines(std::string& text, GAttributeComposite& group) {
    auto* raw = dynamic_cast<GAttributeComposite*>(group.FindById(GSettingId::kRawPjlLines));
    if (raw == nullptr) return;
    struct Collector {
        static void Add(GCountedPtr* child, void* argument) {
            if (auto* line = child->As<GStringAttribute>()) {
                auto* out = static_cast<std::string*>(argument);
                *out += Narrow(line->GetValue());
                *out += "\r\n";
            }
        }
    };
    raw->ForEach(&Collector::Add, &text);
}

void GPJL::WriteLanguage(std::string& text) {
    const GStringAttribute* language = FindString(GetCurrentState(), GSettingId::kEnterLanguage);
    if (language != nullptr) AppendLine(text, "ENTER LANGUAGE=" + Narrow(language->GetValue()));
}

void GPJL::WriteTimeStamp(std::string& text, GAttributeComposite& group) {
    const GStringAttribute* setting = FindString(&group, GSettingId::kTimeStampLines);
    GOSFactory* platform = GOSFactory::Instance();
    if (setting == nullptr || platform == nullptr) return;
    GDateTime local{};
    int16_t offset = 0;
    if (platform->GetDateTime(&local, nullptr, &offset) == 0) return;
    char field[16];
    auto format = [&field](const char* pattern, int value) {
        std::snprintf(field, sizeof field, pattern, value);
        return std::string(field);
    };
    const int magnitude = offset < 0 ? -offset : offset;
    char zone[16];
    std::snprintf(zone, sizeof zone, offset > 0 ? "+%2.2d:%2.2d" : "-%2.2d:%2.2d", magnitude / 60,
                  magnitude % 60);
    const std::pair<const char*, std::string> fields[] = {{"#D", format("%2.2d", local.day)},
                                                          {"#MO", format("%2.2d", local.month)},
                                                          {"#Y", format("%4.4d", local.year)},
                                                          {"#H", format("%2.2d", local.hour)},
                                                          {"#MN", format("%2.2d", local.minute)},
                                                          {"#S", format("%2.2d", local.second)},
                                                          {"#G", zone}};
    std::string rest = Narrow(setting->GetValue());
    for (size_t at = rest.rfind('@'); at != std::string::npos; at = rest.rfind('@')) {
        std::string segment = rest.substr(at + 1);
        rest.resize(at);
        for (const auto& [placeholder, value] : fields) {
            const size_t found = segment.find(placeholder);
            if (found != std::string::npos)
                segment.replace(found, std::string_view(placeholder).size(), value);
        }
        if (!segment.empty()) AppendSetLine(text, segment);
    }
}
