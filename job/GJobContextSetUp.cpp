// GJobContext: the job set-up, read once per job from the document settings
// and the printer configuration.
#include "job/GJobContext.h"

#include "driver/GOSFactory.h"
#include "driver/GSettingValues.h"
#include "model/GCapabilities.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "pipeline/GPeripheral.h"

namespace {

constexpr uint32_t kTrueTypeAsBitmapsId = 293;
constexpr uint32_t kTextAsBlackId = 585;
constexpr uint32_t kColourSourceId = 570;
constexpr uint32_t kColourTargetId = 571;
constexpr uint32_t kRenderingModeId = 255;
constexpr uint32_t kGreyScaleId = 296;
constexpr uint32_t kBookletId = 279;
constexpr uint32_t kPagesPerSheetId = 266;
constexpr uint32_t kPassThroughRuleId = 1115;
constexpr uint32_t kPdlNameId = 560;
constexpr uint32_t kProtocolClassId = 561;
constexpr uint32_t kProtocolRevisionId = 562;
constexpr uint32_t kNoPassThroughCapability = 565;
constexpr uint32_t kRenderingCapability = 136;
constexpr uint32_t kScalingCapability = 135;
constexpr uint32_t kCapability113 = 113;
constexpr uint32_t kCapability120 = 120;
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
    MPersistentObject* group364 = FindGroup(kSecondPrintingGroupId);
    trueTypeAsBitmaps_ = GSettingValues::Get(group364, kTrueTypeAsBitmapsId) == uint16_t{1} ? 1 : 0;
    textAsBlack_ = GSettingValues::Get(group364, kTextAsBlackId) == uint16_t{1} ? 1 : 0;

    const MPersistentObject* writer = FindWriter();
    writerClass_ = writer != nullptr ? writer->IsA() : kAnyWriterClass;
    postScriptWriter_ = writerClass_ == kPostScriptWriterClass ? 1 : 0;
    pageMark_ = kNoPageMark;
    passThrough_ = 0;
    DecidePassThrough();
    ChooseColourModes(group364);
    ChooseRenderingMode(group364);
    DecidePageScaling();
    if (const std::optional<uint16_t> grey = GSettingValues::Get(group364, kGreyScaleId))
        greyScaleMode_ = *grey == 0 ? 1 : *grey == 3 ? 2 : 0;
    ReadCapabilityFlags();

    pageLayoutActive_ = 0;
    if ((GetApplicationFlags() & kPageLayoutForPostScript) != 0 && postScriptWriter_ != 0) {
        const bool booklet = GSettingValues::IsNonZero(GetDocumentSettings(), kBookletId);
        pageLayoutActive_ = booklet || GSettingValues::IsNonZero(FindGroup(kLayoutGroupId), kPagesPerSheetId);
    }
    scalingSettings_.Reset();
}

void GJobContext::DecidePassThrough() {
    MPersistentObject* configuration = GetPrinterConfiguration();
    if (writerClass_ != kPclXlWriterClass) {
        passThrough_ = HasBit(FindCapability(kNoPassThroughCapability), 0) ? 0 : 1;
        return;
    }
    if (const std::optional<uint16_t> rule = GSettingValues::Get(configuration, kPassThroughRuleId)) {
        GOSFactory* factory = GOSFactory::Instance();
        const uint32_t value = factory != nullptr
                                   ? factory->GetPrinterDataDword(this, u"PassThrough", kNoPassThroughValue)
                                   : kNoPassThroughValue;
        passThrough_ = (*rule == 0 && value == 1) || (*rule == 1 && value != 0) ? 1 : 0;
    }
    // The protocol the printer is told: PCL XL class 3.0 for pass-through
    // of a printer that speaks at most class 3, else class 2.1.
    if (GSettingValues::Find(configuration, kProtocolClassId) == nullptr ||
        GSettingValues::Find(configuration, kProtocolRevisionId) == nullptr) {
        return;
    }
    if (passThrough_ == 1 && *GSettingValues::Get(configuration, kProtocolClassId) <= 3) {
        GSettingValues::Set(configuration, kProtocolClassId, 3);
        GSettingValues::Set(configuration, kProtocolRevisionId, 0);
        if (GStringAttribute* name = GSettingValues::FindText(configuration, kPdlNameId))
            name->SetValue("PCL XL");
        else
            configuration->Add(new GStringAttribute("PCL XL", kPdlNameId));
        return;
    }
    GSettingValues::Set(configuration, kProtocolClassId, 2);
    GSettingValues::Set(configuration, kProtocolRevisionId, 1);
}

void GJobContext::ChooseColourModes(MPersistentObject* group364) {
    colourSourceMode_ = -1;
    colourTargetMode_ = 0;
    if (postScriptWriter_ == 0) return;
    if (const std::optional<uint16_t> source = GSettingValues::Get(group364, kColourSourceId)) {
        trueTypeAsBitmaps_ = 0;
        colourSourceMode_ = 2;
        if (*source == 0) colourSourceMode_ = GetSetting958() != 0 ? 1 : 0;
        if (*source == 1) {
            trueTypeAsBitmaps_ = 1;
            colourSourceMode_ = 1;
        }
    }
    const std::optional<uint16_t> target = GSettingValues::Get(group364, kColourTargetId);
    if (target.has_value() && *target <= 2) colourTargetMode_ = *target;
}

void GJobContext::ChooseRenderingMode(MPersistentObject* group364) {
    const uint32_t flags = GetApplicationFlags();
    const std::optional<uint16_t> mode = GSettingValues::Get(group364, kRenderingModeId);
    if (mode.has_value() && *mode >= 1 && *mode <= 3)
        renderingMode_ = static_cast<int16_t>(*mode);
    else
        renderingMode_ = (flags & kForceRenderingMode3) != 0   ? 3
                         : (flags & kForceRenderingMode2) != 0 ? 2
                                                               : 1;
    const GCapabilities* rendering = FindCapability(kRenderingCapability);
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
    const GCapabilities* scaling = FindCapability(kScalingCapability);
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
    if (configuration != nullptr && configuration->FindById(112) != nullptr) {
        capabilityFlag113_ = HasBit(FindCapability(kCapability113), 1) ? 1 : 0;
        const bool flag113Allowed =
            (GetApplicationFlags() & kFlag120NeedsFlag113) == 0 || capabilityFlag113_ == 1;
        if (HasBit(FindCapability(kCapability120), 9) && TestRenderingMode(0) == 0 && flag113Allowed)
            capabilityFlag120_ = 1;
        else
            capabilityFlag113_ = 0;
    }
    if (writerClass_ == kPclXlWriterClass && (GetApplicationFlags() & kNoCapabilityFlagsForPclXl) != 0) {
        capabilityFlag113_ = 0;
        capabilityFlag120_ = 0;
    }
}
