// OUTBIN and processing lines for the optional output devices.
#include "device/GPJL.h"
#include "model/GSettingIds.h"
#include "model/GState.h"
#include "model/GValueAttribute.h"

void GPJL::WriteOutputBinA(uint16_t bin, std::string& text) {
    const char* word = nullptr;
    switch (bin) {
    case 3:
    case 10:
        word = "OPTIONALOUTBIN2";
        break;
    case 9:
    case 11:
    case 12:
        word = "OPTIONALOUTBIN1";
        break;
    default:
        break;
    }
    // A bin without a word would leave "OUTBIN=" without a value.
    if (word != nullptr) AppendSetLine(text, std::string("OUTBIN=") + word);
    if (bin == 11 || bin == 12) {
        const std::string face = bin == 11 ? "\"FACE_UP\"" : "\"FACE_DOWN\"";
        AppendSetLine(text, "PROCESSINGTYPE=" + face);
        AppendSetLine(text, "PROCESSINGOPTION=" + face);
    }
    GAttributeComposite* group = FindAttribute(GSettingId::kPrintingStateGroup);
    if (GValueAttribute* booklet = FindValue(group, GSettingId::kBookletMaker)) {
        if (booklet->GetValue() == 1) {
            AppendSetLine(text, "PROCESSINGTYPE=\"BOOKLET_MAKER\"");
            AppendSetLine(text, "PROCESSINGOPTION=\"BOOKLET_MAKER\"");
        } else {
            booklet->SetValue(0);
        }
    }
    const GValueAttribute* stapling = FindValue(group, GSettingId::kStaple);
    if (stapling != nullptr && stapling->GetValue() != 0) {
        AppendSetLine(text, "PROCESSINGTYPE=\"STAPLING\"");
        const char* option = nullptr;
        if (const GValueAttribute* kind = FindValue(group, GSettingId::kStapleOption)) {
            switch (kind->GetValue()) {
            case 1:
            case 8:
                option = "ONE_STAPLE";
                break;
            case 2:
                option = "ANGLED_STAPLE";
                break;
            case 3:
            case 9:
                option = "TWO_STAPLES";
                break;
            case 4:
                option = "THREE_STAPLES";
                break;
            case 5:
                option = "SIX_STAPLES";
                break;
            default:
                break;
            }
        }
        if (option != nullptr) AppendSetLine(text, std::string("PROCESSINGOPTION=\"") + option + "\"");
    }
    AppendSetLine(text, "PROCESSINGBOUNDARY=MOPY");
}

void GPJL::WriteOutputBinB(uint32_t stapling, uint16_t bin, std::string& text) {
    AppendSetLine(text, "OUTBIN=OPTIONALOUTBIN1");
    if (stapling == 0) {
        AppendSetLine(text, "PROCESSINGTYPE=\"NONE\"");
        return;
    }
    AppendSetLine(text, "PROCESSINGTYPE=\"STAPLING\"");
    // Only bins 13 and 14 have a staple option; no empty SET line otherwise.
    if (bin == 13) AppendSetLine(text, "PROCESSINGOPTION=\"NONE\"");
    if (bin == 14) AppendSetLine(text, "PROCESSINGOPTION=\"ONE_STAPLE\"");
    AppendSetLine(text, "PROCESSINGBOUNDARY=MOPY");
}
