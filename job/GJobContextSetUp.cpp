// GJobContext: the job set-up, read once per job from the document settings
// and the printer configuration.
#include "job/GJobContext.h"

#include "driver/GOSFactory.h"
#include "driver/GSettingValues.h"
#include "model/GCapabilities.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "pipeline/GPeripheral.h"

namespace {

// Bits of the application flags.
constexpr uint32_t kForceRenderingMode3 = 0x200000;
constexpr uint32_t kForceRenderingMode2 = 0x400000;
constexpr uint32_t kRenderingMode3Unless136Bit1 = 0x04000000;
constexpr uint32_t kRenderingMode3Unless136Bit2 = 0x08000000;
constexpr uint32_t kFlag120NeedsFlag113 = 0x800000;
constexpr uint32_t kNoCapabilityFlagsForPclXl = 0x8;
constexpr uint32_t kPageLayoutForPostScript = 0x20000;
constexpr uint32_t kNoPassThroughValue = 255;

bool HasBit(const GCapabilities* capability, uint32_t bit) {
    return capability != nullptr && capability->TestBit(bit) != 0;
}

} // namespace

int32_t GJobContext::TestRenderingMode(int32_t textOnly) const {
    return renderingMode_ == 3 || (renderingMode_ == 2 && textOnly == 0) ? 1 : 0;
}

void GJobContext::SetUpJob() {
    jobStatus_ = 0;
    jobValue_ = 0;
    documentPending_ = 0;
    documentStarted_ = 0;
    MPersistentObject* group364 = FindGroup(GSettingId::kDocumentGroup);
    trueTypeAsBitmaps_ = GSettingValues::Get(group364, GSettingId::kTrueTypeAsBitmaps) == uint16_t{1} ? 1 : 0;
    textAsBlack_ = GSettingValues::Get(group364, GSettingId::kTextAsBlack) == uint16_t{1} ? 1 : 0;

    const MPersistentObject* writer = FindWriter();
    writerClass_ = writer != nullptr ? writer->IsA() : kAnyWriterClass;
    postScriptWriter_ = writerClass_ == kPostScriptWriterClass ? 1 : 0;
    pageMark_ = kNoPageMark;
    passThrough_ = 0;
    DecidePassThrough();
    ChooseColourModes(group364);
    ChooseRenderingMode(group364);
    DecidePageScaling();
    if (const std::optional<uint16_t> grey = GSettingValues::Get(group364, GSettingId::kGreyscale))
        greyScaleMode_ = *grey == 0 ? 1 : *grey == 3 ? 2 : 0;
    ReadCapabilityFlags();

    pageLayoutActive_ = 0;
    if ((GetApplicationFlags() & kPageLayoutForPostScript) != 0 && postScriptWriter_ != 0) {
        const bool booklet = GSettingValues::IsNonZero(GetDocumentSettings(), GSettingId::kBooklet);
        pageLayoutActive_ = booklet || GSettingValues::IsNonZero(FindGroup(GSettingId::kPagesPerSheetGroup),
                                                                 GSettingId::kPagesPerSheet);
    }
    scalingSettings_.Reset();
}

void GJobContext::DecidePassThrough() {
    MPersistentObject* configuration = GetPrinterConfiguration();
    if (writerClass_ != kPclXlWriterClass) {
        passThrough_ = HasBit(FindCapability(GSettingId::kNoPassThroughCapabilities), 0) ? 0 : 1;
        return;
    }
    if (const std::optional<uint16_t> rule =
            GSettingValues::Get(configuration, GSettingId::kPassThroughRule)) {
        GOSFactory* factory = GOSFactory::Instance();
        const uint32_t value = factory != nullptr
                                   ? factory->GetPrinterDataDword(this, u"PassThrough", kNoPassThroughValue)
                                   : kNoPassThroughValue;
        passThrough_ = (*rule == 0 && value == 1) || (*rule == 1 && value != 0) ? 1 : 0;
    }
    // The protocol the printer is told: PCL XL class 3.0 for pass-through
    // of a printer that speaks at most class 3, else class 2.1.
    if (GSettingValues::Find(configuration, GSettingId::kPclXlProtocolClass) == nullptr ||
        GSettingValues::Find(configuration, GSettingId::kPclXlProtocolRevision) == nullptr) {
        return;
    }
    if (passThrough_ == 1 && *GSettingValues::Get(configuration, GSettingId::kPclXlProtocolClass) <= 3) {
        GSettingValues::Set(configuration, GSettingId::kPclXlProtocolClass, 3);
        GSettingValues::Set(configuration, GSettingId::kPclXlProtocolRevision, 0);
        if (GStringAttribute* name = GSettingValues::FindText(configuration, GSettingId::kPdlName))
            name->SetValue("PCL XL");
        else
            configuration->Add(new GStringAttribute("PCL XL", GSettingId::kPdlName));
        return;
    }
    GSettingValues::Set(configuration, GSettingId::kPclXlProtocolClass, 2);
    GSettingValues::Set(configuration, GSettingId::kPclXlProtocolRevision, 1);
}

