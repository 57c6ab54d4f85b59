#include "driver/GSettingsCodec.h"

#include "driver/GDriverContext.h"
#include "driver/GSettingsDecoder.h"
#include "driver/GSettingsEncoder.h"
#include "model/GAttributeComposite.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "paper/GCustomMediaSize.h"

namespace {

// Ids of the reference tree's extensions.
constexpr uint32_t kFreeEntriesNode = 1101;
constexpr uint32_t kQuickSetListNode = 0x4000005C;
constexpr uint32_t kQuickSetNode = 375;
constexpr uint32_t kQuickSetName = 376;
constexpr uint32_t kQuickSetFlag = 1124;
constexpr uint32_t kFontListNode = 378;
constexpr uint32_t kFontTemplate = 380;
constexpr uint32_t kCustomSizesNode = 276;
constexpr uint32_t kCustomSizeTemplate = 0x40000019;

// (value, id) of the value children of the font template, in order.
constexpr uint16_t kFontTemplateValues[][2] = {{0, 387}, {0, 388}, {0, 389}, {20, 390}, {0, 392},
                                               {0, 393}, {0, 394}, {0, 396}, {0, 397},  {0, 403},
                                               {0, 398}, {0, 399}, {0, 400}, {0, 1112}};

// The template entry of the list node: a copy of the printer configuration's
// node 375 with id 0, a name and a flag; null without a node 375.
MPersistentObject* NewQuickSetTemplate(GDriverContext* context) {
    MPersistentObject* configuration = context == nullptr ? nullptr : context->GetPrinterConfiguration();
    const MPersistentObject* quickSet =
        configuration == nullptr ? nullptr : configuration->FindById(kQuickSetNode);
    if (quickSet == nullptr) return nullptr;
    std::unique_ptr<MPersistentObject> entry = quickSet->Clone();
    entry->SetId(0);
    entry->Add(new GStringAttribute("", kQuickSetName));
    entry->Add(new GValueAttribute(0, kQuickSetFlag));
    return entry.release();
}

MPersistentObject* NewFontTemplate() {
    auto font = std::make_unique<GAttributeComposite>(kFontTemplate);
    font->Add(new GStringAttribute("", 384));
    font->Add(new GStringAttribute("", 385));
    font->Add(new GStringAttribute("Arial", 386));
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
    reference->Add(new GAttributeComposite(kFreeEntriesNode));
    auto* quickSets = new GAttributeComposite(kQuickSetListNode);
    reference->Add(quickSets);
    if (MPersistentObject* entry = NewQuickSetTemplate(context)) quickSets->Add(entry);
    if (MPersistentObject* fonts = reference->FindById(kFontListNode)) fonts->Add(NewFontTemplate());
    if (MPersistentObject* sizes = reference->FindById(kCustomSizesNode)) {
        sizes->Add(new GCustomMediaSize(0, RWCString(), 0, 0, 0, kCustomSizeTemplate));
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
