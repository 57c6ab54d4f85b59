#include "driver/GSettingsCodec.h"

#include "driver/GDriverContext.h"
#include "driver/GSettingsDecoder.h"
#include "driver/GSettingsEncoder.h"
#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "paper/GCustomMediaSize.h"

namespace {

// (value, id) of the value children of the font template, in order.
constexpr uint16_t kFontTemplateValues[][2] = {
    {0, GSettingId::kWatermarkCharSet},     {0, GSettingId::kWatermarkStyle},
    {0, GSettingId::kWatermarkField389},    {20, GSettingId::kWatermarkPointSize},
    {0, GSettingId::kWatermarkCharWidth},   {0, GSettingId::kWatermarkAngleKind},
    {0, GSettingId::kWatermarkCustomAngle}, {0, GSettingId::kWatermarkField396},
    {0, GSettingId::kWatermarkField397},    {0, GSettingId::kWatermarkShade},
    {0, GSettingId::kWatermarkRed},         {0, GSettingId::kWatermarkGreen},
    {0, GSettingId::kWatermarkBlue},        {0, GSettingId::kBuiltInWatermark}};

// The template entry of the list node: a copy of the printer configuration's
// node 375 with id 0, a name and a flag; null without a node 375.
MPersistentObject* NewQuickSetTemplate(GDriverContext* context) {
    MPersistentObject* configuration = context == nullptr ? nullptr : context->GetPrinterConfiguration();
    const MPersistentObject* quickSet =
        configuration == nullptr ? nullptr : configuration->FindById(GSettingId::kQuickSetTemplate);
    if (quickSet == nullptr) return nullptr;
    std::unique_ptr<MPersistentObject> entry = quickSet->Clone();
    entry->SetId(0);
    entry->Add(new GStringAttribute("", GSettingId::kQuickSetName));
    entry->Add(new GValueAttribute(0, GSettingId::kQuickSetFlag));
    return entry.release();
}

MPersistentObject* NewFontTemplate() {
    auto font = std::make_unique<GAttributeComposite>(GSettingId::kWatermark);
    font->Add(new GStringAttribute("", GSettingId::kWatermarkName));
    font->Add(new GStringAttribute("", GSettingId::kWatermarkText));
    font->Add(new GStringAttribute("Arial", GSettingId::kWatermarkFace));
    for (const auto& value : kFontTemplateValues) {
        font->Add(new GValueAttribute(value[0], value[1]));
    }
    return font.release();
}

// The printer's defaults and the templates that let list entries of the
// stream be recognised. Nodes the defaults lack are simply not extended.
std::unique_ptr<GAttributeComposite> BuildReferenceTree(GDriverContext* context) {
    auto reference = std::make_unique<GAttributeComposite>(0);
    if (context != nullptr) {
        if (std::unique_ptr<GAttributeComposite> defaults = context->NewDefaultSettings()) {
            reference->Add(defaults.release());
        }
    }
    reference->Add(new GAttributeComposite(GSettingId::kFreeEntries));
    auto* quickSets = new GAttributeComposite(GSettingId::kQuickSetList);
    reference->Add(quickSets);
    if (MPersistentObject* entry = NewQuickSetTemplate(context)) quickSets->Add(entry);
    if (MPersistentObject* fonts = reference->FindById(GSettingId::kWatermarkPool))
        fonts->Add(NewFontTemplate());
    if (MPersistentObject* sizes = reference->FindById(GSettingId::kCustomPaperSizes)) {
        sizes->Add(new GCustomMediaSize(0, RWCString(), 0, 0, 0, GSettingId::kCustomSizeTemplate));
    }
    return reference;
}

} // namespace

GSettingsCodec::GSettingsCodec() : GCodecForm(1) {}

GSettingsCodec::GSettingsCodec(uint32_t compactMode) : GCodecForm(compactMode) {}

GSettingsCodec::~GSettingsCodec() = default;

bool GSettingsCodec::SelectForm(uint16_t form) {
    if (form == kCompactForm) {
        SetCompactMode(1);
    } else if (form == kWideForm) {
        SetCompactMode(0);
    } else {
        return false;
    }
    return true;
}

int32_t GSettingsCodec::Encode(const MPersistentObject* root, RWVirtualOutStream& out,
                               GOutputStream& position, uint16_t form) {
    if (!SelectForm(form)) return 0;
    return GSettingsEncoder(*this, out, position).WriteStream(root);
}

std::unique_ptr<MPersistentObject> GSettingsCodec::Decode(RWVirtualInStream& in, GInputStream& position,
                                                          GDriverContext* context, uint16_t form) {
    if (!SelectForm(form)) return nullptr;
    if (reference_ == nullptr) reference_ = BuildReferenceTree(context);
    return GSettingsDecoder(*this, in, position).ReadStream(reference_.get());
}