void GJobContext::ChooseColourModes(MPersistentObject* group364) {
    colourSourceMode_ = -1;
    colourTargetMode_ = 0;
    if (postScriptWriter_ == 0) return;
    if (const std::optional<uint16_t> source = GSettingValues::Get(group364, GSettingId::kTrueTypeSendMode)) {
        trueTypeAsBitmaps_ = 0;
        colourSourceMode_ = 2;
        if (*source == 0) colourSourceMode_ = GetSetting958() != 0 ? 1 : 0;
        if (*source == 1) {
            trueTypeAsBitmaps_ = 1;
            colourSourceMode_ = 1;
        }
    }
    const std::optional<uint16_t> target = GSettingValues::Get(group364, GSettingId::kFontSubstitution);
    if (target.has_value() && *target <= 2) colourTargetMode_ = *target;
}

void GJobContext::ChooseRenderingMode(MPersistentObject* group364) {
    const uint32_t flags = GetApplicationFlags();
    const std::optional<uint16_t> mode = GSettingValues::Get(group364, GSettingId::kRenderingMode);
    if (mode.has_value() && *mode >= 1 && *mode <= 3)
        renderingMode_ = static_cast<int16_t>(*mode);
    else
        renderingMode_ = (flags & kForceRenderingMode3) != 0   ? 3
                         : (flags & kForceRenderingMode2) != 0 ? 2
                                                               : 1;
    const GCapabilities* rendering = FindCapability(GSettingId::kRenderingCapabilities);
    if (renderingMode_ != 3 && (flags & kRenderingMode3Unless136Bit1) != 0 && rendering != nullptr &&
        !HasBit(rendering, 1)) {
        renderingMode_ = 3;
    }
    if (renderingMode_ != 3 && (flags & kRenderingMode3Unless136Bit2) != 0 && rendering != nullptr &&
        !HasBit(rendering, 2)) {
        renderingMode_ = 3;
    }
}

void GJobContext::DecidePageScaling() {
    const GCapabilities* scaling = FindCapability(GSettingId::kScalingCapabilities);
    if (scaling == nullptr) return;
    const uint32_t bit = renderingMode_ == 1 ? 1 : 4;
    if (HasBit(scaling, bit)) {
        pageScaling_ = 0;
        return;
    }
    GPeripheral* tree = GetConfigurationTree();
    pageScaling_ = tree != nullptr && tree->IsReady() != 0 ? 1 : 0;
}

void GJobContext::ReadCapabilityFlags() {
    capabilityFlag113_ = 0;
    capabilityFlag120_ = 0;
    MPersistentObject* configuration = GetPrinterConfiguration();
    if (configuration != nullptr && configuration->FindById(GSettingId::kCapabilitySets) != nullptr) {
        capabilityFlag113_ = HasBit(FindCapability(GSettingId::kCapabilitySet113), 1) ? 1 : 0;
        const bool flag113Allowed =
            (GetApplicationFlags() & kFlag120NeedsFlag113) == 0 || capabilityFlag113_ == 1;
        if (HasBit(FindCapability(GSettingId::kCapabilitySet120), 9) && TestRenderingMode(0) == 0 &&
            flag113Allowed)
            capabilityFlag120_ = 1;
        else
            capabilityFlag113_ = 0;
    }
    if (writerClass_ == kPclXlWriterClass && (GetApplicationFlags() & kNoCapabilityFlagsForPclXl) != 0) {
        capabilityFlag113_ = 0;
        capabilityFlag120_ = 0;
    }
}
