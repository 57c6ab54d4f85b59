#include "ui/pages/GPaperTypeKeys.h"

namespace {

struct PaperTypeKey {
    uint16_t id;
    const char* key;
};

// In the order a stored key is looked up.
constexpr PaperTypeKey kPaperTypeKeys[] = {
    {11102, "Plain"},      {11103, "Preprinted"}, {11104, "Letterhead"},  {11105, "Transparency"},
    {11106, "Prepunched"}, {11107, "Labels"},     {11108, "Bond"},        {11109, "Recycled"},
    {11110, "Color"},      {11111, "Card Stock"}, {11112, "Rough"},       {11119, "Heavy"},
    {11120, "Envelope"},   {11121, "Glossy"},     {11122, "28 lb Type1"}, {11123, "28 lb Type2"}};

constexpr PaperTypeKey kForcedSourceKeys[] = {{GPaperType::kTransparency, "Transparency"},
                                              {GPaperType::kLabels, "Labels"},
                                              {GPaperType::kBond, "Bond"},
                                              {GPaperType::kCardStock, "Card Stock"},
                                              {GPaperType::kRough, "Rough"},
                                              {GPaperType::kHeavy, "Heavy"}};

} // namespace

uint16_t GPaperType::IdOfKey(const RWCString& key) {
    if (key.Length() == 0) return kAutoSelect;
    for (const PaperTypeKey& entry : kPaperTypeKeys)
        if (key == entry.key) return entry.id;
    return kUserDefined;
}

bool GPaperType::KeyOfId(uint16_t id, RWCString& key) {
    if (id == kRough) return false;
    key = "";
    for (const PaperTypeKey& entry : kPaperTypeKeys)
        if (entry.id == id) key = entry.key;
    return true;
}

bool GPaperType::IsSourceEntry(int32_t source) {
    return source >= kAutoSelect && source <= kLastSourceEntry;
}

RWCString GPaperType::ForcedKeyOfSource(uint16_t source) {
    for (const PaperTypeKey& entry : kForcedSourceKeys)
        if (entry.id == source) return entry.key;
    return "Plain";
}
